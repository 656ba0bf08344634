// The identifiers of the viewer stand-in's type library, from the header that widl
// generates from its IDL (the one home of its GUIDs), defined here for the one library
// that uses them.
#pragma once

#include <windows.h>

#include <initguid.h>  // the GUIDs of the header below are defined, not only declared

#include "nimbo_viewer_standin.h"
