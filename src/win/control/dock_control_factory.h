// Makes the DockControl ActiveX object: the core control with what it needs from the
// platform, its child controls, and the _DockControl dispatch that the library's server
// builds over the core control. The object is what the class factory of DockControl hands
// out.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "automation/clock.h"
#include "automation/locale.h"
#include "host/dialogs.h"
#include "host/platform.h"
#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "win/com/com_ptr.h"

namespace nimbo::shell {
class DockControl;
}

namespace nimbo::win::control {

struct DockControlParts {
  // Shared with the object, which keeps them as long as it lives.
  std::shared_ptr<nimbo::host::RunningObjects> runningObjects;
  std::shared_ptr<nimbo::host::Dialogs> dialogs;
  // Borrowed: both must outlive every object made with them (the process's, usually).
  const automation::Locale* locale = &automation::Locale::EnUs();
  const automation::Clock* clock = nullptr;
  // The object's IDispatch (_DockControl), made once over the core control, which it may
  // hold by reference: the core lives exactly as long as the object. Empty: the object
  // answers no IDispatch.
  std::function<com::ComPtr<IDispatch>(shell::DockControl& core)> makeDispatch;
  // NimboViewer1's class.
  std::string viewerProgId = nimbo::host::kViewerProgId;
  // The coclass's type information, for IProvideClassInfo2; null: the object does not
  // describe itself.
  com::ComPtr<ITypeInfo> classInfo;
  // What the core reaches its children's container-provided properties through, in place
  // of the children's own (a journal of them, say): asked once for each, with "viewer" and
  // "button"; what it answers must outlive the object. Empty: the children's own.
  std::function<nimbo::host::ExtenderProperties*(const char* child,
                                                 nimbo::host::ExtenderProperties& own)>
      childExtender;
  // Held for as long as the object lives (the library's count of live objects); may be null.
  std::shared_ptr<const void> lifetime;
};

// A new object, with one reference for the caller. Raises AutomationError when the
// dispatch cannot be made.
com::ComPtr<IUnknown> CreateDockControl(DockControlParts parts);

}  // namespace nimbo::win::control
