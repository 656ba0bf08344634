// The outside parts as the platform lets the control reach them. On Linux the control
// calls the embedded default's viewer and CAD application directly. On Windows they are
// put behind COM objects of their own (the stand-ins) and the control is given the COM
// adapters instead, so that a replay crosses real IDispatch calls, connection points and
// the running-object table, as the control does inside the CAD application; the
// journal is written by the same parts either way.
#pragma once

#include <memory>

#include "host/platform.h"
#include "host/viewer.h"
#include "standalone/embedded_default.h"

namespace nimbo::replay {

class OutsideParts {
 public:
  virtual ~OutsideParts() = default;
  virtual host::ViewerControl* Viewer() = 0;
  virtual host::RunningObjects* RunningObjects() = 0;
};

// Null where the control reaches the embedded default directly. `world` must be built
// (its documents, viewer state and running flag set) and must outlive the parts.
std::unique_ptr<OutsideParts> ReachOutsideParts(standalone::EmbeddedDefault& world);

}  // namespace nimbo::replay
