// The viewer's seven measurement events: each saves its value by the chosen method and
// tells a failure in one message. The kind of measurement is not passed on.
#include "automation/error_rules.h"
#include "measure/measurement_dispatch.h"
#include "shell/dock_control.h"

namespace nimbo::shell {

using measure::SaveMeasurement;

void DockControl::vnvEvents_AreaMeasured(double measure, const std::string& tablename,
                                         const std::string& fieldname) {
  RunHandler("vnvEvents_AreaMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_BearingMeasured(double measure, const std::string& tablename,
                                            const std::string& fieldname) {
  RunHandler("vnvEvents_BearingMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_DistanceMeasured(double measure, const std::string& tablename,
                                             const std::string& fieldname) {
  RunHandler("vnvEvents_DistanceMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_ElevationMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  RunHandler("vnvEvents_ElevationMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_HeightMeasured(double measure, const std::string& tablename,
                                           const std::string& fieldname) {
  RunHandler("vnvEvents_HeightMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_LocationXMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  RunHandler("vnvEvents_LocationXMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_LocationYMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  RunHandler("vnvEvents_LocationYMeasured",
             [&] { SaveMeasurement(state_, measure, tablename, fieldname); });
}

}  // namespace nimbo::shell
