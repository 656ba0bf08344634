// The viewer's operation table checked against the viewer's published contract, row by
// row: DISPID, name, argument order, types, passing and result. The rows are copied from
// the contract document, not from the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {
namespace {

using automation::Variant;
using automation::VarType;
using host::Passing;

struct Param {
  VarType type;
  Passing passing;
};
struct Row {
  int32_t dispid;
  std::string name;
  std::vector<Param> parameters;
  VarType result;
};

constexpr Passing V = Passing::ByValue;
constexpr Passing R = Passing::ByReference;
constexpr Passing E = Passing::EitherWay;
constexpr VarType L = VarType::Long;
constexpr VarType D = VarType::Double;
constexpr VarType S = VarType::String;
constexpr VarType B = VarType::Boolean;
constexpr VarType None = VarType::Empty;

// red, green, blue by reference, 255, "Flat", 0, "Solid", "Flat", "Flat", "Miter",
// width by reference.
std::vector<Param> Pen() {
  return {{L, R}, {L, R}, {L, R}, {L, V}, {S, V}, {L, V}, {S, V}, {S, V}, {S, V}, {S, V}, {L, R}};
}

std::vector<Row> ContractRows() {
  std::vector<Row> rows = {
      {9, "SetClientInfo", {{S, V}, {S, V}}, None},
      {10, "GetViewMode", {{L, V}}, S},
  };
  const char* corners[] = {"ULx", "ULy", "URx", "URy", "LLx", "LLy", "LRx", "LRy"};
  for (int i = 0; i < 8; ++i)
    rows.push_back({11 + i, std::string("Total") + corners[i], {{L, R}}, D});
  for (int i = 0; i < 8; ++i) {
    rows.push_back({19 + i, std::string("Visible") + corners[i], {{L, R}}, D});
  }
  std::vector<Param> layerStyle = {{S, V}, {L, R}, {B, V}};
  for (const Param& p : Pen()) layerStyle.push_back(p);
  std::vector<Row> rest = {
      {27, "IsViewActive", {{L, V}}, B},
      {28, "IsMapSyncView", {{L, R}}, B},
      {29, "RegisterOverlayLayer", {{S, V}, {L, R}, {B, R}, {B, V}, {B, V}}, None},
      {30, "RemoveOverlayLayer", {{S, R}, {L, R}, {B, V}}, None},
      {32, "ResetOverlays", {{L, V}, {B, V}, {B, V}, {B, V}}, None},
      {33, "GetOverlayLayerCount", {{L, R}}, L},
      {34, "GetOverlayLayerName", {{L, R}, {L, R}}, S},
      {35, "ActivateOverlayMosaic", {{S, V}, {L, V}, {B, V}}, None},
      {40, "ActivateOverlayDiscrete", {{S, V}, {L, V}, {B, V}}, None},
      {41, "BeginFeature", {}, None},
      // Polyline vertices go by reference, line ends and points by value.
      {42, "AddVertex", {{D, E}, {D, E}}, None},
      {44, "AddPointFeature", {{S, R}, {L, R}, {B, V}, {B, R}}, None},
      {48, "AddLineFeature", {{S, R}, {L, R}, {B, V}, {B, R}}, None},
      {55, "ClearOverlayLayer", {{S, V}, {L, R}, {B, V}}, None},
      {66, "SetFeatureStyle", Pen(), None},
      {68, "PrepareLayerStepOne", {{S, V}, {L, V}, {B, V}}, None},
      {72, "PrepareLayerStepThree", {{S, V}, {L, V}, {B, V}}, None},
      {76, "PrepareLayerStepTwo", {{S, V}, {L, V}, {B, V}}, None},
      {77, "SetOverlayLayerStyle", layerStyle, None},
      {79, "RefreshDiscreteOverlays", {{L, V}}, None},
      {80, "RefreshOverlays", {{L, V}}, None},
      {82, "ShowTotalExtent", {}, B},
      {83, "ShowVisibleExtent", {}, B},
      {84, "ViewerFollowsMap", {}, B},
      {85, "MapFollowsViewer", {}, B},
      // The button's pick goes by reference, the drawing's view centre by value.
      {87, "SearchImageAtPoint", {{D, E}, {D, E}}, None},
      {88, "CenterOnPoint", {{D, V}, {D, V}, {D, V}}, B},
      {90, "AddTableInfo", {{S, V}}, None},
      {91, "ClearTableInfo", {}, None},
  };
  rows.insert(rows.end(), rest.begin(), rest.end());
  return rows;
}

TEST(viewer_operation_table, matches_the_contract_row_by_row) {
  const auto rows = ContractRows();
  const auto& table = host::ViewerOperations();
  ASSERT_EQ(table.size(), rows.size());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const host::ViewerOperation* op = host::FindViewerOperation(row.dispid);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->name, row.name);
    EXPECT_EQ(host::FindViewerOperation(row.name), op);
    EXPECT_EQ(op->result, row.result);
    ASSERT_EQ(op->parameters.size(), row.parameters.size());
    for (size_t i = 0; i < row.parameters.size(); ++i) {
      SCOPED_TRACE("argument " + std::to_string(i + 1));
      EXPECT_EQ(op->parameters[i].type, row.parameters[i].type);
      EXPECT_EQ(op->parameters[i].passing, row.parameters[i].passing);
    }
  }
}

// A sample value of a parameter's type, by reference when the parameter must be.
struct Arguments {
  std::vector<int32_t> longs;
  std::vector<double> doubles;
  std::vector<std::string> strings;
  std::vector<automation::VBool> bools;
  std::vector<Variant> values;

  explicit Arguments(const std::vector<Param>& parameters) {
    // Reserved so that the references stay valid.
    longs.reserve(parameters.size());
    doubles.reserve(parameters.size());
    strings.reserve(parameters.size());
    bools.reserve(parameters.size());
    for (const Param& p : parameters) {
      const bool byRef = p.passing == R;
      switch (p.type) {
        case L:
          values.push_back(byRef ? Variant::Ref(longs.emplace_back(1)) : Variant(int32_t{1}));
          break;
        case D:
          values.push_back(byRef ? Variant::Ref(doubles.emplace_back(1.5)) : Variant(1.5));
          break;
        case S:
          values.push_back(byRef ? Variant::Ref(strings.emplace_back("A")) : Variant("A"));
          break;
        default:
          values.push_back(byRef ? Variant::Ref(bools.emplace_back(automation::VBool::From(true)))
                                 : Variant::Bool(true));
          break;
      }
    }
  }
};

TEST(simulated_viewer, performs_every_operation_of_the_contract_and_answers_its_result_type) {
  Journal journal;
  FaultPlan faults;
  SimulatedViewer viewer(journal, faults);
  for (const Row& row : ContractRows()) {
    SCOPED_TRACE(row.name);
    // A feature call needs a begun feature with a vertex; position 1 needs a layer.
    int32_t everyView = 0;
    automation::VBool flag{};
    std::vector<Variant> layer = {Variant("A"), Variant::Ref(everyView), Variant::Ref(flag),
                                  Variant::Bool(false), Variant::Bool(false)};
    viewer.Invoke(host::dispid::kRegisterOverlayLayer, layer);
    std::vector<Variant> none;
    viewer.Invoke(host::dispid::kBeginFeature, none);
    std::vector<Variant> vertex = {Variant(1.0), Variant(2.0)};
    viewer.Invoke(host::dispid::kAddVertex, vertex);

    Arguments arguments(row.parameters);
    Variant result;
    ASSERT_NO_THROW(result = viewer.Invoke(row.dispid, arguments.values));
    EXPECT_EQ(result.Type(), row.result);
    EXPECT_EQ(journal.Lines().back().rfind("viewer " + row.name + "(", 0), 0u)
        << journal.Lines().back();
  }
}

}  // namespace
}  // namespace nimbo::standalone
