// A drawing with nothing in it but layer "0": every handler and operation runs on it
// without an error, except the one the host must refuse (deleting layer "0").
#include "support/session_world.h"

namespace nimbo::testing {
namespace {

TEST(empty_drawing, every_handler_and_operation_runs_on_a_drawing_with_nothing_in_it) {
  const nlohmann::json viewer = {{"views",
                                  {{"1",
                                    {{"active", true},
                                     {"mode", "MOSAIC"},
                                     {"mapSync", true},
                                     {"total", {0, 10, 10, 10, 0, 0, 10, 0}},
                                     {"visible", {1, 9, 9, 9, 1, 1, 9, 1}}}},
                                   {"2", {{"active", true}, {"mode", "DISCRETE"}}}}},
                                 {"showTotalExtent", true},
                                 {"showVisibleExtent", true},
                                 {"mapFollowsViewer", true},
                                 {"viewerFollowsMap", true}};
  World world(Session({{"name", "Site.dwg"}}, viewer));
  const nlohmann::json extent = {
      {"do", "event"}, {"event", "ExtentChanged"}, {"args", {1, 9, 9, 9, 1, 1, 9, 1, 5, 5, 3}}};
  const auto yes = [](nlohmann::json more) {
    nlohmann::json answers = {{{"button", "Yes"}}};
    for (auto& answer : more) answers.push_back(answer);
    return answers;
  };
  const auto lines = world.Steps({
      extent,
      {{"do", "event"}, {"event", "OverlaysPermissionChanged"}, {"args", {true}}},
      extent,
      {{"do", "event"}, {"event", "ModeChanged"}, {"args", {"MOSAIC", 1}}},
      {{"do", "event"}, {"event", "LayoutChanged"}, {"args", {"1x2"}}},
      {{"do", "event"},
       {"event", "ObliqueLoaded"},
       {"args", {"i", 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 2}}},
      {{"do", "event"}, {"event", "ReloadOverlaysClicked"}, {"args", nlohmann::json::array()}},
      {{"do", "event"}, {"event", "SelectedPointChanged"}, {"args", {2, 3}}},
      {{"do", "event"},
       {"event", "HeightMeasured"},
       {"args",
        {4, "<Save as extrusion (only for heights)>", "<Save as extrusion (only for heights)>"}},
       {"user", yes({{{"select", nlohmann::json::array()}}})}},
      {{"do", "event"},
       {"event", "AreaMeasured"},
       {"args", {4, "Parcels", "Area"}},
       {"user", yes({})}},
      {{"do", "event"},
       {"event", "DistanceMeasured"},
       {"args", {4, "<Save as dimension>", "Linear dimension"}},
       {"user",
        yes({{{"input", "1"}}, {{"point", {0, 0}}}, {{"point", {1, 0}}}, {{"point", {0, 1}}}})}},
      {{"do", "click"}, {"user", {{{"point", {1, 1}}}}}},
      {{"do", "command"}, {"name", "PAN"}, {"viewCenter", {3, 3}}},
      {{"do", "call"}, {"method", "DeleteAll"}, {"layername", "0"}},
      {{"do", "call"}, {"method", "FindLayer"}, {"layername", "Roads"}},
      {{"do", "call"}, {"method", "DeleteLayer"}, {"layername", "Roads"}},
      {{"do", "call"}, {"method", "DeleteLayer"}, {"layername", "0"}},
  });
  EXPECT_EQ(world->person.Remaining(), 0u);
  EXPECT_EQ(world->person.Disagreement(), std::nullopt);

  const auto errors = Errors(lines);
  ASSERT_EQ(errors.size(), 1u) << ::testing::PrintToString(errors);
  EXPECT_EQ(errors[0].rfind("caller DeleteLayer -> error -2145386342 ", 0), 0u) << errors[0];
  EXPECT_TRUE(Contains(lines, "dialog message \"Object table Parcels not found.\""));
  EXPECT_TRUE(Contains(lines, "caller FindLayer -> Nothing"));
  EXPECT_TRUE(Contains(lines, "viewer CenterOnPoint(3, 3, 30)"));
  EXPECT_TRUE(Contains(lines, "viewer SearchImageAtPoint(&1, &1)"));
  EXPECT_TRUE(Contains(lines, "added alignedDimension"));

  standalone::Drawing& site = world.Drawing("Site.dwg");
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});
  EXPECT_EQ(OnLayer(site, "VeskNimBoSelectedPoint").size(), 1u);
  EXPECT_TRUE(site.FindLayer("0").has_value());
}

}  // namespace
}  // namespace nimbo::testing
