// How the CAD host compares the names of its tables (layers, blocks, selection sets,
// system variables): without regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace nimbo::standalone {

// The name key: ASCII upper case.
std::string NameKey(std::string_view name);

}  // namespace nimbo::standalone
