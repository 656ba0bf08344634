// The simulated viewer's events: delivery by name with converted arguments, sinks that
// come and go during an event, and requests that do not fit an event.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/viewer.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {
namespace {

using automation::Variant;
using automation::VBool;

// Records every event as text; `onEvent` runs inside each delivery.
class RecordingSink : public host::ViewerEvents {
 public:
  explicit RecordingSink(std::string name) : name_(std::move(name)) {}
  std::vector<std::string> seen;
  std::function<void()> onEvent;

  void AreaMeasured(double m, const std::string& t, const std::string& f) override {
    Note("AreaMeasured " + std::to_string(m) + " " + t + " " + f);
  }
  void BearingMeasured(double, const std::string&, const std::string&) override { Note("Bearing"); }
  void DistanceMeasured(double, const std::string&, const std::string&) override {
    Note("Distance");
  }
  void ElevationMeasured(double, const std::string&, const std::string&) override {
    Note("Elevation");
  }
  void HeightMeasured(double m, const std::string& t, const std::string& f) override {
    Note("HeightMeasured " + std::to_string(m) + " " + t + " " + f);
  }
  void LocationXMeasured(double, const std::string&, const std::string&) override { Note("X"); }
  void LocationYMeasured(double, const std::string&, const std::string&) override { Note("Y"); }
  void LayoutChanged(const std::string& layout) override { Note("LayoutChanged " + layout); }
  void ModeChanged(const std::string& mode, int32_t viewIndex) override {
    Note("ModeChanged " + mode + " " + std::to_string(viewIndex));
  }
  void OverlaysPermissionChanged(VBool accept) override {
    Note("OverlaysPermissionChanged " + std::to_string(accept.value));
  }
  void SelectedPointChanged(double x, double y) override {
    Note("SelectedPointChanged " + std::to_string(x) + " " + std::to_string(y));
  }
  void ReloadOverlaysClicked() override { Note("ReloadOverlaysClicked"); }
  void ObliqueLoaded(const std::string& id, int32_t width, int32_t height, double ulx, double,
                     double, double, double, double, double, double lry,
                     int32_t viewIndex) override {
    Note("ObliqueLoaded " + id + " " + std::to_string(width) + "x" + std::to_string(height) + " " +
         std::to_string(ulx) + " " + std::to_string(lry) + " " + std::to_string(viewIndex));
  }
  void ExtentChanged(double ulx, double, double, double, double, double, double, double lry,
                     double x, double y, int32_t viewIndex) override {
    Note("ExtentChanged " + std::to_string(ulx) + " " + std::to_string(lry) + " " +
         std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(viewIndex));
  }

 private:
  void Note(std::string text) {
    seen.push_back(name_ + ": " + text);
    if (onEvent) onEvent();
  }
  std::string name_;
};

class ViewerEventsTest : public ::testing::Test {
 protected:
  Journal journal;
  FaultPlan faults;
  SimulatedViewer viewer{journal, faults};
};

std::vector<Variant> Numbers(std::initializer_list<double> values) {
  std::vector<Variant> out;
  for (double v : values) out.emplace_back(v);
  return out;
}

TEST_F(ViewerEventsTest, delivers_each_event_with_its_arguments_converted) {
  RecordingSink sink("s");
  viewer.Advise(&sink);
  // Session numbers arrive as Doubles; a whole one fits a Long parameter.
  viewer.RaiseEvent("ExtentChanged", Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9.5, 10, 3}));
  viewer.RaiseEvent("ModeChanged", {Variant("DISCRETE"), Variant(int32_t{2})});
  viewer.RaiseEvent("OverlaysPermissionChanged", {Variant::Bool(true)});
  viewer.RaiseEvent("ReloadOverlaysClicked", {});
  viewer.RaiseEvent("HeightMeasured", {Variant(int32_t{12}), Variant("T"), Variant("F")});
  std::vector<Variant> oblique = {Variant("img-7"), Variant(640.0), Variant(480.0)};
  for (double v : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 4.0}) oblique.emplace_back(v);
  viewer.RaiseEvent("ObliqueLoaded", oblique);

  const std::vector<std::string> expected = {
      "s: ExtentChanged 1.000000 8.000000 9.500000 10.000000 3",
      "s: ModeChanged DISCRETE 2",
      "s: OverlaysPermissionChanged -1",
      "s: ReloadOverlaysClicked",
      "s: HeightMeasured 12.000000 T F",
      "s: ObliqueLoaded img-7 640x480 1.000000 8.000000 4",
  };
  EXPECT_EQ(sink.seen, expected);
  EXPECT_EQ(ViewerEventNames().size(), 14u);
  EXPECT_TRUE(journal.Lines().empty());  // events are the replay's to write
}

TEST_F(ViewerEventsTest, refuses_unknown_events_wrong_counts_and_wrong_types_before_delivery) {
  RecordingSink sink("s");
  viewer.Advise(&sink);
  auto messageOf = [&](std::string_view name, std::vector<Variant> args,
                       std::optional<size_t> argument) {
    try {
      viewer.RaiseEvent(name, args);
    } catch (const ViewerEventError& error) {
      EXPECT_EQ(error.argument(), argument);
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageOf("Panned", {}, std::nullopt), "unknown viewer event \"Panned\"");
  EXPECT_EQ(messageOf("modechanged", {Variant("M"), Variant(1.0)}, std::nullopt),
            "unknown viewer event \"modechanged\"");
  EXPECT_EQ(messageOf("SelectedPointChanged", Numbers({1}), std::nullopt),
            "SelectedPointChanged takes 2 arguments (X, Y), got 1");
  EXPECT_EQ(messageOf("ModeChanged", {Variant("M"), Variant(2.5)}, 1),
            "ModeChanged: argument 2 (viewIndex) must be a whole number from -2147483648 to "
            "2147483647, got 2.5");
  EXPECT_EQ(messageOf("ModeChanged", {Variant("M"), Variant(3e9)}, 1).substr(0, 35),
            "ModeChanged: argument 2 (viewIndex)");
  EXPECT_EQ(messageOf("SelectedPointChanged", {Variant("1"), Variant(2.0)}, 0),
            "SelectedPointChanged: argument 1 (X) must be a number, got \"1\"");
  EXPECT_EQ(messageOf("OverlaysPermissionChanged", {Variant(1.0)}, 0),
            "OverlaysPermissionChanged: argument 1 (accept) must be true or false, got 1");
  EXPECT_EQ(messageOf("LayoutChanged", {Variant(automation::Null{})}, 0),
            "LayoutChanged: argument 1 (layout) must be a string, got Null");
  EXPECT_TRUE(sink.seen.empty());
}

TEST_F(ViewerEventsTest, survives_sinks_that_unadvise_during_an_event) {
  RecordingSink first("first"), second("second"), third("third");
  const int32_t firstCookie = viewer.Advise(&first);
  viewer.Advise(&second);
  const int32_t thirdCookie = viewer.Advise(&third);
  // The first unadvises itself and the third while the event is delivered.
  first.onEvent = [&] {
    viewer.Unadvise(firstCookie);
    viewer.Unadvise(thirdCookie);
  };
  viewer.RaiseEvent("LayoutChanged", {Variant("1x2")});
  EXPECT_EQ(first.seen, std::vector<std::string>{"first: LayoutChanged 1x2"});
  EXPECT_EQ(second.seen, std::vector<std::string>{"second: LayoutChanged 1x2"});
  EXPECT_TRUE(third.seen.empty());
  EXPECT_EQ(viewer.BoundSinks(), 1u);

  viewer.RaiseEvent("LayoutChanged", {Variant("2x2")});
  EXPECT_EQ(first.seen.size(), 1u);
  EXPECT_EQ(second.seen.size(), 2u);
  EXPECT_THROW(viewer.Unadvise(firstCookie), automation::AutomationError);
}

TEST_F(ViewerEventsTest, delivers_events_raised_inside_an_event_or_a_viewer_call) {
  RecordingSink sink("s");
  viewer.Advise(&sink);
  bool nested = false;
  sink.onEvent = [&] {
    if (nested) return;
    nested = true;
    viewer.RaiseEvent("SelectedPointChanged", Numbers({4, 5}));
  };
  viewer.RaiseEvent("ReloadOverlaysClicked", {});
  EXPECT_EQ(sink.seen, (std::vector<std::string>{"s: ReloadOverlaysClicked",
                                                 "s: SelectedPointChanged 4.000000 5.000000"}));

  // A viewer that reports an event while the control's call is in progress.
  sink.onEvent = nullptr;
  viewer.SetCallHook([&](const host::ViewerOperation& op, std::vector<Variant>&) {
    if (op.name == "RefreshOverlays") viewer.RaiseEvent("LayoutChanged", {Variant("1x1")});
  });
  host::Viewer typed(viewer);
  typed.RefreshOverlays(1);
  EXPECT_EQ(sink.seen.back(), "s: LayoutChanged 1x1");
}

TEST_F(ViewerEventsTest, does_nothing_with_no_sink_bound_but_still_checks_the_request) {
  EXPECT_NO_THROW(viewer.RaiseEvent("ReloadOverlaysClicked", {}));
  EXPECT_THROW(viewer.RaiseEvent("ReloadOverlaysClicked", {Variant(1.0)}), ViewerEventError);
  EXPECT_THROW(viewer.Advise(nullptr), automation::AutomationError);
}

}  // namespace
}  // namespace nimbo::standalone
