#include "replay/output/readable_json.h"

#include <cmath>
#include <optional>

#include "standalone/journal.h"

namespace nimbo::replay {

namespace {

using Json = nlohmann::ordered_json;

constexpr size_t kLineWidth = 112;

// Numbers as the transcript writes them (1000, 2.5, 1e-05), all valid JSON; a value
// that is not finite has no JSON form and is written null.
std::string Scalar(const Json& value) {
  if (value.is_number_float()) {
    const double number = value.get<double>();
    return std::isfinite(number) ? standalone::TranscriptNumber(number) : "null";
  }
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A value written on one line, or nothing when it does not fit.
std::optional<std::string> OneLine(const Json& value) {
  if (!value.is_structured()) return Scalar(value);
  const bool isObject = value.is_object();
  std::string out = isObject ? "{" : "[";
  bool first = true;
  for (const auto& [key, member] : value.items()) {
    const auto element = OneLine(member);
    if (!element) return std::nullopt;
    out += (first ? "" : ", ") + (isObject ? Scalar(Json(key)) + ": " : "") + *element;
    first = false;
    if (out.size() > kLineWidth) return std::nullopt;
  }
  return out + (isObject ? "}" : "]");
}

void Write(const Json& value, size_t indent, std::string& out) {
  if (!value.is_structured()) {
    out += Scalar(value);  // however long: a scalar has no lines to break into
    return;
  }
  if (const auto line = OneLine(value); line && indent + line->size() <= kLineWidth) {
    out += *line;
    return;
  }
  const std::string inner(indent + 2, ' ');
  const std::string outer(indent, ' ');
  if (value.is_object()) {
    if (value.empty()) {
      out += "{}";
      return;
    }
    out += "{\n";
    size_t i = 0;
    for (const auto& [key, member] : value.items()) {
      out += inner + Scalar(Json(key)) + ": ";
      Write(member, indent + 2, out);
      out += (++i < value.size() ? ",\n" : "\n");
    }
    out += outer + "}";
    return;
  }
  out += "[\n";
  for (size_t i = 0; i < value.size(); ++i) {
    out += inner;
    Write(value[i], indent + 2, out);
    out += (i + 1 < value.size() ? ",\n" : "\n");
  }
  out += outer + "]";
}

}  // namespace

std::string ReadableJson(const nlohmann::ordered_json& value) {
  std::string out;
  Write(value, 0, out);
  return out + "\n";
}

}  // namespace nimbo::replay
