// Reads a whole file whose path is UTF-8 on every platform, as the output files' are.
#pragma once

#include <optional>
#include <string>

namespace nimbo::replay {

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace nimbo::replay
