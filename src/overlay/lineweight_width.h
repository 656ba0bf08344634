// The viewer's pen width for a CAD line weight (hundredths of a millimetre).
#pragma once

#include <cstdint>

namespace nimbo::overlay {

// The host's standard line weights 5..211 map to widths 3..26 (no weight maps to 19);
// every other value, by layer (-1), by block and default included, gives 2.
int32_t LineweightToWidth(int32_t lineweight);

}  // namespace nimbo::overlay
