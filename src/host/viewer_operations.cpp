#include "host/viewer_operations.h"

#include <algorithm>
#include <string>

namespace nimbo::host {

namespace {

using automation::VarType;
constexpr Passing V = Passing::ByValue;
constexpr Passing R = Passing::ByReference;
constexpr Passing E = Passing::EitherWay;
constexpr int32_t kTotalFirst = dispid::kTotalULx;

std::vector<ViewerParameter> Pen() {
  return {{"red", VarType::Long, R},       {"green", VarType::Long, R},
          {"blue", VarType::Long, R},      {"alpha", VarType::Long, V},
          {"startCap", VarType::String, V}, {"dashOffset", VarType::Long, V},
          {"dashStyle", VarType::String, V}, {"endCap", VarType::String, V},
          {"dashCap", VarType::String, V}, {"lineJoin", VarType::String, V},
          {"width", VarType::Long, R}};
}

std::vector<ViewerOperation> BuildTable() {
  std::vector<ViewerOperation> table = {
      {"SetClientInfo", 9, {{"title", VarType::String, V}, {"version", VarType::String, V}},
       VarType::Empty},
      {"GetViewMode", 10, {{"viewIndex", VarType::Long, V}}, VarType::String},
  };
  // The sixteen corner getters, TotalULx (11) to VisibleLRy (26); names live as long as
  // the table.
  static const std::vector<std::string> cornerNames = [] {
    std::vector<std::string> names;
    for (const char* prefix : {"Total", "Visible"}) {
      for (const char* corner : {"ULx", "ULy", "URx", "URy", "LLx", "LLy", "LRx", "LRy"}) {
        names.push_back(std::string(prefix) + corner);
      }
    }
    return names;
  }();
  for (int i = 0; i < 16; ++i) {
    table.push_back({cornerNames[static_cast<size_t>(i)], kTotalFirst + i,
                     {{"viewIndex", VarType::Long, R}}, VarType::Double});
  }

  std::vector<ViewerOperation> rest = {
      {"IsViewActive", 27, {{"viewIndex", VarType::Long, V}}, VarType::Boolean},
      {"IsMapSyncView", 28, {{"viewIndex", VarType::Long, R}}, VarType::Boolean},
      {"RegisterOverlayLayer", 29,
       {{"name", VarType::String, V},
        {"viewIndex", VarType::Long, R},
        {"flag", VarType::Boolean, R},
        {"option1", VarType::Boolean, V},
        {"option2", VarType::Boolean, V}},
       VarType::Empty},
      {"RemoveOverlayLayer", 30,
       {{"name", VarType::String, R}, {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"ResetOverlays", 32,
       {{"viewIndex", VarType::Long, V},
        {"option1", VarType::Boolean, V},
        {"option2", VarType::Boolean, V},
        {"option3", VarType::Boolean, V}},
       VarType::Empty},
      {"GetOverlayLayerCount", 33, {{"viewIndex", VarType::Long, R}}, VarType::Long},
      {"GetOverlayLayerName", 34,
       {{"layerIndex", VarType::Long, R}, {"viewIndex", VarType::Long, R}}, VarType::String},
      {"ActivateOverlayMosaic", 35,
       {{"name", VarType::String, V}, {"viewIndex", VarType::Long, V},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"ActivateOverlayDiscrete", 40,
       {{"name", VarType::String, V}, {"viewIndex", VarType::Long, V},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"BeginFeature", 41, {}, VarType::Empty},
      {"AddVertex", 42, {{"x", VarType::Double, E}, {"y", VarType::Double, E}}, VarType::Empty},
      {"AddPointFeature", 44,
       {{"layer", VarType::String, R},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V},
        {"byLayer", VarType::Boolean, R}},
       VarType::Empty},
      {"AddLineFeature", 48,
       {{"layer", VarType::String, R},
        {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V},
        {"byLayer", VarType::Boolean, R}},
       VarType::Empty},
      {"ClearOverlayLayer", 55,
       {{"name", VarType::String, V}, {"viewIndex", VarType::Long, R},
        {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"SetFeatureStyle", 66, Pen(), VarType::Empty},
      {"PrepareLayerStepOne", 68,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"PrepareLayerStepThree", 72,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
      {"PrepareLayerStepTwo", 76,
       {{"name", VarType::String, V}, {"value", VarType::Long, V}, {"option", VarType::Boolean, V}},
       VarType::Empty},
  };
  table.insert(table.end(), rest.begin(), rest.end());

  std::vector<ViewerParameter> layerStyle = {{"name", VarType::String, V},
                                             {"viewIndex", VarType::Long, R},
                                             {"option", VarType::Boolean, V}};
  for (const ViewerParameter& p : Pen()) layerStyle.push_back(p);
  table.push_back({"SetOverlayLayerStyle", 77, layerStyle, VarType::Empty});

  std::vector<ViewerOperation> tail = {
      {"RefreshDiscreteOverlays", 79, {{"viewIndex", VarType::Long, V}}, VarType::Empty},
      {"RefreshOverlays", 80, {{"viewIndex", VarType::Long, V}}, VarType::Empty},
      {"ShowTotalExtent", 82, {}, VarType::Boolean},
      {"ShowVisibleExtent", 83, {}, VarType::Boolean},
      {"ViewerFollowsMap", 84, {}, VarType::Boolean},
      {"MapFollowsViewer", 85, {}, VarType::Boolean},
      {"SearchImageAtPoint", 87, {{"x", VarType::Double, E}, {"y", VarType::Double, E}},
       VarType::Empty},
      {"CenterOnPoint", 88,
       {{"x", VarType::Double, V}, {"y", VarType::Double, V}, {"scale", VarType::Double, V}},
       VarType::Boolean},
      {"AddTableInfo", 90, {{"entry", VarType::String, V}}, VarType::Empty},
      {"ClearTableInfo", 91, {}, VarType::Empty},
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
  const auto& table = ViewerOperations();
  auto it = std::find_if(table.begin(), table.end(),
                         [&](const ViewerOperation& op) { return op.dispid == dispid; });
  return it == table.end() ? nullptr : &*it;
}

const ViewerOperation* FindViewerOperation(std::string_view name) {
  const auto& table = ViewerOperations();
  auto it = std::find_if(table.begin(), table.end(),
                         [&](const ViewerOperation& op) { return op.name == name; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace nimbo::host
