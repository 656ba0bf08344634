// AddLayer, FindLayer, DeleteAll and DeleteLayer on the in-memory drawing, called through
// the control's published interface as a script calls them.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "automation/error.h"
#include "support/embedded_control.h"

namespace nimbo::sync {
namespace {

using standalone::EntityData;
using standalone::EntityKind;
using standalone::LayerData;
using standalone::Space;
using testing::Lines;

EntityData PointOn(std::string layer, double x = 0) {
  EntityData e;
  e.kind = EntityKind::Point;
  e.at = {x, 0, 0};
  e.layer = std::move(layer);
  return e;
}

class LayerService : public ::testing::Test {
 protected:
  LayerService() { palette.ShowWithDrawing(); }

  shell::DockControl& Control() { return *palette.control; }
  int32_t ColorIndexOf(const std::string& name) {
    const LayerData* layer = palette.LayerNamed(name);
    return layer != nullptr ? layer->color.index : -1;
  }

  // The error a call raises; fails the test when it raises none.
  template <class Call>
  automation::AutomationError ErrorOf(Call call) {
    try {
      call();
    } catch (const automation::AutomationError& error) {
      return error;
    }
    ADD_FAILURE() << "no error raised";
    return automation::AutomationError(0, "");
  }

  testing::EmbeddedControl palette{testing::PaletteOptions()};
};

TEST_F(LayerService, add_layer_colours_only_the_exact_display_layer_names) {
  for (std::string name : {"VeskNimBoVisibleExtent", "VeskNimBoTotalExtent",
                           "VeskNimBoSelectedPoint", "Walls", "vesknimbovisibleextent_x"}) {
    Control().AddLayer(name);
  }
  EXPECT_EQ(ColorIndexOf("VeskNimBoVisibleExtent"), 1);
  EXPECT_EQ(ColorIndexOf("VeskNimBoTotalExtent"), 5);
  EXPECT_EQ(ColorIndexOf("VeskNimBoSelectedPoint"), 1);
  EXPECT_EQ(ColorIndexOf("Walls"), 7);  // as the host made it

  // In another drawing, the display name in lower case gets a layer but no colour.
  palette.application->AddDocument("Other.dwg");
  palette.State().activeDoc = palette.application->DocumentObject("Other.dwg");
  palette.Mark();
  std::string lower = "vesknimbototalextent";
  Control().AddLayer(lower);
  EXPECT_EQ(palette.SinceMark(),
            (Lines{R"(drawing Other.dwg layer added "vesknimbototalextent")"}));
}

TEST_F(LayerService, find_layer_upper_cases_both_names_and_answers_null_for_an_absent_one) {
  palette.drawing->PutLayer(LayerData{.name = "VeskNimBoTotalExtent"});
  palette.drawing->PutLayer(LayerData{.name = "Straße"});

  std::string lower = "vesknimbototalextent";
  host::LayerRef found = Control().FindLayer(lower);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Name(), "VeskNimBoTotalExtent");
  EXPECT_EQ(lower, "vesknimbototalextent");  // the argument is not written

  std::string absent = "VeskNimBoSelectedPoint";
  EXPECT_EQ(Control().FindLayer(absent), nullptr);
  std::string upper = "STRAßE";
  EXPECT_NE(Control().FindLayer(upper), nullptr);
}

TEST_F(LayerService, delete_all_erases_only_model_space_entities_of_the_layer_in_any_case) {
  palette.drawing->AddEntity(Space::Model(), PointOn("Roads", 1));
  palette.drawing->AddEntity(Space::Model(), PointOn("Walls", 2));
  palette.drawing->AddEntity(Space::Model(), PointOn("Roads", 3));
  palette.drawing->AddEntity(Space::Paper(), PointOn("Roads", 4));

  std::string name = "ROADS";
  Control().DeleteAll(name);
  EXPECT_TRUE(palette.EntitiesOn("Roads").empty());
  EXPECT_EQ(palette.EntitiesOn("Walls").size(), 1u);
  EXPECT_EQ(palette.EntitiesOn("Roads", Space::Paper()).size(), 1u);
  ASSERT_NE(palette.LayerNamed("Roads"), nullptr);  // the layer itself stays

  palette.Mark();
  std::string unused = "Nobody";
  EXPECT_NO_THROW(Control().DeleteAll(unused));
  // Only the temporary set's own lines: added, selected nothing, deleted.
  const Lines changes = palette.ViewerCallsSinceMark("drawing ");
  ASSERT_EQ(changes.size(), 3u);
  for (const std::string& line : changes) {
    EXPECT_NE(line.find(" selection set "), std::string::npos) << line;
    EXPECT_NE(line.find(R"("VeskDeleteAll12/7/2026 10:15:30 AM")"), std::string::npos) << line;
  }
  EXPECT_TRUE(palette.drawing->SelectionSetNames().empty());
}

TEST_F(LayerService, delete_layer_empties_the_layer_then_deletes_it_and_ignores_an_absent_one) {
  palette.drawing->PutLayer(LayerData{.name = "VeskNimBoTotalExtent"});
  palette.drawing->AddEntity(Space::Model(), PointOn("VeskNimBoTotalExtent"));

  // An absent layer does not even look for its entities.
  palette.faults.Add("drawing.SelectionSets.Add", -2147467259, "Automation error");
  std::string absent = "Gone";
  EXPECT_NO_THROW(Control().DeleteLayer(absent));
  palette.faults.Clear();

  std::string name = "vesknimbototalextent";
  palette.Mark();
  Control().DeleteLayer(name);
  EXPECT_EQ(palette.LayerNamed("VeskNimBoTotalExtent"), nullptr);
  EXPECT_TRUE(palette.EntitiesOn("VeskNimBoTotalExtent").empty());
  Lines changes = palette.ViewerCallsSinceMark("drawing ");
  std::erase_if(changes, [](const std::string& line) {
    return line.find(" selection set ") != std::string::npos;
  });
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_NE(changes[0].find("deleted"), std::string::npos);  // the entity first
  EXPECT_EQ(changes[1], R"(drawing Survey.dwg layer "VeskNimBoTotalExtent" deleted)");
}

TEST_F(LayerService, without_any_drawing_every_operation_does_nothing) {
  palette.application->Activate(std::nullopt);
  palette.State().activeDoc = nullptr;
  palette.Mark();
  std::string name = "VeskNimBoTotalExtent";
  EXPECT_NO_THROW(Control().AddLayer(name));
  EXPECT_EQ(Control().FindLayer(name), nullptr);
  EXPECT_NO_THROW(Control().DeleteAll(name));
  EXPECT_NO_THROW(Control().DeleteLayer(name));
  EXPECT_TRUE(palette.SinceMark().empty());
  EXPECT_EQ(palette.State().activeDoc, nullptr);

  // Once a drawing is active, the next call binds it and keeps it.
  palette.application->Activate(palette.drawingName);
  Control().AddLayer(name);
  EXPECT_NE(palette.State().activeDoc, nullptr);
  EXPECT_EQ(palette.LayerNamed(name)->color.index, 5);
}

TEST_F(LayerService, host_errors_keep_number_and_description_and_take_the_operations_name) {
  palette.drawing->PutLayer(LayerData{.name = "Roads"});
  palette.drawing->AddEntity(Space::Model(), PointOn("Roads"));
  std::string name = "Roads";
  struct Case {
    const char* target;
    const char* source;
    std::function<void()> call;
  };
  const std::vector<Case> cases = {
      {"drawing.Layers.Add", "AddLayer", [&] { Control().AddLayer(name); }},
      {"drawing.Layer.Name", "FindLayer", [&] { Control().FindLayer(name); }},
      {"drawing.SelectionSet.Select", "DeleteAll", [&] { Control().DeleteAll(name); }},
      {"drawing.Entity.Delete", "DeleteAll", [&] { Control().DeleteAll(name); }},
      // DeleteAll fails inside DeleteLayer: the outer name counts.
      {"drawing.SelectionSet.Select", "DeleteLayer", [&] { Control().DeleteLayer(name); }},
      {"drawing.Layer.Delete", "DeleteLayer", [&] { Control().DeleteLayer(name); }},
  };
  for (const Case& c : cases) {
    palette.faults.Clear();
    palette.faults.Add(c.target, -2147467259, "Automation error");
    const automation::AutomationError error = ErrorOf(c.call);
    EXPECT_EQ(error.number(), -2147467259) << c.target;
    EXPECT_EQ(error.description(), "Automation error") << c.target;
    EXPECT_EQ(error.source(), c.source) << c.target;
    EXPECT_TRUE(palette.drawing->SelectionSetNames().empty()) << c.target;
  }
  // The last refusal came after the layer's entities were erased: they stay erased.
  EXPECT_TRUE(palette.EntitiesOn("Roads").empty());
  EXPECT_NE(palette.LayerNamed("Roads"), nullptr);
}

TEST_F(LayerService, finds_and_deletes_layers_beyond_32767_in_a_drawing_of_40000_layers) {
  constexpr int kLayers = 40000;
  for (int i = 1; i < kLayers; ++i) {
    palette.drawing->PutLayer(LayerData{.name = "L" + std::to_string(i)});
  }
  palette.drawing->AddEntity(Space::Model(), PointOn("L39999"));
  ASSERT_EQ(palette.drawing->Layers().size(), static_cast<size_t>(kLayers));  // with "0"

  const auto start = std::chrono::steady_clock::now();
  std::string last = "l39999";
  host::LayerRef found = Control().FindLayer(last);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Name(), "L39999");
  Control().DeleteLayer(last);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(palette.LayerNamed("L39999"), nullptr);
  EXPECT_TRUE(palette.EntitiesOn("L39999").empty());
  EXPECT_EQ(palette.drawing->Layers().size(), static_cast<size_t>(kLayers - 1));
  // Two passes over the table; generous for a sanitizer build.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
}

}  // namespace
}  // namespace nimbo::sync
