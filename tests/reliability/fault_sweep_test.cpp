// The fault sweep's own parts: the expectations it derives from the error rules for a
// step's calls, and the command's lines and exit codes.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "replay/sweep/fault_sweep_command.h"
#include "replay/sweep/fault_sweep_rules.h"

namespace nimbo::replay {
namespace {

using sweep::Delivery;
using sweep::Expectation;

// "<source>" for a message, "~" for silence, "caller <source>" for a failed call, "?" for
// a call that does not fit.
std::vector<std::string> Sources(const std::vector<std::optional<Expectation>>& expectations) {
  std::vector<std::string> sources;
  for (const auto& e : expectations) {
    if (!e) {
      sources.push_back("?");
    } else if (e->delivery == Delivery::Silent) {
      sources.push_back("~");
    } else if (e->delivery == Delivery::Caller) {
      sources.push_back("caller " + e->source);
    } else {
      sources.push_back(e->source);
    }
  }
  return sources;
}

TEST(fault_sweep_rules, an_extent_change_names_each_procedure_its_calls_fail_in) {
  const std::vector<std::string> targets = {
      "viewer.IsViewActive", "viewer.TotalULx", "viewer.ShowVisibleExtent",
      "drawing.Document.Layers", "viewer.IsMapSyncView", "drawing.Application.ZoomCenter",
      "viewer.GetViewMode", "viewer.IsViewActive",
      // AddFeatures: a layer cleared, looked up, prepared and styled
      "viewer.ClearOverlayLayer", "drawing.Document.Layers", "drawing.Layer.Name",
      "viewer.PrepareLayerStepOne", "drawing.Layer.TrueColor", "viewer.SetOverlayLayerStyle",
      // the selection, one entity with its own pen, its feature, the set's deletion
      "drawing.SelectionSets.Add", "viewer.TotalLRy", "drawing.SelectionSet.ForEach",
      "drawing.Entity.TrueColor", "drawing.Color.ColorMethod", "drawing.Entity.Lineweight",
      "drawing.Entity.TrueColor", "viewer.SetFeatureStyle", "viewer.BeginFeature",
      "viewer.AddVertex", "viewer.AddLineFeature", "drawing.SelectionSet.Delete",
      "viewer.ActivateOverlayMosaic", "viewer.RefreshOverlays", "viewer.GetViewMode"};
  const auto expectations =
      sweep::ExpectedDeliveries(EventStep{"ExtentChanged", {}}, targets, false);
  EXPECT_EQ(Sources(expectations), (std::vector<std::string>{"UpdateAllBounds",
                                                             "UpdateAllBounds",
                                                             "RefreshMap",
                                                             "RefreshMap",
                                                             "viewer.IsMapSyncView",
                                                             "drawing.Application.ZoomCenter",
                                                             "viewer.GetViewMode",
                                                             "viewer.IsViewActive",
                                                             "AddFeatures",
                                                             "~",
                                                             "~",
                                                             "AddFeatures",
                                                             "~",
                                                             "~",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "~",
                                                             "~",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "AddFeatures",
                                                             "viewer.ActivateOverlayMosaic",
                                                             "viewer.RefreshOverlays",
                                                             "viewer.GetViewMode"}));
  EXPECT_EQ(expectations[0]->entry, "vnvEvents_ExtentChanged");
  EXPECT_EQ(expectations[0]->delivery, Delivery::HandlerMessage);
}

TEST(fault_sweep_rules, the_overlay_rebuild_and_the_button_name_their_procedures) {
  const std::vector<std::string> rebuild = {
      "viewer.ResetOverlays",           "drawing.Document.Layers", "drawing.Layer.LayerOn",
      "viewer.RegisterOverlayLayer",    "viewer.IsViewActive",     "viewer.IsViewActive",
      "drawing.Document.SelectionSets", "viewer.GetViewMode",      "viewer.ActivateOverlayDiscrete",
      "viewer.RefreshDiscreteOverlays"};
  EXPECT_EQ(
      Sources(sweep::ExpectedDeliveries(EventStep{"ReloadOverlaysClicked", {}}, rebuild, false)),
      (std::vector<std::string>{
          "viewer.ResetOverlays", "GetLayerNames", "GetLayerNames", "AddLayers",
          "viewer.IsViewActive", "viewer.IsViewActive", "AddFeatures", "viewer.GetViewMode",
          "viewer.ActivateOverlayDiscrete", "viewer.RefreshDiscreteOverlays"}));

  const std::vector<std::string> click = {"viewer.ClearTableInfo",     "map.Application.Project",
                                          "dialogs.MessageBox",        "drawing.Utility.GetPoint",
                                          "viewer.SearchImageAtPoint", "dialogs.MessageBox"};
  // The last box is the handler's own message: its failure leaves the handler.
  EXPECT_EQ(Sources(sweep::ExpectedDeliveries(ClickStep{}, click, true)),
            (std::vector<std::string>{"SetTableInfo", "SetTableInfo", "SearchImage", "SearchImage",
                                      "SearchImage", "caller dialogs.MessageBox"}));
}

TEST(fault_sweep_rules, lifecycle_and_automation_calls_fail_back_and_end_command_is_silent) {
  const std::vector<std::string> targets = {"drawing.Document.Layers", "drawing.Layer.Delete"};
  EXPECT_EQ(Sources(sweep::ExpectedDeliveries(CallStep{"DeleteLayer", "x"}, targets, false)),
            (std::vector<std::string>{"caller DeleteLayer", "caller DeleteLayer"}));
  EXPECT_EQ(
      Sources(sweep::ExpectedDeliveries(ActivateStep{"A.dwg"}, {"drawing.Document.Advise"}, false)),
      (std::vector<std::string>{"caller drawing.Document.Advise"}));
  EXPECT_EQ(Sources(sweep::ExpectedDeliveries(CommandStep{"PAN", {}, {}}, {"viewer.CenterOnPoint"},
                                              false)),
            (std::vector<std::string>{"~"}));
  // Show reports in its own message, naming the failed call's source.
  const auto show = sweep::ExpectedDeliveries(ShowStep{}, {"viewer.SetClientInfo"}, false);
  EXPECT_EQ(show[0]->delivery, Delivery::ShowMessage);
  EXPECT_EQ(show[0]->source, "viewer.SetClientInfo");
  // A call no procedure of the entry point makes does not fit.
  EXPECT_EQ(Sources(sweep::ExpectedDeliveries(EventStep{"ModeChanged", {}}, {"viewer.AddTableInfo"},
                                              false)),
            (std::vector<std::string>{"?"}));
}

class FaultSweepCommand : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    const std::filesystem::path dir = std::filesystem::path(NIMBO_BINARY_DIR) / "fault_sweep_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name) << text;
    return (dir / name).string();
  }
  int Run(const std::vector<std::string>& files) {
    return RunFaultSweep(files, SweepOptions{}, out_, err_);
  }
  std::ostringstream out_;
  std::ostringstream err_;
};

constexpr const char* kSession =
    R"j({"now": "2026-12-07T10:15:30", "documents": [{"name": "A.dwg"}],
  "viewer": {"showTotalExtent": true},
  "steps": [{"do": "show"}, {"do": "dock"}, {"do": "activate", "document": "A.dwg"},
            {"do": "call", "method": "AddLayer", "layername": "Roads"}]})j";

TEST_F(FaultSweepCommand, a_scenario_that_holds_prints_its_line_and_the_total) {
  const std::string file = Write("small.json", std::string(R"j({"session": )j") + kSession + R"j(,
      "probe": [{"do": "event", "event": "SelectedPointChanged", "args": [1, 2]}],
      "expect": ["added point on \"0\" at (1, 2, 0)"]})j");
  EXPECT_EQ(Run({file}), 0) << err_.str();
  // Show's two calls, the container's call, the document's Advise and Application, the
  // Map lookup, and AddLayer's layer table and Add.
  EXPECT_EQ(out_.str(),
            "small: 8 calls tried, all held\ntotal: 1 scenarios, 8 calls tried, all held\n");
}

TEST_F(FaultSweepCommand, a_probe_that_does_not_show_what_it_must_fails_the_scenario) {
  const std::string file = Write("wrong.json", std::string(R"j({"session": )j") + kSession + R"j(,
      "probe": [{"do": "event", "event": "SelectedPointChanged", "args": [1, 2]}],
      "expect": ["added point on \"0\" at (9, 9, 0)"]})j");
  EXPECT_EQ(Run({file}), 1);
  EXPECT_NE(out_.str().find("wrong: 0 calls tried, not swept: the run without failures: the probe "
                            "did not show added point on \"0\" at (9, 9, 0)"),
            std::string::npos)
      << out_.str();
}

TEST_F(FaultSweepCommand, an_invalid_scenario_file_names_the_place) {
  const std::string file = Write("invalid.json", std::string(R"j({"session": )j") + kSession + R"j(,
      "probe": [{"do": "event", "event": "SelectedPointChangd", "args": [1, 2]}], "expect": []})j");
  EXPECT_EQ(Run({file}), 2);
  EXPECT_NE(err_.str().find("invalid.json: session: session with probe: steps[4].event: "),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace nimbo::replay
