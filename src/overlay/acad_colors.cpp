// Placeholder until the colour converter lands.
#include "overlay/acad_colors.h"

namespace nimbo::overlay {
AcadColors::AcadColors() : palette_{} {}
int32_t AcadColors::AcadColorToRed(host::Color&) const { return 0; }
int32_t AcadColors::AcadColorToGreen(host::Color&) const { return 0; }
int32_t AcadColors::AcadColorToBlue(host::Color&) const { return 0; }
std::array<uint8_t, 3> AcadColors::PaletteEntry(int32_t) const { return {}; }
int32_t AcadColors::Component(host::Color&, int) const { return 0; }
}  // namespace nimbo::overlay
