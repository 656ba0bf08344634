#include <charconv>

#include "replay/dxf/extended_data.h"
#include "replay/dxf/group_writer.h"

namespace nimbo::replay::dxf {

namespace {

using automation::VarType;

std::string IntegerText(int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The type group and the value group of one field, as extended_data.h lays them out. A
// record's field holds one of the types below; anything else (an object-data field cannot
// hold an object or an array) is written as empty.
void AppendField(std::vector<Group>& out, const std::string& field,
                 const automation::Variant& stored) {
  const automation::Variant value = stored.Value();
  out.push_back({1000, field});
  switch (value.Type()) {
    case VarType::Integer:
      out.push_back({1070, "2"});
      out.push_back({1070, IntegerText(value.AsInteger())});
      return;
    case VarType::Long:
      out.push_back({1070, "3"});
      out.push_back({1071, IntegerText(value.AsLong())});
      return;
    case VarType::Double:
      out.push_back({1070, "5"});
      out.push_back({1040, FormatReal(value.AsDouble())});
      return;
    case VarType::Boolean:
      out.push_back({1070, "11"});
      out.push_back({1070, value.AsBoolean().IsTrue() ? "-1" : "0"});
      return;
    case VarType::String:
      out.push_back({1070, "8"});
      out.push_back({1000, value.AsString()});
      return;
    default:
      out.push_back({1070, "0"});
      return;
  }
}

}  // namespace

std::vector<Group> EncodeExtendedData(const OurExtendedData& data) {
  std::vector<Group> out;
  if (data.Empty()) return out;
  out.push_back({1001, kApplicationName});
  if (data.kind == standalone::EntityKind::Region) {
    out.push_back({1000, "region"});
  } else if (data.kind == standalone::EntityKind::Solid) {
    out.push_back({1000, "solid"});
    out.push_back({1000, data.profile});
    out.push_back({1040, FormatReal(data.height)});
    out.push_back({1040, FormatReal(data.taperAngle)});
  }
  for (const standalone::ObjectDataRecord& record : data.records) {
    out.push_back({1002, "{"});
    out.push_back({1000, record.table});
    for (const auto& [field, value] : record.values) AppendField(out, field, value);
    out.push_back({1002, "}"});
  }
  return out;
}

}  // namespace nimbo::replay::dxf
