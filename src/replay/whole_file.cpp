#include "replay/whole_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace nimbo::replay {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                   std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace nimbo::replay
