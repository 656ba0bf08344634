// The stand-in's type library and its member tables agree: every object of every kind,
// reached late-bound, describes itself with the dispinterface of its published name,
// whose members (name, DISPID, get, put or method) are exactly the ones its table
// answers. A member renamed, renumbered, added or dropped on one side alone fails here.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <map>
#include <set>
#include <string>

#include "cad_test_world.h"
#include "standalone/cad/entity_data.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::test {
namespace {

std::string Narrow(BSTR text) {
  std::string narrow;
  for (const wchar_t* c = text; c != nullptr && *c != 0; ++c) narrow += static_cast<char>(*c);
  return narrow;
}

// "Name id kind" of every member, as the type information lists them.
std::set<std::string> TypeInfoMembers(IDispatch* object) {
  com::ComPtr<ITypeInfo> info;
  EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()), S_OK);
  std::set<std::string> members;
  if (!info) return members;
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    info->GetFuncDesc(i, &function);
    BSTR name = nullptr;
    info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
    const char* kind = function->invkind == INVOKE_PROPERTYGET   ? "get"
                       : function->invkind == INVOKE_PROPERTYPUT ? "put"
                                                                 : "method";
    members.insert(Narrow(name) + " " + std::to_string(function->memid) + " " + kind);
    SysFreeString(name);
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
  return members;
}

// The same from the object's own table.
std::set<std::string> TableMembers(IDispatch* object) {
  com::TableDispatch* table = com::TableDispatch::Of(object);
  EXPECT_NE(table, nullptr);
  std::set<std::string> members;
  if (table == nullptr) return members;
  for (const com::DispatchMember& member : table->Description().members) {
    const std::string head = member.name + " " + std::to_string(member.id) + " ";
    if (member.handler || member.enumerate)
      members.insert(head + (member.property ? "get" : "method"));
    if (member.put) members.insert(head + "put");
  }
  return members;
}

TEST(CadTypeLibrary, EveryObjectsInterfaceAndMembersAreItsTables) {
  CadWorld w;
  // What cannot be made over the automation model: a line, a circle, a region, a table.
  standalone::EntityData line;
  line.kind = standalone::EntityKind::Line;
  line.end = {5, 5, 0};
  w.drawing.AddEntity(standalone::Space::Model(), line);
  standalone::EntityData circle;
  circle.kind = standalone::EntityKind::Circle;
  circle.radius = 2;
  w.drawing.AddEntity(standalone::Space::Model(), circle);
  standalone::EntityData region;
  region.kind = standalone::EntityKind::Region;
  region.points = {0, 0, 4, 0, 4, 4};
  region.closed = true;
  w.drawing.AddEntity(standalone::Space::Model(), region);
  w.drawing.AddObjectDataTable({"Parcels", {"Owner", "Area"}});
  standins::CadStandin standin(w.world.application);

  std::map<std::string, ObjectPtr> objects;  // by the interface name expected
  ObjectPtr app = FindRunningApplication();
  objects["IAcadApplication"] = app;
  ObjectPtr doc = AsObject(app->Get("ActiveDocument"));
  objects["IAcadDocument"] = doc;
  ObjectPtr space = AsObject(doc->Get("ModelSpace"));
  objects["IAcadModelSpace"] = space;
  objects["IAcadPaperSpace"] = AsObject(doc->Get("PaperSpace"));
  ObjectPtr blocks = AsObject(doc->Get("Blocks"));
  objects["IAcadBlocks"] = blocks;
  ObjectPtr block = AsObject(blocks->Call("Add", {Point(0, 0), Variant("Marker")}));
  objects["IAcadBlock"] = block;
  ObjectPtr layers = AsObject(doc->Get("Layers"));
  objects["IAcadLayers"] = layers;
  ObjectPtr layer = AsObject(layers->Call("Item", {Variant(int16_t{0})}));
  objects["IAcadLayer"] = layer;
  objects["IAcadAcCmColor"] = AsObject(layer->Get("TrueColor"));
  ObjectPtr sets = AsObject(doc->Get("SelectionSets"));
  objects["IAcadSelectionSets"] = sets;
  objects["IAcadSelectionSet"] = AsObject(sets->Call("Add", {Variant("All")}));
  objects["IAcadUtility"] = AsObject(doc->Get("Utility"));
  objects["IAcadLine"] = AsObject(space->Call("Item", {Variant(int32_t{0})}));
  objects["IAcadEntity"] = AsObject(space->Call("Item", {Variant(int32_t{1})}));
  ObjectPtr profile = AsObject(space->Call("Item", {Variant(int32_t{2})}));
  objects["IAcadRegion"] = profile;
  objects["IAcad3DSolid"] = AsObject(space->Call(
      "AddExtrudedSolid", {Variant(std::static_pointer_cast<automation::Object>(profile)),
                           Variant(3.0), Variant(0.0)}));
  objects["IAcadLWPolyline"] = AsObject(
      space->Call("AddLightWeightPolyline", {Variant(automation::DoubleArray{0, {0, 0, 1, 1}})}));
  objects["IAcadPoint"] = AsObject(space->Call("AddPoint", {Point(1, 2)}));
  objects["IAcadText"] =
      AsObject(space->Call("AddText", {Variant("Lot 7"), Point(1, 2), Variant(2.5)}));
  objects["IAcadDimAligned"] =
      AsObject(space->Call("AddDimAligned", {Point(0, 0), Point(4, 0), Point(2, 1)}));
  objects["IAcadDimAngular"] =
      AsObject(space->Call("AddDimAngular", {Point(0, 0), Point(4, 0), Point(0, 4), Point(2, 2)}));
  objects["IAcadAttribute"] =
      AsObject(block->Call("AddAttribute", {Variant(1.0), Variant(int32_t{0}), Variant("Number?"),
                                            Point(0, 0), Variant("NUMBER"), Variant("1")}));
  objects["IAcadBlockReference"] =
      AsObject(space->Call("InsertBlock", {Point(9, 9), Variant("Marker"), Variant(1.0),
                                           Variant(1.0), Variant(1.0), Variant(0.0)}));
  ObjectPtr map = AsObject(app->Call("GetInterfaceObject", {Variant("AutoCADMap.Application")}));
  objects["IAcadMap"] = map;
  ObjectPtr projects = AsObject(map->Get("Projects"));
  objects["Projects"] = projects;
  ObjectPtr project = AsObject(
      projects->Call("Item", {Variant(std::static_pointer_cast<automation::Object>(doc))}));
  objects["Project"] = project;
  ObjectPtr tables = AsObject(project->Get("ODTables"));
  objects["ODTables"] = tables;
  ObjectPtr table = AsObject(tables->Call("Item", {Variant("Parcels")}));
  objects["ODTable"] = table;
  ObjectPtr fields = AsObject(table->Get("ODFieldDefs"));
  objects["ODFieldDefs"] = fields;
  objects["ODFieldDef"] = AsObject(fields->Call("Item", {Variant("Area")}));
  ObjectPtr record = AsObject(table->Call("CreateRecord"));
  objects["ODRecord"] = record;
  objects["ODFieldValue"] = AsObject(record->Call("Item", {Variant("Owner")}));

  // Every dispinterface of the library is among them, but the events and the dock
  // container's interface, which is called through its vtable, not answered from a table.
  com::ComPtr<ITypeInfo> appInfo;
  com::ComPtr<ITypeLib> library;
  UINT index = 0;
  ASSERT_EQ(app->Dispatch()->GetTypeInfo(0, LOCALE_USER_DEFAULT, appInfo.Put()), S_OK);
  ASSERT_EQ(appInfo->GetContainingTypeLib(library.Put(), &index), S_OK);
  std::set<std::string> interfaces;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind{};
    BSTR name = nullptr;
    library->GetTypeInfoType(i, &kind);
    library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
    const std::string named = Narrow(name);
    if (kind == TKIND_DISPATCH && named.rfind("_D", 0) != 0 && named != "IStandinDockContainer") {
      interfaces.insert(named);
    }
    SysFreeString(name);
  }
  std::set<std::string> reached;
  for (const auto& [name, object] : objects) reached.insert(name);
  EXPECT_EQ(reached, interfaces);
  for (const auto& [expected, object] : objects) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(InterfaceName(object->Dispatch()), expected);
    EXPECT_EQ(TypeInfoMembers(object->Dispatch()), TableMembers(object->Dispatch()));
  }
  // Absent names answer Nothing, as the Map model has it.
  EXPECT_EQ(tables->Call("Item", {Variant("Roads")}).AsObject(), nullptr);
  EXPECT_EQ(fields->Call("Item", {Variant("Colour")}).AsObject(), nullptr);
  // An object that is not one of ours is refused where one of ours is taken.
  com::ComPtr<com::TableDispatch> stranger = com::TableDispatch::Create({});
  try {
    space->Call("AddExtrudedSolid",
                {Variant(automation::ObjectRef(std::make_shared<com::DispatchObject>(
                     com::ComPtr<IDispatch>(stranger.Get())))),
                 Variant(3.0), Variant(0.0)});
    ADD_FAILURE() << "a stranger's object taken as a profile";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), automation::errors::kTypeMismatch);
  }
}

}  // namespace
}  // namespace nimbo::win::test
