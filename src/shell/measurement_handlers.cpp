// Placeholder until the measurement handlers land.
#include "shell/dock_control.h"

namespace nimbo::shell {
void DockControl::vnvEvents_AreaMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_BearingMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_DistanceMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_ElevationMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_HeightMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_LocationXMeasured(double, const std::string&, const std::string&) {}
void DockControl::vnvEvents_LocationYMeasured(double, const std::string&, const std::string&) {}
}  // namespace nimbo::shell
