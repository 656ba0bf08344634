// Who the control is to COM: its class, its dispatch and event interfaces, and the
// interface through which the dock container hands itself over.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <initguid.h>  // the GUIDs of the library's header are defined, not only declared

#include "dockable_container_iid.h"  // made by CMake in the build folder
#include "vesk_nimbo_dock17.h"       // made by widl from the library's IDL

namespace nimbo::win::control {

// DockControl, its default dispatch interface _DockControl and its event interface
// __DockControl (no events, but containers look for its connection point), as the
// library's IDL gives them.
inline const CLSID& kDockControlClass = CLSID_DockControl;
inline const IID& kDockControlInterface = DIID__DockControl;
inline const IID& kDockControlEvents = DIID___DockControl;

// IRetrieveDockableContainer belongs to the dock container's type library (AC_CONT), which
// is the container's to ship, not ours. Its IID is therefore a build setting
// (NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID); the default is a placeholder of ours, to be set
// to the container's own IID when building for the real container.
//
// Assumed from how the container uses it: a dual interface derived from IDispatch with one
// member, the method SetDockContainer(newVal) at the first slot after IDispatch's and with
// DISPID 1, handing the container object in as an IDispatch.
inline constexpr IID kRetrieveDockableContainer = NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID_INIT;
inline constexpr DISPID kSetDockContainerId = 1;

struct IRetrieveDockableContainer : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE SetDockContainer(IDispatch* newVal) = 0;
};

}  // namespace nimbo::win::control
