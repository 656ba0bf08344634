// The Map application's objects: its projects by drawing, their object-data tables, the
// tables' field definitions and records.
#include "automation/convert.h"
#include "automation/error.h"
#include "win/standins/cad_arguments.h"
#include "win/standins/cad_dispids.h"
#include "win/standins/cad_members.h"
#include "win/standins/cad_objects.h"
#include "win/standins/nimbo_cad_standin_ids.h"

namespace nimbo::win::standins {

using automation::ToLong;
using automation::ToString;
using automation::Variant;
using automation::VarType;
namespace id = cad_dispid;

namespace {

bool IsName(const Variant& index) {
  return index.Type() == VarType::String;
}

// A field of a record, as Item names it: putting its Value sets the field.
com::DispatchMember FieldValue(const std::shared_ptr<host::ODRecord>& record, std::string field) {
  return Put("Value", id::kValue, [record, field](std::span<Variant> a) {
    Expect(a, 1, 1);
    record->SetField(field, a[0].Value());
    return Variant();
  });
}

}  // namespace

Variant CadObjects::InterfaceObject(const automation::ObjectRef& object) {
  if (!object) return AsVariant({});
  auto map = std::dynamic_pointer_cast<host::MapApplication>(object);
  if (!map) throw automation::errors::Standard(automation::errors::kTypeMismatch);
  return Map(map);
}

Variant CadObjects::Map(const host::MapApplicationRef& map) {
  auto self = shared_from_this();
  // Projects is the application's collection, indexed by a document; only Item reaches
  // the host, as its one member Project.
  auto projects = [self, map](std::span<Variant> a) {
    Expect(a, 0, 0);
    return AsVariant(self->Make(
        DIID_Projects,
        {Method("Item", id::kItem,
                [self, map](std::span<Variant> b) {
                  Expect(b, 1, 1);
                  auto project = map->Project(InnerAs<host::Document>(b[0]));
                  if (!project) return AsVariant({});
                  return AsVariant(self->Make(DIID_Project,
                                              {Get("ODTables", id::kODTables,
                                                   [self, project](std::span<Variant> c) {
                                                     Expect(c, 0, 0);
                                                     return self->Tables(project->ODTables());
                                                   })},
                                              project));
                })},
        map));
  };
  return AsVariant(Make(DIID_IAcadMap, {Get("Projects", id::kProjects, projects)}, map));
}

Variant CadObjects::Tables(const std::shared_ptr<host::ODTables>& tables) {
  if (!tables) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(Make(DIID_ODTables,
                        {
                            Get("Count", id::kCount,
                                [tables](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(tables->Count());
                                }),
                            Method("Item", id::kItem,
                                   [self, tables](std::span<Variant> a) {
                                     Expect(a, 1, 1);
                                     const Variant index = a[0].Value();
                                     return self->Table(IsName(index)
                                                            ? tables->Find(index.AsString())
                                                            : tables->Item(ToLong(index)));
                                   }),
                        },
                        tables));
}

Variant CadObjects::Table(const std::shared_ptr<host::ODTable>& table) {
  if (!table) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(Make(DIID_ODTable,
                        {
                            Get("Name", id::kName,
                                [table](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(table->Name());
                                }),
                            Get("ODFieldDefs", id::kODFieldDefs,
                                [self, table](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return self->FieldDefinitions(table->FieldDefinitions());
                                }),
                            Method("CreateRecord", id::kCreateRecord,
                                   [self, table](std::span<Variant> a) {
                                     Expect(a, 0, 0);
                                     return self->Record(table->CreateRecord());
                                   }),
                        },
                        table));
}

Variant CadObjects::FieldDefinitions(const std::shared_ptr<host::ODFieldDefinitions>& fields) {
  if (!fields) return AsVariant({});
  auto self = shared_from_this();
  auto field = [self](const std::shared_ptr<host::ODFieldDefinition>& definition) {
    if (!definition) return AsVariant({});
    return AsVariant(self->Make(DIID_ODFieldDef,
                                {Get("Name", id::kName,
                                     [definition](std::span<Variant> a) {
                                       Expect(a, 0, 0);
                                       return Variant(definition->Name());
                                     })},
                                definition));
  };
  return AsVariant(Make(DIID_ODFieldDefs,
                        {
                            Get("Count", id::kCount,
                                [fields](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(fields->Count());
                                }),
                            Method("Item", id::kItem,
                                   [fields, field](std::span<Variant> a) {
                                     Expect(a, 1, 1);
                                     const Variant index = a[0].Value();
                                     return field(IsName(index) ? fields->Find(index.AsString())
                                                                : fields->Item(ToLong(index)));
                                   }),
                        },
                        fields));
}

Variant CadObjects::Record(const std::shared_ptr<host::ODRecord>& record) {
  if (!record) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(
      Make(DIID_ODRecord,
           {
               Method("Item", id::kItem,
                      [self, record](std::span<Variant> a) {
                        Expect(a, 1, 1);
                        const Variant index = a[0].Value();
                        // The host sets a record's fields by name alone.
                        if (!IsName(index)) {
                          throw automation::AutomationError(
                              automation::errors::kInvalidCall,
                              "Invalid procedure call or argument: a record's field is named here, "
                              "not numbered");
                        }
                        return AsVariant(self->Make(
                            DIID_ODFieldValue, {FieldValue(record, index.AsString())}, nullptr));
                      }),
               Method("AttachTo", id::kAttachTo,
                      [record](std::span<Variant> a) {
                        Expect(a, 1, 1);
                        return Variant::Bool(record->AttachTo(ToLong(a[0])));
                      }),
           },
           record));
}

}  // namespace nimbo::win::standins
