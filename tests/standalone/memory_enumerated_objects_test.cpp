// The objects an enumeration hands out are pointed at the next entity when the visitor
// did not keep them: a kept object must still be its own entity's, and an object must be
// the visited entity's in everything it answers, its error messages included.
#include <map>

#include "standalone/memory_fixture.h"

namespace nimbo::standalone {
namespace {

using testing::MemoryHostTest;

class MemoryEnumeratedObjects : public MemoryHostTest {
 protected:
  MemoryEnumeratedObjects() {
    site.PutLayer(LayerData{.name = "A"});
    site.PutLayer(LayerData{.name = "B"});
    // Kinds interleaved, each on its own layer, so that a stale object shows.
    for (int i = 0; i < 6; ++i) {
      const std::string layer = i % 2 == 0 ? "A" : "B";
      site.AddEntity(Space::Model(), i % 3 == 0 ? Line("L" + std::to_string(i), i, 0, i, 1, layer)
                                                : PointAt("P" + std::to_string(i), i, 0, layer));
    }
  }
  std::string IdOf(host::Entity& entity) {
    return site.Entity(site.HandleOfObjectId(entity.ObjectID())).id;
  }
};

TEST_F(MemoryEnumeratedObjects, kept_objects_stay_their_entitys_and_each_visit_sees_its_own) {
  auto space = doc->ModelSpace();
  std::map<std::string, host::EntityRef> kept;
  std::vector<std::string> seen;
  space->ForEach([&](const host::EntityRef& e) {
    const std::string id = IdOf(*e);
    seen.push_back(id + " " + e->ObjectName() + " " + e->Layer());
    if (id == "L0" || id == "P2" || id == "L3") kept[id] = e;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"L0 AcDbLine A", "P1 AcDbPoint B", "P2 AcDbPoint A",
                                            "L3 AcDbLine B", "P4 AcDbPoint A", "P5 AcDbPoint B"}));
  ASSERT_EQ(kept.size(), 3u);
  for (const auto& [id, entity] : kept) EXPECT_EQ(IdOf(*entity), id);
  EXPECT_EQ(kept["L3"]->Layer(), "B");
  EXPECT_EQ(dynamic_cast<host::Line&>(*kept["L0"]).EndPoint(), (Point3{0, 1, 0}));

  // The same for a selection set's enumeration.
  auto set = doc->SelectionSets()->Add("S");
  set->SelectByPolygon(7, {0, {-1, -1, 0, 10, -1, 0, 10, 2, 0, -1, 2, 0}});
  std::vector<host::EntityRef> all;
  set->ForEach([&](const host::EntityRef& e) { all.push_back(e); });
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(IdOf(*all[1]), "P1");
  EXPECT_EQ(IdOf(*all[5]), "P5");
}

TEST_F(MemoryEnumeratedObjects, kept_layers_and_colours_keep_what_they_were_when_the_next_is_read) {
  site.PutLayer(LayerData{.name = "C", .color = ColorValue::Index(3)});
  std::vector<host::LayerRef> kept;
  std::vector<std::string> names;
  doc->Layers()->ForEach([&](const host::LayerRef& layer) {
    names.push_back(layer->Name());
    if (layer->Name() != "B") kept.push_back(layer);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"0", "A", "B", "C"}));
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1]->Name(), "A");
  EXPECT_EQ(kept[2]->Name(), "C");

  // A colour held while its object reads another stays the first one's.
  auto held = kept[2]->TrueColor();
  EXPECT_EQ(kept[1]->TrueColor()->ColorIndex(), 7);
  EXPECT_EQ(kept[2]->TrueColor()->ColorIndex(), 3);
  auto line = doc->ModelSpace()->Item(0);
  line->SetColor(5);
  auto first = line->TrueColor();
  line->SetColor(256);
  EXPECT_EQ(first->ColorIndex(), 5);
  EXPECT_EQ(line->TrueColor()->ColorIndex(), 256);
  EXPECT_EQ(held->ColorIndex(), 3);
}

TEST_F(MemoryEnumeratedObjects,
       an_object_deleted_during_its_visit_names_that_entity_in_its_errors) {
  std::vector<std::string> messages;
  doc->ModelSpace()->ForEach([&](const host::EntityRef& e) {
    if (e->Layer() != "B") return;
    e->Delete();
    messages.push_back(ErrorOf([&] { e->Layer(); }).description());
  });
  EXPECT_THAT(messages, ::testing::ElementsAre(::testing::HasSubstr("entity P1 "),
                                               ::testing::HasSubstr("entity L3 "),
                                               ::testing::HasSubstr("entity P5 ")));
  EXPECT_EQ(site.EntityCount(Space::Model()), 3u);
}

}  // namespace
}  // namespace nimbo::standalone
