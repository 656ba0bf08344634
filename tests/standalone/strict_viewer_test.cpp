// The check the test harness puts in front of the simulated viewer: a call the viewer's
// contract does not allow fails a strict test, and every call still reaches the viewer.
#include "support/strict_viewer.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::testing {
namespace {

using automation::Variant;

TEST(contract_breach, names_an_unknown_dispid_a_wrong_count_and_a_reference_of_another_type) {
  std::vector<Variant> none;
  EXPECT_EQ(ContractBreach(9999, none), "viewer DISPID 9999");
  EXPECT_EQ(ContractBreach(host::dispid::kRefreshOverlays, none),
            "viewer RefreshOverlays with 0 argument(s), not 1");
  std::string view = "1";
  std::vector<Variant> byReference = {Variant::Ref(view)};
  EXPECT_EQ(ContractBreach(host::dispid::kRefreshOverlays, byReference),
            "viewer RefreshOverlays with viewIndex by reference of another type");
  // By value the viewer converts, as a real one does: no breach.
  std::vector<Variant> byValue = {Variant("1")};
  EXPECT_EQ(ContractBreach(host::dispid::kRefreshOverlays, byValue), "");
  int32_t index = 1;
  std::vector<Variant> fitting = {Variant::Ref(index)};
  EXPECT_EQ(ContractBreach(host::dispid::kRefreshOverlays, fitting), "");
}

class StrictViewerTest : public ::testing::Test {
 protected:
  standalone::Journal journal;
  standalone::FaultPlan faults;
  standalone::SimulatedViewer simulated{journal, faults};
  StrictViewer strict{simulated};
};

TEST_F(StrictViewerTest, a_breach_fails_a_strict_test_and_still_reaches_the_viewer) {
  std::vector<Variant> none;
  EXPECT_NONFATAL_FAILURE(
      {
        StrictFakes on;
        EXPECT_THROW(strict.Invoke(9999, none), automation::AutomationError);
      },
      "unexpected call: viewer DISPID 9999");
  // The simulated viewer refused it as the real one would, and journaled it.
  ASSERT_EQ(journal.Lines().size(), 1u);
  EXPECT_NE(journal.Lines()[0].find(" -> error 438 "), std::string::npos) << journal.Lines()[0];
}

TEST_F(StrictViewerTest, not_strict_or_within_the_contract_nothing_fails) {
  std::vector<Variant> none;
  EXPECT_THROW(strict.Invoke(9999, none), automation::AutomationError);  // no failure
  StrictFakes on;
  std::vector<Variant> view = {Variant(int32_t{1})};
  strict.Invoke(host::dispid::kRefreshOverlays, view);
  // A planned failure is the test's own, not a breach.
  faults.Add("viewer.RefreshOverlays", 5, "Invalid procedure call or argument");
  EXPECT_THROW(strict.Invoke(host::dispid::kRefreshOverlays, view), automation::AutomationError);
  EXPECT_EQ(simulated.CallCount("RefreshOverlays"), 2);
  EXPECT_EQ(journal.StartingWith("viewer RefreshOverlays(1)").size(), 2u);
}

}  // namespace
}  // namespace nimbo::testing
