// The library as a module: the count of its live objects and of its class objects' locks
// (DllCanUnloadNow unloads it only at zero), its own file, and its type library, which is
// its TYPELIB resource 1.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>

#include "win/com/com_ptr.h"

namespace nimbo::win::server {

// One count for as long as the token lives: every object that the library hands out holds
// one (an object of ours keeps it in its description's `lifetime`).
std::shared_ptr<const void> ModuleLifetime();
// IClassFactory::LockServer.
void LockModule(bool lock);
bool ModuleInUse();

// The file that this code was linked into (the .ocx).
std::wstring ModulePath();

// The library's type library, loaded once from the module, never registered by loading;
// failures raise the platform's error.
com::ComPtr<ITypeLib> ServerTypeLibrary();
com::ComPtr<ITypeInfo> ServerTypeInfo(REFGUID guid);

}  // namespace nimbo::win::server
