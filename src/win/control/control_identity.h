// Who the control is to COM: its class, its dispatch and event interfaces, and the
// interface through which the dock container hands itself over.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "dockable_container_iid.h"  // made by CMake in the build folder

namespace nimbo::win::control {

// DockControl {50310698-626E-47DA-A73F-E834B9D675BD}.
inline constexpr CLSID kDockControlClass = {
    0x50310698, 0x626E, 0x47DA, {0xA7, 0x3F, 0xE8, 0x34, 0xB9, 0xD6, 0x75, 0xBD}};
// _DockControl {4F19F6E4-D2F3-440F-BED2-7C69C21E8C30}, the default dispatch interface.
inline constexpr IID kDockControlInterface = {
    0x4F19F6E4, 0xD2F3, 0x440F, {0xBE, 0xD2, 0x7C, 0x69, 0xC2, 0x1E, 0x8C, 0x30}};
// __DockControl {3927EBAA-903C-48FD-AFC0-0C1C3E488C90}, the event interface; it has no
// events, but containers look for its connection point.
inline constexpr IID kDockControlEvents = {
    0x3927EBAA, 0x903C, 0x48FD, {0xAF, 0xC0, 0x0C, 0x1C, 0x3E, 0x48, 0x8C, 0x90}};

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
