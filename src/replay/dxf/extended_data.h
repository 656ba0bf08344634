// The extended data (XDATA) the replay writes on entities under its own application name,
// and reads back: what the host knows of an entity that DXF has no entity for (a region, an
// extruded solid), and the object-data records attached to it. Its groups, after
// `1001 VESKNIMBODOCK17`:
//
//   1000 "region"                                   the entity stands for a region
//   1000 "solid" 1000 <profile id> 1040 <height> 1040 <taper angle, radians>
//                                                   the entity stands for an extruded solid
//   then for each record attached to the entity, in order:
//   1002 "{" 1000 <table>
//       for each field set: 1000 <field> 1070 <type> <value>
//   1002 "}"
//
// The type is the host's variant type: 0 empty (no value group), 2 integer (1070),
// 3 long (1071), 5 double (1040), 8 string (1000), 11 boolean (1070, 0 or -1).
//
// The object-data tables live in the OBJECTS section: the root dictionary's entry
// "VESKNIMBODOCK17_TABLES" is a DICTIONARY whose entries, named by table, are XRECORDs
// (280 1) holding `1 <field>` for each field of the table, in order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "replay/dxf/dxf_drawing.h"
#include "standalone/cad/entity_data.h"
#include "standalone/cad/object_data_store.h"

namespace nimbo::replay::dxf {

inline constexpr const char* kApplicationName = "VESKNIMBODOCK17";
inline constexpr const char* kTablesDictionary = "VESKNIMBODOCK17_TABLES";

struct OurExtendedData {
  // Region or Solid when the entity stands for one; nullopt otherwise.
  std::optional<standalone::EntityKind> kind;
  std::string profile;  // a solid's
  double height = 0;
  double taperAngle = 0;
  std::vector<standalone::ObjectDataRecord> records;  // `object` left empty
  bool Empty() const { return !kind && records.empty(); }
};

// The groups from 1001 on (nothing when `data` is empty).
std::vector<Group> EncodeExtendedData(const OurExtendedData& data);
// Reads the groups that follow `1001 VESKNIMBODOCK17` (up to the next 1001 or the end of
// the entity). `line` is the file line of the 1001 group, for errors (DxfError).
OurExtendedData DecodeExtendedData(const std::vector<Group>& groups, const std::string& file,
                                   size_t line);

}  // namespace nimbo::replay::dxf
