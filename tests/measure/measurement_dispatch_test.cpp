// The seven measurement events: confirmation, text height, and the choice of writer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/embedded_control.h"

namespace nimbo::testing {
namespace {

using standalone::Space;
using ::testing::ElementsAre;

constexpr const char* kHeightPrompt =
    "dialog input \"Default text height in map units:\" caption \"VeskNIMBO\" default \"10\"";

const std::vector<std::string> kEvents = {
    "AreaMeasured",   "BearingMeasured",   "DistanceMeasured", "ElevationMeasured",
    "HeightMeasured", "LocationXMeasured", "LocationYMeasured"};

TEST(save_measurement, sub_option_none_shows_and_writes_nothing_for_any_method) {
  EmbeddedControl h;
  for (const std::string& event : kEvents) {
    h.Measure(event, 3.0, "<Save as text>", "<None>");
    h.Measure(event, 3.0, "Parcels", "<None>");
  }
  EXPECT_TRUE(h.journal.Lines().empty());
}

TEST(save_measurement, confirmation_text_in_the_locale_and_a_no_ends_it) {
  for (const auto* locale : {&automation::Locale::EnUs(), &automation::Locale::DeDe()}) {
    EmbeddedControl h({.locale = locale});
    h.person.Give(ButtonAnswer{"No"});
    h.Measure("HeightMeasured", 12.5, "<Save as attribute>", "Height");
    const std::string value = locale == &automation::Locale::EnUs() ? "12.5" : "12,5";
    EXPECT_THAT(h.journal.Lines(),
                ElementsAre("dialog confirm \"Saving measuring " + value +
                            " using method <Save as attribute> and sub-option Height\" caption "
                            "\"VeskNIMBO\" -> No"));
  }
}

TEST(save_measurement, text_height_is_read_in_the_locale) {
  struct Case {
    const automation::Locale* locale;
    const char* typed;
  };
  for (const Case& c :
       {Case{&automation::Locale::EnUs(), "2.5"}, Case{&automation::Locale::DeDe(), "2,5"}}) {
    EmbeddedControl h({.locale = c.locale});
    h.person.Give({ButtonAnswer{"Yes"}, InputAnswer{c.typed}, PointAnswer{host::Point3{1, 2, 0}}});
    h.Measure("DistanceMeasured", 4, "<Save as text>", "<Save as text>");
    EXPECT_EQ(h.Dialogs()[1], kHeightPrompt + std::string(" -> \"") + c.typed + "\"");
    const auto entities = h.Drawing().Entities(Space::Model());
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(entities[0].height, 2.5);
  }
}

TEST(save_measurement, a_cancelled_or_unreadable_height_is_a_type_mismatch_and_writes_nothing) {
  const std::vector<InputAnswer> answers = {InputAnswer{std::nullopt}, InputAnswer{"abc"},
                                            InputAnswer{""}, InputAnswer{"2,5"}};
  for (const InputAnswer& answer : answers) {
    EmbeddedControl h;
    h.person.Give({ButtonAnswer{"Yes"}, answer});
    h.Measure("HeightMeasured", 4, "<Save as dimension>", "Linear dimension");
    EXPECT_EQ(h.Dialogs().back(),
              "dialog message \"Exception: vnvEvents_HeightMeasured 13, Type mismatch, "
              "SaveMeasurement\" caption \"VeskNimboDock17\"");
    EXPECT_TRUE(h.journal.StartingWith("user ").empty());
    EXPECT_TRUE(h.DrawingChanges().empty());
  }
}

TEST(save_measurement, only_the_text_methods_ask_for_a_height) {
  EmbeddedControl h;
  h.Drawing().AddObjectDataTable({"Parcels", {"Area"}});
  h.person.Give({ButtonAnswer{"Yes"}, SelectAnswer{{}}});
  h.Measure("AreaMeasured", 4, "Parcels", "Area");
  h.person.Give({ButtonAnswer{"Yes"}, SelectAnswer{{}}});
  h.Measure("AreaMeasured", 4, "<Save as extrusion (only for heights)>",
            "<Save as extrusion (only for heights)>");
  EXPECT_TRUE(h.journal.StartingWith("dialog input").empty());
}

TEST(save_measurement, a_method_differing_in_case_is_taken_for_an_object_data_table) {
  EmbeddedControl h;
  h.person.Give(ButtonAnswer{"Yes"});
  h.Measure("DistanceMeasured", 4, "<save as text>", "<Save as text>");
  EXPECT_THAT(h.Dialogs(),
              ElementsAre(::testing::StartsWith("dialog confirm"),
                          "dialog message \"Object table <save as text> not found.\" caption "
                          "\"Vesk plug-in\""));
}

TEST(save_measurement, every_handler_tells_a_failure_under_its_own_name) {
  EmbeddedControl h;
  h.control->State().mapApp = nullptr;
  for (const std::string& event : kEvents) {
    h.person.Give(ButtonAnswer{"Yes"});
    h.Measure(event, 1, "Parcels", "Area");
    EXPECT_EQ(h.Dialogs().back(), "dialog message \"Exception: vnvEvents_" + event +
                                      " 91, Object variable or With block variable not set, "
                                      "SaveMeasurement\" caption \"VeskNimboDock17\"");
  }
}

TEST(save_measurement, a_cancelled_pick_is_told_like_any_other_error) {
  EmbeddedControl h;
  h.person.Give({ButtonAnswer{"Yes"}, InputAnswer{"10"}, PointAnswer{std::nullopt}});
  h.Measure("ElevationMeasured", 4, "<Save as text>", "<Save as text>");
  EXPECT_EQ(h.Dialogs().back(),
            "dialog message \"Exception: vnvEvents_ElevationMeasured -2147352567, Exception "
            "occurred., SaveMeasurement\" caption \"VeskNimboDock17\"");
  EXPECT_EQ(h.Drawing().EntityCount(Space::Model()), 0u);
}

}  // namespace
}  // namespace nimbo::testing
