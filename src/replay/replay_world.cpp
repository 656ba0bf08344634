#include "replay/replay_world.h"

#include <stdexcept>

#include "automation/locale.h"
#include "replay/document_setup.h"
#include "replay/system_clock.h"

namespace nimbo::replay {

namespace {

standalone::EmbeddedOverrides OverridesOf(const Session& session) {
  standalone::EmbeddedOverrides overrides;
  if (session.now) {
    overrides.clock = std::make_unique<automation::FixedClock>(*session.now);
  } else {
    overrides.clock = std::make_unique<SystemClock>();
  }
  overrides.locale = automation::Locale::ByName(session.locale);
  return overrides;
}

}  // namespace

ReplayWorld::ReplayWorld(const Session& session, ControlHome home)
    : EmbeddedDefault(shell::kLibraryName, OverridesOf(session)) {
  for (const SessionDocument& document : session.documents) {
    SetUpDocument(application->AddDocument(document.name), document);
  }
  application->Activate(session.activeDocument);
  application->SetMapAvailable(session.map);
  runningObjects.SetRunning(session.autocad);
  viewer.ApplyState(session.viewer);
  outside = ReachOutsideParts(*this);
  if (outside) UseOutsideParts(outside->Viewer(), outside->RunningObjects());
  if (home == ControlHome::Palette) {
    if (outside) hosted = outside->HostControl(*this);
    if (!hosted) throw std::runtime_error("only the Windows build hosts the control in a palette");
    control = &hosted->Core();
    return;
  }
  directControl_ = std::make_unique<shell::DockControl>(Environment());
  control = directControl_.get();
}

}  // namespace nimbo::replay
