// The sections of the file, each written from the plan. HEADER goes last but first in the
// file: it names the handle seed, above every handle the others wrote.
#pragma once

#include <cstdint>

#include "replay/dxf/group_writer.h"
#include "replay/dxf/write_plan.h"

namespace nimbo::replay::dxf {

void WriteTables(WritePlan& plan, GroupWriter& out);
void WriteBlocks(WritePlan& plan, GroupWriter& out);
void WriteEntities(WritePlan& plan, GroupWriter& out);
void WriteObjects(WritePlan& plan, GroupWriter& out);
void WriteHeader(const WritePlan& plan, GroupWriter& out, uint64_t handleSeed);

}  // namespace nimbo::replay::dxf
