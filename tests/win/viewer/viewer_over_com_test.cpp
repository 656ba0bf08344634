// The viewer over real COM: the same calls and events once against the simulated viewer
// itself and once through ComViewerControl -> IDispatch -> the stand-in -> a simulated
// viewer must leave the same journal, line for line; and a failing viewer operation must
// reach the caller with the same number, description and source both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/locale.h"
#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"
#include "win/com/dispatch_object.h"
#include "win/com/process_classes.h"
#include "win/host/com_viewer_control.h"
#include "win/journal_noting.h"
#include "win/standins/nimbo_viewer_standin_ids.h"
#include "win/standins/viewer_standin.h"

namespace nimbo::win {
namespace {

using automation::Variant;
using standalone::TranscriptValue;
using test::Noting;

// Writes each event into the journal, as the transcript shows them.
class JournalingSink : public nimbo::host::ViewerEvents {
 public:
  explicit JournalingSink(standalone::Journal& journal) : journal_(journal) {}
  // A layout "refused" fails the handler, so that its error travels back to the viewer.
  void OnViewerEvent(const nimbo::host::ViewerEvent& event,
                     const std::vector<Variant>& arguments) override {
    std::string line = "event " + std::string(event.name) + "(";
    for (size_t i = 0; i < arguments.size(); ++i) {
      line += (i > 0 ? ", " : "") + TranscriptValue(arguments[i]);
    }
    journal_.Write(line + ")");
    if (event.name == "LayoutChanged" && arguments[0] == Variant("refused")) {
      throw automation::AutomationError(1004, "Layout refused", "vnvEvents_LayoutChanged");
    }
  }

 private:
  standalone::Journal& journal_;
};

// One simulated viewer with its journal and fault plan, in a known state.
struct SimulatedWorld {
  standalone::Journal journal;
  standalone::FaultPlan faults;
  standalone::SimulatedViewer viewer{journal, faults};

  SimulatedWorld() {
    standalone::ViewerStatePatch patch;
    patch.views[2].active = true;
    patch.views[2].mapSync = true;
    patch.views[2].total = std::array<double, 8>{10, 20, 30, 20, 10, 5, 30, 5};
    patch.views[2].visible = std::array<double, 8>{12, 18, 28, 18, 12, 7, 28, 7};
    patch.views[4].active = true;
    patch.views[4].mode = nimbo::host::kDiscreteViewMode;
    patch.showTotalExtent = true;
    patch.mapFollowsViewer = true;
    viewer.ApplyState(patch);
  }
};

// Every kind of argument the control passes (by value and by reference, each type), the
// callee writing into a by-reference argument, failed calls, events with every type of
// argument, an event raised while a call is in progress, and no event after Unadvise.
void DriveViewer(nimbo::host::ViewerControl& control, SimulatedWorld& world) {
  standalone::Journal& journal = world.journal;
  JournalingSink sink(journal);
  const int32_t cookie = control.Advise(&sink);
  nimbo::host::Viewer viewer(control, automation::Locale::EnUs());
  auto note = [&](const std::string& what, const Variant& value) {
    journal.Write("caller " + what + " = " + TranscriptValue(value));
  };

  viewer.SetClientInfo("VeskNIMBO plug-in for Autodesk Map 2007/08/09", "2.5.2");
  for (int32_t view = 1; view <= 5; ++view) {
    if (viewer.IsViewActive(view)) note("mode", viewer.GetViewMode(view));
  }
  int32_t view = 2;
  for (int corner = 0; corner < 8; ++corner) {
    note("total", viewer.TotalCorner(corner, view));
    note("visible", viewer.VisibleCorner(corner, view));
  }
  note("mapSync", Variant::Bool(viewer.IsMapSyncView(view)));
  note("options", Variant::Bool(viewer.ShowTotalExtent() && !viewer.ShowVisibleExtent() &&
                                !viewer.ViewerFollowsMap() && viewer.MapFollowsViewer()));

  automation::VBool flag = automation::VBool::From(true);
  viewer.RegisterOverlayLayer("Roads \xC3\xA9\xE2\x9C\x93", view, flag);
  viewer.RegisterOverlayLayer("Rivers", view, flag);
  int32_t count = viewer.GetOverlayLayerCount(view);
  note("count", count);
  for (int32_t layer = 0; layer < count; ++layer) {
    int32_t index = layer;
    note("name", viewer.GetOverlayLayerName(index, view));
  }
  int32_t red = 255, green = 128, blue = 0, width = 2;
  viewer.SetOverlayLayerStyle("Rivers", view, red, green, blue, width);
  viewer.PrepareLayerStepOne("Rivers");
  viewer.PrepareLayerStepTwo("Rivers");
  viewer.PrepareLayerStepThree("Rivers");
  viewer.SetFeatureStyle(red, green, blue, width);
  viewer.BeginFeature();
  double x = 11.25, y = -3.5;
  viewer.AddVertexByRef(x, y);
  viewer.AddVertex(1e20, 0.1);
  std::string layer = "Rivers";
  automation::VBool byLayer = automation::VBool::From(false);
  viewer.AddLineFeature(layer, view, byLayer);
  viewer.BeginFeature();
  viewer.AddVertex(4, 5);
  viewer.AddPointFeature(layer, view, byLayer);
  viewer.ActivateOverlayMosaic("Rivers", 2);
  viewer.RefreshOverlays(2);
  viewer.ClearOverlayLayer("Roads \xC3\xA9\xE2\x9C\x93", view);
  viewer.RemoveOverlayLayer(layer, view);
  viewer.ResetOverlays();
  viewer.SearchImageAtPointByRef(x, y);
  viewer.SearchImageAtPoint(7, 8);
  note("centred", Variant::Bool(viewer.CenterOnPoint(15, 16, 30.0)));
  viewer.AddTableInfo("Parcels|Height");
  viewer.ClearTableInfo();

  // The viewer changes the caller's variables after answering.
  world.viewer.SetWriteBackHook(
      [](const nimbo::host::ViewerOperation& operation, std::span<Variant> values) {
        if (operation.name == "IsMapSyncView") values[0] = Variant(int32_t{4});
        if (operation.name == "RemoveOverlayLayer") values[0] = Variant("renamed");
      });
  note("mapSync", Variant::Bool(viewer.IsMapSyncView(view)));
  note("view", view);
  viewer.RemoveOverlayLayer(layer, view);
  note("layer", Variant(layer));
  world.viewer.SetWriteBackHook(nullptr);

  // An event raised inside a call reaches the sink before the call returns.
  world.viewer.SetCallHook([&](const nimbo::host::ViewerOperation& operation, std::span<Variant>) {
    if (operation.name == "RefreshOverlays") world.viewer.RaiseEvent("ReloadOverlaysClicked", {});
  });
  viewer.RefreshOverlays(4);
  world.viewer.SetCallHook(nullptr);

  // Failures: a planned one, a view the viewer refuses, an argument of the wrong type.
  world.faults.Add("viewer.GetOverlayLayerCount", 91, "Object variable or With block not set");
  Noting(journal, [&] { viewer.GetOverlayLayerCount(view); });
  Noting(journal, [&] { viewer.GetViewMode(9); });
  std::vector<Variant> wrong = {Variant("two")};
  Noting(journal, [&] { control.Invoke(nimbo::host::dispid::kRefreshOverlays, wrong); });
  std::vector<Variant> unknown = {Variant(int32_t{1})};
  Noting(journal, [&] { control.Invoke(31, unknown); });

  std::array<Variant, 8> corners = {1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5};
  std::vector<Variant> extent(corners.begin(), corners.end());
  extent.insert(extent.end(), {Variant(100.25), Variant(-200.5), Variant(int32_t{2})});
  world.viewer.RaiseEvent("ExtentChanged", extent);
  world.viewer.RaiseEvent("SelectedPointChanged", {Variant(3.0), Variant(4.0)});
  world.viewer.RaiseEvent("ModeChanged", {Variant("DISCRETE"), Variant(int32_t{4})});
  world.viewer.RaiseEvent("OverlaysPermissionChanged", {Variant::Bool(true)});
  world.viewer.RaiseEvent("LayoutChanged", {Variant("2x2")});
  Noting(journal, [&] { world.viewer.RaiseEvent("LayoutChanged", {Variant("refused")}); });
  world.viewer.RaiseEvent("HeightMeasured",
                          {Variant(12.75), Variant("Buildings"), Variant("Height \xE2\x9C\x93")});
  std::vector<Variant> oblique = {Variant("IMG-0042"), Variant(int32_t{4000}),
                                  Variant(int32_t{3000})};
  oblique.insert(oblique.end(), corners.begin(), corners.end());
  oblique.push_back(Variant(int32_t{3}));
  world.viewer.RaiseEvent("ObliqueLoaded", oblique);

  control.Unadvise(cookie);
  world.viewer.RaiseEvent("LayoutChanged", {Variant("1x1")});
  Noting(journal, [&] { control.Unadvise(cookie); });
}

TEST(viewer_over_com, gives_the_journal_of_the_simulated_viewer) {
  SimulatedWorld direct;
  DriveViewer(direct.viewer, direct);

  SimulatedWorld overCom;
  {
    standins::ViewerStandin standin(overCom.viewer);
    std::unique_ptr<host::ComViewerControl> control = host::ComViewerControl::Create();
    DriveViewer(*control, overCom);
    EXPECT_EQ(overCom.viewer.BoundSinks(), 1u);  // the stand-in's own relay only
  }
  EXPECT_EQ(overCom.viewer.BoundSinks(), 0u);

  const std::vector<std::string>& expected = direct.journal.Lines();
  const std::vector<std::string>& actual = overCom.journal.Lines();
  for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    ASSERT_EQ(i < actual.size() ? actual[i] : "<none>",
              i < expected.size() ? expected[i] : "<none>")
        << "journal line " << i + 1;
  }
  // The session reached every part it is meant to reach.
  auto has = [&](const std::string& line) {
    return std::find(expected.begin(), expected.end(), line) != expected.end();
  };
  EXPECT_TRUE(has("viewer IsMapSyncView(&2) -> True"));
  EXPECT_TRUE(has("caller view = 4"));
  EXPECT_TRUE(has("caller layer = \"renamed\""));
  EXPECT_TRUE(has("event ReloadOverlaysClicked()"));
  EXPECT_TRUE(has("event OverlaysPermissionChanged(True)"));
  EXPECT_TRUE(has("caught 5 \"Invalid procedure call or argument\" \"\""));
  EXPECT_TRUE(has("caught 1004 \"Layout refused\" \"vnvEvents_LayoutChanged\""));
  EXPECT_TRUE(
      has("viewer DISPID 31(1) -> error 438 "
          "\"Object doesn't support this property or method\""));
  EXPECT_FALSE(has("event LayoutChanged(\"1x1\")"));
}

TEST(viewer_over_com, fails_an_operation_with_the_viewers_error) {
  struct Case {
    int32_t number;
    std::string description;
  };
  // A run-time error, an error of the component's own range (vbObjectError + 513), and a
  // description in several scripts.
  for (const Case& planned :
       {Case{91, "Object variable or With block not set"},
        Case{-2147220991, "Kein Bild an dieser Stelle: \xC3\xBC\xE2\x82\xAC"}}) {
    auto failure = [&](nimbo::host::ViewerControl& control, SimulatedWorld& world) {
      world.faults.Add("viewer.CenterOnPoint", planned.number, planned.description);
      nimbo::host::Viewer viewer(control, automation::Locale::EnUs());
      try {
        viewer.CenterOnPoint(1, 2, 30.0);
      } catch (const automation::AutomationError& error) {
        return error;
      }
      return automation::AutomationError(0, "no error", "");
    };
    SimulatedWorld direct;
    automation::AutomationError expected = failure(direct.viewer, direct);
    SimulatedWorld overCom;
    standins::ViewerStandin standin(overCom.viewer);
    automation::AutomationError actual = failure(*host::ComViewerControl::Create(), overCom);

    EXPECT_EQ(expected.number(), planned.number);
    EXPECT_EQ(expected.description(), planned.description);
    EXPECT_EQ(expected.source(), "viewer.CenterOnPoint");
    EXPECT_EQ(actual.number(), expected.number());
    EXPECT_EQ(actual.description(), expected.description());
    EXPECT_EQ(actual.source(), expected.source());
    EXPECT_EQ(overCom.journal.Lines(), direct.journal.Lines());
  }
}

TEST(viewer_over_com, is_created_only_while_the_stand_in_is_known) {
  SimulatedWorld world;
  auto creation = [] {
    try {
      host::ComViewerControl::Create();
    } catch (const automation::AutomationError& error) {
      return error.number();
    }
    return 0;
  };
  EXPECT_EQ(creation(), 429);
  std::unique_ptr<host::ComViewerControl> control;
  {
    standins::ViewerStandin standin(world.viewer);
    control = host::ComViewerControl::Create();
    EXPECT_TRUE(nimbo::host::Viewer(*control, automation::Locale::EnUs()).IsViewActive(2));
    // Late binding by name finds the operations too, in any case.
    com::DispatchObject byName(com::CreateObject(nimbo::host::kViewerProgId));
    EXPECT_EQ(byName.Call("getViewMode", {Variant(int32_t{4})}), Variant("DISCRETE"));
    // Each bound sink is one connection, as a client enumerates them.
    standalone::Journal unused;
    JournalingSink sink(unused);
    control->Advise(&sink);
    control->Advise(&sink);
    com::ComPtr<IConnectionPoint> point;
    ASSERT_EQ(standin.Object().FindConnectionPoint(DIID__DNimboViewerEvents, point.Put()), S_OK);
    com::ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(connections.Put()), S_OK);
    CONNECTDATA found[3] = {};
    ULONG count = 0;
    EXPECT_EQ(connections->Next(3, found, &count), S_FALSE);
    EXPECT_EQ(count, 2u);
    for (ULONG i = 0; i < count; ++i) found[i].pUnk->Release();
  }
  EXPECT_EQ(creation(), 429);
  // A viewer held past its stand-in answers an error, never a call into what has gone.
  std::vector<Variant> none;
  try {
    control->Invoke(nimbo::host::dispid::kShowTotalExtent, none);
    ADD_FAILURE() << "a disconnected viewer answered";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), static_cast<int32_t>(RPC_E_DISCONNECTED));
  }
}

}  // namespace
}  // namespace nimbo::win
