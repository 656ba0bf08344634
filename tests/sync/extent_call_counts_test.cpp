// What one viewer event costs in outside calls, counted exactly: the viewer calls of
// UpdateAllBounds and RefreshMap, the filtered selection of each of the three redraws, and
// an extent change and a feature export whose calls follow what the views show, not what
// the drawing holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "overlay/feature_export.h"
#include "support/embedded_control.h"

namespace nimbo::sync {
namespace {

using automation::Variant;
using standalone::ColorValue;
using standalone::EntityData;
using standalone::EntityKind;
using standalone::LayerData;
using standalone::Space;
using testing::Footprint;

EntityData Polyline(std::vector<double> points, std::string layer) {
  EntityData e;
  e.kind = EntityKind::Polyline;
  e.points = std::move(points);
  e.layer = std::move(layer);
  return e;
}

EntityData PointAt(double x, double y, std::string layer) {
  EntityData e;
  e.kind = EntityKind::Point;
  e.at = {x, y, 0};
  e.layer = std::move(layer);
  return e;
}

class ExtentCallCounts : public ::testing::Test {
 protected:
  ExtentCallCounts() {
    palette.ShowWithDrawing();
    palette.faults.RecordTargets(true);
  }

  void RaiseExtentChanged(int32_t view) {
    std::vector<Variant> args(8, Variant(0.0));
    args.emplace_back(5.0);
    args.emplace_back(5.0);
    args.emplace_back(view);
    palette.viewer.RaiseEvent("ExtentChanged", args);
  }

  // The outside calls since Mark whose fault target starts with `prefix`.
  void Mark() {
    palette.Mark();
    targetMark_ = palette.faults.Targets().size();
  }
  size_t Calls(std::string_view prefix) const {
    const auto& targets = palette.faults.Targets();
    return static_cast<size_t>(
        std::count_if(targets.begin() + static_cast<std::ptrdiff_t>(targetMark_), targets.end(),
                      [&](const std::string& t) { return t.rfind(prefix, 0) == 0; }));
  }

  testing::EmbeddedControl palette{testing::PaletteOptions()};

 private:
  size_t targetMark_ = 0;
};

TEST_F(ExtentCallCounts,
       bounds_cost_5_plus_16_a_view_and_the_redraw_4_option_calls_whatever_the_options) {
  const std::vector<std::set<int>> layouts = {{}, {2}, {1, 3, 5}, {1, 2, 3, 4, 5}};
  for (const std::set<int>& active : layouts) {
    for (int v = 1; v <= 5; ++v) {
      palette.SetView(v, active.count(v) > 0, Footprint(v, 0, v + 1, 1), Footprint(v, 0, v + 1, 1));
    }
    for (const bool showTotal : {false, true}) {
      for (const bool showVisible : {false, true}) {
        SCOPED_TRACE(::testing::Message() << active.size() << " active views, total " << showTotal
                                          << ", visible " << showVisible);
        palette.SetOptions(showTotal, showVisible);
        Mark();
        RaiseExtentChanged(2);
        const size_t bounds = 5 + 16 * active.size();
        EXPECT_EQ(Calls("viewer.IsViewActive"), 5u);
        EXPECT_EQ(Calls("viewer.Total") + Calls("viewer.Visible"), 16 * active.size());
        EXPECT_EQ(Calls("viewer.ShowTotalExtent") + Calls("viewer.ShowVisibleExtent"), 4u);
        // The two questions of the drawing following the viewer; no overlays.
        EXPECT_EQ(Calls("viewer."), bounds + 4 + 2);
        EXPECT_LE(bounds, 85u);
      }
    }
  }
}

TEST_F(ExtentCallCounts, each_display_layer_costs_one_filtered_selection_and_an_absent_one_none) {
  palette.drawing->PutLayer(LayerData{.name = "Roads"});
  for (int i = 0; i < 40; ++i) palette.drawing->AddEntity(Space::Model(), PointAt(i, 0, "Roads"));
  for (int v = 1; v <= 5; ++v) {
    palette.SetView(v, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  }
  palette.SetOptions(true, true);
  RaiseExtentChanged(3);  // draws five polygons on each extent layer and the point
  const size_t modelSpace = palette.drawing->EntityCount(Space::Model());
  ASSERT_EQ(modelSpace, 40u + 5 + 5 + 1);

  // Each DeleteAll: its set added, one selection of the layer, one enumeration of the set,
  // a delete per entity found, the set deleted; no entity is asked its layer.
  Mark();
  RaiseExtentChanged(3);
  for (const char* perLayer : {"drawing.Document.SelectionSets", "drawing.SelectionSets.Add",
                               "drawing.SelectionSet.Select", "drawing.SelectionSet.ForEach",
                               "drawing.SelectionSet.Delete"}) {
    EXPECT_EQ(Calls(perLayer), 3u) << perLayer;
  }
  EXPECT_EQ(Calls("drawing.ModelSpace.ForEach"), 0u);
  EXPECT_EQ(Calls("drawing.Entity.Layer"), 0u);
  EXPECT_EQ(Calls("drawing.Entity.Delete"), 11u);
  EXPECT_EQ(palette.drawing->EntityCount(Space::Model()), modelSpace);

  // Both options off: DeleteLayer empties each layer with one selection, then removes it.
  palette.SetOptions(false, false);
  Mark();
  RaiseExtentChanged(3);
  EXPECT_EQ(Calls("drawing.SelectionSet.Select"), 3u);
  EXPECT_EQ(Calls("drawing.Layer.Delete"), 3u);
  EXPECT_EQ(palette.drawing->EntityCount(Space::Model()), 40u);
  // No display layer left: nothing to empty, no selection at all.
  Mark();
  RaiseExtentChanged(3);
  EXPECT_EQ(Calls("drawing.SelectionSet"), 0u);
  EXPECT_EQ(Calls("drawing.Entity."), 0u);
}

TEST_F(ExtentCallCounts,
       an_extent_change_makes_no_host_call_for_entities_outside_layers_and_views) {
  palette.drawing->PutLayer(LayerData{.name = "Roads"});
  palette.drawing->AddEntity(Space::Model(), Polyline({1, 1, 2, 1, 2, 2}, "Roads"));
  palette.drawing->AddEntity(Space::Model(), PointAt(3, 3, "Roads"));
  for (int v = 1; v <= 5; ++v) {
    palette.SetView(v, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  }
  palette.SetOptions(true, true);
  // The mosaic views' exports run too.
  palette.State().overlaysPermitted = true;
  palette.State().layerNames = std::vector<std::string>{"Roads"};
  RaiseExtentChanged(3);

  Mark();
  RaiseExtentChanged(3);
  const size_t hostCalls = Calls("drawing.");
  const size_t viewerCalls = Calls("viewer.");
  // Each of the five views sends what its footprint holds: the two features of Roads and
  // the eleven display entities.
  EXPECT_EQ(Calls("viewer.BeginFeature"), 5u * (2 + 11));

  for (int i = 0; i < 100'000; ++i) {
    palette.drawing->AddEntity(Space::Model(), PointAt(1000 + i % 1000, 1000 + i / 1000, "Roads"));
  }
  Mark();
  RaiseExtentChanged(3);
  EXPECT_EQ(Calls("drawing."), hostCalls);
  EXPECT_EQ(Calls("viewer."), viewerCalls);
  EXPECT_TRUE(palette.MessagesSinceMark().empty());
}

TEST_F(ExtentCallCounts, a_feature_export_costs_what_the_view_shows_not_what_the_drawing_holds) {
  palette.drawing->PutLayer(LayerData{.name = "Roads"});
  palette.drawing->PutLayer(LayerData{.name = "Parcels"});
  // Inside view 1: polylines of 3 and 4 vertices following their layer, a line with a
  // colour of its own, a point.
  palette.drawing->AddEntity(Space::Model(), Polyline({1, 1, 2, 1, 2, 2}, "Roads"));
  palette.drawing->AddEntity(Space::Model(), Polyline({3, 3, 4, 3, 4, 4, 3, 4}, "Parcels"));
  EntityData line;
  line.kind = EntityKind::Line;
  line.start = {5, 5, 0};
  line.end = {6, 6, 0};
  line.layer = "Roads";
  line.color = ColorValue::Index(1);
  palette.drawing->AddEntity(Space::Model(), line);
  palette.drawing->AddEntity(Space::Model(), PointAt(7, 7, "Parcels"));
  palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10));
  palette.State().layerNames = std::vector<std::string>{"Roads", "Parcels"};

  Mark();
  overlay::AddFeatures(palette.State(), 1, true);
  const size_t viewerCalls = Calls("viewer.");
  const size_t hostCalls = Calls("drawing.");
  // Per offered layer: clear, three preparations, the layer's pen (10); the eight corners;
  // per feature BeginFeature, its vertices and the finishing call (5 + 6 + 4 + 3), and the
  // line's own pen.
  EXPECT_EQ(viewerCalls, 10u + 8 + 18 + 1);
  EXPECT_EQ(Calls("viewer.BeginFeature"), 4u);

  // Two thousand entities more, on the same layers, none near the view.
  for (int i = 0; i < 1000; ++i) {
    palette.drawing->AddEntity(Space::Model(), PointAt(1000 + i, 1000, "Roads"));
    palette.drawing->AddEntity(Space::Model(),
                               Polyline({1000.0 + i, 2000, 1001.0 + i, 2001}, "Parcels"));
  }
  Mark();
  overlay::AddFeatures(palette.State(), 1, true);
  EXPECT_EQ(Calls("viewer."), viewerCalls);
  EXPECT_EQ(Calls("drawing."), hostCalls);
  EXPECT_TRUE(palette.MessagesSinceMark().empty());
}

}  // namespace
}  // namespace nimbo::sync
