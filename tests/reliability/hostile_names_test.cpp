// Names with commas, quotes, letters beyond ASCII and 10,000 characters, for layers,
// object-data tables and fields, and blocks: they reach the drawing, the viewer and the
// transcript whole and unchanged, and are found again by the same name.
#include <string>

#include "replay/output/replay_picture.h"
#include "replay/output/replay_state.h"
#include "standalone/journal.h"
#include "support/session_world.h"

namespace nimbo::testing {
namespace {

const std::string kQuoted = "Roads, \"old\"";
const std::string kUmlauts = "Straße Ölwerk";
const std::string kLong = std::string(10000, 'x') + "Ü";

nlohmann::json Site() {
  nlohmann::json layers = nlohmann::json::array();
  nlohmann::json entities = nlohmann::json::array();
  int n = 0;
  for (const std::string& name : {kQuoted, kUmlauts, kLong}) {
    layers.push_back({{"name", name}, {"color", 3}});
    entities.push_back({{"id", "line-" + std::to_string(++n)},
                        {"type", "line"},
                        {"layer", name},
                        {"start", {1, 1}},
                        {"end", {2, 2}}});
  }
  return {{"name", "Site.dwg"},
          {"layers", layers},
          {"modelSpace", entities},
          {"objectData",
           {{{"table", "Parcels, 2024"}, {"fields", {"Area \"m2\"", "Owner, name"}}},
            {{"table", kLong}, {"fields", {kUmlauts}}}}}};
}

nlohmann::json Viewer() {
  return {
      {"views",
       {{"1", {{"active", true}, {"mode", "MOSAIC"}, {"total", {0, 50, 50, 50, 0, 0, 50, 0}}}}}}};
}

TEST(hostile_names, layer_names_reach_the_viewer_whole_and_are_found_by_the_same_name) {
  World world(Session(Site(), Viewer()));
  const auto lines =
      world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  for (const std::string& name : {kQuoted, kUmlauts, kLong}) {
    const std::string quoted = standalone::TranscriptString(name);
    EXPECT_TRUE(Contains(lines, "viewer RegisterOverlayLayer(" + quoted + ", &0, &False"));
    EXPECT_TRUE(Contains(lines, "viewer AddLineFeature(&" + quoted + ", &1, True, &True)"));
  }

  // Upper and lower case of the ASCII letters are one name; the name itself is never cut.
  std::string upper = "ROADS, \"OLD\"";
  ASSERT_NE(world->control->FindLayer(upper), nullptr);
  EXPECT_EQ(world->control->FindLayer(upper)->Name(), kQuoted);
  std::string umlauts = "STRAßE ÖLWERK";
  ASSERT_NE(world->control->FindLayer(umlauts), nullptr);
  std::string cut = kLong.substr(0, 10000);
  EXPECT_EQ(world->control->FindLayer(cut), nullptr);

  std::string longName = kLong;
  world->control->DeleteLayer(longName);
  standalone::Drawing& site = world.Drawing("Site.dwg");
  EXPECT_FALSE(site.FindLayer(kLong).has_value());
  EXPECT_EQ(OnLayer(site, kLong).size(), 0u);
  EXPECT_EQ(OnLayer(site, kUmlauts).size(), 1u);
}

TEST(hostile_names, tables_and_fields_are_published_unescaped_and_written_by_their_names) {
  World world(Session(Site(), Viewer()));
  world->person.Give(standalone::PointAnswer{host::Point3{1, 2, 0}});
  auto lines = world.Step({{"do", "click"}});
  EXPECT_TRUE(Contains(
      lines, "viewer AddTableInfo(" +
                 standalone::TranscriptString("Parcels, 2024,Area \"m2\",Owner, name") + ")"));
  EXPECT_TRUE(Contains(
      lines, "viewer AddTableInfo(" + standalone::TranscriptString(kLong + "," + kUmlauts) + ")"));

  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{{"line-1", "line-2"}});
  lines = world.Raise("AreaMeasured",
                      {Variant(12.5), Variant("Parcels, 2024"), Variant("Owner, name")});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{{"line-3"}});
  lines = world.Raise("AreaMeasured", {Variant(7.0), Variant(kLong), Variant(kUmlauts)});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});

  const auto& records = world.Drawing("Site.dwg").ObjectDataRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].table, "Parcels, 2024");
  EXPECT_EQ(records[2].table, kLong);

  // A name the drawing does not have is told whole.
  world->person.Give(standalone::ButtonAnswer{"Yes"});
  lines = world.Raise("AreaMeasured", {Variant(7.0), Variant(kLong + "!"), Variant(kUmlauts)});
  EXPECT_TRUE(
      Contains(lines, "dialog message " +
                          standalone::TranscriptString("Object table " + kLong + "! not found.") +
                          " caption \"Vesk plug-in\""));
  EXPECT_EQ(world->person.Remaining(), 0u);
}

TEST(hostile_names, block_names_make_one_block_each_and_what_the_host_refuses_is_told) {
  World world(Session(Site(), Viewer()));
  const auto save = [&](const std::string& block) {
    world->person.ClearAnswers();  // a refused save leaves its pick unasked
    world->person.Give(standalone::ButtonAnswer{"Yes"});
    world->person.Give(standalone::InputAnswer{"2"});
    world->person.Give(standalone::PointAnswer{host::Point3{3, 4, 0}});
    return Errors(world.Raise("HeightMeasured",
                              {Variant(1.5), Variant("<Save as attribute>"), Variant(block)}));
  };
  EXPECT_EQ(save("Höhe"), std::vector<std::string>{});
  EXPECT_EQ(save(kLong), std::vector<std::string>{});
  EXPECT_EQ(save("Höhe"), std::vector<std::string>{});
  // A CAD host takes no quote or comma in a block name, and no blank in a tag: the block
  // of the second stays, without the definition, as a failed save leaves it.
  const auto quoted = save(kQuoted);
  ASSERT_EQ(quoted.size(), 1u);
  EXPECT_NE(quoted[0].find("is not a valid block name, SaveMeasurement"), std::string::npos);
  const auto blank = save(kUmlauts);
  ASSERT_EQ(blank.size(), 1u);
  EXPECT_NE(blank[0].find("is not a valid attribute tag, SaveMeasurement"), std::string::npos);

  standalone::Drawing& site = world.Drawing("Site.dwg");
  ASSERT_EQ(site.BlockCount(), 3u);
  EXPECT_EQ(site.Block(0).name, "Höhe");
  EXPECT_EQ(site.Block(1).name, kLong);
  EXPECT_EQ(site.Block(2).name, kUmlauts);
  std::vector<std::string> references;
  for (const auto& entity : site.Entities(standalone::Space::Model())) {
    if (entity.kind == standalone::EntityKind::BlockReference) references.push_back(entity.block);
  }
  EXPECT_EQ(references, (std::vector<std::string>{"Höhe", kLong, "Höhe"}));

  const std::string state = replay::StateOf(*world).dump(2);
  EXPECT_NE(state.find(nlohmann::json(kLong).dump()), std::string::npos);
  EXPECT_FALSE(replay::PictureOf(*world).empty());
}

}  // namespace
}  // namespace nimbo::testing
