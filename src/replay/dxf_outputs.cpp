#include "replay/dxf_outputs.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "replay/dxf/dxf_writer.h"
#include "replay/dxf/write_plan.h"
#include "replay/output/output_files.h"

namespace nimbo::replay {

namespace {

[[noreturn]] void Refuse(const std::string& name, const std::string& why) {
  throw OutputError("--dxf: the document \"" + name + "\" cannot be written as a file: " + why);
}

}  // namespace

std::string DxfFileName(const std::string& documentName) {
  const std::string_view forbidden = "/\\:<>\"|?*";
  for (const char c : documentName) {
    if (static_cast<unsigned char>(c) < 0x20 || forbidden.find(c) != std::string_view::npos) {
      Refuse(documentName, "its name holds a folder separator or a character a file name cannot");
    }
  }
  const size_t dot = documentName.rfind('.');
  // A leading dot starts a name, not an extension.
  const std::string stem =
      dot == std::string::npos || dot == 0 ? documentName : documentName.substr(0, dot);
  if (stem.empty() || stem == "." || stem == ".." || stem.back() == ' ' || stem.back() == '.') {
    Refuse(documentName, "its name without the extension is not a file name");
  }
  return stem + ".dxf";
}

std::vector<DxfOutput> DxfOutputs(ReplayWorld& world, const Session& session,
                                  const std::string& folder) {
  std::vector<DxfOutput> outputs;
  std::set<std::string> names;  // as Windows compares them, whatever the platform
  for (const auto& [drawing, open] : world.application->SessionDrawings()) {
    if (!open) continue;
    const std::string file = DxfFileName(drawing->Name());
    if (!names.insert(dxf::UpperName(file)).second) {
      Refuse(drawing->Name(), "another document is also written to " + file);
    }
    const dxf::DxfRetained* retained = nullptr;
    for (const SessionDocument& document : session.documents) {
      if (document.name == drawing->Name() && document.dxfDrawing) {
        retained = &document.dxfDrawing->retained;
      }
    }
    outputs.push_back({folder + "/" + file, dxf::WriteDxf(*drawing, retained)});
  }
  return outputs;
}

void MakeDxfFolder(const std::string& folder) {
  const std::filesystem::path path(std::u8string(folder.begin(), folder.end()));
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw OutputError(folder + ": cannot make the folder: " + error.message());
}

}  // namespace nimbo::replay
