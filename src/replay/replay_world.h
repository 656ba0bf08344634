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

// Where the replay creates the control: in this process, called directly; or, where the
// platform has one, in the CAD application's palette, reached as a container reaches it.
enum class ControlHome { Direct, Palette };

class ReplayWorld : public standalone::EmbeddedDefault {
 public:
  // Builds the documents and the viewer's state from the session, fixes the clock (or
  // takes the real one when the session fixes none), and creates the control. Raises
  // standalone::SetupError for a document the host cannot build, and
  // std::runtime_error for a palette that this platform has not.
  explicit ReplayWorld(const Session& session, ControlHome home = ControlHome::Direct);

  // Where the platform puts the viewer and the CAD application behind its own
  // interfaces (outside_parts.h); null where the control calls the world directly.
  std::unique_ptr<OutsideParts> outside;
  // Members of the derived class, so that they go before the world they borrow from (and
  // before the outside parts they call). `hosted` is the control in its palette, when it
  // lives there; `control` is the core control either way.
  std::unique_ptr<HostedControl> hosted;
  shell::DockControl* control = nullptr;

 private:
  std::unique_ptr<shell::DockControl> directControl_;
};

}  // namespace nimbo::replay
