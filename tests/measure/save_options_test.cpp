// The save methods and object-data tables published to the viewer by the button.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/embedded_control.h"

namespace nimbo::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kText = "<Save as text>,<Save as text>";
constexpr const char* kDimension = "<Save as dimension>,Linear dimension,Angular dimension";
constexpr const char* kAttribute = "<Save as attribute>,Area,Distance,Bearing,Elevation,Height,X,Y";
constexpr const char* kExtrusion =
    "<Save as extrusion (only for heights)>,<Save as extrusion (only for heights)>";

TEST(save_options, fixed_methods_then_every_table_with_its_fields_in_order) {
  EmbeddedControl h;
  h.Drawing().AddObjectDataTable({"Parcels", {"Area", "Owner"}});
  h.Drawing().AddObjectDataTable({"Marks", {}});
  h.Drawing().AddObjectDataTable({"Roofs", {"Height"}});
  h.person.Give(PointAnswer{host::Point3{0, 0, 0}});
  h.control->Command1_Click();
  EXPECT_THAT(h.viewer.Model().TableInfo(),
              ElementsAre(kText, kDimension, kAttribute, kExtrusion, "Parcels,Area,Owner", "Marks",
                          "Roofs,Height"));
  EXPECT_EQ(h.journal.StartingWith("viewer ")[0], "viewer ClearTableInfo()");

  // Published again from scratch on the next click, with the tables of that moment.
  h.Drawing().AddObjectDataTable({"Trees", {"Species"}});
  h.person.Give(PointAnswer{host::Point3{0, 0, 0}});
  h.control->Command1_Click();
  EXPECT_EQ(h.viewer.Model().TableInfo().size(), 8u);
  EXPECT_EQ(h.viewer.Model().TableInfo().back(), "Trees,Species");
}

TEST(save_options, without_map_or_drawing_only_the_fixed_methods) {
  EmbeddedControl h;
  h.Drawing().AddObjectDataTable({"Parcels", {"Area"}});
  h.control->State().mapApp = nullptr;
  h.person.Give(PointAnswer{host::Point3{0, 0, 0}});
  h.control->Command1_Click();
  EXPECT_THAT(h.viewer.Model().TableInfo(), ElementsAre(kText, kDimension, kAttribute, kExtrusion));

  // No drawing bound: the application's drawing is not fetched for the list.
  EmbeddedControl unbound;
  unbound.Drawing().AddObjectDataTable({"Parcels", {"Area"}});
  unbound.control->State().activeDoc = nullptr;
  unbound.person.Give(PointAnswer{host::Point3{0, 0, 0}});
  unbound.control->Command1_Click();
  EXPECT_EQ(unbound.viewer.Model().TableInfo().size(), 4u);
}

TEST(save_options, a_failing_map_call_keeps_what_was_published_and_is_told) {
  EmbeddedControl h;
  h.Drawing().AddObjectDataTable({"Parcels", {"Area"}});
  h.Drawing().AddObjectDataTable({"Roofs", {"Height"}});
  h.faults.Add("map.ODTable.Name", -2147467259, "Unspecified error", 1);
  h.control->Command1_Click();
  EXPECT_THAT(h.viewer.Model().TableInfo(),
              ElementsAre(kText, kDimension, kAttribute, kExtrusion, "Parcels,Area"));
  EXPECT_THAT(h.Dialogs(), ElementsAre("dialog message \"Exception: Command1_Click -2147467259, "
                                       "Unspecified error, SetTableInfo\" caption "
                                       "\"VeskNimboDock17\""));
}

}  // namespace
}  // namespace nimbo::testing
