// The control's lifecycle in its palette: shown, docked, told of drawings, resized and
// terminated, with the simulated viewer, container, extender properties and dialogs of
// the embedded default, and small fakes on the CAD side.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/clock.h"
#include "shell/dock_control.h"
#include "shell/lifecycle_fakes.h"
#include "support/embedded_control.h"
#include "support/strict_fakes.h"

namespace nimbo::shell {
namespace {

using testing::FakeApplication;
using testing::FakeDrawing;
using testing::FakeRunningObjects;
using Lines = std::vector<std::string>;

constexpr const char* kClientInfoLine =
    R"(viewer SetClientInfo("VeskNIMBO plug-in for Autodesk Map 2007/08/09", "2.5.2"))";

// The control created in its palette, on the embedded default with the CAD side's fakes,
// and the CAD application running. The fakes are strict: the control traps what they
// raise, so a call they did not expect would otherwise only show as a message.
class Palette : public ::testing::Test {
 protected:
  Palette() { running.running[host::kCadProgId] = application; }

  static testing::HarnessOptions Options(host::RunningObjects& running) {
    testing::HarnessOptions options;
    options.drawing = "";
    options.start = testing::Start::Created;
    options.now = automation::DateTime{};
    options.runningObjects = &running;
    return options;
  }

  host::ControlEnvironment Environment() { return world.Environment(); }
  control::ControlState& State() { return control->State(); }

  void FillBounds() {
    for (int view = 1; view <= 5; ++view) {
      State().visibleBounds(view) = std::make_shared<geometry::Bound>();
      State().totalBounds(view) = std::make_shared<geometry::Bound>();
    }
  }
  bool AllBoundsEmpty() {
    for (int view = 1; view <= 5; ++view) {
      if (State().visibleBounds(view) || State().totalBounds(view)) return false;
    }
    return true;
  }
  Lines JournalSince(size_t from) { return journal.Since(from); }
  void StopCad() { running.running.clear(); }

  testing::StrictFakes strict;
  FakeRunningObjects running;
  std::shared_ptr<FakeApplication> application = std::make_shared<FakeApplication>();
  testing::EmbeddedControl world{Options(running)};
  // The world's parts under the names the tests use.
  standalone::Journal& journal = world.journal;
  standalone::FaultPlan& faults = world.faults;
  standalone::SimulatedViewer& viewer = world.viewer;
  standalone::SimulatedExtender& button = world.button;
  standalone::SimulatedDockContainer& container = *world.container;
  std::unique_ptr<DockControl>& control = world.control;
};

TEST_F(Palette, show_without_the_cad_application_reports_and_sets_nothing_after_the_viewer) {
  StopCad();
  control->UserControl_Show();

  EXPECT_EQ(journal.Lines(),
            (Lines{kClientInfoLine,
                   R"(dialog message "UserControl_Show error ActiveX component )"
                   R"(can't create object VeskNimboDock17" caption "VeskNimboDock17")"}));
  EXPECT_EQ(running.requests, (Lines{"AutoCAD.Application.17"}));
  EXPECT_FALSE(control->ViewerEventsBound());
  EXPECT_EQ(viewer.BoundSinks(), 0u);
  EXPECT_EQ(State().acadApp, nullptr);
  EXPECT_EQ(State().colors, nullptr);
  EXPECT_EQ(State().selectedPointX, 0);
  EXPECT_EQ(State().selectedPointY, 0);
  EXPECT_FALSE(State().overlaysPermitted);
  EXPECT_TRUE(AllBoundsEmpty());
}

TEST_F(Palette, a_failing_show_leaves_the_members_it_did_not_reach_as_they_were) {
  control->UserControl_Show();
  const auto colors = State().colors;
  State().selectedPointX = 12.5;
  State().selectedPointY = -3;
  State().overlaysPermitted = true;
  FillBounds();
  const auto visible3 = State().visibleBounds(3);

  StopCad();
  const size_t before = journal.Mark();
  control->UserControl_Show();

  EXPECT_EQ(JournalSince(before).size(), 2u);  // the client info again, then the message
  EXPECT_EQ(JournalSince(before)[0], kClientInfoLine);
  EXPECT_EQ(State().acadApp, application);
  EXPECT_EQ(State().colors, colors);
  EXPECT_EQ(State().selectedPointX, 12.5);
  EXPECT_EQ(State().selectedPointY, -3);
  EXPECT_TRUE(State().overlaysPermitted);
  EXPECT_EQ(State().visibleBounds(3), visible3);
  // The earlier binding of the viewer's events was not touched.
  EXPECT_TRUE(control->ViewerEventsBound());
  EXPECT_EQ(viewer.BoundSinks(), 1u);
}

TEST_F(Palette, show_announces_itself_attaches_and_resets_without_reading_the_drawing) {
  control->UserControl_Show();
  EXPECT_EQ(journal.Lines(), (Lines{kClientInfoLine}));
  ASSERT_TRUE(viewer.Model().ClientInfo().has_value());
  EXPECT_EQ((*viewer.Model().ClientInfo())[0], kClientTitle);
  EXPECT_EQ((*viewer.Model().ClientInfo())[1], kClientVersion);
  EXPECT_EQ(State().acadApp, application);
  EXPECT_EQ(application->activeDocumentReads, 0);
  EXPECT_EQ(State().selectedPointX, control::kNoSelectedPoint);
  EXPECT_EQ(State().selectedPointY, -999);
  EXPECT_NE(State().colors, nullptr);
  EXPECT_EQ(viewer.BoundSinks(), 1u);

  // Shown again: everything starts over, and the viewer still has one sink, not two.
  const auto firstColors = State().colors;
  State().selectedPointX = 1;
  State().selectedPointY = 2;
  State().overlaysPermitted = true;
  FillBounds();
  control->UserControl_Show();
  EXPECT_EQ(State().selectedPointX, -999);
  EXPECT_EQ(State().selectedPointY, -999);
  EXPECT_TRUE(AllBoundsEmpty());
  EXPECT_FALSE(State().overlaysPermitted);
  EXPECT_NE(State().colors, firstColors);
  EXPECT_EQ(viewer.BoundSinks(), 1u);
  EXPECT_EQ(journal.Lines(), (Lines{kClientInfoLine, kClientInfoLine}));
}

TEST_F(Palette, show_without_a_viewer_reports_the_missing_object) {
  host::ControlEnvironment env = Environment();
  env.viewer = nullptr;
  DockControl bare(env);
  bare.UserControl_Show();
  EXPECT_EQ(journal.Lines(),
            (Lines{R"(dialog message "UserControl_Show error Object variable or With block )"
                   R"(variable not set VeskNimboDock17" caption "VeskNimboDock17")"}));
  EXPECT_EQ(bare.State().acadApp, nullptr);
}

TEST_F(Palette, docking_calls_the_containers_eighth_member_and_follows_its_events) {
  auto dock = std::shared_ptr<standalone::SimulatedDockContainer>(&container, [](auto*) {});
  control->IRetrieveDockableContainer_SetDockContainer(dock);
  EXPECT_EQ(journal.Lines(), (Lines{"container Member8(20480)"}));
  EXPECT_EQ(control->DockContainerMember(), dock);
  EXPECT_EQ(container.BoundSinks(), 1u);

  // Docked again, in another container: the first one no longer reports to the control.
  standalone::SimulatedDockContainer other(journal, faults);
  auto otherDock = std::shared_ptr<standalone::SimulatedDockContainer>(&other, [](auto*) {});
  control->IRetrieveDockableContainer_SetDockContainer(otherDock);
  EXPECT_EQ(container.BoundSinks(), 0u);
  EXPECT_EQ(other.BoundSinks(), 1u);
  auto drawing = std::make_shared<FakeDrawing>("A.dwg", application);
  container.ReportDocumentActivated(drawing);
  EXPECT_EQ(State().activeDoc, nullptr);
  other.ReportDocumentActivated(drawing);
  EXPECT_EQ(State().activeDoc, drawing);

  // No trap: a failing member call goes back to the container, and nobody is told.
  faults.Add("container.Member8", -2147467259, "Unspecified error");
  EXPECT_THROW(control->IRetrieveDockableContainer_SetDockContainer(dock),
               automation::AutomationError);
  EXPECT_EQ(control->DockContainerMember(), dock);
  EXPECT_EQ(journal.Lines().back(),
            R"(container Member8(20480) -> error -2147467259 "Unspecified error")");

  EXPECT_THROW(control->IRetrieveDockableContainer_SetDockContainer(nullptr),
               automation::AutomationError);
  EXPECT_EQ(container.BoundSinks(), 0u);
}

TEST_F(Palette, a_drawing_switch_repoints_the_drawing_members_and_calls_no_viewer) {
  control->UserControl_Show();
  auto dock = std::shared_ptr<standalone::SimulatedDockContainer>(&container, [](auto*) {});
  control->IRetrieveDockableContainer_SetDockContainer(dock);
  auto otherApplication = std::make_shared<FakeApplication>();
  auto a = std::make_shared<FakeDrawing>("A.dwg", application);
  auto b = std::make_shared<FakeDrawing>("B.dwg", otherApplication);
  const size_t before = journal.Mark();

  container.ReportDocumentActivated(a);
  EXPECT_EQ(State().activeDoc, a);
  EXPECT_EQ(control->DocEvents(), a);
  EXPECT_EQ(State().mapApp, application->map);
  EXPECT_EQ(application->interfaceRequests, (Lines{"AutoCADMap.Application"}));
  EXPECT_EQ(a->BoundSinks(), 1u);

  container.ReportDocumentActivated(b);
  EXPECT_EQ(State().activeDoc, b);
  EXPECT_EQ(control->DocEvents(), b);
  EXPECT_EQ(State().mapApp, otherApplication->map);
  EXPECT_EQ(a->BoundSinks(), 0u);
  EXPECT_EQ(b->BoundSinks(), 1u);

  EXPECT_TRUE(JournalSince(before).empty());  // no viewer call, no message
  EXPECT_EQ(application->activeDocumentReads, 0);
}

TEST_F(Palette, a_failing_activation_goes_back_to_the_container_after_the_steps_it_reached) {
  auto a = std::make_shared<FakeDrawing>("A.dwg", application);
  control->dockContainer_OnDocumentActivated(a);
  const auto mapA = State().mapApp;

  auto failingApplication = std::make_shared<FakeApplication>();
  failingApplication->failInterfaceObject = true;
  auto b = std::make_shared<FakeDrawing>("B.dwg", failingApplication);
  try {
    control->dockContainer_OnDocumentActivated(b);
    FAIL() << "the Map lookup failure must reach the caller";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), -2147221005);
    EXPECT_EQ(e.source(), "AutoCAD");
  }
  EXPECT_EQ(State().activeDoc, b);
  EXPECT_EQ(control->DocEvents(), b);
  EXPECT_EQ(State().mapApp, mapA);
  EXPECT_TRUE(journal.Lines().empty());

  // A drawing that refuses the control's sink is not held as DocEvents.
  auto refusing = std::make_shared<FakeDrawing>("C.dwg", application);
  refusing->failAdvise = true;
  EXPECT_THROW(control->dockContainer_OnDocumentActivated(refusing), automation::AutomationError);
  EXPECT_EQ(State().activeDoc, refusing);
  EXPECT_EQ(control->DocEvents(), nullptr);

  // No drawing at all: both drawing members are emptied, then the Map lookup fails.
  EXPECT_THROW(control->dockContainer_OnDocumentActivated(nullptr), automation::AutomationError);
  EXPECT_EQ(State().activeDoc, nullptr);
  EXPECT_EQ(control->DocEvents(), nullptr);
  EXPECT_EQ(b->BoundSinks(), 0u);
}

TEST_F(Palette, a_closing_drawing_stops_its_events_but_stays_the_active_drawing) {
  control->UserControl_Show();
  auto a = std::make_shared<FakeDrawing>("A.dwg", application);
  application->activeDocument = std::make_shared<FakeDrawing>("Other.dwg", application);
  control->dockContainer_OnDocumentActivated(a);
  const auto map = State().mapApp;

  automation::VBool cancel;
  a->RaiseBeginDocClose(cancel);
  EXPECT_EQ(cancel.value, 0);  // never vetoed
  EXPECT_EQ(control->DocEvents(), nullptr);
  EXPECT_EQ(a->BoundSinks(), 0u);
  EXPECT_EQ(State().activeDoc, a);
  EXPECT_EQ(State().mapApp, map);

  // The document binding keeps to the closing drawing: it is not null.
  EXPECT_EQ(control::BindActiveDocument(State()), a);
  EXPECT_EQ(application->activeDocumentReads, 0);

  // A drawing set through the public DocEvents property delivers its events too.
  host::DocumentRef b = std::make_shared<FakeDrawing>("B.dwg", application);
  control->SetDocEvents(b);
  EXPECT_EQ(control->DocEvents(), b);
  static_cast<FakeDrawing&>(*b).RaiseBeginDocClose(cancel);
  EXPECT_EQ(control->DocEvents(), nullptr);
}

TEST_F(Palette, the_document_binding_takes_the_active_drawing_only_when_it_has_none) {
  control->UserControl_Show();
  EXPECT_EQ(control::BindActiveDocument(State()), nullptr);  // no drawing open: nothing
  EXPECT_EQ(State().activeDoc, nullptr);

  auto open = std::make_shared<FakeDrawing>("Open.dwg", application);
  application->activeDocument = open;
  EXPECT_EQ(control::BindActiveDocument(State()), open);
  EXPECT_EQ(State().activeDoc, open);
  application->activeDocument = nullptr;
  EXPECT_EQ(control::BindActiveDocument(State()), open);
  EXPECT_EQ(application->activeDocumentReads, 2);

  // Not shown, so not attached: the binding cannot ask an application.
  DockControl unshown(Environment());
  try {
    control::BindActiveDocument(unshown.State());
    FAIL();
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kObjectNotSet);
  }
}

TEST_F(Palette, resize_lays_out_the_viewer_above_the_centred_button_and_never_below_zero) {
  control->UserControl_Resize(6990, 6300);
  EXPECT_EQ(journal.Lines(),
            (Lines{"viewer Top = 0", "viewer Left = 5", "viewer Height = 5875",
                   "viewer Width = 6985", "button Top = 5880", "button Left = 2122.5"}));
  EXPECT_EQ(button.Geometry().width, 2745);  // the button keeps its size
  EXPECT_EQ(button.Geometry().height, 420);

  journal.Clear();
  control->UserControl_Resize(4000, 425);  // the button's height and 5
  EXPECT_EQ(journal.Lines(),
            (Lines{"viewer Top = 0", "viewer Left = 5", "viewer Height = 0", "viewer Width = 3995",
                   "button Top = 5", "button Left = 627.5"}));

  journal.Clear();
  control->UserControl_Resize(3, 100);  // smaller than the button
  EXPECT_EQ(journal.Lines(),
            (Lines{"viewer Top = 0", "viewer Left = 5", "viewer Height = 0", "viewer Width = 0",
                   "button Top = -320", "button Left = -1371"}));
}

TEST_F(Palette, resize_without_its_children_fails_to_its_caller_without_a_message) {
  host::ControlEnvironment env = Environment();
  env.viewerExtender = nullptr;
  DockControl withoutViewer(env);
  EXPECT_THROW(withoutViewer.UserControl_Resize(6990, 6300), automation::AutomationError);
  EXPECT_TRUE(journal.Lines().empty());

  env = Environment();
  env.button = nullptr;
  DockControl withoutButton(env);
  EXPECT_THROW(withoutButton.UserControl_Resize(6990, 6300), automation::AutomationError);
  EXPECT_EQ(journal.Lines(), (Lines{"viewer Top = 0", "viewer Left = 5"}));
}

TEST_F(Palette, terminate_releases_the_sinks_and_the_map_application_only) {
  control->UserControl_Show();
  auto a = std::make_shared<FakeDrawing>("A.dwg", application);
  control->dockContainer_OnDocumentActivated(a);
  const auto colors = State().colors;

  control->UserControl_Terminate();
  EXPECT_FALSE(control->ViewerEventsBound());
  EXPECT_EQ(viewer.BoundSinks(), 0u);
  EXPECT_EQ(control->DocEvents(), nullptr);
  EXPECT_EQ(a->BoundSinks(), 0u);
  EXPECT_EQ(State().mapApp, nullptr);
  EXPECT_EQ(State().activeDoc, a);
  EXPECT_EQ(State().acadApp, application);
  EXPECT_EQ(State().colors, colors);
}

TEST_F(Palette, a_control_going_away_lets_go_of_every_connection_point) {
  auto dock = std::shared_ptr<standalone::SimulatedDockContainer>(&container, [](auto*) {});
  auto a = std::make_shared<FakeDrawing>("A.dwg", application);
  control->UserControl_Show();
  control->IRetrieveDockableContainer_SetDockContainer(dock);
  control->dockContainer_OnDocumentActivated(a);
  a->failUnadvise = true;  // one source refuses: the others must still be released

  control.reset();
  EXPECT_EQ(viewer.BoundSinks(), 0u);
  EXPECT_EQ(container.BoundSinks(), 0u);
}

}  // namespace
}  // namespace nimbo::shell

namespace nimbo::shell {
namespace {

// The whole road in the embedded default: the in-memory CAD application with two
// drawings, found by the running-object lookup.
TEST(embedded_palette, shows_docks_follows_the_drawings_and_terminates) {
  testing::HarnessOptions options;
  options.drawing = "";
  options.start = testing::Start::Created;
  options.now = automation::DateTime{};
  testing::EmbeddedControl world(options);
  world.application->AddDocument("A.dwg");
  world.application->AddDocument("B.dwg");
  world.application->Activate("A.dwg");
  standalone::Journal& journal = world.journal;
  standalone::SimulatedViewer& viewer = world.viewer;
  standalone::MemoryRunningObjects& running = world.runningObjects;
  const std::shared_ptr<standalone::MemoryApplication>& cad = world.application;
  const std::shared_ptr<standalone::SimulatedDockContainer>& container = world.container;
  DockControl& control = *world.control;

  control.IRetrieveDockableContainer_SetDockContainer(container);
  control.UserControl_Show();
  control.UserControl_Resize(6990, 6300);
  EXPECT_EQ(journal.Lines(),
            (Lines{"container Member8(20480)", kClientInfoLine, "viewer Top = 0", "viewer Left = 5",
                   "viewer Height = 5875", "viewer Width = 6985", "button Top = 5880",
                   "button Left = 2122.5"}));
  EXPECT_EQ(control.State().acadApp, cad);
  EXPECT_EQ(viewer.BoundSinks(), 1u);

  journal.Clear();
  const host::DocumentRef a = cad->DocumentObject("A.dwg");
  const host::DocumentRef b = cad->DocumentObject("B.dwg");
  container->ReportDocumentActivated(a);
  EXPECT_EQ(control.State().activeDoc, a);
  EXPECT_EQ(control.DocEvents(), a);
  ASSERT_NE(control.State().mapApp, nullptr);
  cad->Activate("B.dwg");
  container->ReportDocumentActivated(b);
  EXPECT_EQ(control.State().activeDoc, b);
  EXPECT_EQ(control.DocEvents(), b);

  // B closes: its events stop reaching the control, which still works on B.
  cad->CloseDocument("B.dwg");
  EXPECT_EQ(control.DocEvents(), nullptr);
  EXPECT_EQ(control.State().activeDoc, b);
  EXPECT_EQ(control::BindActiveDocument(control.State()), b);
  EXPECT_TRUE(journal.Lines().empty());  // nothing drawn, no viewer call, no message

  control.UserControl_Terminate();
  EXPECT_EQ(viewer.BoundSinks(), 0u);
  EXPECT_EQ(control.State().mapApp, nullptr);

  // The CAD application is gone at the next Show: one message, and the viewer is told
  // its client first.
  running.SetRunning(false);
  control.UserControl_Show();
  ASSERT_EQ(journal.Lines().size(), 2u);
  EXPECT_EQ(journal.Lines()[0], kClientInfoLine);
  EXPECT_EQ(journal.Lines()[1].rfind(R"(dialog message "UserControl_Show error ActiveX )"
                                     R"(component can't create object)",
                                     0),
            0u)
      << journal.Lines()[1];
  EXPECT_EQ(viewer.BoundSinks(), 0u);
}

}  // namespace
}  // namespace nimbo::shell
