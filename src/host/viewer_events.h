// The viewer's fourteen events: the one table of each event's name, DISPID and
// arguments, beside the operation table. The simulated viewer checks what it raises
// against it, the control's sink dispatches by it to its typed handlers (and checks at
// compile time that each handler takes the table's types), and the Windows sink reads
// the DISPPARAMS of the viewer's connection point by it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_views.h"

namespace nimbo::host {

struct ViewerEventParameter {
  std::string_view name;
  automation::VarType type = automation::VarType::Empty;
};

struct ViewerEvent {
  std::string_view name;
  int32_t dispid = 0;
  std::span<const ViewerEventParameter> parameters;
};

// The contract names the events but gives no DISPIDs for them. These are placeholders,
// numbered in the order the contract lists the events, which the core uses only to tell
// events apart. The Windows sink must not assume them: it asks the viewer's type library
// for the DISPIDs of its source interface by name (ITypeInfo::GetIDsOfNames) and maps
// each to the event of that name here.
namespace eventid {
inline constexpr int32_t kAreaMeasured = 1;
inline constexpr int32_t kBearingMeasured = 2;
inline constexpr int32_t kDistanceMeasured = 3;
inline constexpr int32_t kElevationMeasured = 4;
inline constexpr int32_t kHeightMeasured = 5;
inline constexpr int32_t kLocationXMeasured = 6;
inline constexpr int32_t kLocationYMeasured = 7;
inline constexpr int32_t kLayoutChanged = 8;
inline constexpr int32_t kModeChanged = 9;
inline constexpr int32_t kOverlaysPermissionChanged = 10;
inline constexpr int32_t kSelectedPointChanged = 11;
inline constexpr int32_t kReloadOverlaysClicked = 12;
inline constexpr int32_t kObliqueLoaded = 13;
inline constexpr int32_t kExtentChanged = 14;
}  // namespace eventid

namespace event_parameters {
using automation::VarType;

inline constexpr ViewerEventParameter kMeasured[] = {
    {"measure", VarType::Double}, {"tablename", VarType::String}, {"fieldname", VarType::String}};
inline constexpr ViewerEventParameter kLayoutChanged[] = {{"layout", VarType::String}};
inline constexpr ViewerEventParameter kModeChanged[] = {{"mode", VarType::String},
                                                        {"viewIndex", VarType::Long}};
inline constexpr ViewerEventParameter kOverlaysPermissionChanged[] = {{"accept", VarType::Boolean}};
inline constexpr ViewerEventParameter kSelectedPointChanged[] = {{"X", VarType::Double},
                                                                 {"Y", VarType::Double}};
// id, width, height, the eight corners, viewIndex.
inline constexpr std::array<ViewerEventParameter, 12> kObliqueLoaded = [] {
  std::array<ViewerEventParameter, 12> p{};
  p[0] = {"id", VarType::String};
  p[1] = {"width", VarType::Long};
  p[2] = {"height", VarType::Long};
  for (size_t i = 0; i < kCornerNames.size(); ++i) p[3 + i] = {kCornerNames[i], VarType::Double};
  p[11] = {"viewIndex", VarType::Long};
  return p;
}();
// The eight corners, X, Y, viewIndex.
inline constexpr std::array<ViewerEventParameter, 11> kExtentChanged = [] {
  std::array<ViewerEventParameter, 11> p{};
  for (size_t i = 0; i < kCornerNames.size(); ++i) p[i] = {kCornerNames[i], VarType::Double};
  p[8] = {"X", VarType::Double};
  p[9] = {"Y", VarType::Double};
  p[10] = {"viewIndex", VarType::Long};
  return p;
}();
}  // namespace event_parameters

// Every event, in the order the contract lists them.
inline constexpr std::array<ViewerEvent, 14> kViewerEvents = {{
    {"AreaMeasured", eventid::kAreaMeasured, event_parameters::kMeasured},
    {"BearingMeasured", eventid::kBearingMeasured, event_parameters::kMeasured},
    {"DistanceMeasured", eventid::kDistanceMeasured, event_parameters::kMeasured},
    {"ElevationMeasured", eventid::kElevationMeasured, event_parameters::kMeasured},
    {"HeightMeasured", eventid::kHeightMeasured, event_parameters::kMeasured},
    {"LocationXMeasured", eventid::kLocationXMeasured, event_parameters::kMeasured},
    {"LocationYMeasured", eventid::kLocationYMeasured, event_parameters::kMeasured},
    {"LayoutChanged", eventid::kLayoutChanged, event_parameters::kLayoutChanged},
    {"ModeChanged", eventid::kModeChanged, event_parameters::kModeChanged},
    {"OverlaysPermissionChanged", eventid::kOverlaysPermissionChanged,
     event_parameters::kOverlaysPermissionChanged},
    {"SelectedPointChanged", eventid::kSelectedPointChanged,
     event_parameters::kSelectedPointChanged},
    {"ReloadOverlaysClicked", eventid::kReloadOverlaysClicked, {}},
    {"ObliqueLoaded", eventid::kObliqueLoaded, event_parameters::kObliqueLoaded},
    {"ExtentChanged", eventid::kExtentChanged, event_parameters::kExtentChanged},
}};

// The event of that exact name or DISPID, or nullptr. Usable at compile time.
constexpr const ViewerEvent* FindViewerEvent(std::string_view name) {
  for (const ViewerEvent& event : kViewerEvents) {
    if (event.name == name) return &event;
  }
  return nullptr;
}
constexpr const ViewerEvent* FindViewerEvent(int32_t dispid) {
  for (const ViewerEvent& event : kViewerEvents) {
    if (event.dispid == dispid) return &event;
  }
  return nullptr;
}

// One argument for each parameter, each a value (not by reference) of its parameter's
// type: what a sink may rely on.
bool ArgumentsFitEvent(const ViewerEvent& event, const std::vector<automation::Variant>& arguments);

// The sink of the viewer's connection point. One entry for every event, as the
// platform's event interface is one Invoke: the event refers into kViewerEvents and the
// arguments fit it.
class ViewerEvents {
 public:
  virtual ~ViewerEvents() = default;
  virtual void OnViewerEvent(const ViewerEvent& event,
                             const std::vector<automation::Variant>& arguments) = 0;
};

}  // namespace nimbo::host
