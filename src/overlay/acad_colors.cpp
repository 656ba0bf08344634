#include "overlay/acad_colors.h"

#include "automation/error.h"

namespace nimbo::overlay {

namespace {

using Rgb = std::array<uint8_t, 3>;

constexpr int kRed = 0;
constexpr int kGreen = 1;
constexpr int kBlue = 2;

constexpr std::array<Rgb, 9> kFixedColors{{
    {255, 0, 0},
    {255, 255, 0},
    {0, 255, 0},
    {0, 255, 255},
    {0, 0, 255},
    {255, 0, 255},
    {255, 255, 255},
    {128, 128, 128},
    {192, 192, 192},
}};

// Indices 250 to 255.
constexpr std::array<uint8_t, 6> kGreys{51, 91, 132, 173, 214, 255};

// Indices 10 to 249: 24 hues 15 degrees apart, each in five brightnesses, full (even
// last digit) and pale (odd last digit, halfway to the grey of the same brightness).
Rgb HueColor(int index) {
  const int group = index / 10 - 1;
  const int shade = index % 10;
  // The palette's third brightness drops from 153 to 152 from index 50 on.
  const int thirdBrightness = index < 50 ? 153 : 152;
  const std::array<int, 5> brightness{255, 204, thirdBrightness, 127, 76};
  const int v = brightness[static_cast<size_t>(shade / 2)];

  // Weights in quarters around the colour wheel: red to yellow, yellow to green, and on.
  const int p = group % 4;
  const std::array<std::array<int, 3>, 6> weights{{
      {4, p, 0},
      {4 - p, 4, 0},
      {0, 4, p},
      {0, 4 - p, 4},
      {p, 0, 4},
      {4, 0, 4 - p},
  }};
  const std::array<int, 3>& k = weights[static_cast<size_t>(group / 4)];

  Rgb rgb{};
  for (size_t c = 0; c < 3; ++c) {
    const int component = shade % 2 == 0 ? v * k[c] / 4 : v * (k[c] + 4) / 8;
    rgb[c] = static_cast<uint8_t>(component);
  }
  return rgb;
}

Rgb PaletteColor(int index) {
  if (index <= 9) return kFixedColors[static_cast<size_t>(index - 1)];
  if (index >= 250) {
    const uint8_t grey = kGreys[static_cast<size_t>(index - 250)];
    return {grey, grey, grey};
  }
  return HueColor(index);
}

bool IsPaletteIndex(int32_t index) {
  return index >= 1 && index <= 255;
}

}  // namespace

AcadColors::AcadColors() : palette_{} {
  for (int index = 1; index <= 255; ++index) {
    palette_[static_cast<size_t>(index - 1)] = PaletteColor(index);
  }
}

int32_t AcadColors::AcadColorToRed(host::Color& acadColor) const {
  return Component(acadColor, kRed);
}

int32_t AcadColors::AcadColorToGreen(host::Color& acadColor) const {
  return Component(acadColor, kGreen);
}

int32_t AcadColors::AcadColorToBlue(host::Color& acadColor) const {
  return Component(acadColor, kBlue);
}

std::array<uint8_t, 3> AcadColors::PaletteEntry(int32_t index) const {
  if (!IsPaletteIndex(index)) {
    throw automation::errors::Standard(automation::errors::kSubscriptOutOfRange);
  }
  return palette_[static_cast<size_t>(index - 1)];
}

int32_t AcadColors::Component(host::Color& acadColor, int component) const {
  // The colour method is asked again for each test: a colour object is a live automation
  // object, and the answer must follow its state at the moment of each question.
  if (acadColor.ColorMethod() == host::color_method::kByRGB) {
    switch (component) {
      case kRed:
        return acadColor.Red();
      case kGreen:
        return acadColor.Green();
      default:
        return acadColor.Blue();
    }
  }
  const bool byLayer = acadColor.ColorMethod() == host::color_method::kByLayer;
  const bool byIndex = acadColor.ColorMethod() == host::color_method::kByACI;
  if (byLayer || byIndex) {
    // Index 256 (by layer) and 0 (by block) have no palette entry: subscript out of range.
    return PaletteEntry(acadColor.ColorIndex())[static_cast<size_t>(component)];
  }
  return 0;
}

}  // namespace nimbo::overlay
