// The drawings `--dxf DIR` writes: for each open document of the final state,
// DIR/<name>.dxf, the document's name with its extension replaced ("Site.dwg" ->
// "Site.dxf"), written over what its DXF drawing was read with, if any.
#pragma once

#include <string>
#include <vector>

#include "replay/replay_world.h"
#include "replay/session/session.h"

namespace nimbo::replay {

// The file name a document's drawing is written to. Raises OutputError for a name that
// is not one plain file name on every platform (a folder in it, "..", a character Windows
// does not allow in a name), since the file would land outside DIR or elsewhere.
std::string DxfFileName(const std::string& documentName);

struct DxfOutput {
  std::string path;  // DIR/<file name>
  std::string content;
};

// Every open document's drawing, in order of opening. Raises OutputError for a name
// DxfFileName refuses, and for two documents that would be written to one file.
std::vector<DxfOutput> DxfOutputs(ReplayWorld& world, const Session& session,
                                  const std::string& folder);

// Makes the folder (and those above it) when missing. Raises OutputError.
void MakeDxfFolder(const std::string& folder);

}  // namespace nimbo::replay
