#include "overlay/lineweight_width.h"

#include <array>
#include <utility>

namespace nimbo::overlay {

namespace {

constexpr int32_t kOtherWidth = 2;

constexpr std::array<std::pair<int32_t, int32_t>, 23> kWidths = {{
    {5, 3},    {9, 4},    {13, 5},   {15, 6},   {18, 7},   {20, 8},   {25, 9},   {30, 10},
    {35, 11},  {40, 12},  {50, 13},  {53, 14},  {60, 15},  {70, 16},  {80, 17},  {90, 18},
    {100, 20}, {106, 21}, {120, 22}, {140, 23}, {158, 24}, {200, 25}, {211, 26},
}};

}  // namespace

int32_t LineweightToWidth(int32_t lineweight) {
  for (const auto& [weight, width] : kWidths) {
    if (weight == lineweight) return width;
  }
  return kOtherWidth;
}

}  // namespace nimbo::overlay
