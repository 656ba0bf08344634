// The control's sink of the viewer's events: each event of the table reaches the handler
// of its own name, and an event whose arguments do not fit the table reaches none.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/clock.h"
#include "host/viewer_events.h"
#include "host/viewer_operations.h"
#include "shell/dock_control.h"
#include "shell/lifecycle_fakes.h"

namespace nimbo::shell {
namespace {

using automation::Variant;

// A viewer that keeps the sink it is given and, once told to, fails every call.
class SinkKeepingViewer : public host::ViewerControl {
 public:
  Variant Invoke(int32_t dispid, std::span<Variant>) override {
    ++calls[dispid];
    if (failing) throw automation::AutomationError(7, "viewer down", "NimboViewer");
    return Variant();
  }
  int32_t Advise(host::ViewerEvents* events) override {
    sink = events;
    return 1;
  }
  void Unadvise(int32_t) override { sink = nullptr; }

  host::ViewerEvents* sink = nullptr;  // borrowed from the control until Unadvise
  bool failing = false;
  std::map<int32_t, int> calls;
};

// Shows nothing to anybody: records the OK boxes and refuses every question.
class RecordingDialogs : public host::Dialogs {
 public:
  host::MessageAnswer MessageBox(const std::string& text, host::MessageButtons buttons,
                                 const std::optional<std::string>&) override {
    if (buttons != host::MessageButtons::Ok) {
      throw automation::AutomationError(8, "no answer", "dialogs");
    }
    shown.push_back(text);
    return host::MessageAnswer::Ok;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    throw automation::AutomationError(8, "no answer", "dialogs");
  }
  std::vector<std::string> shown;
};

class ViewerEventSink : public ::testing::Test {
 protected:
  ViewerEventSink() {
    running.running[host::kCadProgId] = application;
    host::ControlEnvironment env;
    env.viewer = &viewer;
    env.runningObjects = &running;
    env.dialogs = &dialogs;
    env.clock = &clock;
    control = std::make_unique<DockControl>(env);
    control->UserControl_Show();
  }

  // The first argument list that fits the event: a value of each parameter's type.
  static std::vector<Variant> FittingArguments(const host::ViewerEvent& event) {
    std::vector<Variant> arguments;
    for (const host::ViewerEventParameter& p : event.parameters) {
      switch (p.type) {
        case automation::VarType::Double:
          arguments.emplace_back(1.5);
          break;
        case automation::VarType::Long:
          arguments.emplace_back(int32_t{2});
          break;
        case automation::VarType::String:
          arguments.emplace_back("T");
          break;
        case automation::VarType::Boolean:
          arguments.push_back(Variant::Bool(false));
          break;
        default:
          ADD_FAILURE() << "no value for " << p.name;
      }
    }
    return arguments;
  }

  SinkKeepingViewer viewer;
  RecordingDialogs dialogs;
  testing::FakeRunningObjects running;
  std::shared_ptr<testing::FakeApplication> application =
      std::make_shared<testing::FakeApplication>();
  automation::FixedClock clock{automation::DateTime{}};
  std::unique_ptr<DockControl> control;
};

TEST_F(ViewerEventSink, delivers_each_event_to_the_handler_of_its_own_name) {
  ASSERT_NE(viewer.sink, nullptr);
  ASSERT_TRUE(dialogs.shown.empty());
  viewer.failing = true;
  for (const host::ViewerEvent& event : host::kViewerEvents) {
    dialogs.shown.clear();
    viewer.sink->OnViewerEvent(event, FittingArguments(event));
    if (event.name == "ReloadOverlaysClicked") {
      // Without permission for overlays the handler does nothing at all.
      EXPECT_TRUE(dialogs.shown.empty());
      continue;
    }
    ASSERT_EQ(dialogs.shown.size(), 1u) << event.name;
    const std::string prefix = "Exception: vnvEvents_" + std::string(event.name) + " ";
    EXPECT_EQ(dialogs.shown[0].substr(0, prefix.size()), prefix) << dialogs.shown[0];
  }
}

TEST_F(ViewerEventSink, refuses_arguments_that_do_not_fit_before_any_handler_runs) {
  viewer.calls.clear();
  const host::ViewerEvent& mode = *host::FindViewerEvent("ModeChanged");
  for (const std::vector<Variant>& arguments :
       {std::vector<Variant>{Variant("MOSAIC")},
        std::vector<Variant>{Variant("MOSAIC"), Variant(2.0)},
        std::vector<Variant>{Variant(int32_t{2}), Variant("MOSAIC")}}) {
    try {
      viewer.sink->OnViewerEvent(mode, arguments);
      FAIL() << "arguments that do not fit were delivered";
    } catch (const automation::AutomationError& error) {
      EXPECT_EQ(error.number(), automation::errors::kInvalidCall);
      EXPECT_EQ(error.source(), kLibraryName);
    }
  }
  EXPECT_TRUE(viewer.calls.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ViewerEventSink, refuses_an_event_that_is_not_in_the_table) {
  const host::ViewerEvent panned{"Panned", 99, {}};
  try {
    viewer.sink->OnViewerEvent(panned, {});
    FAIL() << "an unknown event was delivered";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), automation::errors::kNotSupported);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace nimbo::shell
