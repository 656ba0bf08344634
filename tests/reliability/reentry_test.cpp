// Events that arrive while the control is inside a call of its own: the viewer raises
// another event from inside a viewer call, a drawing closes, the control is terminated.
// Nothing guards against it; nothing may crash or use what another handler released,
// and the control works normally afterwards.
#include <array>
#include <functional>

#include "support/session_world.h"

namespace nimbo::testing {
namespace {

nlohmann::json Site(const std::string& name = "Site.dwg") {
  return {{"name", name},
          {"layers", {{{"name", "Roads"}, {"color", 30}}}},
          {"modelSpace",
           {{{"id", "road"},
             {"type", "polyline"},
             {"layer", "Roads"},
             {"points", {{10, 10}, {20, 10}, {30, 15}}}},
            {{"id", "road-2"},
             {"type", "line"},
             {"layer", "Roads"},
             {"start", {5, 5}},
             {"end", {6, 6}}}}}};
}

nlohmann::json Viewer() {
  return {
      {"views",
       {{"1",
         {{"active", true},
          {"mode", "MOSAIC"},
          {"mapSync", true},
          {"total", {0, 50, 50, 50, 0, 0, 50, 0}},
          {"visible", {5, 45, 45, 45, 5, 5, 45, 5}}}},
        {"2", {{"active", true}, {"mode", "DISCRETE"}, {"total", {0, 50, 50, 50, 0, 0, 50, 0}}}}}},
      {"showTotalExtent", true},
      {"showVisibleExtent", true},
      {"mapFollowsViewer", true}};
}

std::vector<Variant> ExtentArgs(double x, double y, int32_t view) {
  std::vector<Variant> args(8, Variant(0.0));
  args.push_back(Variant(x));
  args.push_back(Variant(y));
  args.push_back(Variant(view));
  return args;
}

// Runs `inner` once, inside the `nth` call (from 1) of the viewer operation `operation`.
void Inside(World& world, std::string_view operation, int nth, std::function<void()> inner) {
  auto calls = std::make_shared<int>(0);
  world->viewer.SetCallHook([=](const host::ViewerOperation& called, std::span<Variant>) {
    if (called.name == operation && ++*calls == nth) inner();
  });
}

TEST(reentry, a_selected_point_raised_inside_a_redraw_is_drawn_once_where_it_ends) {
  World world(Session(Site(), Viewer()));
  Inside(world, "ShowTotalExtent", 1, [&] {
    world.Raise("SelectedPointChanged", {Variant(7.0), Variant(8.0)});
  });
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(1, 2, 1));

  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  standalone::Drawing& site = world.Drawing("Site.dwg");
  // The inner redraw drew everything; the outer one then redrew the layers after the one
  // it was at, each from scratch: no layer holds a leftover or a double.
  EXPECT_EQ(OnLayer(site, "VeskNimBoVisibleExtent").size(), 2u);
  EXPECT_EQ(OnLayer(site, "VeskNimBoTotalExtent").size(), 2u);
  const auto points = OnLayer(site, "VeskNimBoSelectedPoint");
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].at.x, 7);
  EXPECT_EQ(points[0].at.y, 8);
}

TEST(reentry, an_extent_change_inside_a_feature_export_leaves_no_selection_set) {
  World world(Session(Site(), Viewer()));
  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});
  Inside(world, "AddVertex", 2, [&] { world.Raise("ExtentChanged", ExtentArgs(1, 2, 1)); });
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(3, 4, 1));

  // The inner export cannot name its set as the outer one did within the same second; it
  // says so, and the outer export goes on to the end.
  const auto errors = Errors(lines);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Exception: vnvEvents_ExtentChanged -2145386475, Duplicate key"),
            std::string::npos)
      << errors[0];
  EXPECT_NE(errors[0].find(", AddFeatures\""), std::string::npos) << errors[0];
  EXPECT_TRUE(Contains(lines, "viewer RefreshOverlays(1)"));
  EXPECT_EQ(world.Drawing("Site.dwg").SelectionSetNames(), std::vector<std::string>{});

  world->viewer.SetCallHook({});
  EXPECT_EQ(Errors(world.Raise("ExtentChanged", ExtentArgs(5, 6, 1))), std::vector<std::string>{});
}

TEST(reentry, a_rebuild_inside_a_rebuild_goes_on_with_the_list_it_started_with) {
  World world(Session(Site(), Viewer()));
  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});
  Inside(world, "RegisterOverlayLayer", 1, [&] {
    world.Raise("LayoutChanged", {Variant("2x1")});
    world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(false))});
  });
  const auto lines = world.Raise("ReloadOverlaysClicked", {});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_TRUE(Contains(lines, "viewer RegisterOverlayLayer(\"0\", &0, &False, False, False)"));
  EXPECT_FALSE(world->control->State().overlaysPermitted);
}

TEST(reentry, a_drawing_activated_inside_add_point_leaves_the_point_style_in_the_first) {
  nlohmann::json session = Session(Site(), Viewer());
  session["documents"].push_back(Site("Other.dwg"));
  World world(session);
  // The person switches drawings while the selected point is being added: the control
  // replaces its active document, and the writer must still hold the one it drew in.
  bool activated = false;
  world->faults.SetCallHook([&](std::string_view target) {
    if (activated || target != "drawing.ModelSpace.AddPoint") return;
    activated = true;
    world.Step({{"do", "activate"}, {"document", "Other.dwg"}});
  });
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(7, 8, 3));
  world->faults.SetCallHook({});

  ASSERT_TRUE(activated);
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  standalone::Drawing& site = world.Drawing("Site.dwg");
  ASSERT_EQ(OnLayer(site, "VeskNimBoSelectedPoint").size(), 1u);
  const standalone::Variable* mode = site.FindVariable("PDMODE");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->value.AsInteger(), 2);
}

TEST(reentry, a_drawing_closed_inside_a_viewer_call_ends_the_handler_with_a_clear_error) {
  nlohmann::json session = Session(Site(), Viewer());
  session["documents"].push_back(Site("Other.dwg"));
  session["documents"].push_back(Site("Third.dwg"));
  World world(session);
  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});

  // Closed between two features of the export, then between two layers of a redraw; each
  // time the person activates the next drawing.
  const std::vector<std::array<std::string, 3>> cases = {
      {"BeginFeature", "Site.dwg", "Other.dwg"}, {"ShowTotalExtent", "Other.dwg", "Third.dwg"}};
  for (const auto& [operation, closed, next] : cases) {
    SCOPED_TRACE(operation);
    Inside(world, operation, 1,
           [&, closed = closed] { world->application->CloseDocument(closed); });
    const auto errors = Errors(world.Raise("ExtentChanged", ExtentArgs(1, 2, 1)));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("-2147417848, The object invoked has disconnected from its clients."),
              std::string::npos)
        << errors[0];
    world->viewer.SetCallHook({});
    world.Step({{"do", "activate"}, {"document", next}});
  }

  const auto lines = world.Raise("ExtentChanged", ExtentArgs(3, 4, 1));
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  standalone::Drawing& third = world.Drawing("Third.dwg");
  EXPECT_EQ(OnLayer(third, "VeskNimBoTotalExtent").size(), 2u);
  EXPECT_TRUE(Contains(lines, "viewer AddLineFeature(&\"Roads\", &1, True, &True)"));
  EXPECT_EQ(third.SelectionSetNames(), std::vector<std::string>{});
}

TEST(reentry, a_control_terminated_inside_its_own_handler_finishes_it_and_hears_no_more) {
  World world(Session(Site(), Viewer()));
  Inside(world, "IsMapSyncView", 1, [&] { world->control->UserControl_Terminate(); });
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(1, 2, 1));
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_TRUE(Contains(lines, "viewer MapFollowsViewer()"));
  EXPECT_FALSE(world->control->ViewerEventsBound());
  EXPECT_EQ(world.Raise("SelectedPointChanged", {Variant(7.0), Variant(8.0)}),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace nimbo::testing
