// Everything a replay runs in: the embedded default (journal, fault plan, person,
// dialogs, viewer, its container-provided properties, dock container, CAD host with its
// documents, running-object lookup), the clock and locale, and the control created in
// that environment. Built from a session; the replay's steps act on it and the state and
// picture read it afterwards.
#pragma once

#include <memory>

#include "automation/clock.h"
#include "replay/session/session.h"
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

namespace nimbo::replay {

class ReplayWorld {
 public:
  // Builds the documents and the viewer's state from the session, fixes the clock (or
  // takes the real one when the session fixes none), and creates the control. Raises
  // standalone::SetupError for a document the host cannot build.
  explicit ReplayWorld(const Session& session);
  ReplayWorld(const ReplayWorld&) = delete;
  ReplayWorld& operator=(const ReplayWorld&) = delete;

  // Declared in the order they depend on each other: each borrows only those above it,
  // and the control, which borrows them all, goes first.
  standalone::Journal journal;
  standalone::FaultPlan faults;
  standalone::ScriptedPerson person;
  standalone::ScriptedDialogs dialogs;
  standalone::SimulatedViewer viewer;
  standalone::SimulatedExtender viewerExtender;
  standalone::SimulatedExtender button;
  std::shared_ptr<standalone::SimulatedDockContainer> container;
  std::shared_ptr<standalone::MemoryApplication> application;
  standalone::MemoryRunningObjects runningObjects;
  std::unique_ptr<automation::Clock> clock;
  std::unique_ptr<shell::DockControl> control;
};

}  // namespace nimbo::replay
