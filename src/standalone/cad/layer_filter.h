// The one selection filter that the in-memory host implements: every object on one layer
// in model space, group codes 8 (the layer name, escaped as a literal) and 410 ("Model"),
// in either order. Any other filter is refused with host_error::kInvalidInput naming
// what is not supported, so that no filter is ever answered with a wrong selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automation/variant.h"

namespace nimbo::standalone {

// The layer name that the filter selects (as the caller spelled it, unescaped).
std::string ModelSpaceLayerOfFilter(const std::vector<int16_t>& types,
                                    const std::vector<automation::Variant>& data);

}  // namespace nimbo::standalone
