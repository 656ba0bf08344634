#include "automation/convert.h"

#include <cmath>
#include <limits>

#include "automation/error.h"

namespace nimbo::automation {

namespace {

AutomationError InvalidUseOfNull() {
  return errors::Standard(errors::kInvalidUseOfNull);
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = Upper(c);
  return out;
}

// Rounds half to even and checks the range of the target integer type.
template <class Int>
Int RoundToInt(double d) {
  if (std::isnan(d)) throw errors::Standard(errors::kOverflow);
  const double r = std::nearbyint(d);  // the default rounding mode is to nearest, ties to even
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max())) {
    throw errors::Standard(errors::kOverflow);
  }
  return static_cast<Int>(r);
}

}  // namespace

double ToDouble(const Variant& v, const Locale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Null:
      throw InvalidUseOfNull();
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Double:
      return v.AsDouble();
    case VarType::Boolean:
      return v.AsBoolean().value;
    case VarType::String: {
      const std::string text = v.Value().AsString();
      const std::string upper = Upper(text);
      if (upper == "TRUE") return -1.0;
      if (upper == "FALSE") return 0.0;
      return locale.ParseNumber(text);
    }
    default:
      throw errors::Standard(errors::kTypeMismatch);
  }
}

bool ToBoolean(const Variant& v, const Locale& locale) {
  switch (v.Type()) {
    case VarType::Boolean:
      return v.AsBoolean().IsTrue();
    case VarType::Null:
      throw InvalidUseOfNull();
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::String:
      return ToDouble(v, locale) != 0.0;
    default:
      throw errors::Standard(errors::kTypeMismatch);
  }
}

int32_t ToLong(const Variant& v, const Locale& locale) {
  switch (v.Type()) {
    case VarType::Long:
      return v.AsLong();
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Boolean:
      return v.AsBoolean().value;
    default:
      return RoundToInt<int32_t>(ToDouble(v, locale));
  }
}

int16_t ToInteger(const Variant& v, const Locale& locale) {
  switch (v.Type()) {
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Boolean:
      return v.AsBoolean().value;
    default:
      return RoundToInt<int16_t>(ToDouble(v, locale));
  }
}

std::string ToString(const Variant& v, const Locale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
      return "";
    case VarType::Null:
      throw InvalidUseOfNull();
    case VarType::Integer:
      return std::to_string(v.AsInteger());
    case VarType::Long:
      return std::to_string(v.AsLong());
    case VarType::Double:
      return locale.NumberText(v.AsDouble());
    case VarType::Boolean:
      return v.AsBoolean().IsTrue() ? "True" : "False";
    case VarType::String:
      return v.Value().AsString();
    default:
      throw errors::Standard(errors::kTypeMismatch);
  }
}

int32_t CheckedLong(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw errors::Standard(errors::kOverflow);
  }
  return static_cast<int32_t>(value);
}

int16_t CheckedInteger(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    throw errors::Standard(errors::kOverflow);
  }
  return static_cast<int16_t>(value);
}

std::string UCase(const std::string& text) {
  return Upper(text);
}

bool SameUCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

}  // namespace nimbo::automation
