// The simulated viewer's dispatch: argument checks, journal lines, by-reference write-back,
// planned faults and the state that the getters answer from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/variant.h"
#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {
namespace {

using automation::AutomationError;
using automation::Variant;
using automation::VBool;

class SimulatedViewerTest : public ::testing::Test {
 protected:
  // Raises and answers the error's number; fails the test when nothing was raised.
  int32_t ErrorOf(int32_t dispid, std::vector<Variant> arguments) {
    try {
      control.Invoke(dispid, arguments);
    } catch (const AutomationError& error) {
      return error.number();
    }
    ADD_FAILURE() << "no error raised";
    return 0;
  }

  Journal journal;
  FaultPlan faults;
  SimulatedViewer control{journal, faults};
  host::Viewer viewer{control, automation::Locale::EnUs()};
};

TEST_F(SimulatedViewerTest, journals_by_reference_arguments_results_booleans_strings_and_numbers) {
  ViewerStatePatch patch;
  patch.views[2].total = std::array<double, 8>{100, 200, 300, 400, 0.0001, 1e-05, 1.5e20, -999};
  patch.views[3].active = true;
  patch.showVisibleExtent = true;
  control.ApplyState(patch);

  int32_t two = 2;
  EXPECT_EQ(viewer.TotalCorner(0, two), 100);
  EXPECT_EQ(viewer.TotalCorner(4, two), 0.0001);
  EXPECT_EQ(viewer.TotalCorner(5, two), 1e-05);
  EXPECT_EQ(viewer.TotalCorner(6, two), 1.5e20);
  EXPECT_TRUE(viewer.IsViewActive(3));
  EXPECT_FALSE(viewer.ShowTotalExtent());
  EXPECT_TRUE(viewer.ShowVisibleExtent());
  EXPECT_EQ(viewer.GetViewMode(1), "MOSAIC");
  viewer.SetClientInfo("VeskNIMBO \"plug-in\"", "2.5.2");
  int32_t red = 255, green = 0, blue = 0, width = 10;
  viewer.SetFeatureStyle(red, green, blue, width);
  EXPECT_TRUE(viewer.CenterOnPoint(2122.5, -3, 30.0));

  const std::vector<std::string> expected = {
      "viewer TotalULx(&2) -> 100",
      "viewer TotalLLx(&2) -> 0.0001",
      "viewer TotalLLy(&2) -> 1e-05",
      "viewer TotalLRx(&2) -> 1.5e+20",
      "viewer IsViewActive(3) -> True",
      "viewer ShowTotalExtent() -> False",
      "viewer ShowVisibleExtent() -> True",
      "viewer GetViewMode(1) -> \"MOSAIC\"",
      "viewer SetClientInfo(\"VeskNIMBO \\\"plug-in\\\"\", \"2.5.2\")",
      "viewer SetFeatureStyle(&255, &0, &0, 255, \"Flat\", 0, \"Solid\", \"Flat\", \"Flat\", "
      "\"Miter\", &10)",
      "viewer CenterOnPoint(2122.5, -3, 30) -> True",
  };
  EXPECT_EQ(journal.Lines(), expected);
  ASSERT_TRUE(control.Model().ClientInfo().has_value());
  EXPECT_EQ((*control.Model().ClientInfo())[0], "VeskNIMBO \"plug-in\"");
}

TEST_F(SimulatedViewerTest, writes_by_reference_arguments_back_to_the_callers_variables) {
  // A viewer that corrects the view index it was given, as its marshalling would return it.
  control.SetCallHook([](const host::ViewerOperation& op, std::span<Variant> values) {
    if (op.name == "IsMapSyncView") values[0] = Variant(int32_t{4});
  });
  ViewerStatePatch patch;
  patch.views[4].mapSync = true;
  control.ApplyState(patch);

  int32_t viewIndex = 9;  // out of range, but the hook runs before the model looks at it
  EXPECT_TRUE(viewer.IsMapSyncView(viewIndex));
  EXPECT_EQ(viewIndex, 4);
  EXPECT_EQ(journal.Lines().back(), "viewer IsMapSyncView(&9) -> True");

  // A by-value argument is never written back.
  std::vector<Variant> byValue = {Variant(int32_t{9})};
  control.SetCallHook([](const host::ViewerOperation&, std::span<Variant> values) {
    values[0] = Variant(int32_t{1});
  });
  control.Invoke(host::dispid::kIsViewActive, byValue);
  EXPECT_EQ(byValue[0], Variant(int32_t{9}));
  // The whole-Variant reference gets the converted value, in the parameter's type.
  Variant holder(int32_t{5});
  std::vector<Variant> byRef = {Variant::Ref(holder)};
  control.Invoke(host::dispid::kGetOverlayLayerCount, byRef);
  EXPECT_EQ(holder, Variant(int32_t{1}));
}

TEST_F(SimulatedViewerTest,
       refuses_wrong_counts_types_indexes_and_dispids_like_a_dispatch_interface) {
  EXPECT_EQ(ErrorOf(host::dispid::kGetViewMode, {}), 5);
  EXPECT_EQ(ErrorOf(host::dispid::kGetViewMode, {Variant("two")}), 13);
  EXPECT_EQ(ErrorOf(host::dispid::kGetViewMode, {Variant(automation::Null{})}), 13);
  EXPECT_EQ(ErrorOf(host::dispid::kGetViewMode, {Variant(1e12)}), 6);
  double notALong = 2;
  EXPECT_EQ(ErrorOf(host::dispid::kTotalULx, {Variant::Ref(notALong)}), 13);
  EXPECT_EQ(ErrorOf(host::dispid::kGetViewMode, {Variant(int32_t{0})}), 5);
  EXPECT_EQ(ErrorOf(host::dispid::kIsViewActive, {Variant(int32_t{6})}), 5);
  EXPECT_EQ(ErrorOf(31, {}), 438);

  const std::vector<std::string> expected = {
      "viewer GetViewMode() -> error 5 \"Invalid procedure call or argument\"",
      "viewer GetViewMode(\"two\") -> error 13 \"Type mismatch\"",
      "viewer GetViewMode(Null) -> error 13 \"Type mismatch\"",
      "viewer GetViewMode(1000000000000) -> error 6 \"Overflow\"",
      "viewer TotalULx(&2) -> error 13 \"Type mismatch\"",
      "viewer GetViewMode(0) -> error 5 \"Invalid procedure call or argument\"",
      "viewer IsViewActive(6) -> error 5 \"Invalid procedure call or argument\"",
      "viewer DISPID 31() -> error 438 \"Object doesn't support this property or method\"",
  };
  EXPECT_EQ(journal.Lines(), expected);
  // A convertible value is taken in the parameter's type.
  EXPECT_EQ(viewer.GetViewMode(1), "MOSAIC");
  std::vector<Variant> text = {Variant("3")};
  EXPECT_EQ(control.Invoke(host::dispid::kGetViewMode, text), Variant("MOSAIC"));
  // Calls refused for their arguments' count or types never reach the fault plan; those
  // refused by the viewer itself (the two bad view indexes) and the two good ones do.
  EXPECT_EQ(faults.CallCount(), 4);
}

TEST_F(SimulatedViewerTest, fails_an_operation_after_and_times_as_planned) {
  faults.Add("viewer.RefreshOverlays", -2147467259, "Unspecified error", 1, 2);
  viewer.RefreshOverlays(1);
  EXPECT_THROW(viewer.RefreshOverlays(2), AutomationError);
  viewer.RefreshDiscreteOverlays(2);  // another operation is not affected
  try {
    viewer.RefreshOverlays(3);
    ADD_FAILURE() << "the second planned failure did not happen";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.number(), -2147467259);
    EXPECT_EQ(error.description(), "Unspecified error");
    EXPECT_EQ(error.source(), "viewer.RefreshOverlays");
  }
  viewer.RefreshOverlays(4);

  const std::vector<std::string> expected = {
      "viewer RefreshOverlays(1)",
      "viewer RefreshOverlays(2) -> error -2147467259 \"Unspecified error\"",
      "viewer RefreshDiscreteOverlays(2)",
      "viewer RefreshOverlays(3) -> error -2147467259 \"Unspecified error\"",
      "viewer RefreshOverlays(4)",
  };
  EXPECT_EQ(journal.Lines(), expected);
  // A failed call did nothing.
  EXPECT_EQ(control.Model().View(1).refreshCount, 1);
  EXPECT_EQ(control.Model().View(2).refreshCount, 0);
  EXPECT_EQ(control.Model().View(2).discreteRefreshCount, 1);
  EXPECT_EQ(control.Model().View(3).refreshCount, 0);
  EXPECT_EQ(control.Model().View(4).refreshCount, 1);
  EXPECT_EQ(control.CallCount("RefreshOverlays"), 4);
}

TEST_F(SimulatedViewerTest, merges_state_changes_view_by_view_and_key_by_key) {
  ViewerStatePatch first;
  first.views[2].active = true;
  first.views[2].mode = "DISCRETE";
  first.views[2].visible = std::array<double, 8>{1, 2, 3, 4, 5, 6, 7, 8};
  first.mapFollowsViewer = true;
  first.centerOnPoint = false;
  control.ApplyState(first);
  ViewerStatePatch second;
  second.views[2].mapSync = true;
  second.views[5].active = true;
  second.viewerFollowsMap = true;
  control.ApplyState(second);

  int32_t two = 2;
  EXPECT_TRUE(viewer.IsViewActive(2));
  EXPECT_EQ(viewer.GetViewMode(2), "DISCRETE");
  EXPECT_TRUE(viewer.IsMapSyncView(two));
  for (int corner = 0; corner < 8; ++corner) {
    EXPECT_EQ(viewer.VisibleCorner(corner, two), corner + 1);
    EXPECT_EQ(viewer.TotalCorner(corner, two), 0);
  }
  EXPECT_TRUE(viewer.IsViewActive(5));
  EXPECT_FALSE(viewer.IsViewActive(1));
  EXPECT_TRUE(viewer.MapFollowsViewer());
  EXPECT_TRUE(viewer.ViewerFollowsMap());
  EXPECT_FALSE(viewer.CenterOnPoint(5, 6, 30.0));
  ASSERT_TRUE(control.Model().LastCenterRequest().has_value());
  EXPECT_EQ(control.Model().LastCenterRequest()->scale, 30.0);
  double x = 7.25, y = -1;
  viewer.SearchImageAtPointByRef(x, y);
  EXPECT_EQ(control.Model().LastSearchPoint(), (ViewerVertex{7.25, -1}));
  EXPECT_EQ(journal.Lines().back(), "viewer SearchImageAtPoint(&7.25, &-1)");

  ViewerStatePatch bad;
  bad.views[6].active = true;
  EXPECT_THROW(control.ApplyState(bad), std::invalid_argument);
}

TEST_F(SimulatedViewerTest, keeps_the_table_info_list_until_cleared) {
  viewer.AddTableInfo("Parcels");
  viewer.AddTableInfo("Roads");
  EXPECT_EQ(control.Model().TableInfo(), (std::vector<std::string>{"Parcels", "Roads"}));
  viewer.ClearTableInfo();
  viewer.AddTableInfo("Trees");
  EXPECT_EQ(control.Model().TableInfo(), (std::vector<std::string>{"Trees"}));
  EXPECT_EQ(journal.Lines()[2], "viewer ClearTableInfo()");
}

}  // namespace
}  // namespace nimbo::standalone
