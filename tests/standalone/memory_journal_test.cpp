// Every change the host makes is one `drawing <document> <change>` line, in the forms of
// docs/drawing-changes.md; building a document from data journals nothing.
#include "host/map.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MemoryJournal : public MemoryHostTest {};

TEST_F(MemoryJournal, setup_journals_nothing) {
  Drawing& other = app->AddDocument("Other");
  other.PutLayer(LayerData{"Roads", ColorValue::Index(3)});
  other.SetCurrentLayer("Roads");
  const uint32_t block = other.AddBlock(BlockData{"Tree", {0, 0, 0}});
  EntityData def;
  def.kind = EntityKind::AttributeDefinition;
  def.tag = "Height";
  other.AddEntity(Space::Block(block), def);
  other.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1, "Roads"));
  other.AddObjectDataTable(ObjectDataTable{"Parcels", {"Area"}});
  other.SetView(1, 2, 3);
  app->Activate("Other");
  app->RunCommand("Other", "PAN", spatial::Vec2{4, 5}, 6.0);
  app->CloseDocument("Other");
  EXPECT_THAT(journal.Lines(), IsEmpty());
}

TEST_F(MemoryJournal, each_change_of_layers_and_entities_is_one_line) {
  site.AddEntity(Space::Model(), PointAt("e7", 0, 0));
  auto layers = doc->Layers();
  auto layer = layers->Add("VeskNimBoTotalExtent");
  layers->Add("vesknimbototalextent");  // exists: no change
  layer->SetColor(5);
  auto model = doc->ModelSpace();
  auto polyline =
      model->AddLightWeightPolyline(automation::DoubleArray{0, {0, 0, 10, 0, 10, 5, 0, 5, 0, 0}});
  polyline->SetLayer("VeskNimBoTotalExtent");
  polyline->SetColor(1);
  polyline->SetColor(256);
  polyline->SetColor(0);
  polyline->Update();  // a redraw is no change
  model->Item(0)->Delete();
  auto point = model->AddPoint({1.5, -2, 0});
  model->AddText("12.5", {3, 4, 0}, 2.5);
  auto aligned = model->AddDimAligned({0, 0, 0}, {10, 0, 0}, {5, 2, 0});
  aligned->SetTextOverride("12.5");
  aligned->SetTextHeight(2.5);
  aligned->SetArrowheadSize(0);
  model->AddDimAngular({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
  (void)point;
  EXPECT_THAT(
      journal.Lines(),
      ElementsAre(
          "drawing Site layer added \"VeskNimBoTotalExtent\"",
          "drawing Site layer \"VeskNimBoTotalExtent\" colour 5",
          "drawing Site entity #1 added polyline on \"0\" [(0, 0), (10, 0), (10, 5), (0, 5), (0, "
          "0)]",
          "drawing Site entity #1 layer \"VeskNimBoTotalExtent\"",
          "drawing Site entity #1 colour 1", "drawing Site entity #1 colour ByLayer",
          "drawing Site entity #1 colour ByBlock", "drawing Site entity e7 deleted",
          "drawing Site entity #2 added point on \"0\" at (1.5, -2, 0)",
          "drawing Site entity #3 added text on \"0\" \"12.5\" at (3, 4, 0) height 2.5",
          "drawing Site entity #4 added alignedDimension on \"0\" from (0, 0, 0) to (10, 0, 0) "
          "text at (5, 2, 0)",
          "drawing Site entity #4 text override \"12.5\"", "drawing Site entity #4 text height 2.5",
          "drawing Site entity #4 arrowhead size 0",
          "drawing Site entity #5 added angularDimension on \"0\" vertex (0, 0, 0) from (1, 0, 0) "
          "to (0, 1, 0) text at (1, 1, 0)"));
}

TEST_F(MemoryJournal, blocks_attributes_references_and_solids) {
  site.AddEntity(Space::Model(), Region("r1", {0, 0, 4, 0, 4, 4}));
  auto blocks = doc->Blocks();
  auto block = blocks->Add({0, 0, 0}, "Height");
  blocks->Add({0, 0, 0}, "Height");  // exists: no change
  auto def = block->AddAttribute(2.5, 0, "", {0, 0, 0}, "Height", "12.5");
  def->SetTextString("13");
  def->SetHeight(3);
  doc->ModelSpace()->InsertBlock({5, 6, 0}, "Height", 1, 1, 1, 0);
  auto region = std::dynamic_pointer_cast<host::Region>(doc->ModelSpace()->Item(0));
  doc->ModelSpace()->AddExtrudedSolid(region, 12.5, 0);
  doc->PaperSpace()->AddPoint({0, 0, 0});
  EXPECT_THAT(
      journal.Lines(),
      ElementsAre("drawing Site block added \"Height\" at (0, 0, 0)",
                  "drawing Site entity #1 added attributeDefinition in block \"Height\" on \"0\" "
                  "tag \"Height\" value \"12.5\" prompt \"\" mode 0 height 2.5 at (0, 0, 0)",
                  "drawing Site entity #1 value \"13\"", "drawing Site entity #1 height 3",
                  "drawing Site entity #2 added blockReference on \"0\" \"Height\" at (5, 6, 0) "
                  "scale (1, 1, 1) rotation 0 attribute \"Height\" = \"13\"",
                  "drawing Site entity #3 added solid on \"0\" profile r1 height 12.5 taper 0",
                  "drawing Site entity #4 added point in paper space on \"0\" at (0, 0, 0)"));
}

TEST_F(MemoryJournal, variables_view_selection_sets_and_object_data) {
  site.AddEntity(Space::Model(), PointAt("e7", 1, 1));
  site.AddObjectDataTable(ObjectDataTable{"Parcels", {"Area", "Owner"}});
  doc->SetVariable("PDMODE", int16_t{2});
  app->ZoomCenter({10, 20, 0}, 100);
  auto set = doc->SelectionSets()->Add("Vesk12/7/2026 10:15:30 AM");
  set->SelectByPolygon(7, automation::DoubleArray{0, {0, 0, 0, 5, 0, 0, 5, 5, 0, 0, 5, 0}});
  auto mapApp = std::dynamic_pointer_cast<host::MapApplication>(
      app->GetInterfaceObject("AutoCADMap.Application"));
  auto record = mapApp->Project(doc)->ODTables()->Find("Parcels")->CreateRecord();
  record->SetField("Area", 12.5);
  record->AttachTo(set->Item(0)->ObjectID());
  set->Delete();
  EXPECT_THAT(
      journal.Lines(),
      ElementsAre("drawing Site variable PDMODE = 2", "drawing Site view centre (10, 20) size 100",
                  "drawing Site selection set added \"Vesk12/7/2026 10:15:30 AM\"",
                  "drawing Site selection set \"Vesk12/7/2026 10:15:30 AM\" selected 1 by polygon",
                  "drawing Site object data record added \"Parcels\" on e7 {\"Area\": 12.5}",
                  "drawing Site selection set \"Vesk12/7/2026 10:15:30 AM\" deleted"));
}

TEST_F(MemoryJournal, a_refused_change_journals_nothing) {
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1, "Roads"));
  doc->SelectionSets()->Add("S");
  journal.Clear();
  EXPECT_THROW(doc->Layers()->Item(1)->Delete(), automation::AutomationError);
  EXPECT_THROW(doc->Layers()->Item(0)->Delete(), automation::AutomationError);
  EXPECT_THROW(doc->SelectionSets()->Add("S"), automation::AutomationError);
  EXPECT_THROW(doc->ModelSpace()->Item(0)->SetLayer("Nowhere"), automation::AutomationError);
  EXPECT_THROW(doc->SetVariable("VIEWSIZE", 3.0), automation::AutomationError);
  EXPECT_THAT(journal.Lines(), IsEmpty());
}

TEST_F(MemoryJournal, lines_name_the_document_the_change_was_made_in) {
  Drawing& other = app->AddDocument("Other");
  (void)other;
  app->DocumentObject("Other")->Layers()->Add("X");
  doc->Layers()->Add("Y");
  EXPECT_THAT(journal.Lines(),
              ElementsAre("drawing Other layer added \"X\"", "drawing Site layer added \"Y\""));
}

// The helpers the tests read the journal with.
TEST(journal, since_a_mark_reads_only_what_came_after_it) {
  Journal journal;
  journal.Write("viewer Refresh()");
  const size_t mark = journal.Mark();
  EXPECT_EQ(mark, 1u);
  EXPECT_THAT(journal.Since(mark), IsEmpty());
  journal.Write("dialog message \"x\"");
  journal.Write("viewer Top = 0");
  EXPECT_THAT(journal.Since(mark), ElementsAre("dialog message \"x\"", "viewer Top = 0"));
  EXPECT_THAT(journal.Since(0),
              ElementsAre("viewer Refresh()", "dialog message \"x\"", "viewer Top = 0"));
  // Cleared below the mark: nothing after it, and no read past the end.
  journal.Clear();
  journal.Write("viewer Left = 5");
  EXPECT_THAT(journal.Since(mark + 1), IsEmpty());
  EXPECT_THAT(journal.Since(mark), IsEmpty());
  EXPECT_THAT(journal.Since(0), ElementsAre("viewer Left = 5"));
}

TEST(journal, starting_with_a_prefix_keeps_the_order_and_honours_the_mark) {
  Journal journal;
  journal.Write("viewer Refresh()");
  journal.Write("dialog message \"a\"");
  journal.Write("viewerish line");
  const size_t mark = journal.Mark();
  journal.Write("viewer Top = 0");
  journal.Write("  viewer indented");
  journal.Write("Viewer capitalised");
  EXPECT_THAT(journal.StartingWith("viewer "), ElementsAre("viewer Refresh()", "viewer Top = 0"));
  EXPECT_THAT(journal.StartingWith("viewer ", mark), ElementsAre("viewer Top = 0"));
  EXPECT_THAT(journal.StartingWith("dialog ", mark), IsEmpty());
  EXPECT_THAT(journal.StartingWith("", mark),
              ElementsAre("viewer Top = 0", "  viewer indented", "Viewer capitalised"));
  EXPECT_THAT(journal.StartingWith("viewer ", 100), IsEmpty());
}

}  // namespace
}  // namespace nimbo::standalone::testing
