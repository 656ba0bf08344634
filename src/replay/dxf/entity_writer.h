// Writes one entity of a space: from its groups as read when the session left it as it
// was, otherwise anew under its handle, keeping the extended data other applications gave
// it; then our own extended data (what it stands for, its object-data records).
#pragma once

#include <cstdint>

#include "replay/dxf/group_writer.h"
#include "replay/dxf/write_plan.h"

namespace nimbo::replay::dxf {

// `owner` is the handle of the space's block record; `paper` marks a paper-space entity.
void WriteEntity(WritePlan& plan, GroupWriter& out, const PlannedEntity& entity, uint64_t owner,
                 bool paper);

// The common groups of an entity written anew, up to its subclass: 0, 5, 330, 100
// AcDbEntity, 67, 8, colour, line weight.
void WriteEntityStart(GroupWriter& out, const char* type, uint64_t handle, uint64_t owner,
                      bool paper, const standalone::EntityData& entity);

}  // namespace nimbo::replay::dxf
