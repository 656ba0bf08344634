// The three layers on which the control shows the viewer's footprints and selected
// point. The extent display draws them; the overlay lifecycle keeps them out of the
// overlays.
#pragma once

namespace nimbo::control {

inline constexpr const char* kVisibleExtentLayer = "VeskNimBoVisibleExtent";
inline constexpr const char* kTotalExtentLayer = "VeskNimBoTotalExtent";
inline constexpr const char* kSelectedPointLayer = "VeskNimBoSelectedPoint";

}  // namespace nimbo::control
