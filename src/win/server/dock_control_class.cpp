// The class object's half of DockControl: the ActiveX control of win/control/ made with
// the platform's own parts (the running-object table, the Win32 boxes captioned with the
// library's name, the machine's clock) and the _DockControl dispatch answered from the
// core's member table, described by the library's type information.
#include <windows.h>

// First of ours: it takes back windows.h's MessageBox macro before the dialogs' contract.
#include "win/host/win32_dialogs.h"

#include <memory>

#include "shell/dock_control.h"
#include "sync/dock_control_members.h"
#include "win/com/error_to_caller.h"
#include "win/control/dock_control_factory.h"
#include "win/host/com_running_objects.h"
#include "win/server/dock_control_factory.h"
#include "win/server/local_clock.h"
#include "win/server/public_object.h"
#include "win/server/server_ids.h"
#include "win/server/server_module.h"

namespace nimbo::win::server {

namespace {

com::ComPtr<IDispatch> DockControlDispatch(shell::DockControl& core) {
  // The control object owns the core and this dispatch alike: the table borrows the core.
  std::shared_ptr<sync::DockControlInterface> borrowed(std::shared_ptr<void>(), &core);
  com::DispatchDescription description;
  description.interfaceId = DIID__DockControl;
  description.members = DispatchMembersOf(sync::DockControlMembers(), borrowed, "DockControl");
  description.typeInfo = ServerTypeInfo(DIID__DockControl);
  com::ComPtr<com::TableDispatch> dispatch = com::TableDispatch::Create(std::move(description));
  return com::ComPtr<IDispatch>(static_cast<IDispatch*>(dispatch.Get()));
}

}  // namespace

HRESULT CreateDockControl(IUnknown* outer, REFIID iid, void** out) {
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  // A control that cannot be made (its type information missing, say) tells why.
  return com::GuardCall(nullptr, IID_IClassFactory, [&] {
    static const LocalClock clock;
    control::DockControlParts parts;
    parts.runningObjects = std::make_shared<host::ComRunningObjects>();
    parts.dialogs = std::make_shared<host::Win32Dialogs>(shell::kLibraryName, nullptr);
    parts.clock = &clock;
    parts.makeDispatch = DockControlDispatch;
    parts.classInfo = ServerTypeInfo(CLSID_DockControl);
    parts.lifetime = ModuleLifetime();
    com::ComPtr<IUnknown> object = control::CreateDockControl(std::move(parts));
    return object->QueryInterface(iid, out);
  });
}

}  // namespace nimbo::win::server
