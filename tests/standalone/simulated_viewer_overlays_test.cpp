// The simulated viewer's overlays: registration and listing, features with and without
// pens, clearing, removing and resetting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "host/viewer.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {
namespace {

using automation::AutomationError;
using automation::VBool;

class OverlaysTest : public ::testing::Test {
 protected:
  void Register(const std::string& name, int32_t viewIndex, bool flag = false) {
    VBool f = VBool::From(flag);
    viewer.RegisterOverlayLayer(name, viewIndex, f);
  }
  std::vector<std::string> Names(int32_t viewIndex) {
    std::vector<std::string> names;
    const int32_t count = viewer.GetOverlayLayerCount(viewIndex);
    for (int32_t p = 0; p < count; ++p) names.push_back(viewer.GetOverlayLayerName(p, viewIndex));
    return names;
  }
  void Line(std::string layer, int32_t viewIndex, bool byLayer,
            std::vector<std::pair<double, double>> vertices) {
    viewer.BeginFeature();
    for (auto [x, y] : vertices) viewer.AddVertexByRef(x, y);
    VBool b = VBool::From(byLayer);
    viewer.AddLineFeature(layer, viewIndex, b);
  }
  void Pen(int32_t red, int32_t green, int32_t blue, int32_t width) {
    viewer.SetFeatureStyle(red, green, blue, width);
  }
  const OverlayLayer& Overlay(int viewIndex, const std::string& name) {
    const OverlayLayer* layer = control.Model().FindOverlay(viewIndex, name);
    if (layer == nullptr) throw std::runtime_error("no overlay " + name);
    return *layer;
  }

  Journal journal;
  FaultPlan faults;
  SimulatedViewer control{journal, faults};
  host::Viewer viewer{control, automation::Locale::EnUs()};
};

TEST_F(OverlaysTest, lists_measurements_first_then_registered_layers_in_registration_order) {
  EXPECT_EQ(Names(1), std::vector<std::string>{"Measurements"});
  Register("B", 0);
  Register("A", 0, true);
  Register("Only3", 3);
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B", "A"}));
  EXPECT_EQ(Names(3), (std::vector<std::string>{"Measurements", "B", "A", "Only3"}));
  EXPECT_EQ(Names(5), (std::vector<std::string>{"Measurements", "B", "A"}));
  ASSERT_TRUE(Overlay(2, "A").registration.has_value());
  EXPECT_TRUE(Overlay(2, "A").registration->flag);
  EXPECT_FALSE(Overlay(2, "B").registration->flag);

  // Registering again keeps the place and takes the new flag.
  Register("B", 1, true);
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B", "A"}));
  EXPECT_TRUE(Overlay(1, "B").registration->flag);

  // A layer known only by its features is not listed until it is registered, and then
  // keeps its features.
  Line("Late", 1, true, {{0, 0}, {1, 1}});
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B", "A"}));
  Register("Late", 1);
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B", "A", "Late"}));
  EXPECT_EQ(Overlay(1, "Late").features.size(), 1u);

  int32_t past = 5, one = 1;
  EXPECT_THROW(viewer.GetOverlayLayerName(past, one), AutomationError);
  int32_t six = 6;
  EXPECT_THROW(viewer.GetOverlayLayerCount(six), AutomationError);
  EXPECT_THROW(Register("X", -1), AutomationError);
}

TEST_F(OverlaysTest, finishes_features_with_the_pen_current_at_the_time_unless_by_layer) {
  Line("Roads", 2, false, {{0, 0}, {10, 0}});  // no pen ever set
  Pen(255, 0, 0, 10);
  Line("Roads", 2, false, {{0, 0}, {10, 0}, {10, 5}});
  Line("Roads", 2, true, {{1, 1}});           // follows its layer: no pen
  Line("Roads", 2, false, {{2, 2}, {3, 3}});  // the pen persists
  Pen(0, 0, 255, 2);
  viewer.BeginFeature();
  viewer.AddVertex(4.5, -4.5);
  std::string layer = "Trees";
  int32_t two = 2;
  VBool byLayer = VBool::From(false);
  viewer.AddPointFeature(layer, two, byLayer);

  const auto& roads = Overlay(2, "Roads").features;
  ASSERT_EQ(roads.size(), 4u);
  EXPECT_FALSE(roads[0].style.has_value());
  ASSERT_TRUE(roads[1].style.has_value());
  EXPECT_EQ(roads[1].style->red, 255);
  EXPECT_EQ(roads[1].style->width, 10);
  EXPECT_EQ(roads[1].style->lineJoin, "Miter");
  EXPECT_EQ(roads[1].kind, "line");
  EXPECT_EQ(roads[1].layer, "Roads");
  EXPECT_EQ(roads[1].vertices, (std::vector<ViewerVertex>{{0, 0}, {10, 0}, {10, 5}}));
  EXPECT_TRUE(roads[2].byLayer);
  EXPECT_FALSE(roads[2].style.has_value());
  ASSERT_TRUE(roads[3].style.has_value());
  EXPECT_EQ(roads[3].style, roads[1].style);

  const auto& trees = Overlay(2, "Trees").features;
  ASSERT_EQ(trees.size(), 1u);
  EXPECT_EQ(trees[0].kind, "point");
  EXPECT_EQ(trees[0].vertices, (std::vector<ViewerVertex>{{4.5, -4.5}}));
  EXPECT_EQ(trees[0].style->blue, 255);
  EXPECT_EQ(control.Model().FindOverlay(1, "Roads"), nullptr);  // only the view given
  EXPECT_EQ(journal.Lines().back(), "viewer AddPointFeature(&\"Trees\", &2, True, &False)");
}

TEST_F(OverlaysTest, drops_an_unfinished_feature_and_refuses_feature_calls_without_one) {
  viewer.BeginFeature();  // a circle: begun, never finished
  Line("A", 1, true, {{5, 5}, {6, 6}});
  EXPECT_EQ(Overlay(1, "A").features[0].vertices, (std::vector<ViewerVertex>{{5, 5}, {6, 6}}));

  EXPECT_FALSE(control.Model().HasPendingFeature());
  EXPECT_THROW(viewer.AddVertex(1, 1), AutomationError);
  std::string layer = "A";
  int32_t one = 1;
  VBool byLayer = VBool::From(true);
  EXPECT_THROW(viewer.AddLineFeature(layer, one, byLayer), AutomationError);
  // A bad view keeps the begun feature for a corrected call.
  viewer.BeginFeature();
  viewer.AddVertex(7, 7);
  int32_t zero = 0;
  EXPECT_THROW(viewer.AddLineFeature(layer, zero, byLayer), AutomationError);
  viewer.AddLineFeature(layer, one, byLayer);
  EXPECT_EQ(Overlay(1, "A").features.size(), 2u);
}

TEST_F(OverlaysTest, clears_removes_and_resets_overlays) {
  Register("A", 0);
  Register("B", 0);
  int32_t one = 1, two = 2;
  int32_t red = 1, green = 2, blue = 3, width = 4;
  viewer.SetOverlayLayerStyle("A", one, red, green, blue, width);
  viewer.PrepareLayerStepOne("A");
  viewer.PrepareLayerStepTwo("A");
  viewer.PrepareLayerStepThree("A");
  viewer.PrepareLayerStepOne("A");
  viewer.ActivateOverlayDiscrete("A", 1);
  Line("A", 1, true, {{0, 0}, {1, 0}});
  Line("A", 2, true, {{0, 0}, {1, 0}});
  Line("B", 1, true, {{0, 0}, {1, 0}});

  viewer.ClearOverlayLayer("A", one);
  EXPECT_TRUE(Overlay(1, "A").features.empty());
  EXPECT_EQ(Overlay(1, "B").features.size(), 1u);
  EXPECT_EQ(Overlay(2, "A").features.size(), 1u);
  // Clearing keeps the layer, its style, preparation and activation.
  EXPECT_EQ(Overlay(1, "A").style->green, 2);
  EXPECT_EQ(Overlay(1, "A").preparation, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(Overlay(4, "A").preparation, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(Overlay(1, "A").activation, "discrete");
  viewer.ClearOverlayLayer("Unknown", one);  // nothing to clear is no error

  std::string a = "A";
  viewer.RemoveOverlayLayer(a, one);
  EXPECT_EQ(control.Model().FindOverlay(1, "A"), nullptr);
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B"}));
  EXPECT_EQ(Names(2), (std::vector<std::string>{"Measurements", "A", "B"}));
  std::string measurements = "Measurements";
  viewer.RemoveOverlayLayer(measurements, one);  // the viewer's own stays
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Measurements", "B"}));

  viewer.RefreshOverlays(2);
  viewer.ResetOverlays();
  EXPECT_EQ(journal.Lines().back(), "viewer ResetOverlays(0, True, True, True)");
  for (int32_t v = 1; v <= 5; ++v) {
    EXPECT_EQ(Names(v), std::vector<std::string>{"Measurements"});
    EXPECT_TRUE(control.Model().View(v).overlays.empty());
  }
  EXPECT_EQ(control.Model().View(two).refreshCount, 1);
}

}  // namespace
}  // namespace nimbo::standalone
