// The drawing's tables on their own: layers (interned, counted users, deletion rules),
// blocks, named selection sets, system variables and object data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "standalone/cad/block_table.h"
#include "standalone/cad/layer_table.h"
#include "standalone/cad/name_key.h"
#include "standalone/cad/object_data_store.h"
#include "standalone/cad/selection_set_table.h"
#include "standalone/cad/setup_error.h"
#include "standalone/cad/system_variables.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(name_key, ignores_letter_case_only) {
  EXPECT_EQ(NameKey("Road-Edge_2"), "ROAD-EDGE_2");
  EXPECT_NE(NameKey("road"), NameKey("roads"));
}

TEST(layer_table, starts_with_layer_0_current_and_interns_names_case_insensitively) {
  LayerTable layers;
  EXPECT_EQ(layers.Count(), 1u);
  EXPECT_EQ(layers.Name(layers.Current()), "0");
  const uint32_t roads = layers.Intern("Roads");
  EXPECT_EQ(layers.Intern("ROADS"), roads);
  EXPECT_EQ(layers.Find("roads"), roads);
  EXPECT_EQ(layers.Find("Rivers"), std::nullopt);
  EXPECT_EQ(layers.Count(), 2u);
}

TEST(layer_table, put_replaces_the_properties_but_keeps_the_first_spelling) {
  LayerTable layers;
  layers.Intern("Roads");
  LayerData data{"ROADS", ColorValue::Index(3)};
  data.on = false;
  const uint32_t number = layers.Put(data);
  EXPECT_EQ(layers.Layer(number).name, "Roads");
  EXPECT_EQ(layers.Layer(number).color, ColorValue::Index(3));
  EXPECT_FALSE(layers.Layer(number).on);
  layers.SetColor(number, ColorValue::Index(5));
  EXPECT_EQ(layers.InOrder()[1].color, ColorValue::Index(5));
}

TEST(layer_table, refuses_to_delete_layer_0_the_current_layer_and_a_layer_in_use) {
  LayerTable layers;
  const uint32_t used = layers.Intern("Used");
  const uint32_t current = layers.Intern("Current");
  const uint32_t spare = layers.Intern("Spare");
  layers.SetCurrent(current);
  layers.AddUser(used);
  layers.AddUser(used);
  EXPECT_THAT(layers.WhyUndeletable(0).value_or(""), HasSubstr("base layer"));
  EXPECT_EQ(layers.WhyUndeletable(current), "it is the current layer");
  EXPECT_EQ(layers.WhyUndeletable(used), "it is still used by 2 objects");
  layers.RemoveUser(used);
  EXPECT_EQ(layers.WhyUndeletable(used), "it is still used by 1 object");
  EXPECT_EQ(layers.WhyUndeletable(spare), std::nullopt);
}

TEST(layer_table, a_deleted_layer_keeps_its_number_and_leaves_the_table) {
  LayerTable layers;
  const uint32_t a = layers.Intern("A");
  const uint32_t b = layers.Intern("B");
  layers.Delete(a);
  layers.Delete(a);  // twice: nothing more
  EXPECT_FALSE(layers.Live(a));
  EXPECT_TRUE(layers.Live(b));
  EXPECT_FALSE(layers.Live(99));
  EXPECT_EQ(layers.Count(), 2u);
  EXPECT_EQ(layers.At(1), b);
  EXPECT_EQ(layers.Find("a"), std::nullopt);
  // The name may be used again, for a new layer.
  EXPECT_NE(layers.Intern("A"), a);
}

TEST(block_table, finds_definitions_case_insensitively_in_order_of_definition) {
  BlockTable blocks;
  EXPECT_EQ(blocks.Add(BlockData{"Marker", {1, 2, 0}}), 0u);
  EXPECT_EQ(blocks.Add(BlockData{"Tree", {}}), 1u);
  EXPECT_EQ(blocks.Find("MARKER"), 0u);
  EXPECT_EQ(blocks.Find("tree"), 1u);
  EXPECT_EQ(blocks.Find("House"), std::nullopt);
  EXPECT_EQ(blocks.Count(), 2u);
  EXPECT_EQ(blocks.Block(0).origin, (Point3{1, 2, 0}));
  EXPECT_EQ(blocks.All()[1].name, "Tree");
}

TEST(selection_set_table, finds_case_insensitively_and_marks_a_deleted_set) {
  SelectionSetTable sets;
  const SelectionSetRef first = sets.Add("First");
  sets.Add("Second");
  EXPECT_EQ(sets.Find("FIRST"), first);
  EXPECT_EQ(sets.Find("Third"), nullptr);
  sets.Delete(first);
  EXPECT_TRUE(first->deleted);  // an object still holding it sees it
  EXPECT_EQ(sets.Find("first"), nullptr);
  EXPECT_THAT(sets.Names(), ElementsAre("Second"));
  EXPECT_EQ(sets.All().size(), 1u);
}

TEST(system_variables, start_with_the_view_and_point_display_defaults) {
  SystemVariables variables;
  ASSERT_EQ(variables.All().size(), 4u);
  EXPECT_EQ(variables.All()[0].name, "VIEWCTR");
  EXPECT_TRUE(variables.Find("viewctr")->readOnly);
  EXPECT_EQ(variables.Find("VIEWSIZE")->value.AsDouble(), 100.0);
  EXPECT_EQ(variables.Find("pdmode")->type, VariableType::Integer);
  EXPECT_EQ(variables.Find("NOSUCH"), nullptr);
}

TEST(system_variables, store_keeps_the_type_and_define_sets_it) {
  SystemVariables variables;
  variables.Store("viewsize", 250.0);
  EXPECT_EQ(variables.Find("VIEWSIZE")->value.AsDouble(), 250.0);
  EXPECT_EQ(variables.Find("VIEWSIZE")->type, VariableType::Double);
  variables.Define("clayer", std::string("Roads"), VariableType::String, true);
  const Variable* defined = variables.Find("CLAYER");
  ASSERT_NE(defined, nullptr);
  EXPECT_EQ(defined->name, "CLAYER");
  EXPECT_EQ(defined->type, VariableType::String);
  EXPECT_TRUE(defined->readOnly);
  EXPECT_EQ(variables.All().back().name, "CLAYER");
}

TEST(object_data_store, refuses_a_table_defined_twice_and_keeps_records_in_order) {
  ObjectDataStore store;
  store.AddTable(ObjectDataTable{"Heights", {"Height", "Unit"}});
  EXPECT_THROW(store.AddTable(ObjectDataTable{"Heights", {}}), SetupError);
  store.AddRecord(ObjectDataRecord{"Heights", "p1", {{"Height", 12.5}}});
  store.AddRecord(ObjectDataRecord{"Heights", "p2", {}});
  ASSERT_EQ(store.Tables().size(), 1u);
  EXPECT_THAT(store.Tables()[0].fields, ElementsAre("Height", "Unit"));
  ASSERT_EQ(store.Records().size(), 2u);
  EXPECT_EQ(store.Records()[0].object, "p1");
  EXPECT_EQ(store.Records()[1].object, "p2");
}

}  // namespace
}  // namespace nimbo::standalone::testing
