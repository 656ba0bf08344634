// The viewer moved from the drawing: after PAN and ZOOM, and by the button's picked point.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standalone/cad/memory_errors.h"
#include "support/embedded_control.h"

namespace nimbo::testing {
namespace {

using ::testing::ElementsAre;

standalone::ViewerStatePatch Following(bool follows, bool centres = true) {
  standalone::ViewerStatePatch patch;
  patch.viewerFollowsMap = follows;
  patch.centerOnPoint = centres;
  return patch;
}

TEST(end_command, pan_and_zoom_centre_the_viewer_on_the_view_centre) {
  EmbeddedControl h;
  h.viewer.ApplyState(Following(true));
  h.RunCommand("PAN", standalone::spatial::Vec2{120.5, -40.25});
  EXPECT_THAT(h.journal.StartingWith("viewer "),
              ElementsAre("viewer ViewerFollowsMap() -> True",
                          "viewer CenterOnPoint(120.5, -40.25, 30) -> True"));

  // A viewer that cannot centre searches images at the same point, passed by value.
  h.journal.Clear();
  h.viewer.ApplyState(Following(true, false));
  h.RunCommand("ZOOM", standalone::spatial::Vec2{7, 8});
  EXPECT_THAT(
      h.journal.StartingWith("viewer "),
      ElementsAre("viewer ViewerFollowsMap() -> True", "viewer CenterOnPoint(7, 8, 30) -> False",
                  "viewer SearchImageAtPoint(7, 8)"));
  EXPECT_TRUE(h.Dialogs().empty());
}

TEST(end_command, other_commands_and_the_option_off_only_ask_the_option) {
  EmbeddedControl h;
  h.viewer.ApplyState(Following(true));
  const std::vector<std::string> others = {"pan", "Zoom", "-PAN", "ZOOM ", "PANX", "LINE", ""};
  for (const std::string& name : others) h.RunCommand(name, standalone::spatial::Vec2{1, 2});
  EXPECT_EQ(h.viewer.CallCount("ViewerFollowsMap"), static_cast<int>(others.size()));
  EXPECT_EQ(h.viewer.CallCount("CenterOnPoint"), 0);
  EXPECT_EQ(h.viewer.CallCount("SearchImageAtPoint"), 0);

  h.viewer.ApplyState(Following(false));
  h.RunCommand("ZOOM", standalone::spatial::Vec2{1, 2});
  EXPECT_EQ(h.viewer.CallCount("ViewerFollowsMap"), static_cast<int>(others.size()) + 1);
  EXPECT_EQ(h.viewer.CallCount("CenterOnPoint"), 0);
}

TEST(end_command, failures_are_silent_and_the_next_command_still_follows) {
  EmbeddedControl h;
  h.viewer.ApplyState(Following(true, false));
  h.faults.Add("drawing.Document.GetVariable", -2145386493, "Invalid input");
  h.RunCommand("PAN");
  h.faults.Add("viewer.CenterOnPoint", -2147467259, "Unspecified error");
  h.RunCommand("PAN");
  h.faults.Add("viewer.ViewerFollowsMap", -2147467259, "Unspecified error");
  h.RunCommand("ZOOM");
  EXPECT_TRUE(h.Dialogs().empty());
  EXPECT_EQ(h.viewer.CallCount("SearchImageAtPoint"), 0);

  h.RunCommand("ZOOM", standalone::spatial::Vec2{3, 4});
  EXPECT_EQ(h.journal.StartingWith("viewer SearchImageAtPoint").back(),
            "viewer SearchImageAtPoint(3, 4)");
}

TEST(end_command, takes_the_active_document_when_none_is_bound) {
  EmbeddedControl h;
  h.viewer.ApplyState(Following(true));
  h.control->State().activeDoc = nullptr;
  h.RunCommand("PAN", standalone::spatial::Vec2{5, 6});
  EXPECT_NE(h.control->State().activeDoc, nullptr);
  EXPECT_EQ(h.viewer.Model().LastCenterRequest()->x, 5);
}

TEST(center_button, publishes_the_save_options_then_searches_at_the_picked_point_by_reference) {
  EmbeddedControl h;
  h.person.Give(PointAnswer{host::Point3{10.5, 20, 3}});
  h.control->Command1_Click();
  EXPECT_EQ(h.viewer.Model().TableInfo().size(), 4u);
  // The message comes before the pick, the pick (with no prompt) before the search.
  const auto& lines = h.journal.Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_THAT(std::vector<std::string>(lines.end() - 3, lines.end()),
              ElementsAre("dialog message \"Click a point in the map\" caption \"VeskNimboDock17\"",
                          "user pick -> (10.5, 20, 3)", "viewer SearchImageAtPoint(&10.5, &20)"));
  EXPECT_EQ(h.journal.StartingWith("viewer ClearTableInfo").size(), 1u);
}

TEST(center_button, a_cancelled_pick_shows_nothing_more_and_moves_nothing) {
  EmbeddedControl h;
  h.person.Give(PointAnswer{std::nullopt});
  h.control->Command1_Click();
  EXPECT_THAT(h.Dialogs(), ElementsAre("dialog message \"Click a point in the map\" caption "
                                       "\"VeskNimboDock17\""));
  EXPECT_EQ(h.viewer.CallCount("SearchImageAtPoint"), 0);
}

TEST(center_button, without_a_drawing_tells_the_missing_object_from_search_image) {
  EmbeddedControl h({.drawing = ""});
  h.control->Command1_Click();
  EXPECT_THAT(h.Dialogs(),
              ElementsAre("dialog message \"Click a point in the map\" caption \"VeskNimboDock17\"",
                          "dialog message \"Exception: Command1_Click 91, Object variable or With "
                          "block variable not set, SearchImage\" caption \"VeskNimboDock17\""));
  EXPECT_EQ(h.viewer.Model().TableInfo().size(), 4u);
  EXPECT_EQ(h.viewer.CallCount("SearchImageAtPoint"), 0);
}

TEST(center_button, other_failures_are_told_and_a_failed_publishing_skips_the_pick) {
  EmbeddedControl h;
  h.faults.Add("viewer.AddTableInfo", -2147467259, "Unspecified error", 2);
  h.control->Command1_Click();
  EXPECT_THAT(h.Dialogs(), ElementsAre("dialog message \"Exception: Command1_Click -2147467259, "
                                       "Unspecified error, SetTableInfo\" caption "
                                       "\"VeskNimboDock17\""));
  EXPECT_TRUE(h.journal.StartingWith("user pick").empty());
  // What was published before the failure stays.
  EXPECT_EQ(h.viewer.Model().TableInfo().size(), 2u);

  h.journal.Clear();
  h.person.Give(PointAnswer{host::Point3{1, 2, 0}});
  h.faults.Add("viewer.SearchImageAtPoint", -2147467259, "Unspecified error");
  h.control->Command1_Click();
  EXPECT_EQ(h.Dialogs().back(),
            "dialog message \"Exception: Command1_Click -2147467259, Unspecified error, "
            "SearchImage\" caption \"VeskNimboDock17\"");
}

}  // namespace
}  // namespace nimbo::testing
