// Builds a document of the in-memory CAD host from its session form, and turns the
// session's colours into the host's and back.
#pragma once

#include "replay/session/session.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay {

// Layers in table order, blocks with their attribute definitions, the entities of model
// and paper space, object-data tables, the view and the current layer.
// A document read from a DXF drawing starts from what the drawing holds; the session's
// own content is added to it, and its view and current layer replace the drawing's only
// where the session gives them.
void SetUpDocument(standalone::Drawing& drawing, const SessionDocument& document);
// What a DXF drawing holds that the host models, put into an empty drawing.
void SetUpFromDxf(standalone::Drawing& drawing, const dxf::DxfContent& content);

standalone::ColorValue HostColor(const SessionColor& color);

}  // namespace nimbo::replay
