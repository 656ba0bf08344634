#include "win/com/utf16.h"

#include <cstdint>

#include "automation/error.h"

namespace nimbo::win::com {

namespace {

bool IsHighSurrogate(uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

[[noreturn]] void NotUtf8() {
  throw automation::AutomationError(automation::errors::kInvalidCall,
                                    "Invalid procedure call or argument: text is not UTF-8");
}

}  // namespace

std::string Utf8FromUtf16(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t unit = static_cast<uint16_t>(text[i]);
    if (IsHighSurrogate(unit) && i + 1 < text.size() &&
        IsLowSurrogate(static_cast<uint16_t>(text[i + 1]))) {
      uint32_t low = static_cast<uint16_t>(text[++i]);
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, unit);
  }
  return out;
}

std::wstring Utf16FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint8_t lead = static_cast<uint8_t>(text[i]);
    int trailing = -1;
    if (lead < 0x80) {
      trailing = 0;
    } else if ((lead & 0xE0) == 0xC0) {
      trailing = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      trailing = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      trailing = 3;
    }
    if (trailing < 0 || text.size() - i <= static_cast<size_t>(trailing)) NotUtf8();
    uint32_t code = trailing == 0 ? lead : lead & (0x3F >> trailing);
    for (int k = 1; k <= trailing; ++k) {
      uint8_t next = static_cast<uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) NotUtf8();
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[trailing] || code > 0x10FFFF) NotUtf8();  // overlong or too large
    if (code >= 0x10000) {
      out += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<wchar_t>(code);
    }
    i += trailing + 1;
  }
  return out;
}

}  // namespace nimbo::win::com
