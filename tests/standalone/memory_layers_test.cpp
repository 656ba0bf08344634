#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MemoryLayers : public MemoryHostTest {};

TEST_F(MemoryLayers, layer_zero_is_first_with_the_host_defaults) {
  auto layers = doc->Layers();
  ASSERT_EQ(layers->Count(), 1);
  auto zero = layers->Item(0);
  EXPECT_EQ(zero->Name(), "0");
  EXPECT_TRUE(zero->LayerOn());
  EXPECT_EQ(zero->Lineweight(), -3);
  auto color = zero->TrueColor();
  EXPECT_EQ(color->ColorMethod(), host::color_method::kByACI);
  EXPECT_EQ(color->ColorIndex(), 7);
}

TEST_F(MemoryLayers, adding_a_new_layer_appends_it_with_defaults_and_journals_it) {
  auto layer = doc->Layers()->Add("VeskNimBoTotalExtent");
  EXPECT_EQ(layer->Name(), "VeskNimBoTotalExtent");
  EXPECT_EQ(doc->Layers()->Count(), 2);
  EXPECT_EQ(doc->Layers()->Item(1)->Name(), "VeskNimBoTotalExtent");
  EXPECT_EQ(layer->TrueColor()->ColorIndex(), 7);
  EXPECT_EQ(layer->Lineweight(), -3);
  EXPECT_THAT(journal.Lines(), ElementsAre("drawing Site layer added \"VeskNimBoTotalExtent\""));
}

TEST_F(MemoryLayers, adding_an_existing_name_in_any_case_answers_that_layer_without_a_change) {
  site.PutLayer(LayerData{"Roads", ColorValue::Index(3)});
  auto layer = doc->Layers()->Add("ROADS");
  EXPECT_EQ(layer->Name(), "Roads");
  EXPECT_EQ(layer->TrueColor()->ColorIndex(), 3);
  EXPECT_EQ(doc->Layers()->Count(), 2);
  EXPECT_TRUE(journal.Lines().empty());
}

TEST_F(MemoryLayers, an_invalid_layer_name_is_refused) {
  auto error = ErrorOf([&] { doc->Layers()->Add("a<b"); });
  EXPECT_EQ(error.number(), host_error::kInvalidInput);
  EXPECT_THAT(error.description(), HasSubstr("\"a<b\""));
}

TEST_F(MemoryLayers, setting_a_layer_colour_is_by_index_and_journaled) {
  auto layer = doc->Layers()->Add("VeskNimBoTotalExtent");
  journal.Clear();
  layer->SetColor(5);
  auto color = doc->Layers()->Item(1)->TrueColor();
  EXPECT_EQ(color->ColorMethod(), host::color_method::kByACI);
  EXPECT_EQ(color->ColorIndex(), 5);
  EXPECT_THAT(journal.Lines(), ElementsAre("drawing Site layer \"VeskNimBoTotalExtent\" colour 5"));
  EXPECT_EQ(ErrorOf([&] { layer->SetColor(256); }).number(), host_error::kInvalidInput);
}

TEST_F(MemoryLayers, layer_zero_cannot_be_deleted) {
  auto error = ErrorOf([&] { doc->Layers()->Item(0)->Delete(); });
  EXPECT_EQ(error.number(), host_error::kCannotDelete);
  EXPECT_THAT(error.description(), HasSubstr("Layer \"0\" cannot be deleted"));
  EXPECT_EQ(doc->Layers()->Count(), 1);
}

TEST_F(MemoryLayers, the_current_layer_cannot_be_deleted) {
  site.SetCurrentLayer("Work");
  auto error = ErrorOf([&] { doc->Layers()->Item(1)->Delete(); });
  EXPECT_EQ(error.number(), host_error::kCannotDelete);
  EXPECT_EQ(error.description(), "Layer \"Work\" cannot be deleted: it is the current layer");
  EXPECT_EQ(doc->Layers()->Count(), 2);
}

TEST_F(MemoryLayers, a_layer_used_in_model_space_cannot_be_deleted) {
  site.AddEntity(Space::Model(), Line("e1", 0, 0, 1, 1, "Roads"));
  auto error = ErrorOf([&] { doc->Layers()->Item(1)->Delete(); });
  EXPECT_EQ(error.number(), host_error::kCannotDelete);
  EXPECT_EQ(error.description(), "Layer \"Roads\" cannot be deleted: it is still used by 1 object");
}

TEST_F(MemoryLayers, a_layer_used_only_in_paper_space_or_a_block_cannot_be_deleted) {
  site.AddEntity(Space::Paper(), PointAt("p1", 0, 0, "Sheet"));
  const uint32_t block = site.AddBlock(BlockData{"Tree", {0, 0, 0}});
  site.AddEntity(Space::Block(block), PointAt("b1", 0, 0, "Trees"));
  site.AddEntity(Space::Block(block), PointAt("b2", 1, 0, "Trees"));
  EXPECT_THAT(ErrorOf([&] { doc->Layers()->Item(1)->Delete(); }).description(),
              HasSubstr("\"Sheet\" cannot be deleted: it is still used by 1 object"));
  EXPECT_THAT(ErrorOf([&] { doc->Layers()->Item(2)->Delete(); }).description(),
              HasSubstr("\"Trees\" cannot be deleted: it is still used by 2 objects"));
}

TEST_F(MemoryLayers, a_layer_emptied_of_its_entities_can_be_deleted_and_is_then_gone) {
  site.AddEntity(Space::Model(), Line("e1", 0, 0, 1, 1, "Roads"));
  doc->ModelSpace()->Item(0)->Delete();
  auto layer = doc->Layers()->Item(1);
  journal.Clear();
  layer->Delete();
  EXPECT_EQ(doc->Layers()->Count(), 1);
  EXPECT_THAT(journal.Lines(), ElementsAre("drawing Site layer \"Roads\" deleted"));
  auto error = ErrorOf([&] { layer->Name(); });
  EXPECT_EQ(error.number(), host_error::kObjectErased);
  EXPECT_THAT(error.description(), HasSubstr("\"Roads\""));
  // The name can be used again.
  EXPECT_EQ(doc->Layers()->Add("roads")->Name(), "roads");
}

TEST_F(MemoryLayers, item_out_of_range_is_a_clear_error) {
  auto error = ErrorOf([&] { doc->Layers()->Item(3); });
  EXPECT_EQ(error.number(), host_error::kKeyNotFound);
  EXPECT_THAT(error.description(), HasSubstr("Layers has no item 3"));
}

TEST_F(MemoryLayers, enumeration_visits_the_table_in_order_and_survives_deletion_of_a_layer) {
  doc->Layers()->Add("A");
  doc->Layers()->Add("B");
  doc->Layers()->Add("C");
  std::vector<std::string> names;
  doc->Layers()->ForEach([&](const host::LayerRef& layer) {
    names.push_back(layer->Name());
    if (layer->Name() == "A") doc->Layers()->Item(2)->Delete();  // B
  });
  EXPECT_THAT(names, ElementsAre("0", "A", "C"));
}

TEST_F(MemoryLayers, setup_puts_every_layer_property_and_reads_it_back) {
  site.PutLayer(LayerData{"Walls", ColorValue::Rgb(10, 20, 30), false, true, true, 50});
  site.PutLayer(LayerData{"0", ColorValue::Index(1)});
  const auto layers = site.Layers();
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0], (LayerData{"0", ColorValue::Index(1)}));
  EXPECT_EQ(layers[1], (LayerData{"Walls", ColorValue::Rgb(10, 20, 30), false, true, true, 50}));
  auto walls = doc->Layers()->Item(1);
  EXPECT_FALSE(walls->LayerOn());
  EXPECT_EQ(walls->Lineweight(), 50);
  EXPECT_EQ(walls->TrueColor()->ColorMethod(), host::color_method::kByRGB);
  EXPECT_EQ(walls->TrueColor()->Green(), 20);
  EXPECT_TRUE(journal.Lines().empty());
}

}  // namespace
}  // namespace nimbo::standalone::testing
