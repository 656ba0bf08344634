#include <algorithm>

#include "replay/dxf/entity_groups.h"
#include "replay/dxf/extended_data.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/read_parts.h"

namespace nimbo::replay::dxf {

namespace {

std::string HandleOf(const RawObject& object) {
  const EntityGroups groups(object);
  const Group* handle = groups.First(5);
  if (!handle) return {};
  const auto number = ParseHandle(handle->value);
  return number ? HandleText(*number) : std::string();
}

std::string Normal(const std::string& handle) {
  const auto number = ParseHandle(handle);
  return number ? HandleText(*number) : std::string();
}

// A dictionary's entries: name (3) and the handle after it (350 or 360).
std::vector<std::pair<std::string, std::string>> EntriesOf(const RawObject& dictionary) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t i = 0; i + 1 < dictionary.size(); ++i) {
    const int next = dictionary[i + 1].code;
    if (dictionary[i].code == 3 && (next == 350 || next == 360)) {
      entries.emplace_back(dictionary[i].value, Normal(dictionary[i + 1].value));
    }
  }
  return entries;
}

}  // namespace

void ReadObjects(GroupCursor& cursor, DxfDrawing& drawing, const ReadContext& context) {
  std::vector<LinedObject> objects = ReadSectionObjects(cursor, "OBJECTS");
  std::vector<RawObject>& kept = drawing.retained.objects;
  for (LinedObject& object : objects) kept.push_back(std::move(object.groups));
  if (kept.empty() || kept.front().front().value != "DICTIONARY") return;

  // Our dictionary of object-data tables hangs from the root dictionary, the first object.
  RawObject& root = kept.front();
  std::string ours;
  for (size_t i = 0; i + 1 < root.size(); ++i) {
    if (root[i].code == 3 && root[i].value == kTablesDictionary) {
      ours = Normal(root[i + 1].value);
      root.erase(root.begin() + static_cast<std::ptrdiff_t>(i),
                 root.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      break;
    }
  }
  if (ours.empty()) return;
  const auto dictionary = std::find_if(kept.begin(), kept.end(),
                                       [&](const RawObject& o) { return HandleOf(o) == ours; });
  if (dictionary == kept.end()) {
    throw DxfError(context.file, 0, 350,
                   std::string("the root dictionary names a missing ") + kTablesDictionary);
  }
  std::vector<std::string> dropped = {ours};
  for (const auto& [table, entry] : EntriesOf(*dictionary)) {
    const std::string handle = entry;  // a binding cannot be captured before C++20's clang
    const auto record = std::find_if(kept.begin(), kept.end(),
                                     [&](const RawObject& o) { return HandleOf(o) == handle; });
    if (record == kept.end()) continue;
    standalone::ObjectDataTable read{table, {}};
    const EntityGroups fields(*record);
    for (const Group* group : fields.All()) {
      if (group->code == 1) read.fields.push_back(group->value);
    }
    drawing.content.objectDataTables.push_back(std::move(read));
    dropped.push_back(handle);
  }
  std::erase_if(kept, [&](const RawObject& o) {
    return std::find(dropped.begin(), dropped.end(), HandleOf(o)) != dropped.end();
  });
}

}  // namespace nimbo::replay::dxf
