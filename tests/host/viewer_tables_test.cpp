// The viewer's two tables, operations and events, and the named DISPIDs: each name and
// DISPID once, every named DISPID on the operation it is named after, every event's
// arguments in the contract's order.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/viewer_events.h"
#include "host/viewer_operations.h"
#include "host/viewer_views.h"

namespace nimbo::host {
namespace {

using automation::VarType;

TEST(viewer_operations, each_named_dispid_is_the_operation_of_that_name) {
  const std::vector<std::pair<int32_t, std::string>> named = {
      {dispid::kSetClientInfo, "SetClientInfo"},
      {dispid::kGetViewMode, "GetViewMode"},
      {dispid::kTotalULx, "TotalULx"},
      {dispid::kVisibleULx, "VisibleULx"},
      {dispid::kIsViewActive, "IsViewActive"},
      {dispid::kIsMapSyncView, "IsMapSyncView"},
      {dispid::kRegisterOverlayLayer, "RegisterOverlayLayer"},
      {dispid::kRemoveOverlayLayer, "RemoveOverlayLayer"},
      {dispid::kResetOverlays, "ResetOverlays"},
      {dispid::kGetOverlayLayerCount, "GetOverlayLayerCount"},
      {dispid::kGetOverlayLayerName, "GetOverlayLayerName"},
      {dispid::kActivateOverlayMosaic, "ActivateOverlayMosaic"},
      {dispid::kActivateOverlayDiscrete, "ActivateOverlayDiscrete"},
      {dispid::kBeginFeature, "BeginFeature"},
      {dispid::kAddVertex, "AddVertex"},
      {dispid::kAddPointFeature, "AddPointFeature"},
      {dispid::kAddLineFeature, "AddLineFeature"},
      {dispid::kClearOverlayLayer, "ClearOverlayLayer"},
      {dispid::kSetFeatureStyle, "SetFeatureStyle"},
      {dispid::kPrepareLayerStepOne, "PrepareLayerStepOne"},
      {dispid::kPrepareLayerStepThree, "PrepareLayerStepThree"},
      {dispid::kPrepareLayerStepTwo, "PrepareLayerStepTwo"},
      {dispid::kSetOverlayLayerStyle, "SetOverlayLayerStyle"},
      {dispid::kRefreshDiscreteOverlays, "RefreshDiscreteOverlays"},
      {dispid::kRefreshOverlays, "RefreshOverlays"},
      {dispid::kShowTotalExtent, "ShowTotalExtent"},
      {dispid::kShowVisibleExtent, "ShowVisibleExtent"},
      {dispid::kViewerFollowsMap, "ViewerFollowsMap"},
      {dispid::kMapFollowsViewer, "MapFollowsViewer"},
      {dispid::kSearchImageAtPoint, "SearchImageAtPoint"},
      {dispid::kCenterOnPoint, "CenterOnPoint"},
      {dispid::kAddTableInfo, "AddTableInfo"},
      {dispid::kClearTableInfo, "ClearTableInfo"},
  };
  for (const auto& [id, name] : named) {
    const ViewerOperation* byId = FindViewerOperation(id);
    ASSERT_NE(byId, nullptr) << name;
    EXPECT_EQ(byId->name, name);
    EXPECT_EQ(FindViewerOperation(name), byId);
  }
  // Every operation but the corner getters between the two named ones has its name.
  EXPECT_EQ(ViewerOperations().size(), named.size() - 2 + 2 * kCornerNames.size());
}

TEST(viewer_operations, names_and_dispids_are_unique_and_in_dispid_order) {
  std::set<std::string_view> names;
  std::set<int32_t> ids;
  int32_t previous = 0;
  for (const ViewerOperation& op : ViewerOperations()) {
    EXPECT_TRUE(names.insert(op.name).second) << op.name;
    EXPECT_TRUE(ids.insert(op.dispid).second) << op.dispid;
    EXPECT_GT(op.dispid, previous) << op.name;
    previous = op.dispid;
  }
}

TEST(viewer_operations, corner_getters_run_total_then_visible_in_the_corner_order) {
  for (size_t i = 0; i < kCornerNames.size(); ++i) {
    const int32_t offset = static_cast<int32_t>(i);
    EXPECT_EQ(FindViewerOperation(dispid::kTotalULx + offset)->name,
              "Total" + std::string(kCornerNames[i]));
    EXPECT_EQ(FindViewerOperation(dispid::kVisibleULx + offset)->name,
              "Visible" + std::string(kCornerNames[i]));
  }
  EXPECT_EQ(FindViewerOperation(18)->name, "TotalLRy");
  EXPECT_EQ(FindViewerOperation(26)->name, "VisibleLRy");
}

TEST(viewer_events, names_and_dispids_are_unique_and_found_both_ways) {
  std::set<std::string_view> names;
  std::set<int32_t> ids;
  for (const ViewerEvent& event : kViewerEvents) {
    EXPECT_TRUE(names.insert(event.name).second) << event.name;
    EXPECT_TRUE(ids.insert(event.dispid).second) << event.name;
    EXPECT_EQ(FindViewerEvent(event.name), &event);
    EXPECT_EQ(FindViewerEvent(event.dispid), &event);
    std::set<std::string_view> parameters;
    for (const ViewerEventParameter& p : event.parameters) {
      EXPECT_TRUE(parameters.insert(p.name).second) << event.name << " " << p.name;
    }
  }
  EXPECT_EQ(kViewerEvents.size(), 14u);
  EXPECT_EQ(FindViewerEvent("extentchanged"), nullptr);
  EXPECT_EQ(FindViewerEvent(int32_t{0}), nullptr);
}

// Each event's parameters as "name:type", in order.
std::string Signature(std::string_view event) {
  std::string text;
  for (const ViewerEventParameter& p : FindViewerEvent(event)->parameters) {
    if (!text.empty()) text += " ";
    text += std::string(p.name) + ":" + automation::VarTypeName(p.type);
  }
  return text;
}

TEST(viewer_events, give_each_event_its_arguments_in_the_contracts_order) {
  const std::string measured = "measure:Double tablename:String fieldname:String";
  for (const char* name :
       {"AreaMeasured", "BearingMeasured", "DistanceMeasured", "ElevationMeasured",
        "HeightMeasured", "LocationXMeasured", "LocationYMeasured"}) {
    EXPECT_EQ(Signature(name), measured) << name;
  }
  const std::string corners =
      "ULx:Double ULy:Double URx:Double URy:Double LLx:Double LLy:Double LRx:Double LRy:Double";
  EXPECT_EQ(Signature("LayoutChanged"), "layout:String");
  EXPECT_EQ(Signature("ModeChanged"), "mode:String viewIndex:Long");
  EXPECT_EQ(Signature("OverlaysPermissionChanged"), "accept:Boolean");
  EXPECT_EQ(Signature("SelectedPointChanged"), "X:Double Y:Double");
  EXPECT_EQ(Signature("ReloadOverlaysClicked"), "");
  EXPECT_EQ(Signature("ObliqueLoaded"),
            "id:String width:Long height:Long " + corners + " viewIndex:Long");
  EXPECT_EQ(Signature("ExtentChanged"), corners + " X:Double Y:Double viewIndex:Long");
}

TEST(viewer_events, arguments_fit_only_with_the_count_and_types_of_the_table) {
  const ViewerEvent& mode = *FindViewerEvent("ModeChanged");
  using automation::Variant;
  EXPECT_TRUE(ArgumentsFitEvent(mode, {Variant("MOSAIC"), Variant(int32_t{2})}));
  EXPECT_FALSE(ArgumentsFitEvent(mode, {Variant("MOSAIC")}));
  EXPECT_FALSE(ArgumentsFitEvent(mode, {Variant("MOSAIC"), Variant(2.0)}));
  EXPECT_FALSE(ArgumentsFitEvent(mode, {Variant("MOSAIC"), Variant(int32_t{2}), Variant(1.0)}));
  int32_t view = 2;
  EXPECT_FALSE(ArgumentsFitEvent(mode, {Variant("MOSAIC"), Variant::Ref(view)}));
  EXPECT_TRUE(ArgumentsFitEvent(*FindViewerEvent("ReloadOverlaysClicked"), {}));
}

TEST(viewer_views, ring_order_goes_round_the_quadrilateral) {
  std::vector<std::string> ring;
  for (int at : kRingCornerOrder) ring.emplace_back(kCornerNames[static_cast<size_t>(at)]);
  EXPECT_EQ(ring,
            (std::vector<std::string>{"ULx", "ULy", "URx", "URy", "LRx", "LRy", "LLx", "LLy"}));
}

}  // namespace
}  // namespace nimbo::host
