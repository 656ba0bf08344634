#include "replay/step_runner.h"

#include <functional>
#include <string>

#include "automation/error_rules.h"
#include "standalone/journal.h"

namespace nimbo::replay {

namespace {

// Runs one call into the control on behalf of its caller, writing the failure that comes
// back, if any.
void CallOnBehalf(ReplayWorld& world, const std::string& entry, const std::function<void()>& call) {
  try {
    call();
  } catch (const UnplayableStep&) {
    throw;  // not the control's failure: the replay cannot go on
  } catch (...) {
    const automation::AutomationError error = automation::CurrentError();
    world.journal.Write("caller " + entry + " -> error " + std::to_string(error.number()) + " " +
                        standalone::TranscriptString(error.description()) + " source " +
                        standalone::TranscriptString(error.source()));
  }
}

struct Perform {
  ReplayWorld& world;
  shell::DockControl& control() const { return *world.control; }

  void operator()(const ShowStep&) const {
    CallOnBehalf(world, "UserControl_Show", [&] {
      if (world.hosted) return world.hosted->Show();
      control().UserControl_Show();
    });
  }
  void operator()(const ResizeStep& s) const {
    CallOnBehalf(world, "UserControl_Resize", [&] {
      if (world.hosted) return world.hosted->Resize(s.width, s.height);
      control().UserControl_Resize(s.width, s.height);
    });
  }
  void operator()(const DockStep&) const {
    CallOnBehalf(world, "IRetrieveDockableContainer_SetDockContainer", [&] {
      if (world.hosted) return world.hosted->Dock();
      control().IRetrieveDockableContainer_SetDockContainer(world.container);
    });
  }
  void operator()(const ActivateStep& s) const {
    world.application->Activate(s.document);
    const host::DocumentRef document = world.application->DocumentObject(s.document);
    CallOnBehalf(world, "dockContainer_OnDocumentActivated",
                 [&] { world.container->ReportDocumentActivated(document); });
  }
  void operator()(const CloseDocumentStep& s) const {
    CallOnBehalf(world, "DocEvents_BeginDocClose",
                 [&] { world.application->CloseDocument(s.document); });
  }
  void operator()(const TerminateStep&) const {
    CallOnBehalf(world, "UserControl_Terminate", [&] {
      if (world.hosted) return world.hosted->Terminate();
      control().UserControl_Terminate();
    });
  }
  void operator()(const EventStep& s) const {
    CallOnBehalf(world, "vnvEvents_" + s.event, [&] { world.viewer.RaiseEvent(s.event, s.args); });
  }
  void operator()(const CommandStep& s) const {
    const std::optional<std::string> active = world.application->ActiveDocumentName();
    if (!active) return;  // the session reader refuses a command with no active document
    std::optional<standalone::spatial::Vec2> center;
    if (s.viewCenter) center = standalone::spatial::Vec2{s.viewCenter->x, s.viewCenter->y};
    CallOnBehalf(world, "DocEvents_EndCommand",
                 [&] { world.application->RunCommand(*active, s.name, center, s.viewSize); });
  }
  void operator()(const ClickStep&) const {
    CallOnBehalf(world, "Command1_Click", [&] {
      if (world.hosted) return world.hosted->Click();
      control().Command1_Click();
    });
  }
  void operator()(const CallStep& s) const {
    std::string layername = s.layername;
    sync::DockControlInterface& client = control();  // the published interface
    CallOnBehalf(world, s.method, [&] {
      if (world.hosted) {
        const bool found = world.hosted->Call(s.method, layername);
        if (s.method == "FindLayer") {
          world.journal.Write("caller FindLayer -> " + std::string(found ? "Object" : "Nothing"));
        }
        return;
      }
      if (s.method == "AddLayer") client.AddLayer(layername);
      if (s.method == "DeleteAll") client.DeleteAll(layername);
      if (s.method == "DeleteLayer") client.DeleteLayer(layername);
      if (s.method == "FindLayer") {
        const host::LayerRef layer = client.FindLayer(layername);
        world.journal.Write("caller FindLayer -> " + std::string(layer ? "Object" : "Nothing"));
      }
    });
  }
  void operator()(const ViewerStep& s) const { world.viewer.ApplyState(s.change); }
  void operator()(const FailStep& s) const {
    world.faults.Add(s.target, s.number, s.description, s.after, s.times);
  }
};

}  // namespace

void PerformStep(ReplayWorld& world, const StepAction& action) {
  std::visit(Perform{world}, action);
}

}  // namespace nimbo::replay
