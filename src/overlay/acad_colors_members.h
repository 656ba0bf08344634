// _AcadColors {75C82D4D-1458-4445-8809-64732A90AE60} as automation clients see it.
#pragma once

#include "automation/member_table.h"
#include "overlay/acad_colors.h"

namespace nimbo::overlay {

// AcadColorToRed, AcadColorToGreen, AcadColorToBlue: the colour object by reference.
const automation::MemberTable<AcadColors>& AcadColorsMembers();

}  // namespace nimbo::overlay
