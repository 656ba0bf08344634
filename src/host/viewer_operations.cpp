#include "host/viewer_operations.h"

#include <algorithm>
#include <string>

namespace nimbo::host {

namespace {

using automation::VarType;
constexpr Passing V = Passing::ByValue;
constexpr Passing R = Passing::ByReference;
constexpr Passing E = Passing::EitherWay;

std::vector<ViewerParameter> Pen() {
  return {{"red", VarType::Long, R},         {"green", VarType::Long, R},
          {"blue", VarType::Long, R},        {"alpha", VarType::Long, V},
          {"startCap", VarType::String, V},  {"dashOffset", VarType::Long, V},
          {"dashStyle", VarType::String, V}, {"endCap", VarType::String, V},
          {"dashCap", VarType::String, V},   {"lineJoin", VarType::String, V},
          {"width", VarType::Long, R}};
}

std::vector<ViewerOperation> BuildTable() {
  std::vector<ViewerOperation> table = {
      {"SetClientInfo",
       dispid::kSetClientInfo,
       {{"title", VarType::String, V}, {"version", VarType::String, V}},
       VarType::Empty},
      {"GetViewMode", dispid::kGetViewMode, {{"viewIndex", VarType::Long, V}}, VarType::String},
  };
  // The sixteen corner getters, TotalULx to TotalLRy then VisibleULx to VisibleLRy, in
  // the viewer's corner order; names live as long as the table.
  static const std::vector<std::string> cornerNames = [] {
    std::vector<std::string> names;
    for (const char* prefix : {"Total", "Visible"}) {
      for (std::string_view corner : kCornerNames) names.push_back(prefix + std::string(corner));
    }
    return names;
  }();
  for (int i = 0; i < kCornerCount; ++i) {
    const auto at = static_cast<size_t>(i);
    table.push_back({cornerNames[at],
                     dispid::kTotalULx + i,
                     {{"viewIndex", VarType::Long, R}},
                     VarType::Double});
  }
  for (int i = 0; i < kCornerCount; ++i) {
    const auto at = static_cast<size_t>(kCornerCount + i);
    table.push_back({cornerNames[at],
                     dispid::kVisibleULx + i,
                     {{"viewIndex", VarType::Long, R}},
                     VarType::Double});
  }

  std::vector<ViewerOperation> rest = {
      {"IsViewActive", dispid::kIsViewActive, {{"viewIndex", VarType::Long, V}}, VarType::Boolean},
      {"IsMapSyncView",
       dispid::kIsMapSyncView,
       {{"viewIndex", VarType::Long, R}},
       VarType::Boolean},
      {"RegisterOverlayLayer",
       dispid::kRegisterOverlayLayer,
       {{"name", VarType::String, V},
        {"viewIndex", VarType::Long, R},
        {"flag", VarType::Boolean, R},
        {"option1", VarType::Boolean, V},
        {"option2", VarType::Boolean, V}},
       VarType::Empty},
      {"RemoveOverlayLayer",
       dispid::kRemoveOverlayLayer,
       {{"name", VarType::String, R},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"ResetOverlays",
       dispid::kResetOverlays,
       {{"viewIndex", VarType::Long, V},
        {"option1", VarType::Boolean, V},
        {"option2", VarType::Boolean, V},
        {"option3", VarType::Boolean, V}},
       VarType::Empty},
      {"GetOverlayLayerCount",
       dispid::kGetOverlayLayerCount,
       {{"viewIndex", VarType::Long, R}},
       VarType::Long},
      {"GetOverlayLayerName",
       dispid::kGetOverlayLayerName,
       {{"layerIndex", VarType::Long, R}, {"viewIndex", VarType::Long, R}},
       VarType::String},
      {"ActivateOverlayMosaic",
       dispid::kActivateOverlayMosaic,
       {{"name", VarType::String, V},
        {"viewIndex", VarType::Long, V},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"ActivateOverlayDiscrete",
       dispid::kActivateOverlayDiscrete,
       {{"name", VarType::String, V},
        {"viewIndex", VarType::Long, V},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"BeginFeature", dispid::kBeginFeature, {}, VarType::Empty},
      {"AddVertex",
       dispid::kAddVertex,
       {{"x", VarType::Double, E}, {"y", VarType::Double, E}},
       VarType::Empty},
      {"AddPointFeature",
       dispid::kAddPointFeature,
       {{"layer", VarType::String, R},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V},
        {"byLayer", VarType::Boolean, R}},
       VarType::Empty},
      {"AddLineFeature",
       dispid::kAddLineFeature,
       {{"layer", VarType::String, R},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V},
        {"byLayer", VarType::Boolean, R}},
       VarType::Empty},
      {"ClearOverlayLayer",
       dispid::kClearOverlayLayer,
       {{"name", VarType::String, V},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"SetFeatureStyle", dispid::kSetFeatureStyle, Pen(), VarType::Empty},
      {"PrepareLayerStepOne",
       dispid::kPrepareLayerStepOne,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"PrepareLayerStepThree",
       dispid::kPrepareLayerStepThree,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"PrepareLayerStepTwo",
       dispid::kPrepareLayerStepTwo,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
  };
  table.insert(table.end(), rest.begin(), rest.end());

  std::vector<ViewerParameter> layerStyle = {{"name", VarType::String, V},
                                             {"viewIndex", VarType::Long, R},
                                             {"option", VarType::Boolean, V}};
  for (const ViewerParameter& p : Pen()) layerStyle.push_back(p);
  table.push_back(
      {"SetOverlayLayerStyle", dispid::kSetOverlayLayerStyle, layerStyle, VarType::Empty});

  std::vector<ViewerOperation> tail = {
      {"RefreshDiscreteOverlays",
       dispid::kRefreshDiscreteOverlays,
       {{"viewIndex", VarType::Long, V}},
       VarType::Empty},
      {"RefreshOverlays",
       dispid::kRefreshOverlays,
       {{"viewIndex", VarType::Long, V}},
       VarType::Empty},
      {"ShowTotalExtent", dispid::kShowTotalExtent, {}, VarType::Boolean},
      {"ShowVisibleExtent", dispid::kShowVisibleExtent, {}, VarType::Boolean},
      {"ViewerFollowsMap", dispid::kViewerFollowsMap, {}, VarType::Boolean},
      {"MapFollowsViewer", dispid::kMapFollowsViewer, {}, VarType::Boolean},
      {"SearchImageAtPoint",
       dispid::kSearchImageAtPoint,
       {{"x", VarType::Double, E}, {"y", VarType::Double, E}},
       VarType::Empty},
      {"CenterOnPoint",
       dispid::kCenterOnPoint,
       {{"x", VarType::Double, V}, {"y", VarType::Double, V}, {"scale", VarType::Double, V}},
       VarType::Boolean},
      {"AddTableInfo", dispid::kAddTableInfo, {{"entry", VarType::String, V}}, VarType::Empty},
      {"ClearTableInfo", dispid::kClearTableInfo, {}, VarType::Empty},
  };
  table.insert(table.end(), tail.begin(), tail.end());
  return table;
}

}  // namespace

const std::vector<ViewerOperation>& ViewerOperations() {
  static const std::vector<ViewerOperation> table = BuildTable();
  return table;
}

const ViewerOperation* FindViewerOperation(int32_t dispid) {
  // Every viewer call asks: an index by DISPID.
  static const std::vector<const ViewerOperation*> byDispid =
      TableByDispid<const ViewerOperation*>([](const ViewerOperation& op) { return &op; });
  if (dispid < 0 || static_cast<size_t>(dispid) >= byDispid.size()) return nullptr;
  return byDispid[static_cast<size_t>(dispid)];
}

const ViewerOperation* FindViewerOperation(std::string_view name) {
  const auto& table = ViewerOperations();
  auto it = std::find_if(table.begin(), table.end(),
                         [&](const ViewerOperation& op) { return op.name == name; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace nimbo::host
