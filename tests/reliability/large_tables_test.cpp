// Tables and selections past 32,767 entries: the layer service, the extrusion and
// object-data loops and the block search count with 32 bits, so the 40,000th entry is
// reached like the first.
#include <string>

#include "support/session_world.h"

namespace nimbo::testing {
namespace {

constexpr int kMany = 40000;

nlohmann::json EmptySite() {
  return {{"name", "Site.dwg"}};
}

TEST(large_tables, the_layer_service_reaches_the_last_of_40000_layers) {
  World world(Session(EmptySite(), {{"showTotalExtent", true}}));
  standalone::Drawing& site = world.Drawing("Site.dwg");
  for (int i = 1; i <= kMany; ++i) {
    standalone::LayerData layer;
    layer.name = "L" + std::to_string(i);
    site.PutLayer(layer);
  }
  standalone::EntityData point;
  point.kind = standalone::EntityKind::Point;
  point.layer = "L40000";
  site.AddEntity(standalone::Space::Model(), point);

  std::string last = "l40000";
  const host::LayerRef found = world->control->FindLayer(last);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Name(), "L40000");

  world->control->DeleteLayer(last);
  EXPECT_FALSE(site.FindLayer("L40000").has_value());
  EXPECT_EQ(site.EntityCount(standalone::Space::Model()), 0u);
  EXPECT_EQ(site.LayerCount(), static_cast<uint32_t>(kMany));  // "0" and L1..L39999

  // The display layers land behind them all and are found there on the next redraw.
  world.Raise("SelectedPointChanged", {Variant(1.0), Variant(2.0)});
  const auto lines = world.Raise("SelectedPointChanged", {Variant(3.0), Variant(4.0)});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_FALSE(Contains(lines, "layer added"));
  EXPECT_EQ(site.LayerCount(), static_cast<uint32_t>(kMany + 2));
  EXPECT_EQ(OnLayer(site, "VeskNimBoSelectedPoint").size(), 1u);
}

// A drawing of `count` square regions with ids r0, r1, ..., and a selection of them all.
std::vector<std::string> AddRegions(standalone::Drawing& drawing, int count) {
  std::vector<std::string> ids;
  for (int i = 0; i < count; ++i) {
    standalone::EntityData region;
    region.kind = standalone::EntityKind::Region;
    region.id = "r" + std::to_string(i);
    const double x = i % 200;
    const double y = i / 200;
    region.points = {x, y, x + 0.5, y, x + 0.5, y + 0.5, x, y + 0.5};
    drawing.AddEntity(standalone::Space::Model(), region);
    ids.push_back(region.id);
  }
  return ids;
}

TEST(large_tables, a_selection_of_40000_regions_is_extruded_and_recorded_to_the_last) {
  nlohmann::json site = EmptySite();
  site["objectData"] = {{{"table", "Parcels"}, {"fields", {"Height"}}}};
  World world(Session(site));
  standalone::Drawing& drawing = world.Drawing("Site.dwg");
  const std::vector<std::string> ids = AddRegions(drawing, kMany);

  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{ids});
  auto lines = world.Raise("HeightMeasured",
                           {Variant(3.5), Variant("<Save as extrusion (only for heights)>"),
                            Variant("<Save as extrusion (only for heights)>")});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  size_t solids = 0;
  std::string lastProfile;
  drawing.ForEachEntity(standalone::Space::Model(), [&](const standalone::EntityData& e) {
    if (e.kind != standalone::EntityKind::Solid) return;
    ++solids;
    lastProfile = e.profile;
  });
  EXPECT_EQ(solids, static_cast<size_t>(kMany));
  EXPECT_EQ(lastProfile, "r39999");

  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{ids});
  lines = world.Raise("HeightMeasured", {Variant(3.5), Variant("Parcels"), Variant("Height")});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_EQ(drawing.ObjectDataRecords().size(), static_cast<size_t>(kMany));
  EXPECT_EQ(drawing.SelectionSetNames(), std::vector<std::string>{});
}

TEST(large_tables, the_block_search_of_an_attribute_save_finds_the_last_of_40000_blocks) {
  World world(Session(EmptySite()));
  standalone::Drawing& drawing = world.Drawing("Site.dwg");
  for (int i = 1; i <= kMany; ++i) {
    standalone::BlockData block;
    block.name = i == kMany ? "Height" : "B" + std::to_string(i);
    drawing.AddBlock(block);
  }
  const uint32_t blocks = drawing.BlockCount();

  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::InputAnswer{"2"});
  world->person.Give(standalone::PointAnswer{host::Point3{5, 6, 0}});
  const auto lines = world.Raise(
      "HeightMeasured", {Variant(12.5), Variant("<Save as attribute>"), Variant("Height")});
  EXPECT_EQ(Errors(lines), std::vector<std::string>{});
  EXPECT_FALSE(Contains(lines, "block added"));
  EXPECT_EQ(drawing.BlockCount(), blocks);
  EXPECT_TRUE(Contains(lines, "added blockReference on \"0\" \"Height\" at (5, 6, 0)"));
}

}  // namespace
}  // namespace nimbo::testing
