// The Map application's object-data interfaces, as the control reaches them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::host {

inline constexpr const char* kMapProgId = "AutoCADMap.Application";

class ODFieldDefinition : public automation::Object {
 public:
  virtual std::string Name() = 0;
};

class ODFieldDefinitions : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  virtual std::shared_ptr<ODFieldDefinition> Item(int32_t index) = 0;
  // Null when the table has no field of that name.
  virtual std::shared_ptr<ODFieldDefinition> Find(const std::string& name) = 0;
};

class ODRecord : public automation::Object {
 public:
  virtual void SetField(const std::string& fieldName, const automation::Variant& value) = 0;
  // Answers whether the host attached the record.
  virtual bool AttachTo(int64_t objectId) = 0;
};

class ODTable : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::shared_ptr<ODFieldDefinitions> FieldDefinitions() = 0;
  virtual std::shared_ptr<ODRecord> CreateRecord() = 0;
};

class ODTables : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  virtual std::shared_ptr<ODTable> Item(int32_t index) = 0;
  // Null when the project has no table of that name.
  virtual std::shared_ptr<ODTable> Find(const std::string& name) = 0;
};

class MapProject : public automation::Object {
 public:
  virtual std::shared_ptr<::nimbo::host::ODTables> ODTables() = 0;
};

class MapApplication : public automation::Object {
 public:
  // The project of a drawing (the application's project collection indexed by document).
  virtual std::shared_ptr<MapProject> Project(const DocumentRef& document) = 0;
};
using MapApplicationRef = std::shared_ptr<MapApplication>;

}  // namespace nimbo::host
