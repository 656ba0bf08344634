// Builds a document of the in-memory CAD host from its session form, and turns the
// session's colours into the host's and back.
#pragma once

#include "replay/session/session.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay {

// Layers in table order, blocks with their attribute definitions, the entities of model
// and paper space, object-data tables, the view and the current layer.
void SetUpDocument(standalone::Drawing& drawing, const SessionDocument& document);

standalone::ColorValue HostColor(const SessionColor& color);

}  // namespace nimbo::replay
