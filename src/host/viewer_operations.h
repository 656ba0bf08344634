// The viewer control's operations: the one table of every DISPID, argument order, type
// and by-reference flag. The typed calls in viewer.h and the simulated viewer both read
// it, and the Windows build's IDL must match it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_views.h"

namespace nimbo::host {

// The viewer control's class, as the platform creates it.
inline constexpr const char* kViewerProgId = "VeskNIMBOMultiViewCtl.NimboViewer";

// How an argument is passed.
enum class Passing {
  ByValue,
  ByReference,
  // The caller chooses: AddVertex takes polyline vertices by reference and line ends by
  // value; SearchImageAtPoint takes the button's pick by reference and the view centre
  // by value.
  EitherWay,
};

struct ViewerParameter {
  std::string_view name;
  automation::VarType type;
  Passing passing;
};

struct ViewerOperation {
  std::string_view name;
  int32_t dispid;
  std::vector<ViewerParameter> parameters;
  // The type of the result; Empty when the operation answers nothing.
  automation::VarType result;
};

// Every operation, in DISPID order.
const std::vector<ViewerOperation>& ViewerOperations();
const ViewerOperation* FindViewerOperation(int32_t dispid);
const ViewerOperation* FindViewerOperation(std::string_view name);

// A table with an entry per operation at its DISPID (the DISPIDs are few and small), made
// by `make` from the operation; the other entries are left empty. For what every call
// looks up.
template <class Entry, class Make>
std::vector<Entry> TableByDispid(Make make) {
  std::vector<Entry> table;
  for (const ViewerOperation& operation : ViewerOperations()) {
    const auto at = static_cast<size_t>(operation.dispid);
    if (table.size() <= at) table.resize(at + 1);
    table[at] = make(operation);
  }
  return table;
}

// DISPIDs by name, for the callers; the table above is built from them, and a test checks
// that each names the operation it is called after.
namespace dispid {
inline constexpr int32_t kSetClientInfo = 9;
inline constexpr int32_t kGetViewMode = 10;
inline constexpr int32_t kTotalULx = 11;    // 11..18: TotalULx, ULy, URx, URy, LLx, LLy, LRx, LRy
inline constexpr int32_t kVisibleULx = 19;  // 19..26, same order
inline constexpr int32_t kIsViewActive = 27;
inline constexpr int32_t kIsMapSyncView = 28;
inline constexpr int32_t kRegisterOverlayLayer = 29;
inline constexpr int32_t kRemoveOverlayLayer = 30;
inline constexpr int32_t kResetOverlays = 32;
inline constexpr int32_t kGetOverlayLayerCount = 33;
inline constexpr int32_t kGetOverlayLayerName = 34;
inline constexpr int32_t kActivateOverlayMosaic = 35;
inline constexpr int32_t kActivateOverlayDiscrete = 40;
inline constexpr int32_t kBeginFeature = 41;
inline constexpr int32_t kAddVertex = 42;
inline constexpr int32_t kAddPointFeature = 44;
inline constexpr int32_t kAddLineFeature = 48;
inline constexpr int32_t kClearOverlayLayer = 55;
inline constexpr int32_t kSetFeatureStyle = 66;
inline constexpr int32_t kPrepareLayerStepOne = 68;
inline constexpr int32_t kPrepareLayerStepThree = 72;
inline constexpr int32_t kPrepareLayerStepTwo = 76;
inline constexpr int32_t kSetOverlayLayerStyle = 77;
inline constexpr int32_t kRefreshDiscreteOverlays = 79;
inline constexpr int32_t kRefreshOverlays = 80;
inline constexpr int32_t kShowTotalExtent = 82;
inline constexpr int32_t kShowVisibleExtent = 83;
inline constexpr int32_t kViewerFollowsMap = 84;
inline constexpr int32_t kMapFollowsViewer = 85;
inline constexpr int32_t kSearchImageAtPoint = 87;
inline constexpr int32_t kCenterOnPoint = 88;
inline constexpr int32_t kAddTableInfo = 90;
inline constexpr int32_t kClearTableInfo = 91;
// The corner getters are two runs of eight in the viewer's corner order.
static_assert(kVisibleULx == kTotalULx + kCornerCount &&
              kIsViewActive == kVisibleULx + kCornerCount);
}  // namespace dispid

}  // namespace nimbo::host
