// The entity store and its records on their own: every kind's properties survive the
// record, handles are never reused, a killed entity frees its data, object ids map back,
// positions within a space while an enumeration runs; and model space's crossing
// selection as entities come and go.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "standalone/cad/crossing_selection.h"
#include "standalone/cad/entity_record.h"
#include "standalone/cad/entity_store.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;

EntityData RoundTrip(const EntityData& e) {
  EntityRecord record;
  FillRecord(record, e);
  record.id = e.id;
  return DataOf(record);
}

TEST(entity_record, keeps_every_property_of_the_common_kinds) {
  EntityData line;
  line.kind = EntityKind::Line;
  line.start = {1, 2, 3};
  line.end = {4, 5, 6};
  line.color = ColorValue::Rgb(10, 20, 30);
  line.lineweight = 50;
  const EntityData back = RoundTrip(line);
  EXPECT_EQ(back.start, line.start);
  EXPECT_EQ(back.end, line.end);
  EXPECT_EQ(back.color, line.color);
  EXPECT_EQ(back.lineweight, 50);

  EntityData arc;
  arc.kind = EntityKind::Arc;
  arc.center = {1, 1, 0};
  arc.radius = 2;
  arc.startAngle = 0.5;
  arc.endAngle = 1.5;
  const EntityData arcBack = RoundTrip(arc);
  EXPECT_EQ(arcBack.center, arc.center);
  EXPECT_EQ(arcBack.radius, 2);
  EXPECT_EQ(arcBack.startAngle, 0.5);
  EXPECT_EQ(arcBack.endAngle, 1.5);

  EntityData polyline;
  polyline.kind = EntityKind::Polyline;
  polyline.points = {0, 0, 1, 0, 1, 1};
  polyline.closed = true;
  const EntityData polylineBack = RoundTrip(polyline);
  EXPECT_EQ(polylineBack.points, polyline.points);
  EXPECT_TRUE(polylineBack.closed);
}

TEST(entity_record, keeps_the_rarer_kinds_details_apart) {
  EntityData reference;
  reference.id = "r";
  reference.kind = EntityKind::BlockReference;
  reference.block = "Marker";
  reference.at = {7, 8, 0};
  reference.scale = {2, 2, 1};
  reference.rotation = 0.25;
  reference.attributes = {{"H", "12"}};
  EntityRecord record;
  FillRecord(record, reference);
  ASSERT_NE(record.detail, nullptr);
  EXPECT_TRUE(record.points.empty());
  const EntityData back = DataOf(record);
  EXPECT_EQ(back.block, "Marker");
  EXPECT_EQ(back.at, reference.at);
  EXPECT_EQ(back.scale, reference.scale);
  EXPECT_EQ(back.rotation, 0.25);
  EXPECT_EQ(back.attributes, reference.attributes);

  EntityData dimension;
  dimension.kind = EntityKind::AngularDimension;
  dimension.vertex = {0, 0, 0};
  dimension.first = {1, 0, 0};
  dimension.second = {0, 1, 0};
  dimension.textPosition = {1, 1, 0};
  dimension.text = "<>";
  dimension.height = 0.2;
  dimension.arrowheadSize = 0.3;
  const EntityData dimensionBack = RoundTrip(dimension);
  EXPECT_EQ(dimensionBack.vertex, dimension.vertex);
  EXPECT_EQ(dimensionBack.first, dimension.first);
  EXPECT_EQ(dimensionBack.second, dimension.second);
  EXPECT_EQ(dimensionBack.textPosition, dimension.textPosition);
  EXPECT_EQ(dimensionBack.text, "<>");
  EXPECT_EQ(dimensionBack.arrowheadSize, 0.3);

  EntityData point;
  point.kind = EntityKind::Point;
  EntityRecord pointRecord;
  FillRecord(pointRecord, point);
  EXPECT_EQ(pointRecord.detail, nullptr);  // the common kinds carry no detail
}

// Stores a live point in the space and answers its handle.
EntityHandle AddPoint(EntityStore& store, Space space, double x, double y) {
  const EntityHandle h = store.NewRecord();
  EntityRecord& r = store.At(h);
  EntityData e;
  e.kind = EntityKind::Point;
  e.at = {x, y, 0};
  FillRecord(r, e);
  r.owner = space.code;
  r.live = true;
  store.Place(h);
  return h;
}

TEST(entity_store, never_reuses_a_handle_and_frees_a_killed_entitys_data) {
  EntityStore store(0);
  const EntityHandle a = AddPoint(store, Space::Model(), 0, 0);
  store.At(a).id = "a";
  store.Kill(a);
  EXPECT_FALSE(store.IsLive(a));
  EXPECT_TRUE(store.At(a).id.empty());
  EXPECT_EQ(store.Deletions(), 1u);
  EXPECT_THROW(store.LiveAt(a), std::out_of_range);
  const EntityHandle b = AddPoint(store, Space::Model(), 1, 1);
  EXPECT_NE(a, b);
  EXPECT_EQ(store.List(Space::Model()).live, 1u);
}

TEST(entity_store, object_ids_are_the_drawings_own_and_map_back_to_live_entities) {
  EntityStore first(0);
  EntityStore second(1);
  const EntityHandle h = AddPoint(first, Space::Model(), 0, 0);
  AddPoint(second, Space::Model(), 0, 0);
  EXPECT_NE(first.ObjectIdOf(h), second.ObjectIdOf(h));
  EXPECT_EQ(first.HandleOfObjectId(first.ObjectIdOf(h)), h);
  EXPECT_EQ(first.HandleOfObjectId(second.ObjectIdOf(h)), EntityStore::kNoHandle);
  EXPECT_EQ(first.HandleOfObjectId(first.ObjectIdOf(h) + 1), EntityStore::kNoHandle);
  first.Kill(h);
  EXPECT_EQ(first.HandleOfObjectId(first.ObjectIdOf(h)), EntityStore::kNoHandle);
}

TEST(entity_store, positions_count_live_entities_also_while_an_enumeration_runs) {
  EntityStore store(0);
  std::vector<EntityHandle> handles;
  for (int i = 0; i < 4; ++i) handles.push_back(AddPoint(store, Space::Model(), i, 0));
  store.BeginEnumeration(Space::Model());
  store.Kill(handles[1]);
  // The list keeps the dead handle while the enumeration runs.
  EXPECT_EQ(store.List(Space::Model()).handles.size(), 4u);
  EXPECT_EQ(store.ItemOf(Space::Model(), 1), handles[2]);
  EXPECT_EQ(store.ItemOf(Space::Model(), 3), EntityStore::kNoHandle);
  store.EndEnumeration(Space::Model());
  EXPECT_EQ(store.ItemOf(Space::Model(), 1), handles[2]);
  EXPECT_EQ(store.List(Space::Model()).handles.size(), 3u);
}

TEST(entity_store, a_block_space_exists_once_added) {
  EntityStore store(0);
  EXPECT_TRUE(store.SpaceExists(Space::Paper()));
  EXPECT_FALSE(store.SpaceExists(Space::Block(0)));
  store.AddSpace();
  EXPECT_TRUE(store.SpaceExists(Space::Block(0)));
  const EntityHandle h = AddPoint(store, Space::Block(0), 0, 0);
  EXPECT_EQ(store.List(Space::Block(0)).live, 1u);
  EXPECT_EQ(store.Lists().size(), 3u);
  EXPECT_EQ(store.ItemOf(Space::Block(0), 0), h);
}

TEST(crossing_selection, follows_entities_added_and_removed_after_the_index_is_built) {
  EntityStore store(0);
  CrossingSelection crossing;
  const spatial::CrossingPolygon square({{-1, -1}, {5, -1}, {5, 5}, {-1, 5}});
  const EntityHandle inside = AddPoint(store, Space::Model(), 1, 1);
  crossing.Added(inside, store.At(inside));
  AddPoint(store, Space::Model(), 9, 9);  // outside
  EXPECT_THAT(crossing.Select(store, square), ElementsAre(inside));
  const EntityHandle later = AddPoint(store, Space::Model(), 2, 2);
  crossing.Added(later, store.At(later));
  EXPECT_THAT(crossing.Select(store, square), ElementsAre(inside, later));
  crossing.Removed(inside, store.At(inside));
  store.Kill(inside);
  EXPECT_THAT(crossing.Select(store, square), ElementsAre(later));
}

}  // namespace
}  // namespace nimbo::standalone::testing
