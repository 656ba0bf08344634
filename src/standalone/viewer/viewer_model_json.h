// The viewer part of the replay's final state, written from the model:
//   {"clientInfo": [title, version] | null, "tableInfo": [entries],
//    "overlays": {"1": [Layer, ...], ..., "5": [...]},
//    "views": {"1": View, ...}, the four options, "centerOnPoint",
//    "refreshes": {"1": {"RefreshOverlays": n, "RefreshDiscreteOverlays": n}, ...}}
// Layer: {"name", "registration": {"flag", "option1", "option2"} | null,
//         "preparation": ["One", ...], "style": Pen | null, "activation": s | null,
//         "features": [{"kind", "layer", "byLayer", "vertices": [[x, y], ...],
//                       "style": Pen | null}]}
// Pen: [red, green, blue, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter", width].
// "views", the options and "refreshes" extend the state; the View form is the session's.
#pragma once

#include <nlohmann/json.hpp>

#include "standalone/viewer/viewer_model.h"

namespace nimbo::standalone {

nlohmann::ordered_json ViewerModelToJson(const ViewerModel& model);

}  // namespace nimbo::standalone
