#include "replay/dxf/group_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "replay/dxf/group_values.h"

namespace nimbo::replay::dxf {

namespace {

// The next code point of the UTF-8 text at `i` (advancing it); a byte that does not start
// a well-formed sequence stands for itself as U+FFFD, so nothing malformed reaches the file.
uint32_t NextCodePoint(std::string_view text, size_t& i) {
  const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return code;
}

// The Windows-1252 byte of a character, or 0 when the code page has none: 0xA0 to 0xFF are
// Latin-1's, 0x80 to 0x9F hold these.
unsigned char Windows1252(uint32_t code) {
  if (code >= 0xA0 && code <= 0xFF) return static_cast<unsigned char>(code);
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (unsigned i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == code) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

void AppendEscape(std::string& out, uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(code));
  out += buffer;
}

}  // namespace

std::string FormatReal(double value) {
  if (!std::isfinite(value)) value = 0;  // a file cannot hold NaN or infinity
  if (value == 0) value = 0;             // no "-0.0"
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x20 || c == 0x7F) {
      out += '^';
      out += static_cast<char>(c == 0x7F ? '?' : c + 0x40);
      ++i;
      continue;
    }
    if (c == '^') {  // a caret of its own, not the start of a control character
      out += "^ ";
      ++i;
      continue;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const size_t start = i;
    const uint32_t code = NextCodePoint(utf8, i);
    if (encoding == TextEncoding::Utf8) {
      if (code == 0xFFFD && i - start == 1) {
        out += "\xEF\xBF\xBD";
      } else {
        out.append(utf8.substr(start, i - start));
      }
    } else if (const unsigned char byte = Windows1252(code)) {
      out += static_cast<char>(byte);
    } else if (code > 0xFFFF) {
      // \U+ takes four digits: a character beyond them goes as its UTF-16 pair.
      AppendEscape(out, 0xD800 + ((code - 0x10000) >> 10));
      AppendEscape(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      AppendEscape(out, code);
    }
  }
  return out;
}

void GroupWriter::Note(int code, std::string_view value) {
  if (code != 5 && code != 105) return;
  const uint64_t handle = ParseHandle(value).value_or(0);
  if (handle > highest_) highest_ = handle;
}

void GroupWriter::Append(const GroupWriter& other) {
  out_ += other.out_;
  if (other.highest_ > highest_) highest_ = other.highest_;
}

void GroupWriter::Code(int code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d\n", code);
  out_ += buffer;
}

void GroupWriter::Text(int code, std::string_view value) {
  Code(code);
  out_ += EncodeText(value, encoding_);
  out_ += '\n';
}

void GroupWriter::Real(int code, double value) {
  Code(code);
  out_ += FormatReal(value);
  out_ += '\n';
}

void GroupWriter::Integer(int code, int64_t value) {
  Code(code);
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, result.ptr);
  out_ += '\n';
}

void GroupWriter::Handle(int code, uint64_t handle) {
  Code(code);
  if ((code == 5 || code == 105) && handle > highest_) highest_ = handle;
  out_ += HandleText(handle);
  out_ += '\n';
}

void GroupWriter::Point(int code, const host::Point3& point) {
  Real(code, point.x);
  Real(code + 10, point.y);
  Real(code + 20, point.z);
}

void GroupWriter::Point2(int code, double x, double y) {
  Real(code, x);
  Real(code + 10, y);
}

void GroupWriter::Raw(const Group& group) {
  Code(group.code);
  Note(group.code, group.value);
  out_ += EncodeText(group.value, encoding_);
  out_ += '\n';
}

void GroupWriter::Raw(const RawObject& groups) {
  for (const Group& group : groups) Raw(group);
}

}  // namespace nimbo::replay::dxf
