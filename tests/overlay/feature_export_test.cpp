// The drawing's vector content sent to one viewer view: the exact viewer calls, the pens,
// the crossing selection and its temporary selection set, and the failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "overlay/feature_export.h"
#include "overlay/lineweight_width.h"
#include "support/embedded_control.h"

namespace nimbo::overlay {
namespace {

using standalone::ColorValue;
using standalone::EntityData;
using standalone::EntityKind;
using standalone::LayerData;
using standalone::Space;
using testing::Footprint;
using testing::Lines;

EntityData Polyline(std::vector<double> points, std::string layer = "Roads") {
  EntityData e;
  e.kind = EntityKind::Polyline;
  e.points = std::move(points);
  e.layer = std::move(layer);
  return e;
}

EntityData Point(double x, double y, std::string layer) {
  EntityData e;
  e.kind = EntityKind::Point;
  e.at = {x, y, 0};
  e.layer = std::move(layer);
  return e;
}

EntityData Line(host::Point3 start, host::Point3 end, std::string layer) {
  EntityData e;
  e.kind = EntityKind::Line;
  e.start = start;
  e.end = end;
  e.layer = std::move(layer);
  return e;
}

const char* const kCornerReads[] = {
    "viewer TotalULx(&2) -> -100", "viewer TotalULy(&2) -> 100",  "viewer TotalURx(&2) -> 100",
    "viewer TotalURy(&2) -> 100",  "viewer TotalLLx(&2) -> -100", "viewer TotalLLy(&2) -> -100",
    "viewer TotalLRx(&2) -> 100",  "viewer TotalLRy(&2) -> -100",
};

// A drawing whose one offered layer is Roads (white, default line weight), shown in view 2
// with a total extent from (-100, -100) to (100, 100).
class FeatureExport : public ::testing::Test {
 protected:
  FeatureExport() {
    palette.drawing->PutLayer(LayerData{.name = "Roads"});
    palette.SetView(2, true, Footprint(-100, -100, 100, 100), Footprint(-50, -50, 50, 50));
    palette.ShowWithDrawing();
    palette.State().layerNames = std::vector<std::string>{"Roads"};
  }

  Lines Export(int32_t view = 2) {
    palette.Mark();
    AddFeatures(palette.State(), view, true);
    return palette.ViewerCallsSinceMark();
  }

  static Lines WithCorners(Lines head, const Lines& tail) {
    head.insert(head.end(), std::begin(kCornerReads), std::end(kCornerReads));
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  }

  const standalone::OverlayLayer* Overlay(const std::string& name, int view = 2) {
    return palette.viewer.Model().FindOverlay(view, name);
  }

  testing::EmbeddedControl palette{testing::PaletteOptions()};
};

const Lines kRoadsLayerCalls = {
    R"(viewer ClearOverlayLayer("Roads", &2, True))",
    R"(viewer PrepareLayerStepOne("Roads", 0, False))",
    R"(viewer PrepareLayerStepTwo("Roads", 0, False))",
    R"(viewer PrepareLayerStepThree("Roads", 0, False))",
    R"(viewer SetOverlayLayerStyle("Roads", &2, True, &255, &255, &255, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &2))",
};

TEST_F(FeatureExport, sends_a_by_layer_polyline_as_its_vertices_without_a_pen_of_its_own) {
  palette.drawing->AddEntity(Space::Model(), Polyline({0, 0, 10, 0, 10, 5}));

  EXPECT_EQ(Export(),
            WithCorners(kRoadsLayerCalls, {
                                              "viewer BeginFeature()",
                                              "viewer AddVertex(&0, &0)",
                                              "viewer AddVertex(&10, &0)",
                                              "viewer AddVertex(&10, &5)",
                                              R"(viewer AddLineFeature(&"Roads", &2, True, &True))",
                                          }));
  // The temporary selection set came and went.
  const Lines drawingLines = palette.ViewerCallsSinceMark("drawing ");
  EXPECT_NE(std::find(drawingLines.begin(), drawingLines.end(),
                      R"(drawing Survey.dwg selection set added "Vesk12/7/2026 10:15:30 AM")"),
            drawingLines.end());
  EXPECT_TRUE(palette.drawing->SelectionSetNames().empty());
}

TEST_F(FeatureExport, sends_an_entity_pen_before_a_red_polyline_of_line_weight_30) {
  EntityData red = Polyline({0, 0, 10, 0, 10, 5});
  red.color = ColorValue::Index(1);
  red.lineweight = 30;
  palette.drawing->AddEntity(Space::Model(), red);

  EXPECT_EQ(
      Export(),
      WithCorners(
          kRoadsLayerCalls,
          {
              R"(viewer SetFeatureStyle(&255, &0, &0, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &10))",
              "viewer BeginFeature()",
              "viewer AddVertex(&0, &0)",
              "viewer AddVertex(&10, &0)",
              "viewer AddVertex(&10, &5)",
              R"(viewer AddLineFeature(&"Roads", &2, True, &False))",
          }));
}

TEST_F(FeatureExport, takes_from_the_layer_only_the_half_of_the_pen_that_follows_it) {
  // The layer is blue with weight 70; the first feature leaves a red pen in the viewer,
  // which the second, whose colour follows its layer but whose line weight is its own,
  // must not inherit; the third has its own colour and the layer's weight.
  palette.drawing->PutLayer(
      LayerData{.name = "Roads", .color = ColorValue::Index(5), .lineweight = 70});
  EntityData red = Polyline({0, 0, 10, 0});
  red.color = ColorValue::Index(1);
  red.lineweight = 30;
  palette.drawing->AddEntity(Space::Model(), red);
  EntityData ownWidth = Polyline({0, 5, 10, 5});
  ownWidth.lineweight = 50;
  palette.drawing->AddEntity(Space::Model(), ownWidth);
  EntityData ownColour = Polyline({0, 7, 10, 7});
  ownColour.color = ColorValue::Index(3);
  ownColour.lineweight = -1;
  palette.drawing->AddEntity(Space::Model(), ownColour);

  Export();
  const Lines pens = palette.ViewerCallsSinceMark("viewer SetFeatureStyle");
  EXPECT_EQ(
      pens,
      (Lines{
          R"(viewer SetFeatureStyle(&255, &0, &0, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &10))",
          R"(viewer SetFeatureStyle(&0, &0, &255, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &13))",
          R"(viewer SetFeatureStyle(&0, &255, &0, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &16))",
      }));
  ASSERT_NE(Overlay("Roads"), nullptr);
  const auto& features = Overlay("Roads")->features;
  ASSERT_EQ(features.size(), 3u);
  ASSERT_TRUE(features[1].style.has_value());
  EXPECT_EQ(features[1].style->blue, 255);
  EXPECT_EQ(features[1].style->red, 0);
  EXPECT_EQ(features[1].style->width, 13);
  EXPECT_FALSE(features[1].byLayer);
}

TEST_F(FeatureExport, a_failure_on_the_third_entity_keeps_two_features_and_no_selection_set) {
  for (double y : {0.0, 5.0, 10.0}) {
    palette.drawing->AddEntity(Space::Model(), Polyline({0, y, 10, y}));
  }
  palette.faults.Add("drawing.Entity.ObjectName", -2145386420, "Object was erased", 2);

  try {
    Export();
    FAIL() << "the export reported success";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), -2145386420);
    EXPECT_EQ(error.description(), "Object was erased");
    EXPECT_EQ(error.source(), "AddFeatures");
  }
  ASSERT_NE(Overlay("Roads"), nullptr);
  EXPECT_EQ(Overlay("Roads")->features.size(), 2u);
  EXPECT_TRUE(palette.drawing->SelectionSetNames().empty());

  // Within the same second, the next export makes a set of the same name and succeeds.
  EXPECT_NO_THROW(Export());
  EXPECT_EQ(Overlay("Roads")->features.size(), 3u);
  EXPECT_TRUE(palette.drawing->SelectionSetNames().empty());
}

TEST_F(FeatureExport, selects_by_the_crossing_ring_and_sends_each_entity_under_its_own_layer) {
  // A point left of the footprint's centre lies outside a ring that went UL, UR, LL, LR.
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.drawing->PutLayer(LayerData{.name = "Trees"});
  palette.drawing->AddEntity(Space::Model(), Point(1, 5, "Trees"));
  // Crossing the boundary: sent whole, ends by value.
  palette.drawing->AddEntity(Space::Model(), Line({-50, 5, 0}, {5, 5, 0}, "Roads"));
  // Outside, and in paper space: not sent.
  palette.drawing->AddEntity(Space::Model(), Point(50, 50, "Roads"));
  palette.drawing->AddEntity(Space::Paper(), Point(5, 5, "Roads"));
  EntityData circle;
  circle.kind = EntityKind::Circle;
  circle.center = {5, 5, 0};
  circle.radius = 1;
  circle.layer = "Roads";
  palette.drawing->AddEntity(Space::Model(), circle);

  Export();
  const Lines features = palette.ViewerCallsSinceMark("viewer A");
  EXPECT_EQ(features, (Lines{
                          "viewer AddVertex(1, 5)",
                          R"(viewer AddPointFeature(&"Trees", &2, True, &True))",
                          "viewer AddVertex(-50, 5)",
                          "viewer AddVertex(5, 5)",
                          R"(viewer AddLineFeature(&"Roads", &2, True, &True))",
                      }));
  // The circle begins a feature that is never finished.
  EXPECT_EQ(palette.CountSinceMark("viewer BeginFeature()"), 3u);
}

TEST_F(FeatureExport, offered_names_match_layers_ignoring_case_and_a_missing_one_is_only_cleared) {
  palette.State().layerNames = std::vector<std::string>{"Gone", "roads"};
  palette.drawing->PutLayer(LayerData{.name = "Roads", .lineweight = 100});

  const Lines calls = Export();
  const Lines head(calls.begin(), calls.begin() + 6);
  EXPECT_EQ(
      head,
      (Lines{
          R"(viewer ClearOverlayLayer("Gone", &2, True))",
          R"(viewer ClearOverlayLayer("roads", &2, True))",
          R"(viewer PrepareLayerStepOne("roads", 0, False))",
          R"(viewer PrepareLayerStepTwo("roads", 0, False))",
          R"(viewer PrepareLayerStepThree("roads", 0, False))",
          R"(viewer SetOverlayLayerStyle("Roads", &2, True, &255, &255, &255, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", &20))",
      }));
}

TEST_F(FeatureExport, without_a_drawing_only_clears_and_without_offered_layers_fails) {
  palette.application->Activate(std::nullopt);
  palette.State().activeDoc = nullptr;
  EXPECT_EQ(Export(), (Lines{R"(viewer ClearOverlayLayer("Roads", &2, True))"}));

  palette.State().layerNames.reset();
  try {
    Export();
    FAIL() << "no error for an unset list of offered layers";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), automation::errors::kObjectNotSet);
    EXPECT_EQ(error.source(), "AddFeatures");
  }
}

TEST(LineweightToWidth, maps_the_standard_weights_and_gives_2_to_everything_else) {
  EXPECT_EQ(LineweightToWidth(5), 3);
  EXPECT_EQ(LineweightToWidth(30), 10);
  EXPECT_EQ(LineweightToWidth(90), 18);
  EXPECT_EQ(LineweightToWidth(100), 20);  // nothing maps to 19
  EXPECT_EQ(LineweightToWidth(106), 21);
  EXPECT_EQ(LineweightToWidth(211), 26);
  for (int32_t other : {0, -1, -2, -3, 1, 19, 95, 212, 1000}) {
    EXPECT_EQ(LineweightToWidth(other), 2) << other;
  }
}

}  // namespace
}  // namespace nimbo::overlay
