// Placeholder until the view synchronisation handlers land.
#include "shell/dock_control.h"

namespace nimbo::shell {
void DockControl::vnvEvents_ExtentChanged(double, double, double, double, double, double, double,
                                          double, double, double, int32_t) {}
void DockControl::vnvEvents_SelectedPointChanged(double, double) {}
void DockControl::vnvEvents_ModeChanged(const std::string&, int32_t) {}
}  // namespace nimbo::shell
