#include "standalone/journal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "automation/convert.h"
#include "standalone/shortest_fixed.h"

namespace nimbo::standalone {

const std::vector<std::string>& Journal::Lines() const {
  for (size_t i = listed_.size(); i < Count(); ++i) listed_.emplace_back(Line(i));
  return listed_;
}

void Journal::Release() {
  text_.clear();
  ends_.clear();
  listed_.clear();
}

void Journal::Clear() {
  Release();
  forwarded_ = 0;
}

void Journal::Forward() {
  if (!sink_) return;
  std::string line;  // one string for all: the sink takes a std::string
  for (size_t i = 0; i < Count(); ++i) {
    line.assign(Line(i));
    sink_(line);
  }
  forwarded_ += Count();
  Release();
}

size_t Journal::HeldIndex(size_t mark) const {
  // Reading what went to the sink would silently give a part for the whole.
  if (mark < forwarded_) throw std::logic_error("journal lines before the mark were forwarded");
  return mark - forwarded_;
}

std::vector<std::string> Journal::Since(size_t mark) const {
  std::vector<std::string> found;
  for (size_t i = HeldIndex(mark); i < Count(); ++i) found.emplace_back(Line(i));
  return found;
}

std::vector<std::string> Journal::StartingWith(std::string_view prefix, size_t mark) const {
  std::vector<std::string> found;
  for (size_t i = HeldIndex(mark); i < Count(); ++i) {
    const std::string_view line = Line(i);
    if (line.starts_with(prefix)) found.emplace_back(line);
  }
  return found;
}

void AppendTranscriptNumber(LineText& out, double value) {
  if (std::isnan(value)) {
    out.Append("NaN");
    return;
  }
  if (std::isinf(value)) {
    out.Append(value > 0 ? "Infinity" : "-Infinity");
    return;
  }
  constexpr size_t kRoom = 64;
  static_assert(kRoom >= kShortestFixedRoom);
  char* const at = out.Room(kRoom);
  const double magnitude = std::fabs(value);
  char* end = nullptr;
  if (value == std::trunc(value) && magnitude < 1e16) {
    end = std::to_chars(at, at + kRoom, static_cast<int64_t>(value)).ptr;
  } else if (magnitude >= 1e-4 && magnitude < 1e16) {
    end = WriteShortestFixed(at, value);
    if (end == nullptr) end = std::to_chars(at, at + kRoom, value, std::chars_format::fixed).ptr;
  } else {
    end = std::to_chars(at, at + kRoom, value, std::chars_format::scientific).ptr;
  }
  out.Commit(static_cast<size_t>(end - at));
}

void AppendTranscriptString(LineText& out, const std::string& text) {
  // Most names need no escaping; those are written as they are, without the JSON library,
  // which gives the same bytes for them.
  const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
  });
  if (!plain) {
    // Invalid UTF-8 is replaced rather than refused: the transcript must always be written.
    out.Append(nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    return;
  }
  char* at = out.Room(text.size() + 2);
  *at++ = '"';
  std::memcpy(at, text.data(), text.size());
  at[text.size()] = '"';
  out.Commit(text.size() + 2);
}

void AppendTranscriptValue(LineText& out, const automation::Variant& value) {
  using automation::VarType;
  if (value.IsByRef()) out.Append('&');
  // The typed accessors look through a reference without copying what it refers to.
  switch (value.Type()) {
    case VarType::Empty:
      out.Append("Empty");
      return;
    case VarType::Null:
      out.Append("Null");
      return;
    case VarType::Missing:
      out.Append("Missing");
      return;
    case VarType::Integer:
      AppendTranscriptNumber(out, value.AsInteger());
      return;
    case VarType::Long:
      AppendTranscriptNumber(out, value.AsLong());
      return;
    case VarType::Double:
      AppendTranscriptNumber(out, value.AsDouble());
      return;
    case VarType::String:
      AppendTranscriptString(out, value.AsString());
      return;
    case VarType::Boolean:
      out.Append(value.AsBoolean().IsTrue() ? "True" : "False");
      return;
    case VarType::Object:
      out.Append(value.Value().AsObject() ? "Object" : "Nothing");
      return;
    case VarType::DoubleArray: {
      const automation::Variant v = value.Value();
      out.Append('[');
      const auto& values = v.AsDoubleArray().values;
      for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out.Append(", ");
        AppendTranscriptNumber(out, values[i]);
      }
      out.Append(']');
      return;
    }
    case VarType::VariantArray: {
      const automation::Variant v = value.Value();
      out.Append('[');
      const auto& values = v.AsVariantArray().values;
      for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out.Append(", ");
        AppendTranscriptValue(out, values[i]);
      }
      out.Append(']');
      return;
    }
  }
  out.Append('?');
}

void AppendTranscriptNumber(std::string& out, double value) {
  LineText text;
  AppendTranscriptNumber(text, value);
  out.append(text.View());
}

void AppendTranscriptString(std::string& out, const std::string& text) {
  LineText line;
  AppendTranscriptString(line, text);
  out.append(line.View());
}

void AppendTranscriptValue(std::string& out, const automation::Variant& value) {
  LineText text;
  AppendTranscriptValue(text, value);
  out.append(text.View());
}

std::string TranscriptNumber(double value) {
  std::string out;
  AppendTranscriptNumber(out, value);
  return out;
}

std::string TranscriptString(const std::string& text) {
  std::string out;
  AppendTranscriptString(out, text);
  return out;
}

std::string TranscriptValue(const automation::Variant& value) {
  std::string out;
  AppendTranscriptValue(out, value);
  return out;
}

std::string TranscriptPoint(double x, double y, double z) {
  return "(" + TranscriptNumber(x) + ", " + TranscriptNumber(y) + ", " + TranscriptNumber(z) + ")";
}

}  // namespace nimbo::standalone
