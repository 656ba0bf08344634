#include "measure/object_data.h"

#include <memory>

#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "host/map.h"

namespace nimbo::measure {

using automation::Require;

namespace {
constexpr const char* kNotFoundCaption = "Vesk plug-in";

void TellNotFound(control::ControlState& state, const std::string& text) {
  state.Dialogs().MessageBox(text, host::MessageButtons::Ok, std::string(kNotFoundCaption));
}
}  // namespace

void SaveAsDataObject(control::ControlState& state, double measure, const std::string& tablename,
                      const std::string& fieldname) {
  automation::Reraise("SaveAsDataObject", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    if (!document) return;
    auto map = Require<host::MapApplication>(state.mapApp);
    auto project = Require<host::MapProject>(map->Project(document));
    auto tables = Require<host::ODTables>(project->ODTables());
    std::shared_ptr<host::ODTable> table = tables->Find(tablename);
    if (!table) {
      TellNotFound(state, "Object table " + tablename + " not found.");
      return;
    }
    auto fields = Require<host::ODFieldDefinitions>(table->FieldDefinitions());
    if (!fields->Find(fieldname)) {
      TellNotFound(state, "Field " + fieldname + " in object table " + tablename + " not found.");
      return;
    }

    auto sets = Require<host::SelectionSets>(document->SelectionSets());
    control::TemporarySelectionSet selection(*sets, control::TemporarySelectionSetName(state));
    selection->SelectOnScreen();
    // 32-bit counting: a selection may hold more than 32,767 objects.
    const int32_t count = selection->Count();
    for (int32_t i = 0; i < count; ++i) {
      auto record = Require<host::ODRecord>(table->CreateRecord());
      record->SetField(fieldname, automation::Variant(measure));
      record->AttachTo(Require<host::Entity>(selection->Item(i))->ObjectID());
    }
    selection.Finish();
  });
}

}  // namespace nimbo::measure
