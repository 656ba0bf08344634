#include "replay/outside_parts.h"

namespace nimbo::replay {

std::unique_ptr<OutsideParts> ReachOutsideParts(standalone::EmbeddedDefault& /*world*/) {
  return nullptr;
}

}  // namespace nimbo::replay
