#include "replay/dxf/dxf_text.h"

#include <array>
#include <cstdint>

namespace nimbo::replay::dxf {

namespace {

// Windows-1252's bytes 0x80..0x9F; the rest of its upper half is Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The length of the valid UTF-8 sequence at `at`, or 0.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  size_t length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The unit of a "\U+XXXX" escape at `at`, or 0.
char32_t EscapedUnit(std::string_view text, size_t at) {
  if (at + 7 > text.size() || text.substr(at, 3) != "\\U+") return 0;
  char32_t c = 0;
  for (size_t i = at + 3; i < at + 7; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return 0;
    c = c * 16 + static_cast<char32_t>(digit);
  }
  return c;
}

// The character of the escape at `at` and how many bytes it takes (a character beyond
// U+FFFF is two escapes, UTF-16's halves), or 0.
char32_t Escape(std::string_view text, size_t at, size_t& length) {
  const char32_t c = EscapedUnit(text, at);
  length = 7;
  if (c >= 0xD800 && c <= 0xDBFF) {
    const char32_t low = EscapedUnit(text, at + 7);
    if (low < 0xDC00 || low > 0xDFFF) return 0;
    length = 14;
    return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
  }
  if (c >= 0xD800 && c <= 0xDFFF) return 0;
  return c;
}

// A caret pair, "^J" for a line break: the control character, "^ " for the caret itself.
char Caret(std::string_view text, size_t at) {
  if (text[at] != '^' || at + 1 >= text.size()) return 0;
  const char next = text[at + 1];
  if (next == ' ') return '^';
  if (next >= '@' && next <= '_') return static_cast<char>(next - '@');
  return 0;
}

}  // namespace

std::string DecodeDxfText(std::string_view value, bool codePage) {
  std::string out;
  out.reserve(value.size());
  for (size_t at = 0; at < value.size();) {
    const auto byte = static_cast<uint8_t>(value[at]);
    size_t length = 0;
    if (const char32_t escaped = Escape(value, at, length)) {
      AppendUtf8(out, escaped);
      at += length;
    } else if (const char control = Caret(value, at)) {
      out += control;
      at += 2;
    } else if (byte < 0x80) {
      out += value[at++];
    } else if (codePage) {
      AppendUtf8(out, byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte});
      ++at;
    } else if (const size_t length = Utf8Length(value, at)) {
      out.append(value.substr(at, length));
      at += length;
    } else {
      AppendUtf8(out, 0xFFFD);
      ++at;
    }
  }
  return out;
}

bool UsesCodePage(std::string_view acadver) {
  // AC1009 (R12) to AC1018 (2004) sort below AC1021 (2007); an unknown version is old.
  return acadver.size() != 6 || !acadver.starts_with("AC") || acadver < "AC1021";
}

}  // namespace nimbo::replay::dxf
