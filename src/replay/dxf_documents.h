// Reads the DXF drawings that a session's documents start from.
#pragma once

#include <iosfwd>
#include <string>

#include "replay/session/session.h"

namespace nimbo::replay {

// Reads each document's `dxf` file, named relative to the session file, into the
// document's `dxfDrawing`, and reports on `err`, once for each file, what it holds that
// the host does not model. Throws dxf::DxfError for a file that cannot be read, is not
// DXF or is damaged, and for a session entity whose id is also one of the drawing's
// handles.
void LoadDxfDrawings(Session& session, const std::string& sessionPath, std::ostream& err);

}  // namespace nimbo::replay
