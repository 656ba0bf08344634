// Reads a session file strictly: every key known, every value of its type and range,
// every name (document, layer, block, event, method, fail target) one that exists, with
// the defaults filled in. Anything else is an InvalidSession naming the place.
#pragma once

#include <string>

#include "replay/session/session.h"
#include "replay/session/strict_json.h"

namespace nimbo::replay {

Session ReadSession(const std::string& text);

}  // namespace nimbo::replay
