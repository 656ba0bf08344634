// What the platform gives the control from outside: the running-object lookup, and the
// environment the control is created in.
#pragma once

#include <string>

#include "automation/clock.h"
#include "automation/locale.h"
#include "automation/variant.h"
#include "host/dialogs.h"
#include "host/viewer.h"

namespace nimbo::host {

inline constexpr const char* kCadProgId = "AutoCAD.Application.17";

// GetObject(, progId): attaches to a running application; raises error 429 when none is
// registered under that ProgID. Never starts one.
class RunningObjects {
 public:
  virtual ~RunningObjects() = default;
  virtual automation::ObjectRef GetActiveObject(const std::string& progId) = 0;
};

// Everything the control is created with. All borrowed: the platform keeps them alive as
// long as the control.
struct ControlEnvironment {
  ViewerControl* viewer = nullptr;              // NimboViewer1; may be absent
  ExtenderProperties* viewerExtender = nullptr;  // its container-provided properties
  ExtenderProperties* button = nullptr;          // Command1's properties
  RunningObjects* runningObjects = nullptr;
  Dialogs* dialogs = nullptr;
  const automation::Locale* locale = &automation::Locale::EnUs();
  const automation::Clock* clock = nullptr;
};

}  // namespace nimbo::host
