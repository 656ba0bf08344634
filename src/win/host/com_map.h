// The Map application's object-data interfaces over COM, by the names of its automation
// model: the project of a drawing from Projects, its ODTables, a table's ODFieldDefs and
// CreateRecord, and a record whose fields are items with a Value.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "automation/convert.h"
#include "host/map.h"
#include "win/host/cad_object.h"

namespace nimbo::win::host {

class ComODFieldDefinition final : public nimbo::host::ODFieldDefinition, public CadObject {
 public:
  using CadObject::CadObject;
  std::string Name() override { return automation::ToString(Get("Name")); }
};

class ComODFieldDefinitions final : public nimbo::host::ODFieldDefinitions, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  std::shared_ptr<nimbo::host::ODFieldDefinition> Item(int32_t index) override {
    return Adapt<ComODFieldDefinition>(Call("Item", {Variant(index)}));
  }
  // Item by name answers Nothing for a name the table does not have.
  std::shared_ptr<nimbo::host::ODFieldDefinition> Find(const std::string& name) override {
    return Adapt<ComODFieldDefinition>(Call("Item", {Variant(name)}));
  }
};

class ComODRecord final : public nimbo::host::ODRecord, public CadObject {
 public:
  using CadObject::CadObject;
  void SetField(const std::string& fieldName, const Variant& value) override;
  bool AttachTo(int64_t objectId) override {
    return automation::ToBoolean(Call("AttachTo", {Variant(automation::CheckedLong(objectId))}));
  }
};

class ComODTable final : public nimbo::host::ODTable, public CadObject {
 public:
  using CadObject::CadObject;
  std::string Name() override { return automation::ToString(Get("Name")); }
  std::shared_ptr<nimbo::host::ODFieldDefinitions> FieldDefinitions() override {
    return Adapt<ComODFieldDefinitions>(Get("ODFieldDefs"));
  }
  std::shared_ptr<nimbo::host::ODRecord> CreateRecord() override {
    return Adapt<ComODRecord>(Call("CreateRecord"));
  }
};

class ComODTables final : public nimbo::host::ODTables, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  std::shared_ptr<nimbo::host::ODTable> Item(int32_t index) override {
    return Adapt<ComODTable>(Call("Item", {Variant(index)}));
  }
  // Item by name answers Nothing for a table the project does not have.
  std::shared_ptr<nimbo::host::ODTable> Find(const std::string& name) override {
    return Adapt<ComODTable>(Call("Item", {Variant(name)}));
  }
};

class ComMapProject final : public nimbo::host::MapProject, public CadObject {
 public:
  using CadObject::CadObject;
  std::shared_ptr<nimbo::host::ODTables> ODTables() override {
    return Adapt<ComODTables>(Get("ODTables"));
  }
};

class ComMapApplication final : public nimbo::host::MapApplication, public CadObject {
 public:
  using CadObject::CadObject;
  // Projects(document): the drawing goes as the outside object it is.
  std::shared_ptr<nimbo::host::MapProject> Project(
      const nimbo::host::DocumentRef& document) override;
};

}  // namespace nimbo::win::host
