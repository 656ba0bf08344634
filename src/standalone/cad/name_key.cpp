#include "standalone/cad/name_key.h"

#include <cctype>

namespace nimbo::standalone {

std::string NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace nimbo::standalone
