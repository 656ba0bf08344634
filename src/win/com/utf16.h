// The core's strings are UTF-8; COM's are UTF-16. Text from outside is kept whole even
// when it is not well-formed UTF-16: a lone surrogate travels as its own three-byte
// sequence (as WTF-8 does) and comes back unchanged, so a name read from a drawing can
// always be handed back to it.
#pragma once

#include <string>
#include <string_view>

namespace nimbo::win::com {

std::string Utf8FromUtf16(std::wstring_view text);
// Bytes that are not UTF-8 are an invalid call (5): the core never makes them.
std::wstring Utf16FromUtf8(std::string_view text);

}  // namespace nimbo::win::com
