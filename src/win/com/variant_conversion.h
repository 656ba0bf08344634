// Values between the core's Variant and COM's VARIANT.
//
// Outgoing: Empty, Null, Integer (VT_I2), Long (VT_I4), Double (VT_R8), String (VT_BSTR),
// Boolean (VT_BOOL, -1/0), Object (VT_DISPATCH; Nothing is a null pointer), Double()
// (SAFEARRAY of VT_R8), Variant() (SAFEARRAY of VARIANT), both keeping their lower bound,
// and Missing (VT_ERROR DISP_E_PARAMNOTFOUND). A by-reference Variant gives its value.
//
// Incoming: the same, looking through VT_BYREF; the narrower and wider integers become
// Integer or Long (out of range: overflow, 6), Single, Currency and Decimal become Double,
// an array of another element type becomes a Variant() of its elements. Anything else is
// a type mismatch (13).
#pragma once

#include <windows.h>

#include "automation/variant.h"
#include "win/com/unique_variant.h"

namespace nimbo::win::com {

UniqueVariant ToComVariant(const automation::Variant& value);
automation::Variant FromComVariant(const VARIANT& value);

// The VARTYPE of a VARIANT that would hold a value of `type`.
VARTYPE ComTypeOf(automation::VarType type);

}  // namespace nimbo::win::com
