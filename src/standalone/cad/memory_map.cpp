#include "standalone/cad/memory_map.h"

#include <optional>
#include <utility>
#include <vector>

#include "standalone/cad/memory_errors.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

// Every table object refers to its table by position in the drawing's list (tables are
// only added, by setup).
class MemoryFieldDefinition : public host::ODFieldDefinition {
 public:
  MemoryFieldDefinition(DocumentStateRef doc, std::string name)
      : doc_(std::move(doc)), name_(std::move(name)) {}
  std::string Name() override {
    Enter(*doc_, "map.ODFieldDefinition.Name");
    return name_;
  }

 private:
  DocumentStateRef doc_;
  std::string name_;
};

class MemoryFieldDefinitions : public host::ODFieldDefinitions {
 public:
  MemoryFieldDefinitions(DocumentStateRef doc, size_t table)
      : doc_(std::move(doc)), table_(table) {}
  int32_t Count() override {
    Enter(*doc_, "map.ODFieldDefinitions.Count");
    return static_cast<int32_t>(Fields().size());
  }
  std::shared_ptr<host::ODFieldDefinition> Item(int32_t index) override {
    Enter(*doc_, "map.ODFieldDefinitions.Item");
    const auto& fields = Fields();
    if (index < 0 || static_cast<size_t>(index) >= fields.size()) {
      throw Raise(host_error::kKeyNotFound, "Key not found: object data table " +
                                                Quote(Table().name) + " has no field " +
                                                std::to_string(index));
    }
    return std::make_shared<MemoryFieldDefinition>(doc_, fields[static_cast<size_t>(index)]);
  }
  std::shared_ptr<host::ODFieldDefinition> Find(const std::string& name) override {
    Enter(*doc_, "map.ODFieldDefinitions.Find");
    for (const std::string& field : Fields()) {
      if (field == name) return std::make_shared<MemoryFieldDefinition>(doc_, field);
    }
    return nullptr;
  }

 private:
  const ObjectDataTable& Table() const { return doc_->drawing.ObjectDataTables()[table_]; }
  const std::vector<std::string>& Fields() const { return Table().fields; }
  DocumentStateRef doc_;
  size_t table_;
};

class MemoryRecord : public host::ODRecord {
 public:
  MemoryRecord(DocumentStateRef doc, size_t table)
      : doc_(std::move(doc)), table_(table), values_(Table().fields.size()) {}

  void SetField(const std::string& fieldName, const automation::Variant& value) override {
    Enter(*doc_, "map.ODRecord.SetField");
    const auto& fields = Table().fields;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (fields[i] == fieldName) {
        values_[i] = value.Value();
        return;
      }
    }
    throw Raise(host_error::kKeyNotFound, "Key not found: object data table " +
                                              Quote(Table().name) + " has no field " +
                                              Quote(fieldName));
  }

  bool AttachTo(int64_t objectId) override {
    Enter(*doc_, "map.ODRecord.AttachTo");
    const Drawing::Handle h = doc_->drawing.HandleOfObjectId(objectId);
    if (h == Drawing::kNoHandle) return false;
    ObjectDataRecord record;
    record.table = Table().name;
    record.object = doc_->drawing.Id(h);
    std::string values;
    for (size_t i = 0; i < values_.size(); ++i) {
      if (!values_[i]) continue;
      record.values.emplace_back(Table().fields[i], *values_[i]);
      values += (values.empty() ? "" : ", ") + Quote(Table().fields[i]) + ": " +
                TranscriptValue(*values_[i]);
    }
    Change(*doc_, "object data record added " + Quote(record.table) + " on " + record.object +
                      " {" + values + "}");
    doc_->drawing.AddObjectDataRecord(std::move(record));
    return true;
  }

 private:
  const ObjectDataTable& Table() const { return doc_->drawing.ObjectDataTables()[table_]; }
  DocumentStateRef doc_;
  size_t table_;
  std::vector<std::optional<automation::Variant>> values_;  // by field, unset ones empty
};

class MemoryTable : public host::ODTable {
 public:
  MemoryTable(DocumentStateRef doc, size_t table) : doc_(std::move(doc)), table_(table) {}
  std::string Name() override {
    Enter(*doc_, "map.ODTable.Name");
    return doc_->drawing.ObjectDataTables()[table_].name;
  }
  std::shared_ptr<host::ODFieldDefinitions> FieldDefinitions() override {
    Enter(*doc_, "map.ODTable.FieldDefinitions");
    return std::make_shared<MemoryFieldDefinitions>(doc_, table_);
  }
  std::shared_ptr<host::ODRecord> CreateRecord() override {
    Enter(*doc_, "map.ODTable.CreateRecord");
    return std::make_shared<MemoryRecord>(doc_, table_);
  }

 private:
  DocumentStateRef doc_;
  size_t table_;
};

class MemoryTables : public host::ODTables {
 public:
  explicit MemoryTables(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "map.ODTables.Count");
    return static_cast<int32_t>(doc_->drawing.ObjectDataTables().size());
  }
  std::shared_ptr<host::ODTable> Item(int32_t index) override {
    Enter(*doc_, "map.ODTables.Item");
    const size_t count = doc_->drawing.ObjectDataTables().size();
    if (index < 0 || static_cast<size_t>(index) >= count) {
      throw Raise(host_error::kKeyNotFound, "Key not found: drawing " + doc_->drawing.Name() +
                                                " has no object data table " +
                                                std::to_string(index));
    }
    return std::make_shared<MemoryTable>(doc_, static_cast<size_t>(index));
  }
  std::shared_ptr<host::ODTable> Find(const std::string& name) override {
    Enter(*doc_, "map.ODTables.Find");
    const auto& tables = doc_->drawing.ObjectDataTables();
    for (size_t i = 0; i < tables.size(); ++i) {
      if (tables[i].name == name) return std::make_shared<MemoryTable>(doc_, i);
    }
    return nullptr;
  }

 private:
  DocumentStateRef doc_;
};

class MemoryProject : public host::MapProject {
 public:
  explicit MemoryProject(DocumentStateRef doc) : doc_(std::move(doc)) {}
  std::shared_ptr<host::ODTables> ODTables() override {
    Enter(*doc_, "map.Project.ODTables");
    return std::make_shared<MemoryTables>(doc_);
  }

 private:
  DocumentStateRef doc_;
};

}  // namespace

std::shared_ptr<host::MapProject> MemoryMapApplication::Project(const host::DocumentRef& document) {
  services_.faults->Check("map.Application.Project");
  auto* link = dynamic_cast<DocumentLink*>(document.get());
  if (!link) {
    throw Raise(host_error::kInvalidInput,
                "Invalid input: Project needs a document of the CAD application");
  }
  const DocumentStateRef& doc = link->LinkedDocument();
  if (doc->closed) throw Raise(host_error::kDisconnected, host_error::kDisconnectedText);
  return std::make_shared<MemoryProject>(doc);
}

}  // namespace nimbo::standalone
