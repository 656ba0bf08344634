// Numbers, handles and names as DXF writes them: numbers in the C locale whatever the
// machine's, handles in hex, names compared without case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nimbo::replay::dxf {

std::string_view Trimmed(std::string_view text);
std::optional<double> ParseReal(std::string_view text);  // finite only
std::optional<int64_t> ParseInteger(std::string_view text);
std::optional<uint64_t> ParseHandle(std::string_view text);  // hex, at most 16 digits
std::string HandleText(uint64_t handle);                     // upper-case hex
std::string UpperName(std::string_view name);                // ASCII letters only

}  // namespace nimbo::replay::dxf
