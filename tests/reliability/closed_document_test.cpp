// A drawing that closes while the control still refers to it (activeDoc is kept until
// another drawing is activated): every later operation on it fails with the host's
// disconnected error, told once by the rules of its entry point; none crashes; the next
// activation brings everything back.
#include "support/session_world.h"

namespace nimbo::testing {
namespace {

constexpr const char* kDisconnected =
    "-2147417848, The object invoked has disconnected from its clients.";

nlohmann::json Viewer() {
  return {{"views",
           {{"1",
             {{"active", true},
              {"mode", "MOSAIC"},
              {"mapSync", true},
              {"total", {0, 50, 50, 50, 0, 0, 50, 0}}}}}},
          {"showTotalExtent", true},
          {"mapFollowsViewer", true},
          {"viewerFollowsMap", true}};
}

std::vector<Variant> ExtentArgs() {
  std::vector<Variant> args(10, Variant(1.0));
  args.push_back(Variant(1));
  return args;
}

class ClosedDocument : public ::testing::Test {
 protected:
  ClosedDocument() : world_(Start()) {
    world_.Step({{"do", "closeDocument"}, {"document", "Site.dwg"}});
  }

  static nlohmann::json Start() {
    nlohmann::json session = Session(
        {{"name", "Site.dwg"}, {"objectData", {{{"table", "Parcels"}, {"fields", {"Area"}}}}}},
        Viewer());
    session["documents"].push_back({{"name", "Spare.dwg"}});
    return session;
  }

  // The one error the lines hold.
  static std::string OnlyError(const std::vector<std::string>& lines) {
    const auto errors = Errors(lines);
    EXPECT_EQ(errors.size(), 1u) << ::testing::PrintToString(lines);
    return errors.empty() ? "" : errors.front();
  }

  World world_;
};

TEST_F(ClosedDocument, each_viewer_event_tells_the_disconnection_under_its_own_rules) {
  const auto error = [&](const std::string& event, const std::vector<Variant>& args) {
    return OnlyError(world_.Raise(event, args));
  };
  auto expect = [](const std::string& error, const std::string& handler,
                   const std::string& source) {
    EXPECT_EQ(error, "dialog message \"Exception: " + handler + " " + kDisconnected + ", " +
                         source + "\" caption \"VeskNimboDock17\"");
  };
  expect(error("ExtentChanged", ExtentArgs()), "vnvEvents_ExtentChanged", "RefreshMap");
  expect(error("SelectedPointChanged", {Variant(4.0), Variant(5.0)}),
         "vnvEvents_SelectedPointChanged", "RefreshMap");
  expect(error("ModeChanged", {Variant("MOSAIC"), Variant(1)}), "vnvEvents_ModeChanged",
         "RefreshMap");
  expect(error("LayoutChanged", {Variant("1x1")}), "vnvEvents_LayoutChanged", "RefreshMap");
  expect(error("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))}),
         "vnvEvents_OverlaysPermissionChanged", "GetLayerNames");
  expect(error("ReloadOverlaysClicked", {}), "vnvEvents_ReloadOverlaysClicked", "GetLayerNames");

  world_->person.Give(standalone::ButtonAnswer{"Yes"});
  world_->person.Give(standalone::InputAnswer{"2"});
  expect(
      error("HeightMeasured", {Variant(3.0), Variant("<Save as text>"), Variant("<Save as text>")}),
      "vnvEvents_HeightMeasured", "SaveMeasurement");
  world_->person.Give(standalone::ButtonAnswer{"Yes"});
  expect(error("AreaMeasured", {Variant(3.0), Variant("Parcels"), Variant("Area")}),
         "vnvEvents_AreaMeasured", "SaveMeasurement");
  EXPECT_EQ(world_->person.Remaining(), 0u);
}

TEST_F(ClosedDocument, the_button_and_the_automation_calls_fail_clearly_and_commands_go_unheard) {
  const std::string click =
      OnlyError(world_.Step({{"do", "click"}, {"user", {{{"point", {1, 2}}}}}}));
  EXPECT_NE(click.find("\"Exception: Command1_Click " + std::string(kDisconnected)),
            std::string::npos)
      << click;
  world_->person.ClearAnswers();  // the pick is never reached

  for (const std::string method : {"AddLayer", "FindLayer", "DeleteAll", "DeleteLayer"}) {
    EXPECT_EQ(OnlyError(world_.Step({{"do", "call"}, {"method", method}, {"layername", "Roads"}})),
              "caller " + method +
                  " -> error -2147417848 \"The object invoked has disconnected from its "
                  "clients.\" source \"" +
                  method + "\"");
  }
  // The closed drawing's events stopped with its close; the spare one's never reach the
  // control, which was told of no other drawing.
  EXPECT_EQ(world_.Step({{"do", "command"}, {"name", "PAN"}, {"viewCenter", {9, 9}}}),
            std::vector<std::string>{});
}

TEST_F(ClosedDocument, activating_another_drawing_brings_everything_back) {
  world_.Raise("ExtentChanged", ExtentArgs());
  world_.Step({{"do", "activate"}, {"document", "Spare.dwg"}});
  const auto lines = world_.Raise("SelectedPointChanged", {Variant(4.0), Variant(5.0)});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_EQ(OnLayer(world_.Drawing("Spare.dwg"), "VeskNimBoSelectedPoint").size(), 1u);
  const auto command = world_.Step({{"do", "command"}, {"name", "PAN"}, {"viewCenter", {9, 9}}});
  EXPECT_TRUE(Contains(command, "viewer CenterOnPoint(9, 9, 30)"));
}

}  // namespace
}  // namespace nimbo::testing
