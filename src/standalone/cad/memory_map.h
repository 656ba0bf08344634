// The embedded Map application: a document's project, its object-data tables (from the
// drawing's ObjectDataTables, in order; looked up by exact name, null when absent), their
// field definitions (likewise), and records that attach to an entity by its numeric
// object id. Each member checks the fault plan under "map.<Object>.<Member>" (Application,
// Project, ODTables, ODTable, ODFieldDefinitions, ODFieldDefinition, ODRecord); objects
// reached through a closed document raise host_error::kDisconnected.
#pragma once

#include <memory>
#include <string>

#include "host/map.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

class MemoryMapApplication : public host::MapApplication {
 public:
  explicit MemoryMapApplication(HostServices services) : services_(services) {}

  // The project of a document of the in-memory host; another object raises kInvalidInput.
  std::shared_ptr<host::MapProject> Project(const host::DocumentRef& document) override;

 private:
  HostServices services_;
};

}  // namespace nimbo::standalone
