#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/error.h"
#include "automation/locale.h"

namespace nimbo::automation {
namespace {

const Locale& us = Locale::EnUs();
const Locale& de = Locale::DeDe();

TEST(measure_text, keeps_fifteen_significant_digits_and_drops_trailing_zeros) {
  EXPECT_EQ(us.NumberText(123456789012345.0), "123456789012345");
  EXPECT_EQ(us.NumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(us.NumberText(12.5), "12.5");
  EXPECT_EQ(us.NumberText(2.50), "2.5");
  EXPECT_EQ(us.NumberText(100.0), "100");
  EXPECT_EQ(us.NumberText(-7.25), "-7.25");
  EXPECT_EQ(us.NumberText(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(us.NumberText(2.0 / 3.0), "0.666666666666667");
}

TEST(measure_text, switches_to_exponent_at_1e15_and_below_1e_minus_4) {
  EXPECT_EQ(us.NumberText(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(us.NumberText(1e15), "1E+15");
  EXPECT_EQ(us.NumberText(999999999999999.0), "999999999999999");
  // Rounding to fifteen digits carries into the sixteenth place: the rounded value decides.
  EXPECT_EQ(us.NumberText(999999999999999.9), "1E+15");
  EXPECT_EQ(us.NumberText(0.0001), "0.0001");
  EXPECT_EQ(us.NumberText(0.00012345), "0.00012345");
  EXPECT_EQ(us.NumberText(-0.00001), "-1E-05");
  EXPECT_EQ(us.NumberText(0.000099999999999999999), "0.0001");
  EXPECT_EQ(us.NumberText(1.5e20), "1.5E+20");
  EXPECT_EQ(us.NumberText(2.5e-7), "2.5E-07");
}

TEST(measure_text, handles_the_extremes) {
  EXPECT_EQ(us.NumberText(-0.0), "0");
  EXPECT_EQ(us.NumberText(0.0), "0");
  EXPECT_EQ(us.NumberText(std::numeric_limits<double>::max()), "1.79769313486232E+308");
  EXPECT_EQ(us.NumberText(-std::numeric_limits<double>::max()), "-1.79769313486232E+308");
  EXPECT_EQ(us.NumberText(std::numeric_limits<double>::min()), "2.2250738585072E-308");
  EXPECT_EQ(us.NumberText(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
  EXPECT_EQ(us.NumberText(std::nan("")), "1.#QNAN");
  EXPECT_EQ(us.NumberText(-std::numeric_limits<double>::infinity()), "-1.#INF");
}

TEST(measure_text, uses_the_locale_decimal_separator_without_grouping) {
  EXPECT_EQ(de.NumberText(12.5), "12,5");
  EXPECT_EQ(de.NumberText(1234567.25), "1234567,25");
  EXPECT_EQ(de.NumberText(1.5e-5), "1,5E-05");
  EXPECT_EQ(us.NumberText(1234567.25), "1234567.25");
}

TEST(number_parsing, reads_the_locale_decimal_separator) {
  EXPECT_DOUBLE_EQ(us.ParseNumber("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(de.ParseNumber("2,5"), 2.5);
  EXPECT_DOUBLE_EQ(us.ParseNumber(" -10 "), -10.0);
  EXPECT_DOUBLE_EQ(us.ParseNumber("1.5E3"), 1500.0);
  EXPECT_DOUBLE_EQ(us.ParseNumber("+.5"), 0.5);
}

TEST(number_parsing, refuses_text_that_is_no_number_with_a_type_mismatch) {
  for (const char* text : {"", " ", "abc", "2,5", "1.2.3", "1e", "10 m", "-", "."}) {
    try {
      us.ParseNumber(text);
      ADD_FAILURE() << "parsed \"" << text << "\"";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), errors::kTypeMismatch) << text;
      EXPECT_EQ(e.description(), "Type mismatch");
    }
  }
  EXPECT_THROW(de.ParseNumber("2.5"), AutomationError);
  try {
    us.ParseNumber("1e999");
    ADD_FAILURE();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), errors::kOverflow);
  }
}

TEST(general_date, follows_each_locale) {
  const DateTime morning{2026, 12, 7, 10, 15, 30};
  EXPECT_EQ(us.GeneralDate(morning), "12/7/2026 10:15:30 AM");
  EXPECT_EQ(de.GeneralDate(morning), "07.12.2026 10:15:30");
  EXPECT_EQ(us.GeneralDate({2026, 1, 2, 0, 5, 9}), "1/2/2026 12:05:09 AM");
  EXPECT_EQ(us.GeneralDate({2026, 1, 2, 12, 0, 0}), "1/2/2026 12:00:00 PM");
  EXPECT_EQ(us.GeneralDate({2026, 1, 2, 23, 59, 59}), "1/2/2026 11:59:59 PM");
  EXPECT_EQ(de.GeneralDate({2026, 1, 2, 23, 59, 59}), "02.01.2026 23:59:59");
}

TEST(locale, is_found_by_name) {
  EXPECT_EQ(Locale::ByName("de-DE"), &Locale::DeDe());
  EXPECT_EQ(Locale::ByName("en-US"), &Locale::EnUs());
  EXPECT_EQ(Locale::ByName("fr-FR"), nullptr);
}

}  // namespace
}  // namespace nimbo::automation
