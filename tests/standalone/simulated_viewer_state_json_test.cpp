// The viewer part of the replay's final state.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/viewer.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"
#include "standalone/viewer/viewer_model_json.h"

namespace nimbo::standalone {
namespace {

TEST(viewer_state_json, writes_client_info_table_info_and_each_views_overlays) {
  Journal journal;
  FaultPlan faults;
  SimulatedViewer control(journal, faults);
  host::Viewer viewer(control, automation::Locale::EnUs());
  ViewerStatePatch patch;
  patch.views[2].active = true;
  patch.views[2].total = std::array<double, 8>{0, 10, 10, 10, 0, 0, 10, 0.5};
  patch.showTotalExtent = true;
  control.ApplyState(patch);

  viewer.SetClientInfo("VeskNIMBO plug-in for Autodesk Map 2007/08/09", "2.5.2");
  viewer.AddTableInfo("Parcels");
  int32_t all = 0, two = 2;
  automation::VBool flag{};
  viewer.RegisterOverlayLayer("Roads", all, flag);
  viewer.ClearOverlayLayer("Roads", two);
  viewer.PrepareLayerStepOne("Roads");
  int32_t red = 255, green = 0, blue = 0, width = 10;
  viewer.SetOverlayLayerStyle("Roads", two, red, green, blue, width);
  viewer.SetFeatureStyle(red, green, blue, width);
  viewer.BeginFeature();
  viewer.AddVertex(0, 0);
  viewer.AddVertex(10, 5.5);
  std::string roads = "Roads";
  automation::VBool byLayer = automation::VBool::From(false);
  viewer.AddLineFeature(roads, two, byLayer);
  viewer.ActivateOverlayMosaic("Roads", 2);
  viewer.RefreshOverlays(2);

  const nlohmann::ordered_json state = ViewerModelToJson(control.Model());
  const auto pen = nlohmann::json::parse(R"([255, 0, 0, 255, "Flat", 0, "Solid", "Flat", "Flat",
                                             "Miter", 10])");
  const auto view2 = nlohmann::json::parse(R"([{
      "name": "Roads",
      "registration": {"flag": false, "option1": false, "option2": false},
      "preparation": ["One"],
      "style": [255, 0, 0, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", 10],
      "activation": "mosaic",
      "features": [{"kind": "line", "layer": "Roads", "byLayer": false,
                    "vertices": [[0, 0], [10, 5.5]],
                    "style": [255, 0, 0, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", 10]}]
  }])");
  const auto view1 = nlohmann::json::parse(R"([{
      "name": "Roads",
      "registration": {"flag": false, "option1": false, "option2": false},
      "preparation": ["One"], "style": null, "activation": null, "features": []
  }])");
  EXPECT_EQ(state["clientInfo"],
            nlohmann::json::parse(R"(["VeskNIMBO plug-in for Autodesk Map 2007/08/09", "2.5.2"])"));
  EXPECT_EQ(state["tableInfo"], nlohmann::json::parse(R"(["Parcels"])"));
  EXPECT_EQ(nlohmann::json(state["overlays"]["2"]), view2);
  EXPECT_EQ(nlohmann::json(state["overlays"]["1"]), view1);
  EXPECT_EQ(nlohmann::json(state["overlays"]["2"][0]["style"]), pen);
  EXPECT_EQ(state["views"]["2"]["total"][7], 0.5);
  EXPECT_EQ(state["views"]["2"]["active"], true);
  EXPECT_EQ(state["views"]["3"]["mode"], "MOSAIC");
  EXPECT_EQ(state["showTotalExtent"], true);
  EXPECT_EQ(state["refreshes"]["2"]["RefreshOverlays"], 1);
  // Keys in the documented order, so the state file reads the same every time.
  EXPECT_EQ(state.begin().key(), "clientInfo");
}

TEST(viewer_state_json, writes_null_client_info_and_empty_overlays_before_any_call) {
  Journal journal;
  FaultPlan faults;
  SimulatedViewer control(journal, faults);
  const nlohmann::ordered_json state = ViewerModelToJson(control.Model());
  EXPECT_TRUE(state["clientInfo"].is_null());
  EXPECT_EQ(state["overlays"].size(), 5u);
  for (const auto& [view, layers] : state["overlays"].items()) EXPECT_TRUE(layers.empty()) << view;
  EXPECT_EQ(state["centerOnPoint"], true);
}

}  // namespace
}  // namespace nimbo::standalone
