// The application and its documents: the active document, closing, the document's
// events, the view, system variables, the Map application and the running-object lookup.
#include "host/map.h"
#include "standalone/cad/running_objects.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MemoryDocuments : public MemoryHostTest {};

// Records the events it receives; can act from inside them.
class RecordingSink : public host::DocumentEvents {
 public:
  void BeginDocClose(automation::VBool& cancel) override {
    events.push_back("BeginDocClose");
    if (setCancel) cancel = automation::VBool::From(true);
    if (onEvent) onEvent();
  }
  void EndCommand(const std::string& commandName) override {
    events.push_back("EndCommand " + commandName);
    if (onEvent) onEvent();
  }
  std::vector<std::string> events;
  bool setCancel = false;
  std::function<void()> onEvent;
};

TEST_F(MemoryDocuments, the_active_document_is_the_one_made_active_or_none) {
  app->AddDocument("Other");
  EXPECT_EQ(app->ActiveDocument()->Name(), "Site");
  app->Activate("Other");
  EXPECT_EQ(app->ActiveDocument()->Name(), "Other");
  app->Activate(std::nullopt);
  EXPECT_EQ(app->ActiveDocument(), nullptr);
  EXPECT_THROW(app->Activate("Nope"), SetupError);
  EXPECT_THROW(app->AddDocument("Site"), SetupError);
}

TEST_F(MemoryDocuments, a_document_answers_its_application) {
  EXPECT_EQ(doc->Application(), app);
}

TEST_F(MemoryDocuments, closing_raises_begin_doc_close_then_the_next_open_document_is_active) {
  app->AddDocument("Second");
  app->AddDocument("Third");
  RecordingSink sink;
  doc->Advise(&sink);
  EXPECT_FALSE(app->CloseDocument("Site"));
  EXPECT_THAT(sink.events, ElementsAre("BeginDocClose"));
  EXPECT_EQ(app->ActiveDocumentName(), "Second");
  app->Activate("Third");
  app->CloseDocument("Third");  // the last one: the one before becomes active
  EXPECT_EQ(app->ActiveDocumentName(), "Second");
  app->CloseDocument("Second");
  EXPECT_EQ(app->ActiveDocument(), nullptr);
  EXPECT_TRUE(app->OpenDrawings().empty());
}

TEST_F(MemoryDocuments, a_sinks_cancel_is_reported_but_the_document_closes) {
  RecordingSink sink;
  sink.setCancel = true;
  doc->Advise(&sink);
  EXPECT_TRUE(app->CloseDocument("Site"));
  EXPECT_EQ(app->FindDrawing("Site"), nullptr);
}

TEST_F(MemoryDocuments, a_closed_document_and_everything_reached_through_it_answer_disconnected) {
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
  auto model = doc->ModelSpace();
  auto entity = model->Item(0);
  auto color = entity->TrueColor();
  auto layer = doc->Layers()->Item(0);
  auto set = doc->SelectionSets()->Add("Vesk");
  auto utility = doc->Utility();
  auto project = std::dynamic_pointer_cast<host::MapApplication>(
                     app->GetInterfaceObject("AutoCADMap.Application"))
                     ->Project(doc);
  app->CloseDocument("Site");
  const std::vector<std::function<void()>> calls = {
      [&] { doc->Name(); },
      [&] { doc->GetVariable("VIEWSIZE"); },
      [&] { doc->ModelSpace(); },
      [&] { model->Count(); },
      [&] {
        model->AddPoint({0, 0, 0});
      },
      [&] { entity->Layer(); },
      [&] { entity->Delete(); },
      [&] { color->ColorMethod(); },
      [&] { layer->Name(); },
      [&] { set->Count(); },
      [&] { utility->GetPoint(std::nullopt, std::nullopt); },
      [&] { project->ODTables(); },
  };
  for (const auto& call : calls) {
    auto error = ErrorOf(call);
    EXPECT_EQ(error.number(), -2147417848);
    EXPECT_EQ(error.description(), "The object invoked has disconnected from its clients.");
  }
  // The closed drawing is no longer among the open ones; its data is not touched.
  EXPECT_EQ(app->FindDrawing("Site"), nullptr);
  EXPECT_EQ(site.EntityCount(Space::Model()), 1u);
}

TEST_F(MemoryDocuments, a_sink_that_unadvises_another_during_the_event_is_safe) {
  RecordingSink first;
  RecordingSink second;
  int32_t secondCookie = 0;
  first.onEvent = [&] { doc->Unadvise(secondCookie); };
  doc->Advise(&first);
  secondCookie = doc->Advise(&second);
  app->RunCommand("Site", "PAN");
  EXPECT_THAT(first.events, ElementsAre("EndCommand PAN"));
  EXPECT_TRUE(second.events.empty());
}

TEST_F(MemoryDocuments,
       a_sink_that_unadvises_itself_or_closes_the_document_during_the_event_is_safe) {
  RecordingSink first;
  RecordingSink second;
  int32_t firstCookie = doc->Advise(&first);
  first.onEvent = [&] { doc->Unadvise(firstCookie); };
  doc->Advise(&second);
  second.onEvent = [&] { app->CloseDocument("Site"); };
  app->RunCommand("Site", "ZOOM");
  EXPECT_THAT(first.events, ElementsAre("EndCommand ZOOM"));
  EXPECT_THAT(second.events, ElementsAre("EndCommand ZOOM", "BeginDocClose"));
  EXPECT_EQ(app->FindDrawing("Site"), nullptr);
}

TEST_F(MemoryDocuments, unadvise_with_an_unknown_cookie_is_a_clear_error) {
  auto error = ErrorOf([&] { doc->Unadvise(42); });
  EXPECT_EQ(error.number(), host_error::kNoConnection);
  EXPECT_THAT(error.description(), HasSubstr("42"));
}

TEST_F(MemoryDocuments, a_command_changes_the_view_first_then_raises_end_command) {
  RecordingSink sink;
  Point3 seen;
  sink.onEvent = [&] {
    const auto values = doc->GetVariable("VIEWCTR").AsDoubleArray().values;
    seen = {values[0], values[1], values[2]};
  };
  doc->Advise(&sink);
  app->RunCommand("Site", "PAN", spatial::Vec2{10, 20});
  EXPECT_THAT(sink.events, ElementsAre("EndCommand PAN"));
  EXPECT_EQ(seen, (Point3{10, 20, 0}));
  EXPECT_EQ(site.ViewSize(), 100);
  app->RunCommand("Site", "ZOOM", std::nullopt, 250.0);
  EXPECT_EQ(site.ViewCenter(), (Point3{10, 20, 0}));
  EXPECT_EQ(site.ViewSize(), 250);
  EXPECT_TRUE(journal.Lines().empty());  // the person's doing, not the control's
}

TEST_F(MemoryDocuments, zoom_center_moves_the_active_documents_view_and_journals_it) {
  app->ZoomCenter({10, 20, 0}, 100);
  EXPECT_EQ(doc->GetVariable("VIEWCTR"),
            automation::Variant(automation::DoubleArray{0, {10, 20, 0}}));
  EXPECT_EQ(doc->GetVariable("VIEWSIZE"), automation::Variant(100.0));
  EXPECT_THAT(journal.Lines(), ElementsAre("drawing Site view centre (10, 20) size 100"));
  app->Activate(std::nullopt);
  EXPECT_EQ(ErrorOf([&] { app->ZoomCenter({0, 0, 0}, 1); }).number(), host_error::kNoDocument);
}

TEST_F(MemoryDocuments, system_variables_start_at_the_defaults_and_take_16_bit_integers) {
  EXPECT_EQ(doc->GetVariable("PDMODE"), automation::Variant(int16_t{0}));
  EXPECT_EQ(doc->GetVariable("pdsize"), automation::Variant(int16_t{0}));
  EXPECT_EQ(doc->GetVariable("VIEWSIZE"), automation::Variant(100.0));
  doc->SetVariable("PDMODE", int16_t{2});
  doc->SetVariable("PDSIZE", int32_t{0});
  EXPECT_EQ(doc->GetVariable("PDMODE"), automation::Variant(int16_t{2}));
  EXPECT_EQ(doc->GetVariable("PDSIZE").Type(), automation::VarType::Integer);
  EXPECT_THAT(journal.Lines(),
              ElementsAre("drawing Site variable PDMODE = 2", "drawing Site variable PDSIZE = 0"));
}

TEST_F(MemoryDocuments, unknown_and_read_only_variables_are_clear_errors) {
  auto unknown = ErrorOf([&] { doc->GetVariable("NOSUCH"); });
  EXPECT_EQ(unknown.number(), host_error::kInvalidInput);
  EXPECT_THAT(unknown.description(), HasSubstr("\"NOSUCH\""));
  auto readOnly = ErrorOf([&] {
    doc->SetVariable("VIEWCTR", automation::DoubleArray{0, {1, 2, 0}});
  });
  EXPECT_THAT(readOnly.description(), HasSubstr("VIEWCTR is read-only"));
  EXPECT_EQ(ErrorOf([&] { doc->SetVariable("PDMODE", "two"); }).number(),
            automation::errors::kTypeMismatch);
}

TEST_F(MemoryDocuments, setup_of_view_variables_and_current_layer_reads_back) {
  site.SetView(5, 6, 70);
  site.SetCurrentLayer("Notes");
  site.DefineVariable("LUNITS", int16_t{2}, VariableType::Integer);
  EXPECT_EQ(site.ViewCenter(), (Point3{5, 6, 0}));
  EXPECT_EQ(site.ViewSize(), 70);
  EXPECT_EQ(site.CurrentLayer(), "Notes");
  std::vector<std::string> names;
  for (const Variable& v : site.Variables()) names.push_back(v.name);
  EXPECT_THAT(names, ElementsAre("VIEWCTR", "VIEWSIZE", "PDMODE", "PDSIZE", "LUNITS"));
  EXPECT_EQ(doc->GetVariable("lunits"), automation::Variant(int16_t{2}));
  EXPECT_TRUE(journal.Lines().empty());
}

TEST_F(MemoryDocuments, the_map_application_answers_while_it_is_available) {
  EXPECT_NE(std::dynamic_pointer_cast<host::MapApplication>(
                app->GetInterfaceObject("AutoCADMap.Application")),
            nullptr);
  app->SetMapAvailable(false);
  auto error = ErrorOf([&] { app->GetInterfaceObject("AutoCADMap.Application"); });
  EXPECT_EQ(error.number(), host_error::kCannotLoadApplication);
  EXPECT_THAT(error.description(), HasSubstr("\"AutoCADMap.Application\""));
  app->SetMapAvailable(true);
  EXPECT_EQ(ErrorOf([&] { app->GetInterfaceObject("Other.Application"); }).number(),
            host_error::kCannotLoadApplication);
}

TEST_F(MemoryDocuments, running_objects_answer_the_application_only_while_it_runs) {
  MemoryRunningObjects running(app, faults);
  EXPECT_EQ(running.GetActiveObject("AutoCAD.Application.17"), app);
  auto other = ErrorOf([&] { running.GetActiveObject("AutoCAD.Application.18"); });
  EXPECT_EQ(other.number(), 429);
  running.SetRunning(false);
  auto error = ErrorOf([&] { running.GetActiveObject("AutoCAD.Application.17"); });
  EXPECT_EQ(error.number(), 429);
  EXPECT_EQ(error.description(), "ActiveX component can't create object");
}

}  // namespace
}  // namespace nimbo::standalone::testing
