#include "replay/dxf_documents.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <set>

#include "replay/whole_file.h"

namespace nimbo::replay {

namespace {

std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

void InsertIds(std::set<std::string>& ids, const std::vector<standalone::EntityData>& entities) {
  for (const standalone::EntityData& entity : entities) {
    if (!entity.id.empty()) ids.insert(entity.id);
  }
}

// A session entity that takes one of the drawing's handles as its id would be two
// entities with one id.
void CheckIdsApart(const SessionDocument& document, const dxf::DxfContent& content,
                   const std::string& file) {
  std::set<std::string> handles;
  InsertIds(handles, content.modelSpace);
  InsertIds(handles, content.paperSpace);
  for (const dxf::DxfContent::Block& block : content.blocks) InsertIds(handles, block.entities);
  for (const auto* space : {&document.modelSpace, &document.paperSpace}) {
    for (const SessionEntity& entity : *space) {
      if (handles.contains(entity.id)) {
        throw dxf::DxfError(file, 0, -1,
                            "the session's entity id \"" + entity.id +
                                "\" is also the handle of an entity of the drawing");
      }
    }
  }
}

}  // namespace

void LoadDxfDrawings(Session& session, const std::string& sessionPath, std::ostream& err) {
  const std::filesystem::path folder = Utf8Path(sessionPath).parent_path();
  for (SessionDocument& document : session.documents) {
    if (!document.dxf) continue;
    const std::string file = Utf8Text(folder / Utf8Path(*document.dxf));
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text) throw dxf::DxfError(file, 0, -1, "cannot read the drawing");
    auto drawing = std::make_shared<dxf::DxfDrawing>(dxf::ReadDxf(*text, file));
    CheckIdsApart(document, drawing->content, file);
    const std::string report = dxf::UnmodelledReport(drawing->retained, file);
    if (!report.empty()) err << report << "\n";
    document.dxfDrawing = std::move(drawing);
  }
}

}  // namespace nimbo::replay
