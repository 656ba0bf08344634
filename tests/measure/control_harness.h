// The control as the platform runs it, over the embedded default: the in-memory CAD host
// with one drawing, the simulated viewer, scripted dialogs answered by a scripted person,
// a fixed clock and a locale. The control is shown and docked, and the drawing activated
// through the dock container; the journal is then emptied, so that a test reads only what
// its own events did.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/clock.h"
#include "automation/locale.h"
#include "automation/variant.h"
#include "host/platform.h"
#include "shell/dock_control.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/running_objects.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_dialogs.h"
#include "standalone/scripted_person.h"
#include "standalone/simulated_dock_container.h"
#include "standalone/viewer/simulated_extender.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::capture_testing {

using standalone::ButtonAnswer;
using standalone::InputAnswer;
using standalone::PointAnswer;
using standalone::SelectAnswer;

inline constexpr const char* kDrawingName = "Site.dwg";
// 7 December 2026, 10:15:30: the temporary selection sets are named after it.
inline constexpr automation::DateTime kNow{2026, 12, 7, 10, 15, 30};

struct HarnessOptions {
  const automation::Locale* locale = &automation::Locale::EnUs();
  // False: the host has no drawing open and the control has never seen one.
  bool openDrawing = true;
};

class ControlHarness {
 public:
  explicit ControlHarness(HarnessOptions options = {})
      : viewerExtender(standalone::SimulatedExtender::ForViewer(journal)),
        button(standalone::SimulatedExtender::ForButton(journal)) {
    host::ControlEnvironment env;
    env.viewer = &viewer;
    env.viewerExtender = &viewerExtender;
    env.button = &button;
    env.runningObjects = &running;
    env.dialogs = &dialogs;
    env.locale = options.locale;
    env.clock = &clock;
    control = std::make_unique<shell::DockControl>(env);
    control->UserControl_Show();
    control->IRetrieveDockableContainer_SetDockContainer(container);
    if (options.openDrawing) {
      application->AddDocument(kDrawingName);
      application->Activate(kDrawingName);
      container->ReportDocumentActivated(application->DocumentObject(kDrawingName));
    }
    journal.Clear();
  }

  ~ControlHarness() {
    // Every answer a test gives is meant to be taken, and no interaction may go unanswered.
    EXPECT_EQ(person.Remaining(), 0u) << "answers left over";
    EXPECT_EQ(person.Disagreement(), std::nullopt);
  }

  standalone::Drawing& Drawing() { return *application->FindDrawing(kDrawingName); }

  // The viewer raises one of its measurement events.
  void Measure(std::string_view event, double value, const std::string& method,
               const std::string& subOption) {
    viewer.RaiseEvent(event, {automation::Variant(value), automation::Variant(method),
                              automation::Variant(subOption)});
  }

  // The person ends a command in the drawing, the view centred where given.
  void RunCommand(const std::string& name, std::optional<standalone::spatial::Vec2> centre = {}) {
    application->RunCommand(kDrawingName, name, centre);
  }

  // The journal lines that start with `prefix`, in order.
  std::vector<std::string> Lines(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : journal.Lines()) {
      if (line.starts_with(prefix)) found.push_back(line);
    }
    return found;
  }
  std::vector<std::string> Dialogs() const { return Lines("dialog "); }
  std::vector<std::string> DrawingChanges() const {
    return Lines(std::string("drawing ") + kDrawingName + " ");
  }

  standalone::Journal journal;
  standalone::FaultPlan faults;
  standalone::ScriptedPerson person;
  std::shared_ptr<standalone::MemoryApplication> application =
      standalone::MemoryApplication::Create(faults, journal, person);
  standalone::MemoryRunningObjects running{application, faults};
  standalone::SimulatedViewer viewer{journal, faults};
  standalone::SimulatedExtender viewerExtender;
  standalone::SimulatedExtender button;
  standalone::ScriptedDialogs dialogs{person, journal, faults, shell::kLibraryName};
  std::shared_ptr<standalone::SimulatedDockContainer> container =
      std::make_shared<standalone::SimulatedDockContainer>(journal, faults);
  automation::FixedClock clock{kNow};
  // Last, so that it lets go of everything above before they go.
  std::unique_ptr<shell::DockControl> control;
};

}  // namespace nimbo::capture_testing
