// The identifiers of the CAD application stand-in's type library, from the header that
// widl generates from its IDL (the one home of its GUIDs), defined here.
#pragma once

#include <windows.h>

#include <initguid.h>  // the GUIDs of the header below are defined, not only declared

#include "nimbo_cad_standin.h"
