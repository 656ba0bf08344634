// Placeholder until the overlay lifecycle handlers land.
#include "shell/dock_control.h"

namespace nimbo::shell {
void DockControl::vnvEvents_LayoutChanged(const std::string&) {}
void DockControl::vnvEvents_ObliqueLoaded(const std::string&, int32_t, int32_t, double, double,
                                          double, double, double, double, double, double,
                                          int32_t) {}
void DockControl::vnvEvents_OverlaysPermissionChanged(automation::VBool) {}
void DockControl::vnvEvents_ReloadOverlaysClicked() {}
}  // namespace nimbo::shell
