// The fault plan reaches every member of the in-memory host and the Map application: the
// names the replay contract requires exist, every name the host checks is listed, and a
// planned failure comes after `after` calls for `times` calls.
#include <set>

#include "host/map.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;

class MemoryFaults : public MemoryHostTest {
 protected:
  // Drives (nearly) every member of the host once.
  void ExerciseEverything() {
    site.AddEntity(Space::Model(), Region("r1", {0, 0, 1, 0, 1, 1}));
    site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
    site.AddObjectDataTable(ObjectDataTable{"Parcels", {"Area"}});
    app->ActiveDocument();
    doc->Name();
    doc->GetVariable("VIEWSIZE");
    doc->SetVariable("PDMODE", int16_t{2});
    doc->Application()->ZoomCenter({0, 0, 0}, 10);
    auto layers = doc->Layers();
    layers->Count();
    auto layer = layers->Add("L");
    layers->Item(0)->Name();
    layers->ForEach([](const host::LayerRef&) {});
    layer->SetColor(3);
    layer->LayerOn();
    auto color = layer->TrueColor();
    color->ColorMethod();
    color->ColorIndex();
    color->Red();
    color->Green();
    color->Blue();
    layer->Lineweight();
    auto model = doc->ModelSpace();
    model->Count();
    auto region = std::dynamic_pointer_cast<host::Region>(model->Item(0));
    auto line = std::dynamic_pointer_cast<host::Line>(model->Item(1));
    model->ForEach([](const host::EntityRef&) {});
    auto point = model->AddPoint({0, 0, 0});
    auto polyline = model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0, 1, 1}});
    model->AddText("t", {0, 0, 0}, 1)->Update();
    auto dim = model->AddDimAligned({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    model->AddDimAngular({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
    model->AddExtrudedSolid(region, 2, 0);
    auto blocks = doc->Blocks();
    auto block = blocks->Add({0, 0, 0}, "B");
    blocks->Count();
    blocks->Item(0);
    block->Name();
    block->Count();
    auto def = block->AddAttribute(1, 0, "", {0, 0, 0}, "T", "v");
    block->ForEach([](const host::EntityRef&) {});
    block->Item(0);
    model->InsertBlock({0, 0, 0}, "B", 1, 1, 1, 0);
    doc->PaperSpace()->Count();
    point->ObjectName();
    point->ObjectID();
    point->Layer();
    point->SetLayer("L");
    point->SetColor(1);
    point->TrueColor();
    point->Lineweight();
    point->Coordinates();
    polyline->Coordinates();
    line->StartPoint();
    line->EndPoint();
    dim->SetTextOverride("x");
    dim->SetTextHeight(1);
    dim->SetArrowheadSize(0);
    def->TagString();
    def->TextString();
    def->SetTextString("w");
    def->SetHeight(2);
    auto sets = doc->SelectionSets();
    auto set = sets->Add("S");
    sets->Count();
    set->Name();
    set->SelectByPolygon(7, automation::DoubleArray{0, {-1, -1, 0, 2, -1, 0, 2, 2, 0}});
    set->Select(5, {8, 410}, {"L", "Model"});
    person.Give(SelectAnswer{{"l1"}});
    set->SelectOnScreen();
    set->Count();
    set->Item(0);
    set->ForEach([](const host::EntityRef&) {});
    person.Give(PointAnswer{Point3{1, 2, 0}});
    doc->Utility()->GetPoint(std::nullopt, std::nullopt);
    auto mapApp = std::dynamic_pointer_cast<host::MapApplication>(
        app->GetInterfaceObject("AutoCADMap.Application"));
    auto tables = mapApp->Project(doc)->ODTables();
    tables->Count();
    tables->Item(0);
    auto table = tables->Find("Parcels");
    table->Name();
    auto fields = table->FieldDefinitions();
    fields->Count();
    fields->Item(0)->Name();
    fields->Find("Area");
    auto record = table->CreateRecord();
    record->SetField("Area", 12.5);
    record->AttachTo(point->ObjectID());
    set->Delete();
    point->Delete();
    auto sink = std::make_unique<NullSink>();
    doc->Unadvise(doc->Advise(sink.get()));
  }
  class NullSink : public host::DocumentEvents {
   public:
    void BeginDocClose(automation::VBool&) override {}
    void EndCommand(const std::string&) override {}
  };
};

TEST_F(MemoryFaults, every_target_the_host_checks_is_listed) {
  faults.RecordTargets(true);
  ExerciseEverything();
  std::set<std::string> seen(faults.Targets().begin(), faults.Targets().end());
  EXPECT_GT(seen.size(), 90u);
  for (const std::string& target : seen) EXPECT_TRUE(IsFaultTarget(target)) << target;
}

TEST_F(MemoryFaults, the_replay_contracts_targets_exist) {
  for (const char* target :
       {"drawing.Application.ZoomCenter", "drawing.Document.GetVariable",
        "drawing.Document.SetVariable", "drawing.Layers.Add", "drawing.Layer.Delete",
        "drawing.Entity.Delete", "drawing.ModelSpace.AddLightWeightPolyline",
        "drawing.ModelSpace.AddPoint", "drawing.ModelSpace.AddText",
        "drawing.ModelSpace.AddExtrudedSolid", "drawing.SelectionSets.Add",
        "drawing.SelectionSet.SelectByPolygon", "drawing.Utility.GetPoint", "map.ODRecord.AttachTo",
        "drawing.Block.AddAttribute", "viewer.RefreshOverlays", "dialogs.MessageBox",
        "dialogs.InputBox", "container.Member8"}) {
    EXPECT_TRUE(IsFaultTarget(target)) << target;
  }
  EXPECT_FALSE(IsFaultTarget("drawing.Layers.Remove"));
  EXPECT_FALSE(IsFaultTarget("drawing.Layers"));
}

TEST_F(MemoryFaults, a_planned_failure_comes_after_the_given_calls_for_the_given_times) {
  faults.Add("drawing.Layers.Add", 5, "planned", 1, 2);
  auto layers = doc->Layers();
  EXPECT_NO_THROW(layers->Add("A"));
  for (const char* name : {"B", "C"}) {
    auto error = ErrorOf([&] { layers->Add(name); });
    EXPECT_EQ(error.number(), 5);
    EXPECT_EQ(error.description(), "planned");
    EXPECT_EQ(error.source(), "drawing.Layers.Add");
  }
  EXPECT_NO_THROW(layers->Add("D"));
  std::vector<std::string> names;
  for (const LayerData& l : site.Layers()) names.push_back(l.name);
  EXPECT_THAT(names, ElementsAre("0", "A", "D"));  // a failed call changes nothing
}

TEST_F(MemoryFaults, a_failure_planned_for_one_kind_of_entity_call_hits_every_kind) {
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
  site.AddEntity(Space::Model(), PointAt("p1", 0, 0));
  faults.Add("drawing.Entity.Delete", -2145386420, "denied", 1);
  auto model = doc->ModelSpace();
  int failures = 0;
  model->ForEach([&](const host::EntityRef& e) {
    try {
      e->Delete();
    } catch (const automation::AutomationError&) {
      ++failures;
    }
  });
  EXPECT_EQ(failures, 1);
  ASSERT_EQ(site.EntityCount(Space::Model()), 1u);
  EXPECT_EQ(site.Entities(Space::Model())[0].id, "p1");
  EXPECT_THAT(journal.Lines(), ElementsAre("drawing Site entity l1 deleted"));
}

TEST_F(MemoryFaults, a_failed_pick_consumes_no_answer) {
  faults.Add("drawing.Utility.GetPoint", 7, "Out of memory");
  person.Give(PointAnswer{Point3{1, 1, 0}});
  EXPECT_EQ(ErrorOf([&] { doc->Utility()->GetPoint(std::nullopt, std::nullopt); }).number(), 7);
  EXPECT_EQ(person.Remaining(), 1u);
  EXPECT_TRUE(journal.Lines().empty());
}

TEST_F(MemoryFaults, map_and_block_targets_fail_as_planned) {
  site.AddObjectDataTable(ObjectDataTable{"Parcels", {"Area"}});
  faults.Add("map.ODRecord.AttachTo", 11, "attach failed");
  faults.Add("drawing.Block.AddAttribute", 12, "no attribute");
  auto point = doc->ModelSpace()->AddPoint({0, 0, 0});
  auto mapApp = std::dynamic_pointer_cast<host::MapApplication>(
      app->GetInterfaceObject("AutoCADMap.Application"));
  auto record = mapApp->Project(doc)->ODTables()->Find("Parcels")->CreateRecord();
  EXPECT_EQ(ErrorOf([&] { record->AttachTo(point->ObjectID()); }).number(), 11);
  EXPECT_TRUE(site.ObjectDataRecords().empty());
  auto block = doc->Blocks()->Add({0, 0, 0}, "B");
  EXPECT_EQ(ErrorOf([&] { block->AddAttribute(1, 0, "", {0, 0, 0}, "T", "v"); }).number(), 12);
  // Model space has its own target for the same member.
  EXPECT_NO_THROW(doc->ModelSpace()->AddAttribute(1, 0, "", {0, 0, 0}, "T", "v"));
}

// A small scenario on a fresh host; answers the journal. Rethrows nothing: a planned
// failure ends it, and `failure` gets its number.
std::vector<std::string> RunScenario(FaultPlan& plan, int32_t* failure) {
  Journal lines;
  ScriptedPerson someone;
  auto fresh = MemoryApplication::Create(plan, lines, someone);
  Drawing& drawing = fresh->AddDocument("Site");
  fresh->Activate("Site");
  drawing.AddEntity(Space::Model(), MemoryHostTest::PointAt("p1", 0, 0));
  try {
    auto document = fresh->ActiveDocument();
    auto layer = document->Layers()->Add("L");
    layer->SetColor(2);
    auto point = document->ModelSpace()->AddPoint({1, 1, 0});
    point->SetLayer("L");
    document->SetVariable("PDMODE", int16_t{2});
    auto set = document->SelectionSets()->Add("S");
    set->SelectByPolygon(7, automation::DoubleArray{0, {-1, -1, 0, 5, -1, 0, 5, 5, 0}});
    set->ForEach([](const host::EntityRef& e) { e->Delete(); });
    set->Delete();
    fresh->ZoomCenter({1, 2, 0}, 3);
  } catch (const automation::AutomationError& e) {
    *failure = e.number();
  }
  return lines.Lines();
}

TEST_F(MemoryFaults, failing_each_call_in_turn_stops_there_and_changes_nothing_more) {
  FaultPlan dry;
  int32_t none = 0;
  const std::vector<std::string> full = RunScenario(dry, &none);
  ASSERT_EQ(none, 0);
  const int64_t calls = dry.CallCount();
  ASSERT_GT(calls, 10);
  for (int64_t n = 1; n <= calls; ++n) {
    FaultPlan plan;
    plan.FailCall(n, 99, "swept");
    int32_t failure = 0;
    const std::vector<std::string> lines = RunScenario(plan, &failure);
    EXPECT_EQ(failure, 99) << "call " << n;
    // What was journaled is the dry run's beginning: the failed call changed nothing.
    ASSERT_LT(lines.size(), full.size() + 1) << "call " << n;
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), full.begin())) << "call " << n;
    EXPECT_LT(lines.size(), full.size()) << "call " << n;
  }
}

}  // namespace
}  // namespace nimbo::standalone::testing
