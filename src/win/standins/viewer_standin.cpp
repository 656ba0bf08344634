#include "win/standins/viewer_standin.h"

#include <vector>

#include "host/viewer_events.h"
#include "host/viewer_operations.h"
#include "standalone/viewer/simulated_viewer.h"
#include "win/standins/nimbo_viewer_standin_ids.h"
#include "win/standins/standin_type_library.h"
#include "win/standins/viewer_window.h"

namespace nimbo::win::standins {

using automation::Variant;

// The simulated viewer's events, raised again through the object's connection point.
class ViewerStandin::EventRelay : public host::ViewerEvents {
 public:
  explicit EventRelay(com::TableDispatch& object) : object_(object) {}
  void OnViewerEvent(const host::ViewerEvent& event,
                     const std::vector<Variant>& arguments) override {
    object_.Fire(event.dispid, arguments);
  }

 private:
  com::TableDispatch& object_;  // borrowed: the stand-in's object outlives the relay
};

namespace {

std::vector<com::DispatchMember> OperationMembers(standalone::SimulatedViewer& viewer) {
  std::vector<com::DispatchMember> members;
  for (const host::ViewerOperation& operation : host::ViewerOperations()) {
    const int32_t dispid = operation.dispid;
    members.push_back(
        {std::string(operation.name), dispid, [&viewer, dispid](std::span<Variant> arguments) {
           return viewer.Invoke(dispid, arguments);
         }});
  }
  return members;
}

}  // namespace

ViewerStandin::ViewerStandin(standalone::SimulatedViewer& viewer) : viewer_(viewer) {
  com::DispatchDescription description;
  description.interfaceId = DIID__DNimboViewer;
  description.members = OperationMembers(viewer);
  description.typeInfo = StandinTypeInfo(DIID__DNimboViewer);
  description.classInfo = StandinTypeInfo(CLSID_NimboViewer);
  description.eventInterface = DIID__DNimboViewerEvents;
  // A DISPID outside the contract reaches the simulated viewer too, which journals and
  // refuses it as on Linux.
  description.otherMember = [&viewer](DISPID dispid, std::span<Variant> arguments) {
    return viewer.Invoke(dispid, arguments);
  };
  // An in-place control to a container, so that the palette shows where the viewer sits.
  auto window = std::make_shared<ViewerWindow>();
  description.otherInterface = [window](REFIID iid) { return window->InterfaceFor(iid); };
  object_ = com::TableDispatch::Create(std::move(description));
  window->Attach(static_cast<IDispatch*>(object_.Get()));
  relay_ = std::make_unique<EventRelay>(*object_.Get());
  relayCookie_ = viewer_.Advise(relay_.get());
  com::ComPtr<IUnknown> shared(static_cast<IDispatch*>(object_.Get()));
  class_ = std::make_unique<com::ProcessClass>(CLSID_NimboViewer, host::kViewerProgId,
                                               [shared] { return shared; });
}

ViewerStandin::~ViewerStandin() {
  class_.reset();
  viewer_.Unadvise(relayCookie_);
  object_->Disconnect();
}

}  // namespace nimbo::win::standins
