// What a dimension written anew shows, drawn in its own anonymous block as a CAD
// application draws a dimension: the extension and dimension lines (or the arc of an
// angular dimension) and the override text, without arrowheads when their size is 0.
#pragma once

#include <cstdint>

#include "replay/dxf/group_writer.h"
#include "replay/dxf/write_plan.h"

namespace nimbo::replay::dxf {

// The point on the dimension line (the dimension's 10 group): for an aligned dimension,
// where the line through the text position, parallel to the measured points, meets the
// second extension line; for an angular one, the text position on the arc.
host::Point3 DimensionLinePoint(const standalone::EntityData& dimension);

// The block's entities, owned by `owner` (the block's record).
void WriteDimensionGeometry(WritePlan& plan, GroupWriter& out,
                            const standalone::EntityData& dimension, uint64_t owner);

}  // namespace nimbo::replay::dxf
