// The viewer's extents and selected point mirrored in the drawing, end to end: the viewer
// raises its events at the control in its palette, and the tests read the viewer's calls,
// the drawing and the messages shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/variant.h"
#include "control/display_layers.h"
#include "support/embedded_control.h"

namespace nimbo::sync {
namespace {

using automation::Variant;
using standalone::EntityData;
using standalone::EntityKind;
using standalone::LayerData;
using standalone::Space;
using testing::Footprint;
using testing::Lines;
using testing::ViewerCorners;

constexpr const char* kVisible = control::kVisibleExtentLayer;
constexpr const char* kTotal = control::kTotalExtentLayer;
constexpr const char* kPoint = control::kSelectedPointLayer;

class ExtentDisplay : public ::testing::Test {
 protected:
  ExtentDisplay() { palette.ShowWithDrawing(); }

  void RaiseExtentChanged(int32_t view, double x, double y) {
    std::vector<Variant> args;
    // The corners of the event are not used by the control; give it nonsense.
    for (int i = 0; i < 8; ++i) args.emplace_back(-1.0e9);
    args.emplace_back(x);
    args.emplace_back(y);
    args.emplace_back(view);
    palette.viewer.RaiseEvent("ExtentChanged", args);
  }
  void RaiseSelectedPointChanged(double x, double y) {
    palette.viewer.RaiseEvent("SelectedPointChanged", {Variant(x), Variant(y)});
  }
  void RaiseModeChanged(int32_t view) {
    palette.viewer.RaiseEvent("ModeChanged", {Variant("MOSAIC"), Variant(view)});
  }

  std::vector<std::vector<double>> PolylinesOn(const std::string& layer) {
    std::vector<std::vector<double>> rings;
    for (const EntityData& e : palette.EntitiesOn(layer)) {
      EXPECT_EQ(e.kind, EntityKind::Polyline);
      rings.push_back(e.points);
    }
    return rings;
  }
  bool HasLayer(const std::string& name) { return palette.LayerNamed(name) != nullptr; }

  testing::EmbeddedControl palette{testing::PaletteOptions()};
};

TEST_F(ExtentDisplay, stores_the_viewers_corners_as_ul_ur_lr_ll_and_draws_the_closed_ring) {
  // A rotated footprint, so that every corner is told apart.
  const ViewerCorners total = {0, 10, 10, 12, 1, 0, 11, 2};  // UL, UR, LL, LR
  const ViewerCorners visible = {2, 8, 8, 9, 3, 3, 9, 4};
  palette.SetView(1, true, total, visible);
  palette.SetOptions(true, true);

  palette.Mark();
  RaiseExtentChanged(1, 5, 5);

  const Lines reads = palette.ViewerCallsSinceMark("viewer Total");
  EXPECT_EQ(reads, (Lines{"viewer TotalULx(&1) -> 0", "viewer TotalULy(&1) -> 10",
                          "viewer TotalURx(&1) -> 10", "viewer TotalURy(&1) -> 12",
                          "viewer TotalLRx(&1) -> 11", "viewer TotalLRy(&1) -> 2",
                          "viewer TotalLLx(&1) -> 1", "viewer TotalLLy(&1) -> 0"}));
  const geometry::Bound& bound = *palette.State().totalBounds(1);
  EXPECT_EQ((std::vector<double>{bound.ULx, bound.ULy, bound.URx, bound.URy, bound.LRx, bound.LRy,
                                 bound.LLx, bound.LLy}),
            (std::vector<double>{0, 10, 10, 12, 11, 2, 1, 0}));

  EXPECT_EQ(PolylinesOn(kTotal),
            (std::vector<std::vector<double>>{{0, 10, 10, 12, 11, 2, 1, 0, 0, 10}}));
  EXPECT_EQ(PolylinesOn(kVisible),
            (std::vector<std::vector<double>>{{2, 8, 8, 9, 9, 4, 3, 3, 2, 8}}));
  EXPECT_EQ(palette.LayerNamed(kTotal)->color.index, 5);
  EXPECT_EQ(palette.LayerNamed(kVisible)->color.index, 1);
  EXPECT_TRUE(palette.MessagesSinceMark().empty());
}

TEST_F(ExtentDisplay, one_extent_change_costs_85_reads_and_4_option_calls_at_most) {
  for (int view = 1; view <= 5; ++view) {
    palette.SetView(view, true, Footprint(view, 0, view + 1, 1), Footprint(view, 0, view + 1, 1));
  }
  palette.SetOptions(true, false);
  palette.Mark();
  RaiseExtentChanged(2, 0, 0);

  const Lines calls = palette.ViewerCallsSinceMark();
  // Five IsViewActive and sixteen corners per view, the four options, the two questions
  // of the drawing following the viewer; overlays are not permitted.
  ASSERT_EQ(calls.size(), 85u + 4u + 2u);
  const Lines options(calls.begin() + 85, calls.begin() + 89);
  EXPECT_EQ(options,
            (Lines{"viewer ShowVisibleExtent() -> False", "viewer ShowTotalExtent() -> True",
                   "viewer ShowTotalExtent() -> True", "viewer ShowVisibleExtent() -> False"}));
  EXPECT_EQ(calls[89], "viewer IsMapSyncView(&2) -> False");
  EXPECT_EQ(calls[90], "viewer MapFollowsViewer() -> False");
  EXPECT_EQ(PolylinesOn(kTotal).size(), 5u);
  EXPECT_FALSE(HasLayer(kVisible));
}

TEST_F(ExtentDisplay, the_options_decide_which_display_layers_exist) {
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(2, 2, 8, 8));
  palette.SetOptions(true, true);
  RaiseSelectedPointChanged(4, 6);
  EXPECT_TRUE(HasLayer(kVisible) && HasLayer(kTotal) && HasLayer(kPoint));

  // Only the total extent: the visible one goes, the point stays.
  palette.SetOptions(true, false);
  RaiseExtentChanged(2, 0, 0);
  EXPECT_FALSE(HasLayer(kVisible));
  EXPECT_EQ(PolylinesOn(kTotal).size(), 1u);
  const auto points = palette.EntitiesOn(kPoint);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].at, (host::Point3{4, 6, 0}));
  const auto* pdmode = palette.drawing->FindVariable("PDMODE");
  const auto* pdsize = palette.drawing->FindVariable("PDSIZE");
  ASSERT_TRUE(pdmode != nullptr && pdsize != nullptr);
  EXPECT_EQ(pdmode->value, Variant(int16_t{2}));
  EXPECT_EQ(pdsize->value, Variant(int16_t{0}));

  // Both off: none of the three is left.
  palette.SetOptions(false, false);
  RaiseExtentChanged(2, 0, 0);
  EXPECT_FALSE(HasLayer(kVisible) || HasLayer(kTotal) || HasLayer(kPoint));
}

TEST_F(ExtentDisplay, only_view_3_moves_the_selected_point_and_an_unchanged_point_redraws_nothing) {
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.SetView(3, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.SetOptions(false, true);

  // No point yet: the layer exists, empty.
  RaiseExtentChanged(2, 7, 7);
  EXPECT_EQ(palette.State().selectedPointX, -999);
  EXPECT_TRUE(HasLayer(kPoint));
  EXPECT_TRUE(palette.EntitiesOn(kPoint).empty());

  RaiseExtentChanged(3, 7, 8);
  EXPECT_EQ(palette.State().selectedPointX, 7);
  EXPECT_EQ(palette.State().selectedPointY, 8);
  ASSERT_EQ(palette.EntitiesOn(kPoint).size(), 1u);

  palette.Mark();
  RaiseSelectedPointChanged(7, 8);
  EXPECT_TRUE(palette.ViewerCallsSinceMark().empty());
  EXPECT_TRUE(palette.SinceMark().empty());

  // A coordinate of exactly -999 counts as no point.
  RaiseSelectedPointChanged(-999, 8);
  EXPECT_TRUE(palette.EntitiesOn(kPoint).empty());
  EXPECT_TRUE(HasLayer(kPoint));
}

TEST_F(ExtentDisplay, a_display_layer_switched_off_keeps_its_content_until_its_option_goes_off) {
  palette.drawing->PutLayer(LayerData{.name = kTotal, .on = false});
  EntityData mine;
  mine.kind = EntityKind::Point;
  mine.layer = kTotal;
  palette.drawing->AddEntity(Space::Model(), mine);
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));

  palette.SetOptions(true, false);
  RaiseExtentChanged(1, 0, 0);
  const auto kept = palette.EntitiesOn(kTotal);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].kind, EntityKind::Point);

  palette.SetOptions(false, true);
  RaiseExtentChanged(1, 0, 0);
  EXPECT_FALSE(HasLayer(kTotal));
  EXPECT_TRUE(palette.EntitiesOn(kTotal).empty());
}

TEST_F(ExtentDisplay, a_view_that_leaves_keeps_its_polygons_until_the_next_mode_change) {
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.SetView(2, true, Footprint(20, 0, 30, 10), Footprint(20, 0, 30, 10));
  palette.SetOptions(true, false);
  RaiseExtentChanged(1, 0, 0);
  ASSERT_EQ(PolylinesOn(kTotal).size(), 2u);

  palette.SetView(2, false, Footprint(20, 0, 30, 10), Footprint(20, 0, 30, 10));
  RaiseExtentChanged(1, 0, 0);
  EXPECT_EQ(PolylinesOn(kTotal).size(), 2u);

  RaiseModeChanged(1);
  EXPECT_EQ(PolylinesOn(kTotal),
            (std::vector<std::vector<double>>{{0, 10, 10, 10, 10, 0, 0, 0, 0, 10}}));
  EXPECT_EQ(palette.State().totalBounds(2), nullptr);
}

TEST_F(ExtentDisplay, the_drawing_follows_the_viewer_only_when_both_answers_are_true) {
  palette.drawing->SetView(0, 0, 250);
  struct Case {
    bool mapSync;
    bool follows;
  };
  for (const Case c :
       {Case{true, false}, Case{false, true}, Case{false, false}, Case{true, true}}) {
    palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "MOSAIC", c.mapSync);
    palette.SetOptions(false, false, c.follows);
    palette.Mark();
    RaiseExtentChanged(2, 40, 50);
    // Both are asked every time.
    EXPECT_EQ(palette.CountSinceMark("viewer IsMapSyncView(&2)"), 1u);
    EXPECT_EQ(palette.CountSinceMark("viewer MapFollowsViewer()"), 1u);
    const bool moved = palette.drawing->ViewCenter() == host::Point3{40, 50, 0};
    EXPECT_EQ(moved, c.mapSync && c.follows) << c.mapSync << c.follows;
  }
  EXPECT_EQ(palette.drawing->ViewSize(), 250);  // the view keeps its height
}

TEST_F(ExtentDisplay, active_mosaic_views_get_their_features_activated_and_refreshed) {
  palette.drawing->PutLayer(LayerData{.name = "Roads"});
  EntityData road;
  road.kind = EntityKind::Line;
  road.start = {1, 1, 0};
  road.end = {2, 2, 0};
  road.layer = "Roads";
  palette.drawing->AddEntity(Space::Model(), road);
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "MOSAIC");
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "DISCRETE");
  palette.SetView(3, false, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "MOSAIC");
  palette.SetOptions(false, false);
  palette.State().overlaysPermitted = true;
  palette.State().layerNames = std::vector<std::string>{"Roads"};

  palette.Mark();
  RaiseExtentChanged(1, 0, 0);
  Lines asked;
  for (const std::string& line : palette.ViewerCallsSinceMark()) {
    if (line.rfind("viewer GetViewMode", 0) == 0 || line.rfind("viewer ActivateOverlay", 0) == 0 ||
        line.rfind("viewer RefreshOverlays", 0) == 0 ||
        line.rfind("viewer AddLineFeature", 0) == 0 ||
        (line.rfind("viewer IsViewActive", 0) == 0 && !asked.empty())) {
      asked.push_back(line);
    }
  }
  EXPECT_EQ(asked, (Lines{
                       R"(viewer GetViewMode(1) -> "MOSAIC")",
                       "viewer IsViewActive(1) -> True",
                       R"(viewer AddLineFeature(&"Roads", &1, True, &True))",
                       R"(viewer ActivateOverlayMosaic("Roads", 1, True))",
                       "viewer RefreshOverlays(1)",
                       R"(viewer GetViewMode(2) -> "DISCRETE")",
                       "viewer IsViewActive(2) -> True",
                       R"(viewer GetViewMode(3) -> "MOSAIC")",
                       "viewer IsViewActive(3) -> False",
                       R"(viewer GetViewMode(4) -> "MOSAIC")",
                       "viewer IsViewActive(4) -> False",
                       R"(viewer GetViewMode(5) -> "MOSAIC")",
                       "viewer IsViewActive(5) -> False",
                   }));
  EXPECT_TRUE(palette.drawing->SelectionSetNames().empty());
}

TEST_F(ExtentDisplay, failures_show_one_message_naming_the_outermost_procedure) {
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.SetOptions(true, false);
  palette.State().overlaysPermitted = true;
  palette.State().layerNames = std::vector<std::string>{};

  // A drawing failure during a redraw: the handler names RefreshMap, and the drawing's
  // re-centring and the overlay refresh are skipped.
  palette.faults.Add("drawing.ModelSpace.AddLightWeightPolyline", -2145386493, "Invalid input");
  palette.Mark();
  RaiseExtentChanged(1, 0, 0);
  EXPECT_EQ(
      palette.MessagesSinceMark(),
      (Lines{
          R"(dialog message "Exception: vnvEvents_ExtentChanged -2145386493, Invalid input, RefreshMap" caption "VeskNimboDock17")"}));
  EXPECT_EQ(palette.CountSinceMark("viewer IsMapSyncView"), 0u);
  EXPECT_EQ(palette.CountSinceMark("viewer GetViewMode"), 0u);
  EXPECT_TRUE(HasLayer(kTotal));  // emptied before the failure, and left so

  // A viewer failure while reading the extents: UpdateAllBounds.
  palette.faults.Clear();
  palette.faults.Add("viewer.TotalLRx", 5, "Invalid procedure call or argument");
  palette.Mark();
  RaiseModeChanged(1);
  EXPECT_EQ(
      palette.MessagesSinceMark(),
      (Lines{
          R"(dialog message "Exception: vnvEvents_ModeChanged 5, Invalid procedure call or argument, UpdateAllBounds" caption "VeskNimboDock17")"}));

  // 0x802000C4 is kept silent by the extent handler only.
  palette.faults.Clear();
  palette.faults.Add("viewer.ShowVisibleExtent", -2145386300, "Viewer busy", 0, 2);
  palette.Mark();
  RaiseExtentChanged(1, 0, 0);
  EXPECT_TRUE(palette.MessagesSinceMark().empty());
  RaiseSelectedPointChanged(1, 1);
  EXPECT_EQ(
      palette.MessagesSinceMark(),
      (Lines{
          R"(dialog message "Exception: vnvEvents_SelectedPointChanged -2145386300, Viewer busy, RefreshMap" caption "VeskNimboDock17")"}));
}

TEST_F(ExtentDisplay, a_view_number_written_back_out_of_range_overflows_instead_of_wrapping) {
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.SetView(2, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  RaiseExtentChanged(1, 0, 0);
  const auto before = PolylinesOn(kTotal);

  // The viewer writes 65537 into the counter at its last corner of view 2: as a 16-bit view
  // number that would be view 1, and view 1's slot would be overwritten.
  palette.viewer.SetWriteBackHook([](const host::ViewerOperation& called, std::span<Variant> args) {
    if (called.name == "TotalLLy" && args[0].AsLong() == 2) args[0] = Variant(65537);
  });
  palette.Mark();
  RaiseModeChanged(1);
  palette.viewer.SetWriteBackHook({});
  EXPECT_EQ(
      palette.MessagesSinceMark(),
      (Lines{
          R"(dialog message "Exception: vnvEvents_ModeChanged 6, Overflow, UpdateAllBounds" caption "VeskNimboDock17")"}));
  EXPECT_EQ(PolylinesOn(kTotal), before);
}

}  // namespace
}  // namespace nimbo::sync
