#include "replay/replay_world.h"

#include "automation/locale.h"
#include "replay/document_setup.h"
#include "replay/system_clock.h"

namespace nimbo::replay {

namespace {

std::unique_ptr<automation::Clock> ClockOf(const Session& session) {
  if (session.now) return std::make_unique<automation::FixedClock>(*session.now);
  return std::make_unique<SystemClock>();
}

}  // namespace

ReplayWorld::ReplayWorld(const Session& session)
    : dialogs(person, journal, faults, shell::kLibraryName),
      viewer(journal, faults),
      viewerExtender(standalone::SimulatedExtender::ForViewer(journal)),
      button(standalone::SimulatedExtender::ForButton(journal)),
      container(std::make_shared<standalone::SimulatedDockContainer>(journal, faults)),
      application(standalone::MemoryApplication::Create(faults, journal, person)),
      runningObjects(application, faults),
      clock(ClockOf(session)) {
  for (const SessionDocument& document : session.documents) {
    SetUpDocument(application->AddDocument(document.name), document);
  }
  application->Activate(session.activeDocument);
  application->SetMapAvailable(session.map);
  runningObjects.SetRunning(session.autocad);
  viewer.ApplyState(session.viewer);

  host::ControlEnvironment environment;
  environment.viewer = &viewer;
  environment.viewerExtender = &viewerExtender;
  environment.button = &button;
  environment.runningObjects = &runningObjects;
  environment.dialogs = &dialogs;
  environment.locale = automation::Locale::ByName(session.locale);
  environment.clock = clock.get();
  control = std::make_unique<shell::DockControl>(environment);
}

}  // namespace nimbo::replay
