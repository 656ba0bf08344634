#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "automation/convert.h"
#include "automation/error.h"

namespace nimbo::automation {
namespace {

int32_t ErrorNumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e.number();
  }
  return 0;
}

TEST(conversions, to_double_follows_the_run_time) {
  EXPECT_EQ(ToDouble(Variant()), 0.0);
  EXPECT_EQ(ToDouble(Variant(int16_t{-3})), -3.0);
  EXPECT_EQ(ToDouble(Variant(int32_t{70000})), 70000.0);
  EXPECT_EQ(ToDouble(Variant::Bool(true)), -1.0);
  EXPECT_EQ(ToDouble(Variant("2,5"), Locale::DeDe()), 2.5);
  EXPECT_EQ(ToDouble(Variant("True")), -1.0);
  EXPECT_EQ(ErrorNumberOf([] { ToDouble(Variant("x")); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { ToDouble(Variant(Null{})); }), 94);
  EXPECT_EQ(ErrorNumberOf([] { ToDouble(Variant(DoubleArray{0, {1, 2}})); }),
            errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { ToDouble(Variant(ObjectRef())); }), errors::kTypeMismatch);
}

TEST(conversions, integers_round_half_to_even_and_overflow_with_6) {
  EXPECT_EQ(ToLong(Variant(2.5)), 2);
  EXPECT_EQ(ToLong(Variant(3.5)), 4);
  EXPECT_EQ(ToLong(Variant(-2.5)), -2);
  EXPECT_EQ(ToLong(Variant(-2.6)), -3);
  EXPECT_EQ(ToInteger(Variant(32767.4)), 32767);
  EXPECT_EQ(ErrorNumberOf([] { ToInteger(Variant(32767.5)); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInteger(Variant(int32_t{40000})); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToLong(Variant(3e9)); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToLong(Variant(std::nan(""))); }), errors::kOverflow);
  EXPECT_EQ(ToLong(Variant("12")), 12);
  EXPECT_EQ(ErrorNumberOf([] { CheckedLong(int64_t{1} << 31); }), errors::kOverflow);
  EXPECT_EQ(CheckedLong(40000), 40000);
}

TEST(conversions, booleans_are_sixteen_bit_true_minus_one) {
  EXPECT_EQ(VBool::From(true).value, -1);
  EXPECT_EQ(VBool::From(false).value, 0);
  EXPECT_TRUE(ToBoolean(Variant(int32_t{5})));
  EXPECT_FALSE(ToBoolean(Variant(0.0)));
  EXPECT_TRUE(ToBoolean(Variant("true")));
  EXPECT_EQ(ErrorNumberOf([] { ToBoolean(Variant("maybe")); }), errors::kTypeMismatch);
  EXPECT_EQ(ToInteger(Variant::Bool(true)), -1);
}

TEST(conversions, to_string_uses_the_measure_text_and_true_false) {
  EXPECT_EQ(ToString(Variant(12.5), Locale::DeDe()), "12,5");
  EXPECT_EQ(ToString(Variant::Bool(false)), "False");
  EXPECT_EQ(ToString(Variant(int32_t{-999})), "-999");
  EXPECT_EQ(ToString(Variant()), "");
}

TEST(conversions, same_ucase_agrees_with_comparing_ucase_copies) {
  // Letters next to the ASCII ranges ('@', '[', '`', '{'), bytes beyond ASCII, lengths
  // that differ and a name longer than a short string's buffer.
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"VeskNimBoVisibleExtent", "vesknimbovisibleextent"},
      {"Roads", "ROADS"},
      {"Roads", "Road"},
      {"", ""},
      {"@[", "`{"},
      {"`{", "`{"},
      {"Gr\xc3\xbcn", "GR\xc3\xbcN"},
      {"\xc3\xa4", "\xc3\x84"},
      {"a", "A"},
      {"z", "Z"},
      {"0", "0 "},
  };
  for (const auto& [a, b] : pairs) {
    EXPECT_EQ(SameUCase(a, b), UCase(a) == UCase(b)) << a << " / " << b;
  }
  EXPECT_TRUE(SameUCase("VeskNimBoVisibleExtent", "vesknimbovisibleextent"));
  EXPECT_FALSE(SameUCase("@", "`"));
  EXPECT_FALSE(SameUCase("\xc3\xa4", "\xc3\x84"));  // only ASCII letters fold
}

TEST(variant, by_reference_argument_writes_the_callers_variable) {
  int32_t viewIndex = 2;
  double x = 1.5;
  std::string name = "Roads";
  VBool flag = VBool::From(false);
  Variant byRefIndex = Variant::Ref(viewIndex);
  Variant byRefX = Variant::Ref(x);
  Variant byRefName = Variant::Ref(name);
  Variant byRefFlag = Variant::Ref(flag);
  EXPECT_TRUE(byRefIndex.IsByRef());
  EXPECT_EQ(byRefIndex.Type(), VarType::Long);
  EXPECT_EQ(byRefIndex.AsLong(), 2);
  viewIndex = 3;  // the reference sees the caller's current value
  EXPECT_EQ(byRefIndex.Value(), Variant(int32_t{3}));
  byRefIndex.Assign(Variant(7.0));
  byRefX.Assign(Variant("2.25"));
  byRefName.Assign(Variant("Walls"));
  byRefFlag.Assign(Variant(int32_t{1}));
  EXPECT_EQ(viewIndex, 7);
  EXPECT_EQ(x, 2.25);
  EXPECT_EQ(name, "Walls");
  EXPECT_EQ(flag.value, VBool::kTrue);
  EXPECT_EQ(ErrorNumberOf([&] { byRefIndex.Assign(Variant(1e12)); }), errors::kOverflow);
  EXPECT_EQ(viewIndex, 7);  // a failed conversion leaves the variable alone

  Variant target(int16_t{1});
  Variant byRefVariant = Variant::Ref(target);
  byRefVariant.Assign(Variant("text"));
  EXPECT_EQ(target.AsString(), "text");
  EXPECT_EQ(byRefVariant.Type(), VarType::String);
}

TEST(variant, typed_access_refuses_another_type) {
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant(1.0).AsString(); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant("a").AsDouble(); }), errors::kTypeMismatch);
  EXPECT_TRUE(Variant(Missing{}).IsMissing());
  EXPECT_EQ(Variant(DoubleArray{1, {2.0}}).AsDoubleArray().lowerBound, 1);
  EXPECT_EQ(Variant(int16_t{1}), Variant(int16_t{1}));
  EXPECT_FALSE(Variant(int16_t{1}) == Variant(int32_t{1}));
}

}  // namespace
}  // namespace nimbo::automation
