// The session reader's parts, one per section of the file.
#pragma once

#include <string_view>
#include <vector>

#include "replay/session/session.h"
#include "replay/session/strict_json.h"

namespace nimbo::replay {

// One Document; layer "0" is put first, and every name an entity, the current layer or a
// block reference uses must exist in the document.
SessionDocument ReadDocument(const JsonNode& node);
// A ViewerState, or the change of a `viewer` step: the same keys.
ViewerPatch ReadViewerPatch(const JsonObject& object);
const std::vector<std::string_view>& ViewerStateKeys();
// One step with its answers; `documents` are the names a step may refer to.
Step ReadStep(const JsonNode& node, const std::vector<std::string>& documents);

}  // namespace nimbo::replay
