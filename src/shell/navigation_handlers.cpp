// The drawing's EndCommand and the button "Center in new map point".
#include "automation/error.h"
#include "automation/error_rules.h"
#include "measure/save_options.h"
#include "shell/dock_control.h"
#include "sync/navigation.h"

namespace nimbo::shell {

void DockControl::DocEvents_EndCommand(const std::string& CommandName) {
  // Following the drawing is a courtesy: nothing that fails here may disturb the command.
  automation::TrapSilently([&] { sync::FollowDrawingView(state_, CommandName); });
}

void DockControl::Command1_Click() {
  // A pick cancelled with Escape is the person's choice, not an error to show.
  RunHandler("Command1_Click",
             [&] {
               measure::SetTableInfo(state_);
               sync::SearchImage(state_);
             },
             {automation::errors::kUserCancelled});
}

}  // namespace nimbo::shell
