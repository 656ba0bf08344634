// The outside parts as the platform lets the control reach them. On Linux the control
// calls the embedded default's viewer and CAD application directly. On Windows they are
// put behind COM objects of their own (the stand-ins) and the control is given the COM
// adapters instead, so that a replay crosses real IDispatch calls, connection points and
// the running-object table, as the control does inside the CAD application; the
// journal is written by the same parts either way.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "host/platform.h"
#include "host/viewer.h"
#include "shell/dock_control.h"
#include "standalone/embedded_default.h"

namespace nimbo::replay {

// The control as a container holds it: created by its class in a palette, and reached only
// as the platform reaches a control, so that a step is what the platform does for it
// (the palette shown, resized, the control closed, its button pressed, its members called
// through IDispatch). Each raises the error that came back to the container.
// A step that the platform cannot do as the session writes it (a palette size between two
// pixels): the replay ends with the message, as for an output that cannot be written.
class UnplayableStep : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class HostedControl {
 public:
  virtual ~HostedControl() = default;
  // The core inside, for the state and the picture.
  virtual shell::DockControl& Core() = 0;
  virtual void Show() = 0;
  virtual void Resize(double width, double height) = 0;  // twips
  virtual void Dock() = 0;
  virtual void Terminate() = 0;
  virtual void Click() = 0;
  // One of the published methods, `layername` by reference; FindLayer answers whether it
  // found the layer.
  virtual bool Call(const std::string& method, std::string& layername) = 0;
};

class OutsideParts {
 public:
  virtual ~OutsideParts() = default;
  virtual host::ViewerControl* Viewer() = 0;
  virtual host::RunningObjects* RunningObjects() = 0;
  // The control created in a palette of the CAD application's, with every part of `world`
  // (which must outlive it); null where the platform has no such container.
  virtual std::unique_ptr<HostedControl> HostControl(standalone::EmbeddedDefault& world) = 0;
};

// Null where the control reaches the embedded default directly. `world` must be built
// (its documents, viewer state and running flag set) and must outlive the parts.
std::unique_ptr<OutsideParts> ReachOutsideParts(standalone::EmbeddedDefault& world);

}  // namespace nimbo::replay
