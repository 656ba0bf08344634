#include "replay/dxf/extended_data.h"
#include "replay/dxf/group_values.h"

namespace nimbo::replay::dxf {

namespace {

class XdataReader {
 public:
  XdataReader(const std::vector<Group>& groups, const std::string& file, size_t line)
      : groups_(groups), file_(file), line_(line) {}
  bool AtEnd() const { return at_ >= groups_.size(); }
  const Group& Peek() const {
    if (AtEnd()) Fail("our extended data ends too soon");
    return groups_[at_];
  }
  const Group& Take(int code) {
    const Group& group = Peek();
    if (group.code != code)
      Fail("our extended data has group code " + std::to_string(group.code) + " where " +
           std::to_string(code) + " belongs");
    ++at_;
    return group;
  }
  double Real() { return ParseReal(Take(1040).value).value_or(0); }
  [[noreturn]] void Fail(const std::string& message) const {
    throw DxfError(file_, line_, 1001, message);
  }

 private:
  const std::vector<Group>& groups_;
  const std::string& file_;
  size_t line_;
  size_t at_ = 0;
};

automation::Variant ReadValue(XdataReader& reader, int64_t type) {
  switch (type) {
    case 0:
      return automation::Variant();
    case 2:
      return automation::Variant(
          static_cast<int16_t>(ParseInteger(reader.Take(1070).value).value_or(0)));
    case 3:
      return automation::Variant(
          static_cast<int32_t>(ParseInteger(reader.Take(1071).value).value_or(0)));
    case 5:
      return automation::Variant(reader.Real());
    case 8:
      return automation::Variant(reader.Take(1000).value);
    case 11:
      return automation::Variant::Bool(ParseInteger(reader.Take(1070).value).value_or(0) != 0);
    default:
      reader.Fail("our extended data has a field of unknown type " + std::to_string(type));
  }
}

standalone::ObjectDataRecord ReadRecord(XdataReader& reader) {
  standalone::ObjectDataRecord record;
  record.table = reader.Take(1000).value;
  while (reader.Peek().code != 1002) {
    std::string field = reader.Take(1000).value;
    const int64_t type = ParseInteger(reader.Take(1070).value).value_or(-1);
    record.values.emplace_back(std::move(field), ReadValue(reader, type));
  }
  if (reader.Take(1002).value != "}") reader.Fail("our extended data has an unclosed record");
  return record;
}

}  // namespace

OurExtendedData DecodeExtendedData(const std::vector<Group>& groups, const std::string& file,
                                   size_t line) {
  OurExtendedData data;
  XdataReader reader(groups, file, line);
  if (!reader.AtEnd() && reader.Peek().code == 1000) {
    const std::string kind = reader.Take(1000).value;
    if (kind == "region") {
      data.kind = standalone::EntityKind::Region;
    } else if (kind == "solid") {
      data.kind = standalone::EntityKind::Solid;
      data.profile = reader.Take(1000).value;
      data.height = reader.Real();
      data.taperAngle = reader.Real();
    } else {
      reader.Fail("our extended data names an unknown kind \"" + kind + "\"");
    }
  }
  while (!reader.AtEnd()) {
    if (reader.Take(1002).value != "{") reader.Fail("our extended data has a stray \"}\"");
    data.records.push_back(ReadRecord(reader));
  }
  return data;
}

}  // namespace nimbo::replay::dxf
