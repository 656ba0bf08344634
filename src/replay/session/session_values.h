// Readers of the small value forms that a session file uses in many places: points,
// colours, corners, the fixed clock.
#pragma once

#include <string>

#include "automation/clock.h"
#include "host/cad.h"
#include "replay/session/session.h"
#include "replay/session/strict_json.h"

namespace nimbo::replay {

// [x, y] or [x, y, z]; z is 0 when not given.
host::Point3 ReadPoint(const JsonNode& node);
// [x, y] exactly.
Point2 ReadPoint2(const JsonNode& node);
// An integer 1 to 255, "ByLayer", "ByBlock", {"rgb": [r, g, b]} or
// {"method": n, "index": n, "rgb": [r, g, b]}.
SessionColor ReadColor(const JsonNode& node);
// Eight numbers: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
Corners ReadCorners(const JsonNode& node);
// "YYYY-MM-DDTHH:MM:SS", a real calendar time.
automation::DateTime ReadDateTime(const JsonNode& node);

}  // namespace nimbo::replay
