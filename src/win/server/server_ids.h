// The identifiers of the library's type library, from the header that widl generates
// from vesk_nimbo_dock17.idl (the one home of its GUIDs), defined here.
#pragma once

#include <windows.h>

#include <initguid.h>  // the GUIDs of the header below are defined, not only declared

#include "vesk_nimbo_dock17.h"

namespace nimbo::win::server {

// The type library's version, as the IDL gives it and the registry records it.
inline constexpr WORD kLibraryMajorVersion = 1;
inline constexpr WORD kLibraryMinorVersion = 0;

}  // namespace nimbo::win::server
