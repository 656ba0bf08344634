// The embedded default wired in one place: the journal every part writes to, the fault
// plan every outside call asks, the scripted person with the dialogs it answers, the
// simulated viewer and its extender properties, the dock container, the in-memory CAD
// application (with its Map) and the running-object lookup that finds it, the clock and
// the locale. It hands out the environment a control is created in, and knows nothing of
// the control itself: the replay and the tests put one on it.
#pragma once

#include <memory>
#include <string>

#include "automation/clock.h"
#include "automation/locale.h"
#include "host/platform.h"
#include "host/viewer.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/running_objects.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_dialogs.h"
#include "standalone/scripted_person.h"
#include "standalone/simulated_dock_container.h"
#include "standalone/viewer/simulated_extender.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {

// The parts a world may take from elsewhere instead of building its own; what is left
// unset is the embedded default's.
struct EmbeddedOverrides {
  // The viewer the control talks to in place of the simulated one (which is still built
  // and still takes state, but nobody calls it). Borrowed; must outlive the world.
  host::ViewerControl* viewer = nullptr;
  // The lookup the control finds the CAD application with, in place of the in-memory one.
  // Borrowed; must outlive the world.
  host::RunningObjects* runningObjects = nullptr;
  // The clock; none: fixed at the first second of 2000 (automation::DateTime{}).
  std::unique_ptr<automation::Clock> clock;
  const automation::Locale* locale = &automation::Locale::EnUs();
};

class EmbeddedDefault {
 public:
  // `libraryName`: the caption of a message box shown without one.
  explicit EmbeddedDefault(std::string libraryName, EmbeddedOverrides overrides = {});
  EmbeddedDefault(const EmbeddedDefault&) = delete;
  EmbeddedDefault& operator=(const EmbeddedDefault&) = delete;

  // What a control is created with: every part borrowed from this world.
  host::ControlEnvironment Environment();
  // Replaces the viewer and the lookup that a control created afterwards is given, as
  // the overrides do, for parts that can only be made once the world exists (they call
  // into it). Borrowed; both must outlive the world's controls.
  void UseOutsideParts(host::ViewerControl* viewer, host::RunningObjects* runningObjects) {
    viewerOverride_ = viewer;
    runningObjectsOverride_ = runningObjects;
  }

  // Declared in the order they depend on each other: each borrows only those above it.
  // A control created in Environment() borrows them all, so it must go first.
  Journal journal;
  FaultPlan faults;
  ScriptedPerson person;
  ScriptedDialogs dialogs;
  SimulatedViewer viewer;
  SimulatedExtender viewerExtender;
  SimulatedExtender button;
  std::shared_ptr<SimulatedDockContainer> container;
  std::shared_ptr<MemoryApplication> application;
  MemoryRunningObjects runningObjects;
  std::unique_ptr<automation::Clock> clock;
  const automation::Locale* locale;

 private:
  host::ViewerControl* viewerOverride_;           // borrowed, or null
  host::RunningObjects* runningObjectsOverride_;  // borrowed, or null
};

}  // namespace nimbo::standalone
