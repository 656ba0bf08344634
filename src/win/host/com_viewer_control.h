// The viewer control over COM: host::ViewerControl on the viewer's IDispatch, calling each
// operation by its DISPID with the arguments exactly as the caller built them (by-reference
// ones written back to the caller's variables), and binding a host::ViewerEvents sink to
// the viewer's connection point through an event sink object of ours.
//
// The viewer's event DISPIDs are its own: they are read once from its class information
// (the default source interface of its coclass, through IProvideClassInfo), by the
// events' names, and mapped to host's event table.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "win/com/com_ptr.h"
#include "win/com/dispatch_object.h"
#include "win/com/table_dispatch.h"
#include "win/host/class_events.h"

namespace nimbo::win::host {

class ComViewerControl : public nimbo::host::ViewerControl {
 public:
  // The viewer of that ProgID, created as the run-time's CreateObject creates it (429
  // when there is no such class).
  static std::unique_ptr<ComViewerControl> Create(
      std::string_view progId = nimbo::host::kViewerProgId);
  explicit ComViewerControl(com::ComPtr<IDispatch> viewer);
  ComViewerControl(const ComViewerControl&) = delete;
  ComViewerControl& operator=(const ComViewerControl&) = delete;

  automation::Variant Invoke(int32_t dispid, std::span<automation::Variant> arguments) override {
    return Call(dispid, arguments);
  }
  // A viewer without class information for its events is error 459. The sink is borrowed
  // until Unadvise (or until this control goes).
  int32_t Advise(nimbo::host::ViewerEvents* sink) override;
  // An unknown cookie is an invalid call (5).
  void Unadvise(int32_t cookie) override;

 private:
  struct EventSource {
    IID eventInterface{};
    // The viewer's DISPID of each event of host's table that its type library declares.
    std::map<DISPID, const nimbo::host::ViewerEvent*> events;
    com::ComPtr<IConnectionPoint> point;
  };

  automation::Variant Call(int32_t dispid, std::span<automation::Variant> arguments);
  const EventSource& Events();

  com::DispatchObject viewer_;
  std::optional<EventSource> events_;  // found at the first Advise
  EventBindings bindings_;
};

}  // namespace nimbo::win::host
