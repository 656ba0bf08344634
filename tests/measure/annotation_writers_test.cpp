// Text, dimensions and block attributes written at the points the person picks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "support/embedded_control.h"
#include "support/strict_fakes.h"

namespace nimbo::testing {
namespace {

using standalone::AttributeValue;
using standalone::EntityData;
using standalone::EntityKind;
using standalone::Space;
using ::testing::ElementsAre;

void SaveAs(EmbeddedControl& h, double value, const std::string& method,
            const std::string& subOption, const std::string& height,
            std::vector<standalone::Answer> picks) {
  h.person.Give({ButtonAnswer{"Yes"}, InputAnswer{height}});
  h.person.Give(std::move(picks));
  h.Measure("DistanceMeasured", value, method, subOption);
}

PointAnswer At(double x, double y) {
  return PointAnswer{host::Point3{x, y, 0}};
}

TEST(add_text, writes_the_measure_text_at_the_picked_point) {
  EmbeddedControl h;
  SaveAs(h, 12.5, "<Save as text>", "<Save as text>", "2", {At(3, 4)});
  EXPECT_THAT(h.journal.StartingWith("user "),
              ElementsAre("user pick \"Enter a point for text position: \" -> "
                          "(3, 4, 0)"));
  const auto entities = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(entities[0].kind, EntityKind::Text);
  EXPECT_EQ(entities[0].text, "12.5");
  EXPECT_EQ(entities[0].at, (host::Point3{3, 4, 0}));
  EXPECT_EQ(entities[0].height, 2);
}

TEST(add_dimension, linear_shows_the_measure_not_the_distance_without_arrowheads) {
  EmbeddedControl h({.locale = &automation::Locale::DeDe()});
  SaveAs(h, 12.5, "<Save as dimension>", "Linear dimension", "1,5", {At(0, 0), At(3, 4), At(1, 5)});
  EXPECT_THAT(h.journal.StartingWith("user "),
              ElementsAre("user pick \"Enter a point for dimension fisrt point: \" -> (0, 0, 0)",
                          "user pick \"Enter a point for dimension second point: \" -> (3, 4, 0)",
                          "user pick \"Enter a point for dimension position: \" -> (1, 5, 0)"));
  const auto entities = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(entities.size(), 1u);
  const EntityData& d = entities[0];
  EXPECT_EQ(d.kind, EntityKind::AlignedDimension);
  EXPECT_EQ(d.first, (host::Point3{0, 0, 0}));
  EXPECT_EQ(d.second, (host::Point3{3, 4, 0}));
  EXPECT_EQ(d.textPosition, (host::Point3{1, 5, 0}));
  EXPECT_EQ(d.text, "12,5");  // the points are 5 apart
  EXPECT_EQ(d.height, 1.5);
  EXPECT_EQ(d.arrowheadSize, 0);
}

TEST(add_dimension, angular_takes_vertex_two_references_and_position) {
  EmbeddedControl h;
  SaveAs(h, 45, "<Save as dimension>", "Angular dimension", "1",
         {At(0, 0), At(1, 0), At(0, 1), At(2, 2)});
  EXPECT_THAT(h.journal.StartingWith("user "),
              ElementsAre("user pick \"Enter a point for angular vertex: \" -> (0, 0, 0)",
                          "user pick \"Enter a point for first reference point: \" -> (1, 0, 0)",
                          "user pick \"Enter a point for second reference point: \" -> (0, 1, 0)",
                          "user pick \"Enter a point for dimension position: \" -> (2, 2, 0)"));
  const auto entities = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(entities[0].kind, EntityKind::AngularDimension);
  EXPECT_EQ(entities[0].vertex, (host::Point3{0, 0, 0}));
  EXPECT_EQ(entities[0].first, (host::Point3{1, 0, 0}));
  EXPECT_EQ(entities[0].second, (host::Point3{0, 1, 0}));
  EXPECT_EQ(entities[0].text, "45");
  EXPECT_EQ(entities[0].arrowheadSize, 0);
}

TEST(add_dimension, an_unknown_sub_option_asks_the_height_then_does_nothing) {
  EmbeddedControl h;
  for (const char* subOption : {"Radial dimension", "linear dimension", ""}) {
    SaveAs(h, 5, "<Save as dimension>", subOption, "1", {});
  }
  EXPECT_EQ(h.journal.StartingWith("dialog input").size(), 3u);
  EXPECT_TRUE(h.journal.StartingWith("dialog message").empty());
  EXPECT_TRUE(h.journal.StartingWith("user ").empty());
  EXPECT_TRUE(h.DrawingChanges().empty());
}

// The one attribute definition of the block, or a failure.
EntityData OnlyDefinition(EmbeddedControl& h, uint32_t block) {
  const auto members = h.Drawing().Entities(Space::Block(block));
  EXPECT_EQ(members.size(), 1u);
  return members.empty() ? EntityData{} : members[0];
}

TEST(add_attribute, a_new_block_gets_one_definition_and_a_reference) {
  EmbeddedControl h;
  SaveAs(h, 12.5, "<Save as attribute>", "Height", "2.5", {At(10, 20)});
  EXPECT_THAT(h.journal.StartingWith("user "),
              ElementsAre("user pick \"Enter a point for block with "
                          "attribute: \" -> (10, 20, 0)"));
  const auto blocks = h.Drawing().Blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].name, "Height");
  EXPECT_EQ(blocks[0].origin, (host::Point3{0, 0, 0}));
  const EntityData definition = OnlyDefinition(h, 0);
  EXPECT_EQ(definition.kind, EntityKind::AttributeDefinition);
  EXPECT_EQ(definition.tag, "Height");
  EXPECT_EQ(definition.text, "12.5");
  EXPECT_EQ(definition.prompt, "");
  EXPECT_EQ(definition.mode, 0);
  EXPECT_EQ(definition.height, 2.5);
  EXPECT_EQ(definition.at, (host::Point3{0, 0, 0}));

  const auto references = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(references.size(), 1u);
  EXPECT_EQ(references[0].block, "Height");
  EXPECT_EQ(references[0].at, (host::Point3{10, 20, 0}));
  EXPECT_EQ(references[0].scale, (host::Point3{1, 1, 1}));
  EXPECT_EQ(references[0].rotation, 0);
  EXPECT_THAT(references[0].attributes, ElementsAre(AttributeValue{"Height", "12.5"}));
}

TEST(add_attribute, a_second_save_updates_the_definition_and_keeps_earlier_values) {
  EmbeddedControl h;
  SaveAs(h, 12.5, "<Save as attribute>", "Height", "2.5", {At(10, 20)});
  SaveAs(h, 7.25, "<Save as attribute>", "Height", "3", {At(30, 40)});
  EXPECT_EQ(h.journal.StartingWith("drawing Site.dwg block added").size(), 1u);
  const EntityData definition = OnlyDefinition(h, 0);
  EXPECT_EQ(definition.text, "7.25");
  EXPECT_EQ(definition.height, 3);

  const auto references = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(references.size(), 2u);
  EXPECT_THAT(references[0].attributes, ElementsAre(AttributeValue{"Height", "12.5"}));
  EXPECT_THAT(references[1].attributes, ElementsAre(AttributeValue{"Height", "7.25"}));
}

TEST(add_attribute, a_block_stacked_by_earlier_saves_shows_one_value_in_new_references) {
  EmbeddedControl h;
  // Two saves of an earlier release, with the tag upper-cased as the CAD host keeps it.
  const uint32_t block = h.Drawing().AddBlock({"Height", {0, 0, 0}});
  for (const char* old : {"1", "2"}) {
    EntityData definition;
    definition.kind = EntityKind::AttributeDefinition;
    definition.tag = "HEIGHT";
    definition.text = old;
    definition.height = 1;
    h.Drawing().AddEntity(Space::Block(block), definition);
  }
  SaveAs(h, 99, "<Save as attribute>", "Height", "4", {At(0, 0)});
  const auto members = h.Drawing().Entities(Space::Block(block));
  ASSERT_EQ(members.size(), 2u);
  for (const EntityData& member : members) {
    EXPECT_EQ(member.text, "99");
    EXPECT_EQ(member.height, 4);
  }
  const auto references = h.Drawing().Entities(Space::Model());
  ASSERT_EQ(references.size(), 1u);
  EXPECT_THAT(references[0].attributes,
              ElementsAre(AttributeValue{"HEIGHT", "99"}, AttributeValue{"HEIGHT", "99"}));
}

// A block definition that only has a name: what the block search reads of the blocks it
// passes over.
class NamedBlock : public host::Block {
 public:
  explicit NamedBlock(std::string name) : name_(std::move(name)) {}
  std::string Name() override { return name_; }
  int32_t Count() override { Unexpected(); }
  host::EntityRef Item(int32_t) override { Unexpected(); }
  void ForEach(const std::function<void(const host::EntityRef&)>&) override { Unexpected(); }
  std::shared_ptr<host::PointEntity> AddPoint(const host::Point3&) override { Unexpected(); }
  std::shared_ptr<host::LightweightPolyline> AddLightWeightPolyline(
      const automation::DoubleArray&) override {
    Unexpected();
  }
  std::shared_ptr<host::Text> AddText(const std::string&, const host::Point3&, double) override {
    Unexpected();
  }
  std::shared_ptr<host::Dimension> AddDimAligned(const host::Point3&, const host::Point3&,
                                                 const host::Point3&) override {
    Unexpected();
  }
  std::shared_ptr<host::Dimension> AddDimAngular(const host::Point3&, const host::Point3&,
                                                 const host::Point3&,
                                                 const host::Point3&) override {
    Unexpected();
  }
  std::shared_ptr<host::Solid3d> AddExtrudedSolid(const std::shared_ptr<host::Region>&, double,
                                                  double) override {
    Unexpected();
  }
  std::shared_ptr<host::BlockReference> InsertBlock(const host::Point3&, const std::string&, double,
                                                    double, double, double) override {
    Unexpected();
  }
  std::shared_ptr<host::AttributeDefinition> AddAttribute(double, int32_t, const std::string&,
                                                          const host::Point3&, const std::string&,
                                                          const std::string&) override {
    Unexpected();
  }

 private:
  [[noreturn]] void Unexpected() { UnexpectedCall("padding block " + name_); }
  std::string name_;
};

// The drawing's block table behind 40,000 definitions of other names: more than a 16-bit
// count can pass. (Building that many in the drawing itself takes its setup seconds.)
class PaddedBlocks : public host::Blocks {
 public:
  static constexpr int32_t kPadding = 40000;
  explicit PaddedBlocks(std::shared_ptr<host::Blocks> real) : real_(std::move(real)) {}
  int32_t Count() override { return kPadding + real_->Count(); }
  std::shared_ptr<host::Block> Item(int32_t index) override {
    if (index < kPadding) return std::make_shared<NamedBlock>("Pad" + std::to_string(index));
    return real_->Item(index - kPadding);
  }
  std::shared_ptr<host::Block> Add(const host::Point3& origin, const std::string& name) override {
    return real_->Add(origin, name);
  }

 private:
  std::shared_ptr<host::Blocks> real_;
};

// The drawing as the control sees it, but with the padded block table.
class PaddedDocument : public host::Document {
 public:
  explicit PaddedDocument(host::DocumentRef real) : real_(std::move(real)) {}
  std::string Name() override { return real_->Name(); }
  automation::Variant GetVariable(const std::string& n) override { return real_->GetVariable(n); }
  void SetVariable(const std::string& n, const automation::Variant& v) override {
    real_->SetVariable(n, v);
  }
  std::shared_ptr<host::Application> Application() override { return real_->Application(); }
  std::shared_ptr<host::EntityCollection> ModelSpace() override { return real_->ModelSpace(); }
  std::shared_ptr<host::EntityCollection> PaperSpace() override { return real_->PaperSpace(); }
  std::shared_ptr<host::Layers> Layers() override { return real_->Layers(); }
  std::shared_ptr<host::Blocks> Blocks() override {
    return std::make_shared<PaddedBlocks>(real_->Blocks());
  }
  std::shared_ptr<host::SelectionSets> SelectionSets() override { return real_->SelectionSets(); }
  std::shared_ptr<host::Utility> Utility() override { return real_->Utility(); }
  int32_t Advise(host::DocumentEvents* sink) override { return real_->Advise(sink); }
  void Unadvise(int32_t cookie) override { real_->Unadvise(cookie); }

 private:
  host::DocumentRef real_;
};

TEST(add_attribute, the_block_search_counts_past_sixteen_bits) {
  // The handler would turn a call on a padding block into a message: strict, it also fails.
  StrictFakes strict;
  EmbeddedControl h;
  h.Drawing().AddBlock({"Height", {0, 0, 0}});
  h.control->State().activeDoc =
      std::make_shared<PaddedDocument>(h.application->DocumentObject(kDrawingName));
  SaveAs(h, 1, "<Save as attribute>", "Height", "1", {At(0, 0)});
  EXPECT_TRUE(h.journal.StartingWith("dialog message").empty());
  EXPECT_TRUE(h.journal.StartingWith("drawing Site.dwg block added").empty());
  EXPECT_EQ(h.Drawing().EntityCount(Space::Block(0)), 1u);

  // Past all of them without a match: the block is added.
  SaveAs(h, 2, "<Save as attribute>", "Area", "1", {At(0, 0)});
  EXPECT_TRUE(h.journal.StartingWith("dialog message").empty());
  EXPECT_EQ(h.journal.StartingWith("drawing Site.dwg block added").size(), 1u);
  EXPECT_EQ(h.Drawing().EntityCount(Space::Model()), 2u);
}

TEST(writers, a_cancelled_first_pick_adds_nothing_but_a_new_block) {
  struct Case {
    const char* method;
    const char* subOption;
  };
  for (const Case& c :
       {Case{"<Save as text>", "<Save as text>"}, Case{"<Save as dimension>", "Linear dimension"},
        Case{"<Save as dimension>", "Angular dimension"}, Case{"<Save as attribute>", "Area"}}) {
    EmbeddedControl h;
    SaveAs(h, 1, c.method, c.subOption, "1", {PointAnswer{std::nullopt}});
    EXPECT_EQ(h.Drawing().EntityCount(Space::Model()), 0u) << c.subOption;
    EXPECT_EQ(h.Dialogs().back(),
              "dialog message \"Exception: vnvEvents_DistanceMeasured -2147352567, Exception "
              "occurred., SaveMeasurement\" caption \"VeskNimboDock17\"");
  }
  // The attribute's block is defined before its pick and stays, empty.
  EmbeddedControl h;
  SaveAs(h, 1, "<Save as attribute>", "Area", "1", {PointAnswer{std::nullopt}});
  ASSERT_EQ(h.Drawing().Blocks().size(), 1u);
  EXPECT_EQ(h.Drawing().EntityCount(Space::Block(0)), 0u);
}

TEST(writers, without_a_drawing_nothing_is_picked_or_written) {
  for (const char* method : {"<Save as text>", "<Save as dimension>", "<Save as attribute>"}) {
    EmbeddedControl h({.drawing = ""});
    h.person.Give({ButtonAnswer{"Yes"}, InputAnswer{"1"}});
    h.Measure("AreaMeasured", 1, method, "Linear dimension");
    EXPECT_EQ(h.Dialogs().size(), 2u) << method;
    EXPECT_TRUE(h.journal.StartingWith("user ").empty());
  }
}

}  // namespace
}  // namespace nimbo::testing
