// Conversions with the run-time's meaning: overflow raises 6, an impossible conversion
// raises 13, Null raises 94. Strings are read and written in the given locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/locale.h"
#include "automation/variant.h"

namespace nimbo::automation {

double ToDouble(const Variant& v, const Locale& locale = Locale::EnUs());
bool ToBoolean(const Variant& v, const Locale& locale = Locale::EnUs());
// Rounds half to even, as the run-time does.
int32_t ToLong(const Variant& v, const Locale& locale = Locale::EnUs());
int16_t ToInteger(const Variant& v, const Locale& locale = Locale::EnUs());
std::string ToString(const Variant& v, const Locale& locale = Locale::EnUs());

// A count or index that must fit a 32-bit Long; larger values overflow (6).
int32_t CheckedLong(int64_t value);
// The same for a 16-bit Integer.
int16_t CheckedInteger(int64_t value);

// The run-time's UCase as far as the control needs it: ASCII letters upper-cased. Drawing
// layer names are compared by upper-casing both sides.
std::string UCase(const std::string& text);
// UCase(a) == UCase(b), without making the two copies: the drawing-layer service asks it
// once for every entity of model space.
bool SameUCase(std::string_view a, std::string_view b);

}  // namespace nimbo::automation
