// The module (program or library) that this code is linked into: the .ocx when it runs
// in the library, the program otherwise. Its resources, its window classes and its file
// belong to it, not to the host program.
#pragma once

#include <windows.h>

#include <string>

namespace nimbo::win::com {

HMODULE ThisModule();
std::wstring ThisModulePath();

}  // namespace nimbo::win::com
