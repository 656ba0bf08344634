// Extrusion of selected regions and object-data records on selected objects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/embedded_control.h"

namespace nimbo::testing {
namespace {

using standalone::EntityData;
using standalone::EntityKind;
using standalone::Space;
using ::testing::ElementsAre;

constexpr const char* kExtrusion = "<Save as extrusion (only for heights)>";
constexpr const char* kSetName = "\"Vesk12/7/2026 10:15:30 AM\"";

void AddRegion(EmbeddedControl& h, const std::string& id, double x) {
  EntityData region;
  region.id = id;
  region.kind = EntityKind::Region;
  region.points = {x, 0, x + 1, 0, x + 1, 1, x, 1};
  h.Drawing().AddEntity(Space::Model(), region);
}

void AddLine(EmbeddedControl& h, const std::string& id) {
  EntityData line;
  line.id = id;
  line.kind = EntityKind::Line;
  line.start = {0, 0, 0};
  line.end = {5, 5, 0};
  h.Drawing().AddEntity(Space::Model(), line);
}

void Extrude(EmbeddedControl& h, double value, std::vector<std::string> selected) {
  h.person.Give({ButtonAnswer{"Yes"}, SelectAnswer{std::move(selected)}});
  h.Measure("HeightMeasured", value, kExtrusion, kExtrusion);
}

std::vector<EntityData> Solids(EmbeddedControl& h) {
  std::vector<EntityData> solids;
  for (const EntityData& e : h.Drawing().Entities(Space::Model())) {
    if (e.kind == EntityKind::Solid) solids.push_back(e);
  }
  return solids;
}

TEST(extrude_entity, extrudes_the_selected_regions_and_skips_the_rest) {
  EmbeddedControl h;
  AddRegion(h, "r1", 0);
  AddLine(h, "l1");
  AddRegion(h, "r2", 5);
  Extrude(h, -3.5, {"r1", "l1", "r2"});
  const auto solids = Solids(h);
  ASSERT_EQ(solids.size(), 2u);
  EXPECT_EQ(solids[0].profile, "r1");
  EXPECT_EQ(solids[1].profile, "r2");
  EXPECT_EQ(solids[0].height, -3.5);  // passed on as measured
  EXPECT_EQ(solids[0].taperAngle, 0);
  EXPECT_TRUE(h.Drawing().FindEntity("r1").has_value());  // the regions stay
  EXPECT_EQ(h.Dialogs().size(), 1u);                      // the confirmation only
  EXPECT_THAT(h.journal.StartingWith("drawing Site.dwg selection set"),
              ElementsAre(std::string("drawing Site.dwg selection set added ") + kSetName,
                          std::string("drawing Site.dwg selection set ") + kSetName +
                              " selected 3 on screen",
                          std::string("drawing Site.dwg selection set ") + kSetName + " deleted"));
}

TEST(extrude_entity, an_empty_selection_leaves_no_selection_set) {
  EmbeddedControl h;
  Extrude(h, 3, {});
  EXPECT_TRUE(Solids(h).empty());
  EXPECT_TRUE(h.Drawing().SelectionSetNames().empty());
  // A second save in the same second would fail on a set left behind.
  AddRegion(h, "r1", 0);
  Extrude(h, 3, {"r1"});
  EXPECT_EQ(Solids(h).size(), 1u);
}

TEST(extrude_entity, a_failing_host_call_keeps_earlier_solids_and_leaves_no_set) {
  EmbeddedControl h;
  AddRegion(h, "r1", 0);
  AddRegion(h, "r2", 5);
  h.faults.Add("drawing.ModelSpace.AddExtrudedSolid", -2145386493, "Invalid input", 1);
  Extrude(h, 3, {"r1", "r2"});
  EXPECT_EQ(Solids(h).size(), 1u);
  EXPECT_EQ(h.Dialogs().back(),
            "dialog message \"Exception: vnvEvents_HeightMeasured -2145386493, Invalid input, "
            "SaveMeasurement\" caption \"VeskNimboDock17\"");
  EXPECT_TRUE(h.Drawing().SelectionSetNames().empty());
  Extrude(h, 3, {"r2"});  // same clock second, same set name
  EXPECT_EQ(Solids(h).size(), 2u);
}

class ObjectData : public ::testing::Test {
 protected:
  ObjectData() {
    h.Drawing().AddObjectDataTable({"Parcels", {"Owner", "Area"}});
    AddRegion(h, "a", 0);
    AddLine(h, "b");
    AddRegion(h, "c", 5);
  }
  void Save(double value, const std::string& table, const std::string& field,
            std::vector<std::string> selected) {
    h.person.Give({ButtonAnswer{"Yes"}, SelectAnswer{std::move(selected)}});
    h.Measure("AreaMeasured", value, table, field);
  }
  EmbeddedControl h;
};

TEST_F(ObjectData, every_selected_object_gets_a_new_record_with_the_value) {
  h.Drawing().AddObjectDataRecord({"Parcels", "a", {{"Owner", automation::Variant("Kim")}}});
  Save(12.5, "Parcels", "Area", {"a", "b", "c"});
  const auto& records = h.Drawing().ObjectDataRecords();
  ASSERT_EQ(records.size(), 4u);  // the earlier record of "a" and three new ones
  std::vector<std::string> objects;
  for (size_t i = 1; i < records.size(); ++i) {
    EXPECT_EQ(records[i].table, "Parcels");
    ASSERT_EQ(records[i].values.size(), 1u);
    EXPECT_EQ(records[i].values[0].first, "Area");
    EXPECT_EQ(records[i].values[0].second, automation::Variant(12.5));
    objects.push_back(records[i].object);
  }
  EXPECT_THAT(objects, ElementsAre("a", "b", "c"));
  EXPECT_TRUE(h.Drawing().SelectionSetNames().empty());
  EXPECT_EQ(h.Dialogs().size(), 1u);
}

TEST_F(ObjectData, a_missing_table_or_field_is_told_and_nothing_is_selected) {
  h.person.Give(ButtonAnswer{"Yes"});
  h.Measure("AreaMeasured", 1, "Roads", "Area");
  h.person.Give(ButtonAnswer{"Yes"});
  h.Measure("AreaMeasured", 1, "Parcels", "Width");
  h.person.Give(ButtonAnswer{"Yes"});
  h.Measure("AreaMeasured", 1, "Parcels", "area");  // field names are exact
  EXPECT_THAT(h.journal.StartingWith("dialog message"),
              ElementsAre("dialog message \"Object table Roads not found.\" caption "
                          "\"Vesk plug-in\"",
                          "dialog message \"Field Width in object table Parcels not found.\" "
                          "caption \"Vesk plug-in\"",
                          "dialog message \"Field area in object table Parcels not found.\" "
                          "caption \"Vesk plug-in\""));
  EXPECT_TRUE(h.journal.StartingWith("user ").empty());
  EXPECT_TRUE(h.DrawingChanges().empty());
}

TEST_F(ObjectData, an_empty_selection_writes_nothing_and_deletes_the_set) {
  Save(1, "Parcels", "Area", {});
  EXPECT_TRUE(h.Drawing().ObjectDataRecords().empty());
  EXPECT_TRUE(h.Drawing().SelectionSetNames().empty());
  EXPECT_EQ(h.journal.StartingWith("drawing Site.dwg selection set added").size(), 1u);
}

TEST_F(ObjectData, a_failing_attach_keeps_earlier_records_and_leaves_no_set) {
  h.faults.Add("map.ODRecord.AttachTo", -2147467259, "Unspecified error", 1);
  Save(1, "Parcels", "Area", {"a", "b", "c"});
  EXPECT_EQ(h.Drawing().ObjectDataRecords().size(), 1u);
  EXPECT_EQ(h.Dialogs().back(),
            "dialog message \"Exception: vnvEvents_AreaMeasured -2147467259, Unspecified "
            "error, SaveMeasurement\" caption \"VeskNimboDock17\"");
  EXPECT_TRUE(h.Drawing().SelectionSetNames().empty());
}

TEST_F(ObjectData, binds_the_application_drawing_when_none_is_bound) {
  h.control->State().activeDoc = nullptr;
  Save(2, "Parcels", "Area", {"a"});
  EXPECT_EQ(h.Drawing().ObjectDataRecords().size(), 1u);
  EXPECT_NE(h.control->State().activeDoc, nullptr);
}

}  // namespace
}  // namespace nimbo::testing
