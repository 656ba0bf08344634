// What the members of every object of a document share: the entry check, the change
// line and the transcript forms it uses, the errors of a missing item and of an invalid
// symbol name.
#include <string>

#include "automation/convert.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using automation::AutomationError;
using host_error::Raise;

void Disconnected() {
  throw Raise(host_error::kDisconnected, host_error::kDisconnectedText);
}

void Change(DocumentState& doc, const std::string& change) {
  doc.services.journal->Write("drawing " + doc.drawing.Name() + " " + change);
}

std::string Quote(const std::string& text) {
  return TranscriptString(text);
}

std::string PointText(const Point3& p) {
  return TranscriptPoint(p.x, p.y, p.z);
}

std::string ColorText(const ColorValue& color) {
  using namespace host::color_method;
  if (color.method == kByLayer && color.index == host::kColorByLayer) return "ByLayer";
  if (color.method == kByBlock && color.index == host::kColorByBlock) return "ByBlock";
  if (color.method == kByACI) return std::to_string(color.index);
  if (color.method == kByRGB) {
    return "RGB(" + std::to_string(color.red) + ", " + std::to_string(color.green) + ", " +
           std::to_string(color.blue) + ")";
  }
  return "method " + std::to_string(color.method) + " index " + std::to_string(color.index);
}

int32_t CountOf(size_t n) {
  return automation::CheckedLong(static_cast<int64_t>(n));
}

AutomationError NoItem(const std::string& collection, int32_t index, size_t count) {
  return Raise(host_error::kKeyNotFound, "Key not found: " + collection + " has no item " +
                                             std::to_string(index) + " (it holds " +
                                             std::to_string(count) + ")");
}

void CheckSymbolName(const std::string& kind, const std::string& name) {
  if (name.empty() || name.find_first_of("<>/\\\":;?*|,=`") != std::string::npos) {
    throw Raise(host_error::kInvalidInput,
                "Invalid input: " + Quote(name) + " is not a valid " + kind + " name");
  }
}

}  // namespace nimbo::standalone
