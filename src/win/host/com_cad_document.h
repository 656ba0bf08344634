// The CAD application and its drawing over COM. The drawing's events arrive through its
// connection point at an event sink object of ours, found through the drawing's class
// information.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "host/cad.h"
#include "win/com/com_ptr.h"
#include "win/com/table_dispatch.h"
#include "win/host/cad_object.h"
#include "win/host/class_events.h"

namespace nimbo::win::host {

class ComDocument final : public nimbo::host::Document, public CadObject {
 public:
  using CadObject::CadObject;

  std::string Name() override { return automation::ToString(Get("Name")); }
  Variant GetVariable(const std::string& name) override {
    return Call("GetVariable", {Variant(name)});
  }
  void SetVariable(const std::string& name, const Variant& value) override {
    Call("SetVariable", {Variant(name), value});
  }
  std::shared_ptr<nimbo::host::Application> Application() override;
  std::shared_ptr<nimbo::host::EntityCollection> ModelSpace() override;
  std::shared_ptr<nimbo::host::EntityCollection> PaperSpace() override;
  std::shared_ptr<nimbo::host::Layers> Layers() override;
  std::shared_ptr<nimbo::host::Blocks> Blocks() override;
  std::shared_ptr<nimbo::host::SelectionSets> SelectionSets() override;
  std::shared_ptr<nimbo::host::Utility> Utility() override;

  // A drawing without class information for its events is error 459.
  int32_t Advise(nimbo::host::DocumentEvents* sink) override;
  // An unknown cookie is an invalid call (5).
  void Unadvise(int32_t cookie) override;

 private:
  std::optional<ClassEvents> events_;  // found at the first Advise
  EventBindings bindings_;
};

class ComApplication final : public nimbo::host::Application, public CadObject {
 public:
  using CadObject::CadObject;
  nimbo::host::DocumentRef ActiveDocument() override {
    return Adapt<ComDocument>(Get("ActiveDocument"));
  }
  // The Map application for its ProgID; any other interface object as it comes.
  automation::ObjectRef GetInterfaceObject(const std::string& progId) override;
  void ZoomCenter(const nimbo::host::Point3& center, double magnification) override {
    Call("ZoomCenter", {PointValue(center), Variant(magnification)});
  }
};

}  // namespace nimbo::win::host
