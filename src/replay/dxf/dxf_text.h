// Text values as the host keeps them, UTF-8, from how DXF files write them: before AutoCAD
// 2007 in the drawing's code page (taken as Windows-1252, the usual one) with "\U+XXXX"
// escapes for what it lacks; from 2007 on in UTF-8, escapes still allowed. Control
// characters are in caret form ("^J"), since a value is one line.
#pragma once

#include <string>
#include <string_view>

namespace nimbo::replay::dxf {

// Also replaces what is not valid UTF-8 with U+FFFD, so that no byte of a damaged file
// reaches the state's JSON.
std::string DecodeDxfText(std::string_view value, bool codePage);

// The drawing's text is in a code page when its version is older than AC1021.
bool UsesCodePage(std::string_view acadver);

}  // namespace nimbo::replay::dxf
