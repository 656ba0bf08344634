// _DockControl {4F19F6E4-D2F3-440F-BED2-7C69C21E8C30} as automation clients see it:
// DocEvents (get, and put by reference) at the first field DISPID, as the other classes'
// public fields, then the four layer operations at 0x60030018 .. 0x6003001B.
#pragma once

#include "automation/member_table.h"
#include "sync/dock_control_interface.h"

namespace nimbo::sync {

const automation::MemberTable<DockControlInterface>& DockControlMembers();

}  // namespace nimbo::sync
