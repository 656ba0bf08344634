#include "standalone/embedded_default.h"

#include <utility>

namespace nimbo::standalone {

namespace {

std::unique_ptr<automation::Clock> ClockOr(std::unique_ptr<automation::Clock> clock) {
  if (clock) return clock;
  return std::make_unique<automation::FixedClock>(automation::DateTime{});
}

}  // namespace

EmbeddedDefault::EmbeddedDefault(std::string libraryName, EmbeddedOverrides overrides)
    : dialogs(person, journal, faults, std::move(libraryName)),
      viewer(journal, faults),
      viewerExtender(SimulatedExtender::ForViewer(journal)),
      button(SimulatedExtender::ForButton(journal)),
      container(std::make_shared<SimulatedDockContainer>(journal, faults)),
      application(MemoryApplication::Create(faults, journal, person)),
      runningObjects(application, faults),
      clock(ClockOr(std::move(overrides.clock))),
      locale(overrides.locale),
      viewerOverride_(overrides.viewer),
      runningObjectsOverride_(overrides.runningObjects) {}

host::ControlEnvironment EmbeddedDefault::Environment() {
  host::ControlEnvironment environment;
  environment.viewer = viewerOverride_ != nullptr ? viewerOverride_ : &viewer;
  environment.viewerExtender = &viewerExtender;
  environment.button = &button;
  environment.runningObjects =
      runningObjectsOverride_ != nullptr ? runningObjectsOverride_ : &runningObjects;
  environment.dialogs = &dialogs;
  environment.locale = locale;
  environment.clock = clock.get();
  return environment;
}

}  // namespace nimbo::standalone
