// The adapters of win/host/ against the CAD stand-in: every member of every adapter,
// called once, lands on the one in-memory member of the contract that it stands for, in
// that order, and hands back what the drawing holds. A published name misspelt in an
// adapter, or a member mapped to another one, fails here even where no session reaches it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cad_test_world.h"
#include "automation/object_cast.h"
#include "host/map.h"
#include "standalone/cad/entity_data.h"
#include "win/host/com_running_objects.h"

namespace nimbo::win::test {
namespace {

using nimbo::host::Point3;

TEST(AdaptersOverCom, EveryMemberReachesItsInMemoryMemberAndReadsTheDrawing) {
  CadWorld w;
  standalone::EntityData line;
  line.kind = standalone::EntityKind::Line;
  line.layer = "Roads";
  line.start = {1, 2, 0};
  line.end = {5, 6, 0};
  w.drawing.AddEntity(standalone::Space::Model(), line);
  w.drawing.AddObjectDataTable({"Parcels", {"Owner"}});
  standins::CadStandin standin(w.world.application);
  const size_t before = w.world.faults.Targets().size();

  host::ComRunningObjects lookup;
  auto app =
      automation::As<nimbo::host::Application>(lookup.GetActiveObject("AutoCAD.Application.17"));
  nimbo::host::DocumentRef doc = app->ActiveDocument();
  EXPECT_EQ(doc->Name(), kDrawingName);
  doc->SetVariable("PDMODE", Variant(int16_t{3}));
  EXPECT_EQ(doc->GetVariable("PDMODE"), Variant(int16_t{3}));
  doc->Application()->ZoomCenter({10, 20, 0}, 50);

  auto space = doc->ModelSpace();
  EXPECT_EQ(space->Count(), 1);
  auto first = automation::As<nimbo::host::Line>(space->Item(0));
  EXPECT_EQ(first->ObjectName(), "AcDbLine");
  EXPECT_EQ(first->StartPoint(), (Point3{1, 2, 0}));
  EXPECT_EQ(first->EndPoint(), (Point3{5, 6, 0}));
  EXPECT_EQ(first->Layer(), "Roads");
  first->SetLayer("0");
  first->SetColor(256);
  EXPECT_EQ(first->TrueColor()->ColorMethod(), nimbo::host::color_method::kByLayer);
  EXPECT_EQ(first->Lineweight(), nimbo::host::kLineweightByLayer);
  first->Update();
  auto polyline = space->AddLightWeightPolyline({0, {0, 0, 3, 4}});
  EXPECT_EQ(polyline->Coordinates().values, (std::vector<double>{0, 0, 3, 4}));
  auto point = space->AddPoint({7, 8, 0});
  EXPECT_EQ(point->Coordinates(), (Point3{7, 8, 0}));
  const int64_t pointId = point->ObjectID();
  space->AddText("Lot 7", {1, 1, 0}, 2.5);
  auto dimension = space->AddDimAligned({0, 0, 0}, {4, 0, 0}, {2, 1, 0});
  dimension->SetTextOverride("4 m");
  dimension->SetTextHeight(2);
  dimension->SetArrowheadSize(0.5);
  space->AddDimAngular({0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {2, 2, 0});
  int visited = 0;
  space->ForEach([&](const nimbo::host::EntityRef& entity) {
    ++visited;
    if (entity->ObjectName() == "AcDbPoint") entity->Delete();
  });
  EXPECT_EQ(visited, 6);

  auto blocks = doc->Blocks();
  auto block = blocks->Add({0, 0, 0}, "Marker");
  EXPECT_EQ(block->Name(), "Marker");
  auto attribute = block->AddAttribute(1, 0, "Number?", {0, 0, 0}, "NUMBER", "1");
  EXPECT_EQ(attribute->TagString(), "NUMBER");
  attribute->SetTextString("2");
  EXPECT_EQ(attribute->TextString(), "2");
  attribute->SetHeight(1.5);
  EXPECT_EQ(blocks->Item(blocks->Count() - 1)->Name(), "Marker");
  space->InsertBlock({9, 9, 0}, "Marker", 1, 1, 1, 0);

  auto layers = doc->Layers();
  auto roads = layers->Add("Roads");
  EXPECT_EQ(roads->Name(), "Roads");
  roads->SetColor(3);
  EXPECT_EQ(roads->TrueColor()->ColorIndex(), 3);
  EXPECT_TRUE(roads->LayerOn());
  EXPECT_EQ(roads->Lineweight(), -3);
  EXPECT_EQ(layers->Item(0)->Name(), "0");
  int layerCount = 0;
  layers->ForEach([&](const nimbo::host::LayerRef&) { ++layerCount; });
  EXPECT_EQ(layerCount, layers->Count());

  auto sets = doc->SelectionSets();
  auto set = sets->Add("Probe");
  EXPECT_EQ(sets->Count(), 1);
  EXPECT_EQ(set->Name(), "Probe");
  // On layer "0" in model space: all but the deleted point (the line was moved there).
  set->Select(nimbo::host::selection_mode::kAll, {8, 410}, {Variant("0"), Variant("Model")});
  EXPECT_EQ(set->Count(), 6);
  EXPECT_EQ(set->Item(0)->ObjectName(), "AcDbLine");
  set->SelectByPolygon(nimbo::host::selection_mode::kCrossingPolygon,
                       {0, {-1, -1, 0, 10, -1, 0, 10, 10, 0, -1, 10, 0}});
  int selected = 0;
  set->ForEach([&](const nimbo::host::EntityRef&) { ++selected; });
  EXPECT_EQ(selected, set->Count());
  set->Delete();

  auto map = automation::As<nimbo::host::MapApplication>(
      app->GetInterfaceObject("AutoCADMap.Application"));
  auto tables = map->Project(doc)->ODTables();
  EXPECT_EQ(tables->Count(), 1);
  EXPECT_EQ(tables->Find("Nothing here"), nullptr);
  auto table = tables->Item(0);
  EXPECT_EQ(table->Name(), "Parcels");
  auto fields = table->FieldDefinitions();
  EXPECT_EQ(fields->Count(), 1);
  EXPECT_EQ(fields->Item(0)->Name(), "Owner");
  EXPECT_NE(fields->Find("Owner"), nullptr);
  auto record = table->CreateRecord();
  record->SetField("Owner", Variant("Meier"));
  EXPECT_FALSE(record->AttachTo(pointId));  // the point was deleted above
  tables->Find("Parcels");
  roads->Delete();

  const std::vector<std::string> all = w.world.faults.Targets();
  std::vector<std::string> reached(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  // One per adapter call, in call order; an enumeration adds only its visitor's calls.
  std::vector<std::string> want = {"drawing.Application.ActiveDocument",
                                   "drawing.Document.Name",
                                   "drawing.Document.SetVariable",
                                   "drawing.Document.GetVariable",
                                   "drawing.Document.Application",
                                   "drawing.Application.ZoomCenter",
                                   "drawing.Document.ModelSpace",
                                   "drawing.ModelSpace.Count",
                                   "drawing.ModelSpace.Item",
                                   "drawing.Entity.ObjectName",
                                   "drawing.Entity.StartPoint",
                                   "drawing.Entity.EndPoint",
                                   "drawing.Entity.Layer",
                                   "drawing.Entity.SetLayer",
                                   "drawing.Entity.SetColor",
                                   "drawing.Entity.TrueColor",
                                   "drawing.Color.ColorMethod",
                                   "drawing.Entity.Lineweight",
                                   "drawing.Entity.Update",
                                   "drawing.ModelSpace.AddLightWeightPolyline",
                                   "drawing.Entity.Coordinates",
                                   "drawing.ModelSpace.AddPoint",
                                   "drawing.Entity.Coordinates",
                                   "drawing.Entity.ObjectID",
                                   "drawing.ModelSpace.AddText",
                                   "drawing.ModelSpace.AddDimAligned",
                                   "drawing.Entity.SetTextOverride",
                                   "drawing.Entity.SetTextHeight",
                                   "drawing.Entity.SetArrowheadSize",
                                   "drawing.ModelSpace.AddDimAngular",
                                   "drawing.ModelSpace.ForEach"};
  for (int i = 0; i < 6; ++i) want.push_back("drawing.Entity.ObjectName");
  want.insert(want.end() - 3, "drawing.Entity.Delete");  // the point, the third visited
  for (const char* target : {"drawing.Document.Blocks",
                             "drawing.Blocks.Add",
                             "drawing.Block.Name",
                             "drawing.Block.AddAttribute",
                             "drawing.Entity.TagString",
                             "drawing.Entity.SetTextString",
                             "drawing.Entity.TextString",
                             "drawing.Entity.SetHeight",
                             "drawing.Blocks.Count",
                             "drawing.Blocks.Item",
                             "drawing.Block.Name",
                             "drawing.ModelSpace.InsertBlock",
                             "drawing.Document.Layers",
                             "drawing.Layers.Add",
                             "drawing.Layer.Name",
                             "drawing.Layer.SetColor",
                             "drawing.Layer.TrueColor",
                             "drawing.Color.ColorIndex",
                             "drawing.Layer.LayerOn",
                             "drawing.Layer.Lineweight",
                             "drawing.Layers.Item",
                             "drawing.Layer.Name",
                             "drawing.Layers.ForEach",
                             "drawing.Layers.Count",
                             "drawing.Document.SelectionSets",
                             "drawing.SelectionSets.Add",
                             "drawing.SelectionSets.Count",
                             "drawing.SelectionSet.Name",
                             "drawing.SelectionSet.Select",
                             "drawing.SelectionSet.Count",
                             "drawing.SelectionSet.Item",
                             "drawing.Entity.ObjectName",
                             "drawing.SelectionSet.SelectByPolygon",
                             "drawing.SelectionSet.ForEach",
                             "drawing.SelectionSet.Count",
                             "drawing.SelectionSet.Delete",
                             "drawing.Application.GetInterfaceObject",
                             "map.Application.Project",
                             "map.Project.ODTables",
                             "map.ODTables.Count",
                             "map.ODTables.Find",
                             "map.ODTables.Item",
                             "map.ODTable.Name",
                             "map.ODTable.FieldDefinitions",
                             "map.ODFieldDefinitions.Count",
                             "map.ODFieldDefinitions.Item",
                             "map.ODFieldDefinition.Name",
                             "map.ODFieldDefinitions.Find",
                             "map.ODTable.CreateRecord",
                             "map.ODRecord.SetField",
                             "map.ODRecord.AttachTo",
                             "map.ODTables.Find",
                             "drawing.Layer.Delete"}) {
    want.push_back(target);
  }
  EXPECT_EQ(reached, want);
}

}  // namespace
}  // namespace nimbo::win::test
