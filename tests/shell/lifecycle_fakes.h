// The CAD side of the control's lifecycle, as small fakes: the running-object lookup, the
// CAD application with its Map interface object, and drawings with a connection point
// for their events. Each counts what the lifecycle may and may not do to it; members the
// lifecycle has no business calling fail loudly (strict_fakes.h).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "host/map.h"
#include "host/platform.h"
#include "standalone/simulated_event_sinks.h"
#include "support/strict_fakes.h"

namespace nimbo::testing {

class FakeMapApplication : public host::MapApplication {
 public:
  std::shared_ptr<host::MapProject> Project(const host::DocumentRef&) override {
    UnexpectedCall("MapApplication.Project");
  }
};

class FakeApplication : public host::Application {
 public:
  host::DocumentRef ActiveDocument() override {
    ++activeDocumentReads;
    return activeDocument;
  }
  automation::ObjectRef GetInterfaceObject(const std::string& progId) override {
    interfaceRequests.push_back(progId);
    if (failInterfaceObject) {
      throw automation::AutomationError(-2147221005, "Invalid class string", "AutoCAD");
    }
    return progId == host::kMapProgId ? map : nullptr;
  }
  void ZoomCenter(const host::Point3&, double) override { UnexpectedCall("ZoomCenter"); }

  host::DocumentRef activeDocument;
  std::shared_ptr<FakeMapApplication> map = std::make_shared<FakeMapApplication>();
  int activeDocumentReads = 0;
  std::vector<std::string> interfaceRequests;
  bool failInterfaceObject = false;
};

class FakeDrawing : public host::Document {
 public:
  FakeDrawing(std::string name, std::shared_ptr<FakeApplication> application)
      : name_(std::move(name)), application_(std::move(application)) {}

  std::string Name() override { return name_; }
  std::shared_ptr<host::Application> Application() override { return application_.lock(); }
  int32_t Advise(host::DocumentEvents* sink) override {
    if (failAdvise) throw automation::AutomationError(-2147220992, "Advise refused", "AutoCAD");
    return sinks_.Advise(sink);
  }
  void Unadvise(int32_t cookie) override {
    if (failUnadvise) throw automation::errors::Standard(automation::errors::kInvalidCall);
    sinks_.Unadvise(cookie);
  }

  // The drawing's events, delivered as its connection point does.
  void RaiseBeginDocClose(automation::VBool& cancel) {
    sinks_.Raise([&](host::DocumentEvents& sink) { sink.BeginDocClose(cancel); });
  }
  size_t BoundSinks() const { return sinks_.Count(); }
  bool failAdvise = false;
  bool failUnadvise = false;

  automation::Variant GetVariable(const std::string&) override { UnexpectedCall("GetVariable"); }
  void SetVariable(const std::string&, const automation::Variant&) override {
    UnexpectedCall("SetVariable");
  }
  std::shared_ptr<host::EntityCollection> ModelSpace() override { UnexpectedCall("ModelSpace"); }
  std::shared_ptr<host::EntityCollection> PaperSpace() override { UnexpectedCall("PaperSpace"); }
  std::shared_ptr<host::Layers> Layers() override { UnexpectedCall("Layers"); }
  std::shared_ptr<host::Blocks> Blocks() override { UnexpectedCall("Blocks"); }
  std::shared_ptr<host::SelectionSets> SelectionSets() override { UnexpectedCall("SelectionSets"); }
  std::shared_ptr<host::Utility> Utility() override { UnexpectedCall("Utility"); }

 private:
  std::string name_;
  // Weak: the application holds its active drawing, and the fakes must not keep each
  // other alive after a test.
  std::weak_ptr<FakeApplication> application_;
  standalone::SimulatedEventSinks<host::DocumentEvents> sinks_;
};

// GetObject(, progId) over a table of running applications; a ProgID with none running
// raises 429 as the platform does.
class FakeRunningObjects : public host::RunningObjects {
 public:
  automation::ObjectRef GetActiveObject(const std::string& progId) override {
    requests.push_back(progId);
    auto it = running.find(progId);
    if (it == running.end()) {
      throw automation::errors::Standard(automation::errors::kCannotCreateObject,
                                         "VeskNimboDock17");
    }
    return it->second;
  }

  std::map<std::string, automation::ObjectRef> running;
  std::vector<std::string> requests;
};

}  // namespace nimbo::testing
