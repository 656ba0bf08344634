#include "measure/save_options.h"

#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "host/map.h"

namespace nimbo::measure {

using automation::Require;

const std::vector<SaveMethod>& FixedSaveMethods() {
  static const std::vector<SaveMethod> methods = {
      {kSaveAsText, {kSaveAsText}},
      {kSaveAsDimension, {kLinearDimension, kAngularDimension}},
      {kSaveAsAttribute, {"Area", "Distance", "Bearing", "Elevation", "Height", "X", "Y"}},
      {kSaveAsExtrusion, {kSaveAsExtrusion}},
  };
  return methods;
}

std::string TableInfoEntry(const std::string& method, const std::vector<std::string>& subOptions) {
  // Names are sent as they are: the viewer's format has no quoting.
  std::string entry = method;
  for (const std::string& subOption : subOptions) entry += "," + subOption;
  return entry;
}

namespace {

std::vector<std::string> FieldNames(host::ODTable& table) {
  auto fields = Require<host::ODFieldDefinitions>(table.FieldDefinitions());
  std::vector<std::string> names;
  const int32_t count = fields->Count();
  for (int32_t i = 0; i < count; ++i) {
    names.push_back(Require<host::ODFieldDefinition>(fields->Item(i))->Name());
  }
  return names;
}

}  // namespace

void SetTableInfo(control::ControlState& state) {
  automation::Reraise("SetTableInfo", [&] {
    host::Viewer& viewer = state.Viewer();
    viewer.ClearTableInfo();
    for (const SaveMethod& method : FixedSaveMethods()) {
      viewer.AddTableInfo(
          TableInfoEntry(method.name, {method.subOptions.begin(), method.subOptions.end()}));
    }
    // The tables of the drawing last activated; no document is fetched here.
    if (!state.activeDoc || !state.mapApp) return;
    auto project = Require<host::MapProject>(state.mapApp->Project(state.activeDoc));
    auto tables = Require<host::ODTables>(project->ODTables());
    const int32_t count = tables->Count();
    for (int32_t i = 0; i < count; ++i) {
      auto table = Require<host::ODTable>(tables->Item(i));
      const std::string name = table->Name();  // asked before the fields, as listed
      viewer.AddTableInfo(TableInfoEntry(name, FieldNames(*table)));
    }
  });
}

}  // namespace nimbo::measure
