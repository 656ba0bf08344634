#include "win/host/com_viewer_control.h"

#include <string_view>
#include <utility>
#include <vector>

#include "automation/error.h"
#include "win/com/process_classes.h"
#include "win/host/class_events.h"
#include "win/host/viewer_event_sink.h"

namespace nimbo::win::host {

using automation::Variant;
namespace errors = automation::errors;

std::unique_ptr<ComViewerControl> ComViewerControl::Create(std::string_view progId) {
  return std::make_unique<ComViewerControl>(com::CreateObject(progId));
}

ComViewerControl::ComViewerControl(com::ComPtr<IDispatch> viewer) : viewer_(std::move(viewer)) {}

Variant ComViewerControl::Call(int32_t dispid, std::span<Variant> arguments) {
  return viewer_.Invoke(dispid, com::CallKind::Method, arguments);
}

const ComViewerControl::EventSource& ComViewerControl::Events() {
  if (events_) return *events_;
  std::vector<std::string_view> names;
  for (const nimbo::host::ViewerEvent& event : nimbo::host::kViewerEvents) {
    names.push_back(event.name);
  }
  ClassEvents found = FindClassEvents(viewer_.Dispatch(), names);
  EventSource source{found.eventInterface, {}, std::move(found.point)};
  for (const nimbo::host::ViewerEvent& event : nimbo::host::kViewerEvents) {
    if (auto id = found.ids.find(event.name); id != found.ids.end()) {
      source.events.emplace(id->second, &event);
    }
  }
  events_ = std::move(source);
  return *events_;
}

int32_t ComViewerControl::Advise(nimbo::host::ViewerEvents* sink) {
  if (sink == nullptr) throw errors::Standard(errors::kInvalidCall);
  const EventSource& source = Events();
  return bindings_.Bind(source.point.Get(),
                        MakeViewerEventSink(source.eventInterface, source.events, *sink));
}

void ComViewerControl::Unadvise(int32_t cookie) {
  bindings_.Unbind(cookie);
}

}  // namespace nimbo::win::host
