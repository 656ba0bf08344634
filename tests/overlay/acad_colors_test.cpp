#include "overlay/acad_colors.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "automation/error.h"
#include "host/cad.h"

namespace nimbo::overlay {
namespace {

// A colour object that counts how often each of its members is read.
class FakeColor : public host::Color {
 public:
  FakeColor(int32_t method, int32_t index, int32_t red = 0, int32_t green = 0, int32_t blue = 0)
      : method(method), index(index), red(red), green(green), blue(blue) {}
  int32_t ColorMethod() override {
    ++methodReads;
    return method;
  }
  int32_t ColorIndex() override {
    ++indexReads;
    return index;
  }
  int32_t Red() override { return red; }
  int32_t Green() override { return green; }
  int32_t Blue() override { return blue; }

  int32_t method, index, red, green, blue;
  int methodReads = 0;
  int indexReads = 0;
};

std::array<int32_t, 3> Convert(const AcadColors& colors, host::Color& color) {
  return {colors.AcadColorToRed(color), colors.AcadColorToGreen(color),
          colors.AcadColorToBlue(color)};
}

std::array<int32_t, 3> ByIndex(const AcadColors& colors, int32_t index) {
  FakeColor color(host::color_method::kByACI, index);
  return Convert(colors, color);
}

using Rgb = std::array<int32_t, 3>;

TEST(acad_colors, fixed_grey_and_telling_rows_of_the_palette) {
  const AcadColors colors;
  EXPECT_EQ(ByIndex(colors, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(ByIndex(colors, 2), (Rgb{255, 255, 0}));
  EXPECT_EQ(ByIndex(colors, 3), (Rgb{0, 255, 0}));
  EXPECT_EQ(ByIndex(colors, 4), (Rgb{0, 255, 255}));
  EXPECT_EQ(ByIndex(colors, 5), (Rgb{0, 0, 255}));
  EXPECT_EQ(ByIndex(colors, 6), (Rgb{255, 0, 255}));
  EXPECT_EQ(ByIndex(colors, 7), (Rgb{255, 255, 255}));
  EXPECT_EQ(ByIndex(colors, 8), (Rgb{128, 128, 128}));
  EXPECT_EQ(ByIndex(colors, 9), (Rgb{192, 192, 192}));

  EXPECT_EQ(ByIndex(colors, 250), (Rgb{51, 51, 51}));
  EXPECT_EQ(ByIndex(colors, 251), (Rgb{91, 91, 91}));
  EXPECT_EQ(ByIndex(colors, 252), (Rgb{132, 132, 132}));
  EXPECT_EQ(ByIndex(colors, 253), (Rgb{173, 173, 173}));
  EXPECT_EQ(ByIndex(colors, 254), (Rgb{214, 214, 214}));
  EXPECT_EQ(ByIndex(colors, 255), (Rgb{255, 255, 255}));

  EXPECT_EQ(ByIndex(colors, 10), (Rgb{255, 0, 0}));
  EXPECT_EQ(ByIndex(colors, 11), (Rgb{255, 127, 127}));
  EXPECT_EQ(ByIndex(colors, 20), (Rgb{255, 63, 0}));
  EXPECT_EQ(ByIndex(colors, 21), (Rgb{255, 159, 127}));
  EXPECT_EQ(ByIndex(colors, 23), (Rgb{204, 127, 102}));
  EXPECT_EQ(ByIndex(colors, 44), (Rgb{153, 114, 0}));
  EXPECT_EQ(ByIndex(colors, 54), (Rgb{152, 152, 0}));
  EXPECT_EQ(ByIndex(colors, 65), (Rgb{133, 152, 76}));
  EXPECT_EQ(ByIndex(colors, 140), (Rgb{0, 191, 255}));
  EXPECT_EQ(ByIndex(colors, 142), (Rgb{0, 153, 204}));
  EXPECT_EQ(ByIndex(colors, 249), (Rgb{76, 38, 47}));
}

// The palette rule, worked out here on its own from its description, entry by entry.
Rgb RuleColor(int index) {
  switch (index) {
    case 1:
      return {255, 0, 0};
    case 2:
      return {255, 255, 0};
    case 3:
      return {0, 255, 0};
    case 4:
      return {0, 255, 255};
    case 5:
      return {0, 0, 255};
    case 6:
      return {255, 0, 255};
    case 7:
      return {255, 255, 255};
    case 8:
      return {128, 128, 128};
    case 9:
      return {192, 192, 192};
    case 250:
      return {51, 51, 51};
    case 251:
      return {91, 91, 91};
    case 252:
      return {132, 132, 132};
    case 253:
      return {173, 173, 173};
    case 254:
      return {214, 214, 214};
    case 255:
      return {255, 255, 255};
    default:
      break;
  }
  const int g = index / 10 - 1;
  const int s = index % 10;
  int v = 0;
  if (s / 2 == 0) v = 255;
  if (s / 2 == 1) v = 204;
  if (s / 2 == 2) v = (index <= 49) ? 153 : 152;
  if (s / 2 == 3) v = 127;
  if (s / 2 == 4) v = 76;
  const int t = g / 4;
  const int p = g % 4;
  int kR = 0, kG = 0, kB = 0;
  if (t == 0) kR = 4, kG = p, kB = 0;
  if (t == 1) kR = 4 - p, kG = 4, kB = 0;
  if (t == 2) kR = 0, kG = 4, kB = p;
  if (t == 3) kR = 0, kG = 4 - p, kB = 4;
  if (t == 4) kR = p, kG = 0, kB = 4;
  if (t == 5) kR = 4, kG = 0, kB = 4 - p;
  if (s % 2 == 0) return {v * kR / 4, v * kG / 4, v * kB / 4};
  return {v * (kR + 4) / 8, v * (kG + 4) / 8, v * (kB + 4) / 8};
}

TEST(acad_colors, every_entry_follows_the_palette_rule) {
  const AcadColors colors;
  for (int index = 1; index <= 255; ++index) {
    SCOPED_TRACE("colour index " + std::to_string(index));
    EXPECT_EQ(ByIndex(colors, index), RuleColor(index));
    // By layer reads the same palette through the index the object reports.
    FakeColor byLayer(host::color_method::kByLayer, index);
    EXPECT_EQ(Convert(colors, byLayer), RuleColor(index));
  }
}

TEST(acad_colors, by_rgb_gives_the_objects_own_components_whatever_its_index) {
  const AcadColors colors;
  FakeColor rgb(host::color_method::kByRGB, 256, 150, 20, 250);
  EXPECT_EQ(Convert(colors, rgb), (Rgb{150, 20, 250}));
  EXPECT_EQ(rgb.indexReads, 0);
}

TEST(acad_colors, other_methods_give_zero_without_reading_the_index) {
  const AcadColors colors;
  for (int32_t method : {host::color_method::kByBlock, host::color_method::kForeground,
                         host::color_method::kNone, int32_t{0}}) {
    FakeColor color(method, 256, 10, 20, 30);
    EXPECT_EQ(Convert(colors, color), (Rgb{0, 0, 0})) << "method " << method;
    EXPECT_EQ(color.indexReads, 0);
  }
}

TEST(acad_colors, an_index_outside_the_palette_is_a_subscript_error) {
  const AcadColors colors;
  for (int32_t method : {host::color_method::kByLayer, host::color_method::kByACI}) {
    for (int32_t index : {256, 0, -1, 1000}) {
      FakeColor color(method, index);
      for (auto convert : {&AcadColors::AcadColorToRed, &AcadColors::AcadColorToGreen,
                           &AcadColors::AcadColorToBlue}) {
        try {
          (colors.*convert)(color);
          ADD_FAILURE() << "method " << method << ", index " << index << " must fail";
        } catch (const automation::AutomationError& e) {
          EXPECT_EQ(e.number(), automation::errors::kSubscriptOutOfRange);
          EXPECT_EQ(e.description(), "Subscript out of range");
        }
      }
    }
  }
}

TEST(acad_colors, asks_the_colour_method_afresh_for_each_test) {
  const AcadColors colors;
  FakeColor byIndex(host::color_method::kByACI, 5);
  EXPECT_EQ(colors.AcadColorToBlue(byIndex), 255);
  EXPECT_EQ(byIndex.methodReads, 3);
  EXPECT_EQ(byIndex.indexReads, 1);

  FakeColor rgb(host::color_method::kByRGB, 5, 1, 2, 3);
  EXPECT_EQ(colors.AcadColorToGreen(rgb), 2);
  EXPECT_EQ(rgb.methodReads, 1);
}

}  // namespace
}  // namespace nimbo::overlay
