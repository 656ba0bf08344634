// Placeholder until the navigation handlers land.
#include "shell/dock_control.h"

namespace nimbo::shell {
void DockControl::DocEvents_EndCommand(const std::string&) {}
void DockControl::Command1_Click() {}
}  // namespace nimbo::shell
