// The viewer's four overlay events, end to end: the viewer raises them at the control in
// its palette, and the tests read the calls the viewer received, its overlays and the
// messages shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/variant.h"
#include "geometry/bound.h"
#include "support/embedded_control.h"

namespace nimbo::overlay {
namespace {

using automation::Variant;
using standalone::EntityData;
using standalone::EntityKind;
using standalone::LayerData;
using standalone::Space;
using testing::Footprint;
using testing::Lines;

// The calls by which an overlay event can be followed; AddFeatures shows itself by its
// first call for each layer, ClearOverlayLayer.
const std::vector<std::string> kFollowed = {
    "ResetOverlays",     "RegisterOverlayLayer",    "IsViewActive",
    "GetViewMode",       "ActivateOverlayMosaic",   "ActivateOverlayDiscrete",
    "RefreshOverlays",   "RefreshDiscreteOverlays", "ClearOverlayLayer",
    "ShowVisibleExtent", "ShowTotalExtent"};

// The rebuild for layers A and B with view 1 discrete and view 3 mosaic active; view 1 is
// refreshed by `discreteRefresh`.
Lines RebuildOfAAndB(const std::string& discreteRefresh) {
  return {"viewer RegisterOverlayLayer(\"B\", &0, &False, False, False)",
          "viewer RegisterOverlayLayer(\"A\", &0, &False, False, False)",
          "viewer IsViewActive(1) -> True",
          "viewer ClearOverlayLayer(\"A\", &1, True)",
          "viewer ClearOverlayLayer(\"B\", &1, True)",
          "viewer GetViewMode(1) -> \"DISCRETE\"",
          "viewer ActivateOverlayDiscrete(\"A\", 1, True)",
          "viewer ActivateOverlayDiscrete(\"B\", 1, True)",
          "viewer " + discreteRefresh + "(1)",
          "viewer IsViewActive(2) -> False",
          "viewer IsViewActive(3) -> True",
          "viewer ClearOverlayLayer(\"A\", &3, True)",
          "viewer ClearOverlayLayer(\"B\", &3, True)",
          "viewer GetViewMode(3) -> \"MOSAIC\"",
          "viewer ActivateOverlayMosaic(\"A\", 3, True)",
          "viewer ActivateOverlayMosaic(\"B\", 3, True)",
          "viewer RefreshOverlays(3)",
          "viewer IsViewActive(4) -> False",
          "viewer IsViewActive(5) -> False"};
}

// What UpdateAllBounds and RefreshMap ask, among the followed calls, with both display
// options off.
const Lines kExtentDisplay = {
    "viewer IsViewActive(1) -> True",     "viewer IsViewActive(2) -> False",
    "viewer IsViewActive(3) -> True",     "viewer IsViewActive(4) -> False",
    "viewer IsViewActive(5) -> False",    "viewer ShowVisibleExtent() -> False",
    "viewer ShowTotalExtent() -> False",  "viewer ShowTotalExtent() -> False",
    "viewer ShowVisibleExtent() -> False"};

Lines Concat(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class OverlayEvents : public ::testing::Test {
 protected:
  OverlayEvents() {
    // Layer "0" is off, so the drawing offers exactly A and B, in that order.
    palette.drawing->PutLayer(Layer("0", false));
    palette.drawing->PutLayer(Layer("A"));
    palette.drawing->PutLayer(Layer("B"));
    EntityData road;
    road.kind = EntityKind::Polyline;
    road.layer = "A";
    road.points = {1, 1, 4, 1, 4, 3};
    palette.drawing->AddEntity(Space::Model(), road);
    palette.SetView(1, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "DISCRETE");
    palette.SetView(3, true, Footprint(0, 0, 10, 10), Footprint(0, 0, 10, 10), "MOSAIC");
    palette.ShowWithDrawing();
  }

  static LayerData Layer(const std::string& name, bool on = true) {
    LayerData layer;
    layer.name = name;
    layer.on = on;
    return layer;
  }

  void RaisePermission(bool accept) {
    palette.viewer.RaiseEvent("OverlaysPermissionChanged", {Variant::Bool(accept)});
  }
  void RaiseLayoutChanged() { palette.viewer.RaiseEvent("LayoutChanged", {Variant("2x2")}); }
  void RaiseReload() { palette.viewer.RaiseEvent("ReloadOverlaysClicked", {}); }
  void RaiseObliqueLoaded(int32_t view) {
    std::vector<Variant> args = {Variant("IMG-17"), Variant(int32_t{4000}), Variant(int32_t{3000})};
    for (int i = 0; i < 8; ++i) args.emplace_back(-1.0e9);  // the corners are not used
    args.emplace_back(view);
    palette.viewer.RaiseEvent("ObliqueLoaded", args);
  }

  // The followed viewer calls since the mark.
  Lines Followed() const {
    Lines out;
    for (const std::string& line : palette.ViewerCallsSinceMark()) {
      for (const std::string& op : kFollowed) {
        if (line.rfind("viewer " + op + "(", 0) == 0) out.push_back(line);
      }
    }
    return out;
  }

  const standalone::ViewerView& View(int view) { return palette.viewer.Model().View(view); }

  testing::EmbeddedControl palette{testing::PaletteOptions()};
};

TEST_F(OverlayEvents, permission_granted_offers_b_then_a_and_fills_views_1_and_3) {
  palette.Mark();
  RaisePermission(true);

  EXPECT_EQ(Followed(), Concat({"viewer ResetOverlays(0, True, True, True)"},
                               RebuildOfAAndB("RefreshDiscreteOverlays")));
  EXPECT_TRUE(palette.State().overlaysPermitted);
  EXPECT_EQ(palette.State().layerNames, (std::vector<std::string>{"A", "B"}));
  // The features went to both views, each activated in its own kind.
  ASSERT_NE(palette.viewer.Model().FindOverlay(1, "A"), nullptr);
  EXPECT_EQ(palette.viewer.Model().FindOverlay(1, "A")->features.size(), 1u);
  EXPECT_EQ(palette.viewer.Model().FindOverlay(1, "A")->activation, "discrete");
  EXPECT_EQ(palette.viewer.Model().FindOverlay(3, "A")->features.size(), 1u);
  EXPECT_EQ(palette.viewer.Model().FindOverlay(3, "B")->activation, "mosaic");
  EXPECT_EQ(View(1).discreteRefreshCount, 1);
  EXPECT_EQ(View(1).refreshCount, 0);
  EXPECT_EQ(View(3).refreshCount, 1);
  // Views 2, 4 and 5 are asked whether they are active, and nothing else.
  for (int view : {2, 4, 5}) {
    const std::string index = std::to_string(view);
    EXPECT_EQ(palette.CountSinceMark("viewer TotalULx(&" + index + ")"), 0u);
    // Registered everywhere (view 0), but neither styled, filled nor activated.
    for (const standalone::OverlayLayer& overlay : View(view).overlays) {
      EXPECT_FALSE(overlay.style || overlay.activation || !overlay.features.empty());
    }
    EXPECT_EQ(View(view).refreshCount + View(view).discreteRefreshCount, 0);
  }
  EXPECT_EQ(palette.MessagesSinceMark(), Lines{});
}

TEST_F(OverlayEvents, a_layout_change_redraws_the_extents_and_refreshes_view_1_as_mosaic) {
  RaisePermission(true);
  palette.State().totalBounds(2) = std::make_shared<geometry::Bound>();
  palette.Mark();
  RaiseLayoutChanged();

  EXPECT_EQ(Followed(),
            Concat(Concat(kExtentDisplay, {"viewer ResetOverlays(0, True, True, True)"}),
                   RebuildOfAAndB("RefreshOverlays")));
  // Every slot was emptied first: view 2 is not active and is not filled again.
  EXPECT_EQ(palette.State().totalBounds(2), nullptr);
  EXPECT_NE(palette.State().totalBounds(1), nullptr);

  // Without the permission the overlays are cleared and not rebuilt.
  RaisePermission(false);
  palette.Mark();
  RaiseLayoutChanged();
  EXPECT_EQ(Followed(), Concat(kExtentDisplay, {"viewer ResetOverlays(0, True, True, True)"}));
}

TEST_F(OverlayEvents, withdrawn_permission_clears_with_one_call_and_reload_then_does_nothing) {
  RaisePermission(true);
  palette.Mark();
  RaisePermission(false);
  EXPECT_EQ(palette.SinceMark(), Lines{"viewer ResetOverlays(0, True, True, True)"});
  EXPECT_FALSE(palette.State().overlaysPermitted);
  EXPECT_EQ(palette.State().layerNames, (std::vector<std::string>{"A", "B"}));

  palette.Mark();
  RaiseReload();
  EXPECT_EQ(palette.SinceMark(), Lines{});
}

TEST_F(OverlayEvents, reload_while_permitted_offers_the_drawings_layers_as_they_are_now) {
  RaisePermission(true);
  palette.drawing->PutLayer(Layer("B", false));
  palette.drawing->PutLayer(Layer("C"));
  palette.Mark();
  RaiseReload();

  EXPECT_EQ(palette.State().layerNames, (std::vector<std::string>{"A", "C"}));
  const Lines followed = Followed();
  ASSERT_GE(followed.size(), 4u);
  EXPECT_EQ(Lines(followed.begin(), followed.begin() + 3),
            (Lines{"viewer ResetOverlays(0, True, True, True)",
                   "viewer RegisterOverlayLayer(\"C\", &0, &False, False, False)",
                   "viewer RegisterOverlayLayer(\"A\", &0, &False, False, False)"}));
  EXPECT_EQ(palette.CountSinceMark("viewer RefreshDiscreteOverlays(1)"), 1u);
  EXPECT_EQ(palette.CountSinceMark("viewer RefreshOverlays(3)"), 1u);
  EXPECT_EQ(palette.CountSinceMark("viewer ActivateOverlayDiscrete(\"C\", 1, True)"), 1u);
}

TEST_F(OverlayEvents, an_oblique_image_fills_only_a_discrete_active_view_with_the_last_names) {
  RaisePermission(true);
  palette.drawing->PutLayer(Layer("C"));  // not offered until the next rebuild
  palette.Mark();
  RaiseObliqueLoaded(1);
  EXPECT_EQ(Followed(), Concat(kExtentDisplay, {"viewer GetViewMode(1) -> \"DISCRETE\"",
                                                "viewer IsViewActive(1) -> True",
                                                "viewer ClearOverlayLayer(\"A\", &1, True)",
                                                "viewer ClearOverlayLayer(\"B\", &1, True)",
                                                "viewer ActivateOverlayDiscrete(\"A\", 1, True)",
                                                "viewer ActivateOverlayDiscrete(\"B\", 1, True)",
                                                "viewer RefreshOverlays(1)"}));
  EXPECT_EQ(palette.State().layerNames, (std::vector<std::string>{"A", "B"}));

  // A mosaic view, or a discrete one that is not active, is only asked the two questions.
  palette.Mark();
  RaiseObliqueLoaded(3);
  EXPECT_EQ(Followed(), Concat(kExtentDisplay, {"viewer GetViewMode(3) -> \"MOSAIC\"",
                                                "viewer IsViewActive(3) -> True"}));
  palette.SetView(4, false, Footprint(0, 0, 1, 1), Footprint(0, 0, 1, 1), "DISCRETE");
  palette.Mark();
  RaiseObliqueLoaded(4);
  EXPECT_EQ(Followed(), Concat(kExtentDisplay, {"viewer GetViewMode(4) -> \"DISCRETE\"",
                                                "viewer IsViewActive(4) -> False"}));

  // Without the permission the view is not even asked.
  RaisePermission(false);
  palette.Mark();
  RaiseObliqueLoaded(1);
  EXPECT_EQ(Followed(), kExtentDisplay);
  EXPECT_EQ(palette.MessagesSinceMark(), Lines{});
}

TEST_F(OverlayEvents, an_error_ends_the_handler_with_its_message_and_keeps_what_was_done) {
  RaisePermission(true);
  palette.faults.Add("viewer.RegisterOverlayLayer", 5, "D");
  palette.Mark();
  RaiseReload();
  EXPECT_EQ(palette.MessagesSinceMark(),
            Lines{"dialog message \"Exception: vnvEvents_ReloadOverlaysClicked 5, D, AddLayers\" "
                  "caption \"VeskNimboDock17\""});
  // The overlays were cleared and the list renewed; no view was filled.
  EXPECT_EQ(palette.CountSinceMark("viewer ResetOverlays"), 1u);
  EXPECT_EQ(palette.CountSinceMark("viewer IsViewActive"), 0u);

  // The permission is stored before the clearing fails.
  RaisePermission(false);
  palette.faults.Add("viewer.ResetOverlays", 5, "D");
  palette.Mark();
  RaisePermission(true);
  EXPECT_TRUE(palette.State().overlaysPermitted);
  EXPECT_EQ(palette.MessagesSinceMark(),
            Lines{"dialog message \"Exception: vnvEvents_OverlaysPermissionChanged 5, D, "
                  "viewer.ResetOverlays\" caption \"VeskNimboDock17\""});
  EXPECT_EQ(palette.CountSinceMark("viewer RegisterOverlayLayer"), 0u);

  // The feature export's failure reaches the layout handler under its own name.
  palette.faults.Add("viewer.ClearOverlayLayer", 5, "D");
  palette.Mark();
  RaiseLayoutChanged();
  EXPECT_EQ(palette.MessagesSinceMark(),
            Lines{"dialog message \"Exception: vnvEvents_LayoutChanged 5, D, AddFeatures\" "
                  "caption \"VeskNimboDock17\""});
  EXPECT_EQ(palette.CountSinceMark("viewer GetViewMode"), 0u);
}

TEST_F(OverlayEvents, an_event_during_a_rebuild_that_renews_the_list_leaves_the_loop_alone) {
  RaisePermission(true);
  // While view 3 is being activated, the person switches B off and clicks reload: the
  // nested rebuild renews the list, and the outer one goes on with the names it had.
  bool reloaded = false;
  palette.viewer.SetCallHook([&](const host::ViewerOperation& op, std::span<Variant>) {
    if (op.name != "ActivateOverlayMosaic" || reloaded) return;
    reloaded = true;
    palette.drawing->PutLayer(Layer("B", false));
    RaiseReload();
  });
  palette.Mark();
  RaiseReload();

  EXPECT_EQ(palette.State().layerNames, std::vector<std::string>{"A"});
  // Lines are written when a call ends: the nested rebuild's activation comes first.
  EXPECT_EQ(palette.ViewerCallsSinceMark("viewer ActivateOverlayMosaic"),
            (Lines{"viewer ActivateOverlayMosaic(\"A\", 3, True)",
                   "viewer ActivateOverlayMosaic(\"A\", 3, True)",
                   "viewer ActivateOverlayMosaic(\"B\", 3, True)"}));
  EXPECT_EQ(palette.MessagesSinceMark(), Lines{});
}

}  // namespace
}  // namespace nimbo::overlay
