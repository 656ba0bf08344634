#include "standalone/journal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "automation/convert.h"

namespace nimbo::standalone {

void Journal::Forward() {
  if (!sink_) return;
  for (const std::string& line : lines_) sink_(line);
  forwarded_ += lines_.size();
  lines_.clear();
}

size_t Journal::HeldIndex(size_t mark) const {
  // Reading what went to the sink would silently give a part for the whole.
  if (mark < forwarded_) throw std::logic_error("journal lines before the mark were forwarded");
  return mark - forwarded_;
}

std::vector<std::string> Journal::Since(size_t mark) const {
  const size_t first = HeldIndex(mark);
  if (first >= lines_.size()) return {};
  return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end()};
}

std::vector<std::string> Journal::StartingWith(std::string_view prefix, size_t mark) const {
  std::vector<std::string> found;
  for (size_t i = HeldIndex(mark); i < lines_.size(); ++i) {
    if (lines_[i].starts_with(prefix)) found.push_back(lines_[i]);
  }
  return found;
}

std::string TranscriptNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  const double magnitude = std::fabs(value);
  if (value == std::trunc(value) && magnitude < 1e16) {
    return std::to_string(static_cast<int64_t>(value));
  }
  char buffer[64];
  const auto format = (magnitude >= 1e-4 && magnitude < 1e16) ? std::chars_format::fixed
                                                              : std::chars_format::scientific;
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  return std::string(buffer, result.ptr);
}

std::string TranscriptString(const std::string& text) {
  // Invalid UTF-8 is replaced rather than refused: the transcript must always be written.
  return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string TranscriptValue(const automation::Variant& value) {
  using automation::VarType;
  std::string prefix = value.IsByRef() ? "&" : "";
  const automation::Variant v = value.Value();
  switch (v.Type()) {
    case VarType::Empty:
      return prefix + "Empty";
    case VarType::Null:
      return prefix + "Null";
    case VarType::Missing:
      return prefix + "Missing";
    case VarType::Integer:
      return prefix + std::to_string(v.AsInteger());
    case VarType::Long:
      return prefix + std::to_string(v.AsLong());
    case VarType::Double:
      return prefix + TranscriptNumber(v.AsDouble());
    case VarType::String:
      return prefix + TranscriptString(v.AsString());
    case VarType::Boolean:
      return prefix + (v.AsBoolean().IsTrue() ? "True" : "False");
    case VarType::Object:
      return prefix + (v.AsObject() ? "Object" : "Nothing");
    case VarType::DoubleArray: {
      std::string out = prefix + "[";
      const auto& values = v.AsDoubleArray().values;
      for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ", ";
        out += TranscriptNumber(values[i]);
      }
      return out + "]";
    }
    case VarType::VariantArray: {
      std::string out = prefix + "[";
      const auto& values = v.AsVariantArray().values;
      for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ", ";
        out += TranscriptValue(values[i]);
      }
      return out + "]";
    }
  }
  return prefix + "?";
}

std::string TranscriptPoint(double x, double y, double z) {
  return "(" + TranscriptNumber(x) + ", " + TranscriptNumber(y) + ", " + TranscriptNumber(z) + ")";
}

}  // namespace nimbo::standalone
