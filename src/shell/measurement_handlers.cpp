// The viewer's seven measurement events: each saves its value by the chosen method and
// tells a failure in one message. The kind of measurement is not passed on.
#include "measure/measurement_dispatch.h"
#include "shell/dock_control.h"

namespace nimbo::shell {

void DockControl::SaveMeasured(std::string_view handler, double measure,
                               const std::string& tablename, const std::string& fieldname) {
  RunHandler(handler, [&] { measure::SaveMeasurement(state_, measure, tablename, fieldname); });
}

void DockControl::vnvEvents_AreaMeasured(double measure, const std::string& tablename,
                                         const std::string& fieldname) {
  SaveMeasured("vnvEvents_AreaMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_BearingMeasured(double measure, const std::string& tablename,
                                            const std::string& fieldname) {
  SaveMeasured("vnvEvents_BearingMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_DistanceMeasured(double measure, const std::string& tablename,
                                             const std::string& fieldname) {
  SaveMeasured("vnvEvents_DistanceMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_ElevationMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  SaveMeasured("vnvEvents_ElevationMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_HeightMeasured(double measure, const std::string& tablename,
                                           const std::string& fieldname) {
  SaveMeasured("vnvEvents_HeightMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_LocationXMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  SaveMeasured("vnvEvents_LocationXMeasured", measure, tablename, fieldname);
}

void DockControl::vnvEvents_LocationYMeasured(double measure, const std::string& tablename,
                                              const std::string& fieldname) {
  SaveMeasured("vnvEvents_LocationYMeasured", measure, tablename, fieldname);
}

}  // namespace nimbo::shell
