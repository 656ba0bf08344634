#include "automation/object_cast.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MemoryEntities : public MemoryHostTest {};

TEST_F(MemoryEntities, entities_the_control_creates_are_numbered_in_creation_order) {
  site.AddEntity(Space::Model(), PointAt("e1", 5, 5));
  auto model = doc->ModelSpace();
  model->AddPoint({1, 2, 0});
  model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0, 10, 0, 10, 5}});
  model->AddText("12.5", {3, 4, 0}, 2.5);
  const auto entities = site.Entities(Space::Model());
  ASSERT_EQ(entities.size(), 4u);
  EXPECT_EQ(entities[0].id, "e1");
  EXPECT_EQ(entities[1].id, "#1");
  EXPECT_EQ(entities[2].id, "#2");
  EXPECT_EQ(entities[3].id, "#3");
  EXPECT_EQ(entities[2].points, (std::vector<double>{0, 0, 10, 0, 10, 5}));
  EXPECT_EQ(entities[3].text, "12.5");
  EXPECT_EQ(entities[3].height, 2.5);
}

TEST_F(MemoryEntities,
       new_entities_take_the_current_layer_colour_by_layer_and_lineweight_minus_one) {
  site.SetCurrentLayer("Notes");
  auto point = doc->ModelSpace()->AddPoint({1, 2, 0});
  EXPECT_EQ(point->Layer(), "Notes");
  EXPECT_EQ(point->TrueColor()->ColorMethod(), host::color_method::kByLayer);
  EXPECT_EQ(point->TrueColor()->ColorIndex(), host::kColorByLayer);
  EXPECT_EQ(point->Lineweight(), -1);
  EXPECT_EQ(point->Coordinates(), (Point3{1, 2, 0}));
}

TEST_F(MemoryEntities, each_kind_answers_its_object_name_and_interface) {
  const uint32_t block = site.AddBlock(BlockData{"Tree", {0, 0, 0}});
  struct Case {
    EntityData data;
    const char* objectName;
  };
  std::vector<Case> cases;
  auto make = [](EntityKind kind) {
    EntityData e;
    e.kind = kind;
    return e;
  };
  EntityData polyline = make(EntityKind::Polyline);
  polyline.points = {0, 0, 1, 1};
  cases.push_back({polyline, "AcDbPolyline"});
  cases.push_back({make(EntityKind::Line), "AcDbLine"});
  cases.push_back({make(EntityKind::Point), "AcDbPoint"});
  cases.push_back({make(EntityKind::Circle), "AcDbCircle"});
  cases.push_back({make(EntityKind::Arc), "AcDbArc"});
  cases.push_back({make(EntityKind::Text), "AcDbText"});
  cases.push_back({make(EntityKind::Region), "AcDbRegion"});
  cases.push_back({make(EntityKind::AlignedDimension), "AcDbAlignedDimension"});
  cases.push_back({make(EntityKind::AngularDimension), "AcDb2LineAngularDimension"});
  EntityData reference = make(EntityKind::BlockReference);
  reference.block = "Tree";
  cases.push_back({reference, "AcDbBlockReference"});
  cases.push_back({make(EntityKind::AttributeDefinition), "AcDbAttributeDefinition"});
  cases.push_back({make(EntityKind::Solid), "AcDb3dSolid"});
  for (const Case& c : cases) site.AddEntity(Space::Model(), c.data);
  (void)block;

  auto model = doc->ModelSpace();
  ASSERT_EQ(model->Count(), static_cast<int32_t>(cases.size()));
  for (size_t i = 0; i < cases.size(); ++i) {
    auto entity = model->Item(static_cast<int32_t>(i));
    EXPECT_EQ(entity->ObjectName(), cases[i].objectName);
  }
  EXPECT_NE(std::dynamic_pointer_cast<host::LightweightPolyline>(model->Item(0)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Line>(model->Item(1)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::PointEntity>(model->Item(2)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Text>(model->Item(5)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Region>(model->Item(6)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Dimension>(model->Item(7)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Dimension>(model->Item(8)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::BlockReference>(model->Item(9)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::AttributeDefinition>(model->Item(10)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<host::Solid3d>(model->Item(11)), nullptr);
  // A circle is no polyline: the control's As<> raises the type mismatch.
  EXPECT_EQ(ErrorOf([&] { automation::As<host::LightweightPolyline>(model->Item(3)); }).number(),
            automation::errors::kTypeMismatch);
}

TEST_F(MemoryEntities, putting_a_colour_index_sets_the_method_by_index_by_layer_or_by_block) {
  auto point = doc->ModelSpace()->AddPoint({0, 0, 0});
  point->SetColor(5);
  EXPECT_EQ(point->TrueColor()->ColorMethod(), host::color_method::kByACI);
  EXPECT_EQ(point->TrueColor()->ColorIndex(), 5);
  point->SetColor(0);
  EXPECT_EQ(point->TrueColor()->ColorMethod(), host::color_method::kByBlock);
  EXPECT_EQ(point->TrueColor()->ColorIndex(), 0);
  point->SetColor(256);
  EXPECT_EQ(point->TrueColor()->ColorMethod(), host::color_method::kByLayer);
  EXPECT_EQ(point->TrueColor()->ColorIndex(), 256);
}

TEST_F(MemoryEntities, an_entity_moves_only_to_a_layer_the_drawing_has) {
  auto point = doc->ModelSpace()->AddPoint({0, 0, 0});
  doc->Layers()->Add("VeskNimBoSelectedPoint");
  point->SetLayer("vesknimboselectedpoint");
  EXPECT_EQ(point->Layer(), "VeskNimBoSelectedPoint");
  auto error = ErrorOf([&] { point->SetLayer("Nowhere"); });
  EXPECT_EQ(error.number(), host_error::kKeyNotFound);
  EXPECT_THAT(error.description(), HasSubstr("\"Nowhere\""));
}

TEST_F(MemoryEntities, object_ids_are_stable_distinct_and_find_their_entity) {
  auto a = doc->ModelSpace()->AddPoint({0, 0, 0});
  auto b = doc->ModelSpace()->AddPoint({1, 0, 0});
  EXPECT_NE(a->ObjectID(), b->ObjectID());
  EXPECT_EQ(doc->ModelSpace()->Item(1)->ObjectID(), b->ObjectID());
  Drawing& other = app->AddDocument("Other");
  const auto h = other.AddEntity(Space::Model(), PointAt("x", 0, 0));
  EXPECT_NE(other.ObjectIdOf(h), a->ObjectID());
  EXPECT_EQ(site.HandleOfObjectId(other.ObjectIdOf(h)), Drawing::kNoHandle);
}

TEST_F(MemoryEntities, a_deleted_entity_answers_every_call_with_a_clear_error) {
  auto point = doc->ModelSpace()->AddPoint({0, 0, 0});
  point->Delete();
  EXPECT_EQ(doc->ModelSpace()->Count(), 0);
  auto error = ErrorOf([&] { point->Layer(); });
  EXPECT_EQ(error.number(), host_error::kObjectErased);
  EXPECT_THAT(error.description(), HasSubstr("entity #1"));
  EXPECT_EQ(ErrorOf([&] { point->Delete(); }).number(), host_error::kObjectErased);
  EXPECT_EQ(ErrorOf([&] { point->Coordinates(); }).number(), host_error::kObjectErased);
}

TEST_F(MemoryEntities, deleting_the_visited_entity_during_enumeration_visits_every_other_once) {
  for (int i = 0; i < 10; ++i)
    site.AddEntity(Space::Model(), PointAt("e" + std::to_string(i), i, 0));
  std::vector<std::string> visited;
  doc->ModelSpace()->ForEach([&](const host::EntityRef& e) {
    visited.push_back(site.Entity(site.HandleOfObjectId(e->ObjectID())).id);
    e->Delete();
  });
  EXPECT_THAT(visited, ElementsAre("e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9"));
  EXPECT_EQ(doc->ModelSpace()->Count(), 0);
}

TEST_F(MemoryEntities,
       deleting_entities_ahead_during_enumeration_skips_them_and_visits_the_rest_once) {
  for (int i = 0; i < 6; ++i)
    site.AddEntity(Space::Model(), PointAt("e" + std::to_string(i), i, 0));
  auto model = doc->ModelSpace();
  std::vector<std::string> visited;
  model->ForEach([&](const host::EntityRef& e) {
    const std::string id = site.Entity(site.HandleOfObjectId(e->ObjectID())).id;
    visited.push_back(id);
    if (id == "e1") {
      // Delete e3 and e4 through fresh objects, while the enumeration runs.
      model->Item(3)->Delete();  // e3 (zero-based: e0, e1, e2 come first)
      model->Item(3)->Delete();  // then e4
    }
  });
  EXPECT_THAT(visited, ElementsAre("e0", "e1", "e2", "e5"));
  EXPECT_THAT(Ids(*model, site), ElementsAre("e0", "e1", "e2", "e5"));
}

TEST_F(MemoryEntities, entities_added_during_enumeration_are_not_visited) {
  site.AddEntity(Space::Model(), PointAt("e0", 0, 0));
  site.AddEntity(Space::Model(), PointAt("e1", 1, 0));
  auto model = doc->ModelSpace();
  int visits = 0;
  model->ForEach([&](const host::EntityRef&) {
    ++visits;
    model->AddPoint({9, 9, 0});
  });
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(model->Count(), 4);
}

TEST_F(MemoryEntities,
       the_delete_all_pattern_removes_every_entity_on_a_layer_across_a_large_drawing) {
  for (int i = 0; i < 5000; ++i) {
    site.AddEntity(Space::Model(),
                   PointAt("e" + std::to_string(i), i, 0, i % 3 == 0 ? "Gone" : "Kept"));
  }
  auto model = doc->ModelSpace();
  int visits = 0;
  model->ForEach([&](const host::EntityRef& e) {
    ++visits;
    if (e->Layer() == "Gone") e->Delete();
  });
  EXPECT_EQ(visits, 5000);
  EXPECT_EQ(model->Count(), 3333);
  for (const EntityData& e : site.Entities(Space::Model())) EXPECT_EQ(e.layer, "Kept");
  // Paper space is untouched by model-space deletion.
  EXPECT_EQ(site.EntityCount(Space::Paper()), 0u);
}

TEST_F(MemoryEntities, a_polyline_needs_an_even_number_of_at_least_four_coordinates) {
  auto model = doc->ModelSpace();
  EXPECT_EQ(ErrorOf([&] {
              model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0, 1}});
            }).number(),
            host_error::kInvalidInput);
  EXPECT_EQ(ErrorOf([&] {
              model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0}});
            }).number(),
            host_error::kInvalidInput);
  EXPECT_EQ(model->Count(), 0);
  auto polyline = model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0, 1, 2}});
  EXPECT_EQ(polyline->Coordinates().values, (std::vector<double>{0, 0, 1, 2}));
}

TEST_F(MemoryEntities, dimensions_keep_their_override_height_and_arrowheads) {
  auto dim = doc->ModelSpace()->AddDimAligned({0, 0, 0}, {10, 0, 0}, {5, 2, 0});
  dim->SetTextOverride("12.5");
  dim->SetTextHeight(2.5);
  dim->SetArrowheadSize(0);
  dim->Update();
  auto angular = doc->ModelSpace()->AddDimAngular({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
  const auto entities = site.Entities(Space::Model());
  EXPECT_EQ(entities[0].kind, EntityKind::AlignedDimension);
  EXPECT_EQ(entities[0].text, "12.5");
  EXPECT_EQ(entities[0].height, 2.5);
  EXPECT_EQ(entities[0].arrowheadSize, 0);
  EXPECT_EQ(entities[0].second, (Point3{10, 0, 0}));
  EXPECT_EQ(entities[0].textPosition, (Point3{5, 2, 0}));
  EXPECT_EQ(entities[1].vertex, (Point3{0, 0, 0}));
  EXPECT_EQ(entities[1].textPosition, (Point3{1, 1, 0}));
  EXPECT_EQ(ErrorOf([&] { angular->SetTextHeight(0); }).number(), host_error::kInvalidInput);
}

TEST_F(MemoryEntities, a_text_height_that_is_not_positive_is_refused) {
  EXPECT_EQ(ErrorOf([&] {
              doc->ModelSpace()->AddText("1", {0, 0, 0}, 0);
            }).number(),
            host_error::kInvalidInput);
  EXPECT_EQ(site.EntityCount(Space::Model()), 0u);
}

TEST_F(MemoryEntities, a_block_reference_gets_one_attribute_per_definition_with_its_default) {
  auto block = doc->Blocks()->Add({0, 0, 0}, "Height");
  block->AddAttribute(2.5, 0, "", {0, 0, 0}, "Height", "12.5");
  block->AddAttribute(2.5, 0, "", {0, 0, 0}, "Height", "13");
  auto reference = doc->ModelSpace()->InsertBlock({5, 6, 0}, "height", 1, 1, 1, 0);
  const auto entities = site.Entities(Space::Model());
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(entities[0].block, "Height");
  EXPECT_EQ(entities[0].at, (Point3{5, 6, 0}));
  EXPECT_EQ(entities[0].scale, (Point3{1, 1, 1}));
  EXPECT_THAT(entities[0].attributes,
              ElementsAre(AttributeValue{"Height", "12.5"}, AttributeValue{"Height", "13"}));
  // The definitions are entities of the block, numbered like the control's others.
  const auto defs = site.Entities(Space::Block(0));
  ASSERT_EQ(defs.size(), 2u);
  EXPECT_EQ(defs[0].id, "#1");
  EXPECT_EQ(defs[0].tag, "Height");
  EXPECT_EQ(defs[0].text, "12.5");
  EXPECT_EQ(entities[0].id, "#3");
  (void)reference;
}

TEST_F(MemoryEntities, adding_an_existing_block_name_answers_that_block) {
  auto first = doc->Blocks()->Add({0, 0, 0}, "Height");
  auto second = doc->Blocks()->Add({1, 1, 0}, "HEIGHT");
  EXPECT_EQ(second->Name(), "Height");
  EXPECT_EQ(doc->Blocks()->Count(), 1);
  EXPECT_EQ(doc->Blocks()->Item(0)->Name(), "Height");
  (void)first;
}

TEST_F(MemoryEntities, inserting_an_unknown_block_is_a_clear_error) {
  auto error = ErrorOf([&] { doc->ModelSpace()->InsertBlock({0, 0, 0}, "Nope", 1, 1, 1, 0); });
  EXPECT_EQ(error.number(), host_error::kKeyNotFound);
  EXPECT_THAT(error.description(), HasSubstr("\"Nope\""));
}

TEST_F(MemoryEntities, an_extruded_solid_records_its_profile_and_needs_a_region) {
  site.AddEntity(Space::Model(), Region("r1", {0, 0, 4, 0, 4, 4}));
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
  auto model = doc->ModelSpace();
  auto region = automation::As<host::Region>(model->Item(0));
  model->AddExtrudedSolid(region, -3, 0);
  const auto solid = site.Entities(Space::Model()).back();
  EXPECT_EQ(solid.kind, EntityKind::Solid);
  EXPECT_EQ(solid.profile, "r1");
  EXPECT_EQ(solid.height, -3);
  EXPECT_EQ(solid.taperAngle, 0);
  EXPECT_EQ(ErrorOf([&] { model->AddExtrudedSolid(nullptr, 3, 0); }).number(),
            host_error::kInvalidInput);
  EXPECT_EQ(ErrorOf([&] { model->AddExtrudedSolid(region, 0, 0); }).number(),
            host_error::kInvalidInput);
}

TEST_F(MemoryEntities, setup_reads_back_every_property_of_every_kind) {
  EntityData arc;
  arc.id = "a1";
  arc.kind = EntityKind::Arc;
  arc.layer = "Arcs";
  arc.color = ColorValue::Rgb(1, 2, 3);
  arc.lineweight = 30;
  arc.center = {1, 2, 3};
  arc.radius = 4;
  arc.startAngle = 0.5;
  arc.endAngle = 2;
  EntityData text;
  text.id = "t1";
  text.kind = EntityKind::Text;
  text.color = ColorValue{197, 12, 4, 5, 6};
  text.at = {7, 8, 0};
  text.text = "Hello";
  text.height = 3;
  EntityData polyline;
  polyline.id = "p1";
  polyline.kind = EntityKind::Polyline;
  polyline.points = {0, 0, 1, 0, 1, 1};
  polyline.closed = true;
  site.AddEntity(Space::Model(), arc);
  site.AddEntity(Space::Paper(), text);
  site.AddEntity(Space::Model(), polyline);

  const auto model = site.Entities(Space::Model());
  ASSERT_EQ(model.size(), 2u);
  EXPECT_EQ(model[0].id, "a1");
  EXPECT_EQ(model[0].layer, "Arcs");
  EXPECT_EQ(model[0].color, ColorValue::Rgb(1, 2, 3));
  EXPECT_EQ(model[0].lineweight, 30);
  EXPECT_EQ(model[0].center, (Point3{1, 2, 3}));
  EXPECT_EQ(model[0].radius, 4);
  EXPECT_EQ(model[0].startAngle, 0.5);
  EXPECT_EQ(model[0].endAngle, 2);
  EXPECT_TRUE(model[1].closed);
  EXPECT_EQ(model[1].points, (std::vector<double>{0, 0, 1, 0, 1, 1}));
  const auto paper = site.Entities(Space::Paper());
  ASSERT_EQ(paper.size(), 1u);
  EXPECT_EQ(paper[0].text, "Hello");
  EXPECT_EQ(paper[0].color, (ColorValue{197, 12, 4, 5, 6}));
  // The layer "Arcs" that the entity named was added to the table.
  EXPECT_EQ(site.Layers().back().name, "Arcs");
  EXPECT_EQ(site.FindEntity("t1")->at, (Point3{7, 8, 0}));
  EXPECT_FALSE(site.FindEntity("nope"));
}

TEST_F(MemoryEntities, setup_refuses_what_cannot_be_built) {
  EntityData reference;
  reference.id = "b1";
  reference.kind = EntityKind::BlockReference;
  reference.block = "Missing";
  EXPECT_THROW(site.AddEntity(Space::Model(), reference), SetupError);
  EntityData polyline;
  polyline.kind = EntityKind::Polyline;
  polyline.points = {0, 0, 1};
  EXPECT_THROW(site.AddEntity(Space::Model(), polyline), SetupError);
  EXPECT_THROW(site.AddEntity(Space::Block(4), PointAt("x", 0, 0)), SetupError);
}

}  // namespace
}  // namespace nimbo::standalone::testing
