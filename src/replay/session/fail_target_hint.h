// What a message about an unknown fail target suggests instead.
#pragma once

#include <string>

namespace nimbo::replay {

// " (targets of drawing.Layers: ...; `nimbodock targets` lists them all)", or the
// nearest spelling, or only the pointer to the full list.
std::string FailTargetHint(const std::string& target);

}  // namespace nimbo::replay
