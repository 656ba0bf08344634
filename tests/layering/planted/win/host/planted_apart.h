// A planted fault for the layering check's own test: the Windows build's contracts over
// COM reaching into the embedded default, which sits below them but is kept apart; the
// include of the COM layer is in order.
#pragma once

#include "standalone/journal.h"
#include "win/com/bstr.h"
