// The viewer's extent, selected-point and mode events.
#include "shell/dock_control.h"
#include "sync/extent_events.h"

namespace nimbo::shell {

namespace {

// 0x802000C4 from an extent change is not shown to the person.
constexpr int32_t kSilentExtentError = -2145386300;

}  // namespace

void DockControl::vnvEvents_ExtentChanged(double /*ULx*/, double /*ULy*/, double /*URx*/,
                                          double /*URy*/, double /*LLx*/, double /*LLy*/,
                                          double /*LRx*/, double /*LRy*/, double X, double Y,
                                          int32_t viewIndex) {
  // The corners are not used: every view is read again from the viewer.
  RunHandler("vnvEvents_ExtentChanged",
             [&] { sync::OnExtentChanged(state_, *this, X, Y, viewIndex); }, {kSilentExtentError});
}

void DockControl::vnvEvents_SelectedPointChanged(double X, double Y) {
  RunHandler("vnvEvents_SelectedPointChanged",
             [&] { sync::OnSelectedPointChanged(state_, *this, X, Y); });
}

void DockControl::vnvEvents_ModeChanged(const std::string& /*mode*/, int32_t /*viewIndex*/) {
  RunHandler("vnvEvents_ModeChanged", [&] { sync::OnModeChanged(state_, *this); });
}

}  // namespace nimbo::shell
