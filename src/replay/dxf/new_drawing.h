// The groups of an empty AutoCAD 2000 drawing, in the shape a read drawing is retained in:
// what a drawing that no file gave (or one too old to keep its structure) is written into.
// Its tables (VPORT *Active, the three standard line types, STYLE and DIMSTYLE Standard,
// APPID ACAD, the two space block records), the two space blocks, and the objects a CAD
// application expects (the root dictionary, groups, the Model and Layout1 layouts and the
// plot style dictionary). Layers are not among them: the writer writes the drawing's.
#pragma once

#include <cstdint>

#include "replay/dxf/dxf_drawing.h"

namespace nimbo::replay::dxf {

// Handles from `firstHandle` up; `highestHandle` is the last one given.
DxfRetained NewDrawingGroups(uint64_t firstHandle);

}  // namespace nimbo::replay::dxf
