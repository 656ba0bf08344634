// Turns a CAD colour object into red, green and blue, with the 255-entry colour-index
// palette. Public, non-creatable class of the library
// ({40C3783F-6A39-44AA-B28F-7F0C503542B7}, interface _AcadColors).
#pragma once

#include <array>
#include <cstdint>

#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::overlay {

class AcadColors : public automation::Object {
 public:
  AcadColors();

  // By RGB: the object's own component. By layer or by colour index: the palette entry of
  // its index, which must be 1..255 (else subscript out of range, 9). Any other method: 0.
  int32_t AcadColorToRed(host::Color& acadColor) const;
  int32_t AcadColorToGreen(host::Color& acadColor) const;
  int32_t AcadColorToBlue(host::Color& acadColor) const;

  // Row index-1 of the palette, for index 1..255.
  std::array<uint8_t, 3> PaletteEntry(int32_t index) const;

 private:
  int32_t Component(host::Color& acadColor, int component) const;
  std::array<std::array<uint8_t, 3>, 255> palette_;
};

}  // namespace nimbo::overlay
