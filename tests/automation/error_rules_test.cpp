#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "automation/error_rules.h"

namespace nimbo::automation {
namespace {

AutomationError Caught(const std::function<void()>& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e;
  }
  return AutomationError(0, "nothing raised");
}

TEST(reraise_rule, keeps_number_and_description_and_names_the_procedure) {
  auto e = Caught([] {
    Reraise("RefreshMap", [] {
      Reraise("RefreshLayer", [] { throw AutomationError(-2145386420, "Layer locked", "Host"); });
    });
  });
  EXPECT_EQ(e.number(), -2145386420);
  EXPECT_EQ(e.description(), "Layer locked");
  // The outermost procedure the error passed through names the source.
  EXPECT_EQ(e.source(), "RefreshMap");
}

TEST(reraise_rule, turns_cpp_failures_into_run_time_errors) {
  auto outOfRange = Caught([] { Reraise("ExtentChanged", [] { std::vector<int>().at(3); }); });
  EXPECT_EQ(outOfRange.number(), 9);
  EXPECT_EQ(outOfRange.description(), "Subscript out of range");
  EXPECT_EQ(outOfRange.source(), "ExtentChanged");
  auto overflow = Caught([] { Reraise("A", [] { throw std::overflow_error("x"); }); });
  EXPECT_EQ(overflow.number(), 6);
  EXPECT_EQ(overflow.description(), "Overflow");
  auto memory = Caught([] { Reraise("A", [] { throw std::bad_alloc(); }); });
  EXPECT_EQ(memory.number(), 7);
  EXPECT_EQ(memory.description(), "Out of memory");
  auto other = Caught([] { Reraise("A", [] { throw 42; }); });
  EXPECT_EQ(other.number(), 5);
}

TEST(reraise_rule, passes_results_through) {
  EXPECT_EQ(Reraise("FindLayer", [] { return 7; }), 7);
}

TEST(handler_message_rule, builds_the_one_message_text) {
  auto message = TrapForHandler("vnvEvents_ReloadOverlaysClicked",
                                [] { throw AutomationError(5, "D", "AddLayers"); });
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, "Exception: vnvEvents_ReloadOverlaysClicked 5, D, AddLayers");
  auto negative = TrapForHandler("vnvEvents_ModeChanged", [] {
    throw AutomationError(-2147467259, "Unspecified error", "RefreshMap");
  });
  EXPECT_EQ(*negative,
            "Exception: vnvEvents_ModeChanged -2147467259, Unspecified error, RefreshMap");
}

TEST(handler_message_rule, stays_silent_for_its_listed_numbers_only) {
  EXPECT_FALSE(
      TrapForHandler("Command1_Click", [] { throw errors::Standard(-2147352567); }, {-2147352567}));
  EXPECT_TRUE(TrapForHandler("Command1_Click", [] { throw errors::Standard(5); }, {-2147352567}));
  EXPECT_FALSE(TrapForHandler("Command1_Click", [] {}));
}

TEST(standard_errors, have_their_english_descriptions) {
  EXPECT_EQ(errors::StandardDescription(5), "Invalid procedure call or argument");
  EXPECT_EQ(errors::StandardDescription(6), "Overflow");
  EXPECT_EQ(errors::StandardDescription(7), "Out of memory");
  EXPECT_EQ(errors::StandardDescription(9), "Subscript out of range");
  EXPECT_EQ(errors::StandardDescription(13), "Type mismatch");
  EXPECT_EQ(errors::StandardDescription(91), "Object variable or With block variable not set");
  EXPECT_EQ(errors::StandardDescription(94), "Invalid use of Null");
  EXPECT_EQ(errors::StandardDescription(438), "Object doesn't support this property or method");
}

}  // namespace
}  // namespace nimbo::automation
