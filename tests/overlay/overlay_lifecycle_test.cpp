// The overlay lifecycle's procedures on the embedded default: which drawing layers are
// offered, how they are registered, how overlays are removed, and a rebuild without a
// drawing. The four viewer events are driven end to end in overlay_events_test.cpp.
#include "overlay/overlay_lifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "automation/error.h"
#include "support/embedded_control.h"

namespace nimbo::overlay {
namespace {

using automation::AutomationError;
using automation::VBool;
using standalone::LayerData;
using testing::Footprint;
using testing::Lines;

class OverlayLifecycle : public ::testing::Test {
 protected:
  OverlayLifecycle() { palette.ShowWithDrawing(); }

  control::ControlState& State() { return palette.State(); }

  void PutLayer(const std::string& name, bool on = true, bool frozen = false, bool locked = false) {
    LayerData layer;
    layer.name = name;
    layer.on = on;
    layer.frozen = frozen;
    layer.locked = locked;
    palette.drawing->PutLayer(layer);
  }

  // Registers overlays with the viewer as the control would, then forgets the calls.
  void Register(int32_t view, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      int32_t index = view;
      VBool flag = VBool::From(false);
      State().Viewer().RegisterOverlayLayer(name, index, flag);
    }
  }

  std::vector<std::string> OverlayNames(int32_t view) {
    std::vector<std::string> names;
    const int32_t count = palette.viewer.Model().GetOverlayLayerCount(view);
    for (int32_t p = 0; p < count; ++p) {
      names.push_back(palette.viewer.Model().GetOverlayLayerName(p, view));
    }
    return names;
  }

  // Runs body and answers the error it raised; fails the test when it raised none.
  template <class Body>
  AutomationError ErrorOf(Body&& body) {
    try {
      body();
    } catch (const AutomationError& error) {
      return error;
    }
    ADD_FAILURE() << "no error raised";
    return AutomationError(0, "");
  }

  testing::EmbeddedControl palette{testing::PaletteOptions()};
};

TEST_F(OverlayLifecycle, offers_the_layers_that_are_on_in_table_order_except_display_layers) {
  PutLayer("Roads", true, /*frozen=*/true, /*locked=*/true);
  PutLayer("Hidden", /*on=*/false);
  PutLayer("veskNIMBOtotalEXTENT");
  PutLayer("VESKNIMBOSELECTEDPOINT");
  PutLayer("VeskNimBoVisibleExtent");
  PutLayer("Water");
  PutLayer("VeskNimBoVisibleExtents");  // only a display layer's name exactly is left out
  palette.faults.RecordTargets(true);

  ResetLayerNames(State());
  GetLayerNames(State());

  EXPECT_EQ(State().layerNames,
            (std::vector<std::string>{"0", "Roads", "Water", "VeskNimBoVisibleExtents"}));
  // The on/off state is read for every layer, also for those left out by name.
  const auto& targets = palette.faults.Targets();
  EXPECT_EQ(std::count(targets.begin(), targets.end(), "drawing.Layer.LayerOn"), 8);
  // GetLayerNames only appends; emptying the list is ResetLayerNames' job.
  GetLayerNames(State());
  EXPECT_EQ(State().layerNames->size(), 8u);
  ResetLayerNames(State());
  EXPECT_EQ(State().layerNames, std::vector<std::string>{});
}

TEST_F(OverlayLifecycle, offers_nothing_without_a_drawing_or_without_the_viewer) {
  // No active drawing: the binding finds none and nothing is added, without an error.
  palette.application->Activate(std::nullopt);
  State().activeDoc = nullptr;
  ResetLayerNames(State());
  GetLayerNames(State());
  EXPECT_EQ(State().layerNames, std::vector<std::string>{});

  // A drawing that becomes active is bound on the way and its layers offered.
  palette.application->Activate(palette.drawingName);
  GetLayerNames(State());
  EXPECT_NE(State().activeDoc, nullptr);
  EXPECT_EQ(State().layerNames, std::vector<std::string>{"0"});

  // A control whose viewer child is absent offers nothing.
  host::ControlEnvironment env = palette.Environment();
  env.viewer = nullptr;
  control::ControlState withoutViewer(env);
  withoutViewer.acadApp = State().acadApp;
  ResetLayerNames(withoutViewer);
  GetLayerNames(withoutViewer);
  EXPECT_EQ(withoutViewer.layerNames, std::vector<std::string>{});
}

TEST_F(OverlayLifecycle, registers_the_last_layer_first_with_the_given_view_and_flag) {
  State().layerNames = std::vector<std::string>{"A", "B", "C"};
  palette.Mark();
  AddLayers(State(), 0, false);
  EXPECT_EQ(palette.ViewerCallsSinceMark(),
            (Lines{"viewer RegisterOverlayLayer(\"C\", &0, &False, False, False)",
                   "viewer RegisterOverlayLayer(\"B\", &0, &False, False, False)",
                   "viewer RegisterOverlayLayer(\"A\", &0, &False, False, False)"}));

  State().layerNames = std::vector<std::string>{};
  palette.Mark();
  AddLayers(State(), 0, false);
  EXPECT_EQ(palette.ViewerCallsSinceMark(), Lines{});
}

TEST_F(OverlayLifecycle, errors_are_raised_again_under_each_procedures_name) {
  PutLayer("A");
  palette.faults.Add("drawing.Layer.LayerOn", 5, "D", /*after=*/1);
  ResetLayerNames(State());
  AutomationError error = ErrorOf([&] { GetLayerNames(State()); });
  EXPECT_EQ(error.number(), 5);
  EXPECT_EQ(error.description(), "D");
  EXPECT_EQ(error.source(), "GetLayerNames");
  EXPECT_EQ(State().layerNames, std::vector<std::string>{"0"});  // what was added stays

  palette.faults.Add("viewer.RegisterOverlayLayer", 5, "D", /*after=*/1);
  State().layerNames = std::vector<std::string>{"A", "B"};
  error = ErrorOf([&] { AddLayers(State(), 0, false); });
  EXPECT_EQ(error.source(), "AddLayers");
  EXPECT_NE(palette.viewer.Model().FindOverlay(1, "B"), nullptr);
  EXPECT_EQ(palette.viewer.Model().FindOverlay(1, "A"), nullptr);

  // Before any rebuild the list is absent.
  State().layerNames.reset();
  error = ErrorOf([&] { AddLayers(State(), 0, false); });
  EXPECT_EQ(error.number(), automation::errors::kObjectNotSet);
  EXPECT_EQ(error.source(), "AddLayers");

  palette.SetView(2, true, Footprint(0, 0, 1, 1), Footprint(0, 0, 1, 1));
  palette.faults.Add("viewer.GetOverlayLayerCount", 5, "D");
  error = ErrorOf([&] { RemoveAllLayersExceptMeasurements(State()); });
  EXPECT_EQ(error.description(), "D");
  EXPECT_EQ(error.source(), "RemoveAllLayersExceptMeasurements");
}

TEST_F(OverlayLifecycle, removes_every_named_overlay_but_measurements_from_the_last_position) {
  palette.SetView(2, true, Footprint(0, 0, 1, 1), Footprint(0, 0, 1, 1));
  palette.SetView(4, true, Footprint(0, 0, 1, 1), Footprint(0, 0, 1, 1));
  Register(2, {"A", "", "B"});
  Register(4, {"C"});
  Register(1, {"D"});  // view 1 is not active and keeps its overlays
  ASSERT_EQ(OverlayNames(2), (std::vector<std::string>{"Measurements", "A", "", "B"}));

  palette.Mark();
  RemoveAllLayersExceptMeasurements(State());

  EXPECT_EQ(palette.ViewerCallsSinceMark("viewer RemoveOverlayLayer"),
            (Lines{"viewer RemoveOverlayLayer(&\"B\", &2, True)",
                   "viewer RemoveOverlayLayer(&\"A\", &2, True)",
                   "viewer RemoveOverlayLayer(&\"C\", &4, True)"}));
  EXPECT_EQ(palette.ViewerCallsSinceMark("viewer GetOverlayLayerName(&3, &2)").size(), 1u);
  EXPECT_EQ(OverlayNames(2), (std::vector<std::string>{"Measurements", ""}));
  EXPECT_EQ(OverlayNames(4), (std::vector<std::string>{"Measurements"}));
  EXPECT_EQ(OverlayNames(1), (std::vector<std::string>{"Measurements", "D"}));
  EXPECT_EQ(palette.ViewerCallsSinceMark("viewer IsViewActive").size(), 5u);
}

TEST_F(OverlayLifecycle, a_rebuild_without_a_drawing_registers_nothing_but_fills_each_view) {
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "DISCRETE");
  State().layerNames = std::vector<std::string>{"Old"};
  palette.application->Activate(std::nullopt);
  State().activeDoc = nullptr;

  palette.Mark();
  RebuildOverlays(State(), RefreshRule::RefreshDiscreteSeparately);

  EXPECT_EQ(State().layerNames, std::vector<std::string>{});
  // AddFeatures has no layer to clear and no drawing to select from: it asks nothing.
  EXPECT_EQ(palette.ViewerCallsSinceMark(),
            (Lines{"viewer IsViewActive(1) -> False", "viewer IsViewActive(2) -> True",
                   "viewer GetViewMode(2) -> \"DISCRETE\"", "viewer RefreshDiscreteOverlays(2)",
                   "viewer IsViewActive(3) -> False", "viewer IsViewActive(4) -> False",
                   "viewer IsViewActive(5) -> False"}));
}

}  // namespace
}  // namespace nimbo::overlay
