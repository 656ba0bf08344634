// Writes a drawing of the in-memory host as a text DXF file: everything it was read with
// (`retained`, null for a drawing no file gave) and what the session added, changed and
// deleted. See docs/replay.md, "The DXF output".
#pragma once

#include <string>

#include "replay/dxf/dxf_drawing.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay::dxf {

std::string WriteDxf(const standalone::Drawing& drawing, const DxfRetained* retained);

}  // namespace nimbo::replay::dxf
