// The simulated dock container and the container-provided properties of the two child
// controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/simulated_dock_container.h"
#include "standalone/viewer/simulated_extender.h"

namespace nimbo::standalone {
namespace {

class CountingSink : public host::DockContainerEvents {
 public:
  std::vector<host::DocumentRef> documents;
  std::function<void()> onEvent;
  void OnDocumentActivated(const host::DocumentRef& document) override {
    documents.push_back(document);
    if (onEvent) onEvent();
  }
};

TEST(simulated_dock_container, journals_member8_and_fails_it_as_planned) {
  Journal journal;
  FaultPlan faults;
  SimulatedDockContainer container(journal, faults);
  faults.Add("container.Member8", 91, "Object variable or With block variable not set", 1);
  container.Member8(20480);
  EXPECT_THROW(container.Member8(20480), automation::AutomationError);
  container.Member8(-1);
  const std::vector<std::string> expected = {
      "container Member8(20480)",
      "container Member8(20480) -> error 91 \"Object variable or With block variable not set\"",
      "container Member8(-1)",
  };
  EXPECT_EQ(journal.Lines(), expected);
}

TEST(simulated_dock_container, reports_the_activated_document_to_the_bound_sinks_only) {
  Journal journal;
  FaultPlan faults;
  SimulatedDockContainer container(journal, faults);
  container.ReportDocumentActivated(nullptr);  // nobody docked yet: nobody hears it
  CountingSink a, b;
  const int32_t cookieA = container.Advise(&a);
  container.Advise(&b);
  a.onEvent = [&] { container.Unadvise(cookieA); };
  container.ReportDocumentActivated(nullptr);
  container.ReportDocumentActivated(nullptr);
  EXPECT_EQ(a.documents.size(), 1u);
  EXPECT_EQ(b.documents.size(), 2u);
  EXPECT_EQ(container.BoundSinks(), 1u);
  EXPECT_TRUE(journal.Lines().empty());
}

TEST(simulated_extender, starts_at_the_design_geometry_and_journals_every_change) {
  Journal journal;
  SimulatedExtender viewer = SimulatedExtender::ForViewer(journal);
  SimulatedExtender button = SimulatedExtender::ForButton(journal);
  EXPECT_EQ(viewer.Top(), 0);
  EXPECT_EQ(viewer.Left(), 0);
  EXPECT_EQ(viewer.Width(), 6975);
  EXPECT_EQ(viewer.Height(), 5655);
  EXPECT_EQ(button.Left(), 2340);
  EXPECT_EQ(button.Top(), 5775);
  EXPECT_EQ(button.Width(), 2745);
  EXPECT_EQ(button.Height(), 420);

  viewer.SetTop(0);
  viewer.SetLeft(5);
  viewer.SetHeight(5875);
  viewer.SetWidth(6985);
  button.SetTop(5880);
  button.SetLeft(2122.5f);
  button.SetLeft(0.1f);  // single precision, written as the property holds it
  EXPECT_EQ(viewer.Height(), 5875);
  EXPECT_EQ(button.Left(), 0.1f);
  const std::vector<std::string> expected = {
      "viewer Top = 0",
      "viewer Left = 5",
      "viewer Height = 5875",
      "viewer Width = 6985",
      "button Top = 5880",
      "button Left = 2122.5",
      "button Left = 0.10000000149011612",
  };
  EXPECT_EQ(journal.Lines(), expected);
}

}  // namespace
}  // namespace nimbo::standalone
