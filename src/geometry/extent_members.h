// _Extent {FA25636C-84D6-4EA2-B683-4EF45C81A508} as automation clients see it.
#pragma once

#include "automation/member_table.h"
#include "geometry/extent.h"

namespace nimbo::geometry {

// The bounds' and `initialized`'s properties in field order, then MergeBound, IsInside
// and IsGeometryPartiallyInside.
const automation::MemberTable<Extent>& ExtentMembers();

}  // namespace nimbo::geometry
