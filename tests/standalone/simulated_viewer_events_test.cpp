// The simulated viewer's events: delivery by name with converted arguments, sinks that
// come and go during an event, and requests that do not fit an event.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host/viewer.h"
#include "host/viewer_events.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::standalone {
namespace {

using automation::Variant;

// Records every event as text; `onEvent` runs inside each delivery. Every delivery must
// fit the event table, as the control's sink relies on it.
class RecordingSink : public host::ViewerEvents {
 public:
  explicit RecordingSink(std::string name) : name_(std::move(name)) {}
  std::vector<std::string> seen;
  std::function<void()> onEvent;

  void OnViewerEvent(const host::ViewerEvent& event, const std::vector<Variant>& a) override {
    EXPECT_EQ(host::FindViewerEvent(event.name), &event);
    EXPECT_TRUE(host::ArgumentsFitEvent(event, a)) << event.name;
    auto d = [&a](size_t i) { return std::to_string(a.at(i).AsDouble()); };
    auto l = [&a](size_t i) { return std::to_string(a.at(i).AsLong()); };
    auto str = [&a](size_t i) { return a.at(i).AsString(); };
    const std::string_view name = event.name;
    if (name == "AreaMeasured" || name == "HeightMeasured") {
      Note(std::string(name) + " " + d(0) + " " + str(1) + " " + str(2));
    } else if (name == "BearingMeasured") {
      Note("Bearing");
    } else if (name == "DistanceMeasured") {
      Note("Distance");
    } else if (name == "ElevationMeasured") {
      Note("Elevation");
    } else if (name == "LocationXMeasured") {
      Note("X");
    } else if (name == "LocationYMeasured") {
      Note("Y");
    } else if (name == "LayoutChanged") {
      Note("LayoutChanged " + str(0));
    } else if (name == "ModeChanged") {
      Note("ModeChanged " + str(0) + " " + l(1));
    } else if (name == "OverlaysPermissionChanged") {
      Note("OverlaysPermissionChanged " + std::to_string(a.at(0).AsBoolean().value));
    } else if (name == "SelectedPointChanged") {
      Note("SelectedPointChanged " + d(0) + " " + d(1));
    } else if (name == "ReloadOverlaysClicked") {
      Note("ReloadOverlaysClicked");
    } else if (name == "ObliqueLoaded") {
      Note("ObliqueLoaded " + str(0) + " " + l(1) + "x" + l(2) + " " + d(3) + " " + d(10) + " " +
           l(11));
    } else if (name == "ExtentChanged") {
      Note("ExtentChanged " + d(0) + " " + d(7) + " " + d(8) + " " + d(9) + " " + l(10));
    } else {
      ADD_FAILURE() << "an event not in the table: " << name;
    }
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
  viewer.SetCallHook([&](const host::ViewerOperation& op, std::span<Variant>) {
    if (op.name == "RefreshOverlays") viewer.RaiseEvent("LayoutChanged", {Variant("1x1")});
  });
  host::Viewer typed(viewer, automation::Locale::EnUs());
  typed.RefreshOverlays(1);
  EXPECT_EQ(sink.seen.back(), "s: LayoutChanged 1x1");
}

TEST_F(ViewerEventsTest, raises_every_event_of_the_table_with_exactly_its_arity) {
  RecordingSink sink("s");
  viewer.Advise(&sink);
  ASSERT_EQ(ViewerEventNames().size(), host::kViewerEvents.size());
  for (const host::ViewerEvent& event : host::kViewerEvents) {
    EXPECT_NE(std::find(ViewerEventNames().begin(), ViewerEventNames().end(), event.name),
              ViewerEventNames().end());
    std::vector<Variant> arguments;
    for (const host::ViewerEventParameter& p : event.parameters) {
      if (p.type == automation::VarType::String) arguments.emplace_back("T");
      if (p.type == automation::VarType::Boolean) arguments.push_back(Variant::Bool(true));
      if (p.type == automation::VarType::Double || p.type == automation::VarType::Long) {
        arguments.emplace_back(int32_t{3});
      }
    }
    ASSERT_EQ(arguments.size(), event.parameters.size()) << event.name;
    EXPECT_NO_THROW(viewer.RaiseEvent(event.name, arguments)) << event.name;
    arguments.emplace_back(1.0);
    EXPECT_THROW(viewer.RaiseEvent(event.name, arguments), ViewerEventError) << event.name;
  }
  EXPECT_EQ(sink.seen.size(), host::kViewerEvents.size());
}

TEST_F(ViewerEventsTest, does_nothing_with_no_sink_bound_but_still_checks_the_request) {
  EXPECT_NO_THROW(viewer.RaiseEvent("ReloadOverlaysClicked", {}));
  EXPECT_THROW(viewer.RaiseEvent("ReloadOverlaysClicked", {Variant(1.0)}), ViewerEventError);
  EXPECT_THROW(viewer.Advise(nullptr), automation::AutomationError);
}

}  // namespace
}  // namespace nimbo::standalone
