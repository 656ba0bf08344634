// The drawing's object data: the tables the Map application defines and the records it
// attaches to objects, both in order of addition.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "automation/variant.h"

namespace nimbo::standalone {

struct ObjectDataTable {
  std::string name;
  std::vector<std::string> fields;  // in definition order
};

// A record attached to an object: its table, the object's id, and the fields that were
// set, in the table's field order.
struct ObjectDataRecord {
  std::string table;
  std::string object;
  std::vector<std::pair<std::string, automation::Variant>> values;
};

class ObjectDataStore {
 public:
  const std::vector<ObjectDataTable>& Tables() const { return tables_; }
  const std::vector<ObjectDataRecord>& Records() const { return records_; }
  void AddTable(ObjectDataTable table);  // a name that exists throws SetupError
  void AddRecord(ObjectDataRecord record);

 private:
  std::vector<ObjectDataTable> tables_;
  std::vector<ObjectDataRecord> records_;
};

}  // namespace nimbo::standalone
