// _Bound {2411290B-8152-4C52-AD32-788CDC99ADC6} as automation clients see it.
#pragma once

#include <span>
#include <vector>

#include "automation/member_table.h"
#include "geometry/bound.h"

namespace nimbo::geometry {

// The corners' and `initialized`'s properties in field order, then SetValues and
// AsPolyline.
const automation::MemberTable<Bound>& BoundMembers();

// The eight corner arguments of SetValues and of Extent's MergeBound, by value, as one
// reads and the other two take them.
std::vector<automation::MemberParameter> CornerParameters();
void ReadCorners(std::span<automation::Variant> arguments, double (&corners)[8]);

}  // namespace nimbo::geometry
