// The control's sink of the viewer's events: one route for each event of the table, to
// the handler of the same name.
#include "automation/error.h"
#include "shell/dock_control.h"
#include "shell/viewer_event_routes.h"

namespace nimbo::shell {

struct ViewerEventRoutes {
  using C = DockControl;
  static constexpr std::array<EventRoute<DockControl>, 14> kAll = {{
      RouteTo<&C::vnvEvents_AreaMeasured>("AreaMeasured"),
      RouteTo<&C::vnvEvents_BearingMeasured>("BearingMeasured"),
      RouteTo<&C::vnvEvents_DistanceMeasured>("DistanceMeasured"),
      RouteTo<&C::vnvEvents_ElevationMeasured>("ElevationMeasured"),
      RouteTo<&C::vnvEvents_HeightMeasured>("HeightMeasured"),
      RouteTo<&C::vnvEvents_LocationXMeasured>("LocationXMeasured"),
      RouteTo<&C::vnvEvents_LocationYMeasured>("LocationYMeasured"),
      RouteTo<&C::vnvEvents_LayoutChanged>("LayoutChanged"),
      RouteTo<&C::vnvEvents_ModeChanged>("ModeChanged"),
      RouteTo<&C::vnvEvents_OverlaysPermissionChanged>("OverlaysPermissionChanged"),
      RouteTo<&C::vnvEvents_SelectedPointChanged>("SelectedPointChanged"),
      RouteTo<&C::vnvEvents_ReloadOverlaysClicked>("ReloadOverlaysClicked"),
      RouteTo<&C::vnvEvents_ObliqueLoaded>("ObliqueLoaded"),
      RouteTo<&C::vnvEvents_ExtentChanged>("ExtentChanged"),
  }};
  static_assert(RoutesCoverEvents(kAll),
                "each viewer event needs one handler taking the event table's argument types");
};

void DockControl::OnViewerEvent(const host::ViewerEvent& event,
                                const std::vector<automation::Variant>& arguments) {
  for (const EventRoute<DockControl>& route : ViewerEventRoutes::kAll) {
    if (route.event != event.name) continue;
    // The platform's marshalling is to convert the arguments to the table's types; one
    // that did not is refused before any handler runs.
    if (!host::ArgumentsFitEvent(*host::FindViewerEvent(route.event), arguments)) {
      throw automation::errors::Standard(automation::errors::kInvalidCall, kLibraryName);
    }
    route.deliver(*this, arguments);
    return;
  }
  throw automation::errors::Standard(automation::errors::kNotSupported, kLibraryName);
}

}  // namespace nimbo::shell
