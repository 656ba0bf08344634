// Everything a replay runs in: the embedded default (journal, fault plan, person,
// dialogs, viewer, its container-provided properties, dock container, CAD host with its
// documents, running-object lookup, clock and locale) and the control created in it.
// Built from a session; the replay's steps act on it and the state and picture read it
// afterwards.
#pragma once

#include <memory>

#include "replay/outside_parts.h"
#include "replay/session/session.h"
#include "shell/dock_control.h"
#include "standalone/embedded_default.h"

namespace nimbo::replay {

class ReplayWorld : public standalone::EmbeddedDefault {
 public:
  // Builds the documents and the viewer's state from the session, fixes the clock (or
  // takes the real one when the session fixes none), and creates the control. Raises
  // standalone::SetupError for a document the host cannot build.
  explicit ReplayWorld(const Session& session);

  // Where the platform puts the viewer and the CAD application behind its own
  // interfaces (outside_parts.h); null where the control calls the world directly.
  std::unique_ptr<OutsideParts> outside;
  // A member of the derived class, so that it goes before the world it borrows from (and
  // before the outside parts it calls).
  std::unique_ptr<shell::DockControl> control;
};

}  // namespace nimbo::replay
