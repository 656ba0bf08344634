// The viewer's views as its contract describes them: how many there are, the modes a
// view reports, and the eight corner values of a view's extents.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace nimbo::host {

// Views are numbered 1 to kViewCount.
inline constexpr int32_t kViewCount = 5;

// What GetViewMode answers; compared exactly.
inline constexpr const char* kMosaicViewMode = "MOSAIC";
inline constexpr const char* kDiscreteViewMode = "DISCRETE";

// The viewer's own measurement overlay, listed first in every view.
inline constexpr const char* kMeasurementsOverlay = "Measurements";

// The viewer lists a view's corners upper-left, upper-right, lower-left, lower-right, x
// then y: the order of the corner getters (TotalULx ... TotalLRy) and of the extent
// events' arguments.
inline constexpr std::array<std::string_view, 8> kCornerNames = {"ULx", "ULy", "URx", "URy",
                                                                 "LLx", "LLy", "LRx", "LRy"};
inline constexpr int kCornerCount = static_cast<int>(kCornerNames.size());

// The corners' positions in kCornerNames taken round the quadrilateral: upper-left,
// upper-right, lower-right, lower-left. A Bound stores its corners in this order and a
// view's selection polygon is this ring.
inline constexpr std::array<int, 8> kRingCornerOrder = {0, 1, 2, 3, 6, 7, 4, 5};

}  // namespace nimbo::host
