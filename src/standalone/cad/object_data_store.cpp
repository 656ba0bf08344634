#include "standalone/cad/object_data_store.h"

#include "standalone/cad/setup_error.h"

namespace nimbo::standalone {

void ObjectDataStore::AddTable(ObjectDataTable table) {
  for (const ObjectDataTable& t : tables_) {
    if (t.name == table.name) {
      throw SetupError("object-data table \"" + table.name + "\" is defined twice");
    }
  }
  tables_.push_back(std::move(table));
}

void ObjectDataStore::AddRecord(ObjectDataRecord record) {
  records_.push_back(std::move(record));
}

}  // namespace nimbo::standalone
