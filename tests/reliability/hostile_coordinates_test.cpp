// NaN and infinite coordinates, from the viewer (extents, the selected point, measures)
// and in the drawing: the control passes them on as the viewer and the drawing hold them,
// and nothing crashes, hangs or poisons what comes after.
#include <cmath>
#include <limits>

#include "support/session_world.h"

namespace nimbo::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

nlohmann::json SiteWithRoads() {
  return {{"name", "Site.dwg"},
          {"layers", {{{"name", "Roads"}, {"color", 30}}}},
          {"modelSpace",
           {{{"id", "road"},
             {"type", "polyline"},
             {"layer", "Roads"},
             {"points", {{10, 10}, {20, 10}, {30, 15}}}},
            {{"id", "tree"}, {"type", "point"}, {"layer", "Roads"}, {"at", {15, 12}}}}}};
}

nlohmann::json MosaicViewer() {
  return {{"views",
           {{"1",
             {{"active", true},
              {"mode", "MOSAIC"},
              {"mapSync", true},
              {"total", {0, 50, 50, 50, 0, 0, 50, 0}},
              {"visible", {5, 45, 45, 45, 5, 5, 45, 5}}}}}},
          {"showTotalExtent", true},
          {"showVisibleExtent", true},
          {"mapFollowsViewer", true},
          {"viewerFollowsMap", true}};
}

std::vector<Variant> ExtentArgs(double corner, double x, double y, int32_t view) {
  std::vector<Variant> args(8, Variant(corner));
  args.push_back(Variant(x));
  args.push_back(Variant(y));
  args.push_back(Variant(view));
  return args;
}

void SetTotal(World& world, std::array<double, 8> total) {
  standalone::ViewerStatePatch patch;
  patch.views[1].total = total;
  patch.views[1].visible = total;
  world->viewer.ApplyState(patch);
}

// The features the viewer received in view 1, as "<layer>:<vertices>".
std::vector<std::string> Features(World& world) {
  std::vector<std::string> features;
  for (const auto& layer : world->viewer.Model().View(1).overlays) {
    for (const auto& feature : layer.features) {
      features.push_back(feature.layer + ":" + std::to_string(feature.vertices.size()));
    }
  }
  return features;
}

TEST(hostile_coordinates, viewer_extents_of_nan_and_infinity_are_drawn_and_selected_without_harm) {
  World world(Session(SiteWithRoads(), MosaicViewer()));
  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});

  for (double hostile : {kNaN, kInf, -kInf}) {
    SetTotal(world, {hostile, 50, 50, hostile, 0, 0, 50, -hostile});
    const auto lines = world.Raise("ExtentChanged", ExtentArgs(hostile, hostile, hostile, 1));
    // The drawing follows to wherever the viewer says; what the host refuses is told once.
    EXPECT_LE(Errors(lines).size(), 1u);
    for (const std::string& error : Errors(lines)) {
      EXPECT_NE(error.find("Exception: vnvEvents_ExtentChanged "), std::string::npos) << error;
    }
  }

  // A sound extent afterwards is drawn and exported as if nothing had happened.
  SetTotal(world, {0, 50, 50, 50, 0, 0, 50, 0});
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(25, 25, 25, 1));
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  standalone::Drawing& site = world.Drawing("Site.dwg");
  EXPECT_EQ(OnLayer(site, "VeskNimBoTotalExtent").size(), 1u);
  EXPECT_EQ(OnLayer(site, "VeskNimBoVisibleExtent").size(), 1u);
  EXPECT_EQ(site.ViewCenter().x, 25);
  EXPECT_TRUE(Contains(lines, "viewer AddLineFeature(&\"Roads\", &1, True, &True)"));
  EXPECT_TRUE(Contains(lines, "viewer AddPointFeature(&\"Roads\", &1, True, &True)"));
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});
}

TEST(hostile_coordinates, a_nan_selected_point_is_always_new_and_an_infinite_one_is_drawn) {
  World world(Session(SiteWithRoads(), MosaicViewer()));
  standalone::Drawing& site = world.Drawing("Site.dwg");

  // NaN equals nothing, not even the NaN stored: each report redraws, none piles up.
  for (int i = 0; i < 3; ++i) {
    const auto lines = world.Raise("SelectedPointChanged", {Variant(kNaN), Variant(kNaN)});
    EXPECT_LE(OnLayer(site, "VeskNimBoSelectedPoint").size(), 1u);
    EXPECT_TRUE(Contains(lines, "viewer ShowVisibleExtent()")) << "no redraw on report " << i;
  }
  EXPECT_TRUE(std::isnan(world->control->State().selectedPointX));

  world.Raise("SelectedPointChanged", {Variant(kInf), Variant(-kInf)});
  world.Raise("SelectedPointChanged", {Variant(7.5), Variant(8.5)});
  const auto points = OnLayer(site, "VeskNimBoSelectedPoint");
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].at.x, 7.5);
  EXPECT_EQ(points[0].at.y, 8.5);
}

TEST(hostile_coordinates, measures_of_nan_and_infinity_are_written_as_text_and_passed_on) {
  nlohmann::json site = SiteWithRoads();
  site["modelSpace"].push_back(
      {{"id", "house"}, {"type", "region"}, {"points", {{0, 0}, {4, 0}, {4, 4}}}});
  site["objectData"] = {{{"table", "Parcels"}, {"fields", {"Area"}}}};
  World world(Session(site));

  for (double measure : {kNaN, kInf, -kInf}) {
    world->person.Give(standalone::ButtonAnswer{"Yes"});
    world->person.Give(standalone::InputAnswer{"2"});
    world->person.Give(standalone::PointAnswer{host::Point3{1, 2, 0}});
    auto lines = world.Raise(
        "HeightMeasured", {Variant(measure), Variant("<Save as text>"), Variant("<Save as text>")});
    EXPECT_EQ(Errors(lines), std::vector<std::string>{});

    world->person.Give(standalone::ButtonAnswer{"Yes"});
    world->person.Give(standalone::SelectAnswer{{"house"}});
    lines = world.Raise("HeightMeasured",
                        {Variant(measure), Variant("<Save as extrusion (only for heights)>"),
                         Variant("<Save as extrusion (only for heights)>")});
    EXPECT_LE(Errors(lines).size(), 1u);
    for (const std::string& error : Errors(lines)) {
      EXPECT_NE(error.find(", SaveMeasurement\""), std::string::npos) << error;
    }

    world->person.Give(standalone::ButtonAnswer{"Yes"});
    world->person.Give(standalone::SelectAnswer{{"road"}});
    lines = world.Raise("AreaMeasured", {Variant(measure), Variant("Parcels"), Variant("Area")});
    EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  }
  EXPECT_EQ(world->person.Remaining(), 0u);
  EXPECT_EQ(world->person.Disagreement(), std::nullopt);
  standalone::Drawing& drawing = world.Drawing("Site.dwg");
  EXPECT_EQ(drawing.ObjectDataRecords().size(), 3u);
  EXPECT_EQ(drawing.SelectionSetNames(), std::vector<std::string>{});
  // Each of the three texts carries a text for its value; none is empty.
  int texts = 0;
  for (const auto& entity : drawing.Entities(standalone::Space::Model())) {
    if (entity.kind == standalone::EntityKind::Text) {
      ++texts;
      EXPECT_FALSE(entity.text.empty());
    }
  }
  EXPECT_EQ(texts, 3);
}

TEST(hostile_coordinates, a_drawing_with_nan_and_infinite_geometry_is_exported_and_followed) {
  World world(Session(SiteWithRoads(), MosaicViewer()));
  standalone::Drawing& site = world.Drawing("Site.dwg");
  standalone::EntityData line;
  line.kind = standalone::EntityKind::Line;
  line.layer = "Roads";
  line.start = {kNaN, 5, 0};
  line.end = {kInf, 5, 0};
  site.AddEntity(standalone::Space::Model(), line);
  standalone::EntityData polyline;
  polyline.kind = standalone::EntityKind::Polyline;
  polyline.layer = "Roads";
  polyline.points = {5, 5, kNaN, kNaN, 6, -kInf};
  site.AddEntity(standalone::Space::Model(), polyline);
  standalone::EntityData circle;
  circle.kind = standalone::EntityKind::Circle;
  circle.layer = "Roads";
  circle.center = {20, 20, 0};
  circle.radius = kNaN;
  site.AddEntity(standalone::Space::Model(), circle);

  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});
  const auto lines = world.Raise("ExtentChanged", ExtentArgs(25, 25, 25, 1));
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  // The sound entities reach the viewer whatever the hostile ones do.
  const auto features = Features(world);
  EXPECT_NE(std::find(features.begin(), features.end(), "Roads:3"), features.end());
  EXPECT_NE(std::find(features.begin(), features.end(), "Roads:1"), features.end());

  // A view centre of NaN goes to the viewer as it is.
  site.SetView(kNaN, kInf, 100);
  world->application->RunCommand("Site.dwg", "PAN");
  EXPECT_EQ(world->viewer.CallCount("CenterOnPoint"), 1);
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});
}

}  // namespace
}  // namespace nimbo::testing
