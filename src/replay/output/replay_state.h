// The final state of a replay, as `--state` writes it:
//   {"documents": [...], "viewer": {...}, "control": {...}}
// Each open document in the session's Document form, every entity with its id, plus
// "selectionSets", "variables" and "objectDataRecords"; the viewer as the simulated
// viewer reports it; the control's selected point, overlay permission and layer names.
#pragma once

#include <nlohmann/json.hpp>

#include "replay/replay_world.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay {

nlohmann::ordered_json StateOf(ReplayWorld& world);

// One document, in the session's Document form with the state's additions.
nlohmann::ordered_json DocumentState(const standalone::Drawing& drawing);
// A colour in the session's form: 1..255, "ByLayer", "ByBlock", {"rgb": [...]}, or the
// general {"method", "index", "rgb"}.
nlohmann::ordered_json ColorJson(const standalone::ColorValue& color);

}  // namespace nimbo::replay
