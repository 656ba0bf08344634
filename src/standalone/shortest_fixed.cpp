#include "standalone/shortest_fixed.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace nimbo::standalone {

#if defined(__SIZEOF_INT128__)

namespace {

// The value is m / 2^k exactly (m the 53-bit significand, k >= 1 as it is not whole).
// Scaled by 10^d with 10^d > 2^k, the doubles that read back as it span more than one,
// so they hold a d-decimal number: from there decimals are dropped while some number with
// one decimal fewer still reads back. 128 bits hold every product: 2^55 times 10^19.
__extension__ using Wide = unsigned __int128;

constexpr int kWidestPower = 19;  // 10^19 is the last power of ten in 64 bits

constexpr std::array<uint64_t, kWidestPower + 1> kPowersOfTen = [] {
  std::array<uint64_t, kWidestPower + 1> powers{};
  uint64_t power = 1;
  for (uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// Eight digits of `chunk` (below 10^8) as ASCII, most significant first, all at once:
// the halves, quarters and digits split in parallel lanes of one 64-bit word.
void WriteEightDigits(char* out, uint32_t chunk) {
  const uint64_t merged = (chunk / 10000) | (uint64_t{chunk % 10000} << 32);
  const uint64_t hundreds = ((merged * 10486) >> 20) & ((uint64_t{0x7F} << 32) | 0x7F);
  const uint64_t pairs = ((merged - 100 * hundreds) << 16) + hundreds;
  uint64_t tens = (pairs * 103) >> 10;
  tens &= (uint64_t{0xF} << 48) | (uint64_t{0xF} << 32) | (uint64_t{0xF} << 16) | 0xF;
  tens += (pairs - 10 * tens) << 8;
  const uint64_t text = tens + 0x3030303030303030;
  std::memcpy(out, &text, 8);
}

// `number` as 24 digits, leading zeros included.
void WriteTwentyFourDigits(char* out, uint64_t number) {
  constexpr uint64_t kChunk = 100'000'000;
  WriteEightDigits(out + 16, static_cast<uint32_t>(number % kChunk));
  number /= kChunk;
  WriteEightDigits(out + 8, static_cast<uint32_t>(number % kChunk));
  WriteEightDigits(out, static_cast<uint32_t>(number / kChunk));
}

int DigitCount(uint64_t number) {
  // From the bit width, then one correction: 1233 / 4096 is just above log10(2).
  number |= 1;  // zero has one digit, as one has
  const auto estimate = static_cast<int>((std::bit_width(number) * 1233) >> 12);
  return estimate + (number >= kPowersOfTen[static_cast<size_t>(estimate)] ? 1 : 0);
}

}  // namespace

char* WriteShortestFixed(char* out, double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  const int exponentField = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  // Subnormals, infinities and NaN lie outside the range.
  if (exponentField == 0 || exponentField == 0x7FF) return nullptr;
  const uint64_t significand = fraction | (uint64_t{1} << 52);
  const int binaryDecimals = 1075 - exponentField;  // k
  if (binaryDecimals < 1 || !(std::fabs(value) >= 1e-4)) return nullptr;
  if (binaryDecimals <= 52 && (significand & ((uint64_t{1} << binaryDecimals) - 1)) == 0) {
    return nullptr;  // whole
  }
  // floor(k log10 2) + 1; 315653 / 2^20 is log10(2) to well within what k up to 66 needs.
  const int startDecimals = (binaryDecimals * 315653 >> 20) + 1;
  if (startDecimals > kWidestPower) return nullptr;
  const uint64_t power = kPowersOfTen[static_cast<size_t>(startDecimals)];

  // In units of 2^-(k+2) the value is 4m; the doubles that read back as it lie within two
  // units of it, or one below it just above a power of two, where the gap below is half
  // the gap above. The ends belong to it when m is even: reading rounds a tie to even.
  const int shift = binaryDecimals + 2;
  const Wide unit = Wide{1} << shift;
  const bool narrowBelow = fraction == 0 && exponentField > 1;
  const bool closed = (significand & 1) == 0;
  const Wide scaled = Wide{significand * 4} * power;
  const Wide low = scaled - (narrowBelow ? Wide{power} : 2 * Wide{power});
  const Wide high = scaled + 2 * Wide{power};
  // The least and greatest d-decimal numbers that read back, times 10^d; below 2^57.
  uint64_t least = static_cast<uint64_t>(low >> shift);
  if ((low & (unit - 1)) != 0 || !closed) ++least;
  uint64_t greatest = static_cast<uint64_t>((closed ? high : high - 1) >> shift);
  if (least > greatest) return nullptr;  // narrow below: left to the general conversion

  int dropped = 0;
  while (startDecimals - dropped > 1 && (least + 9) / 10 <= greatest / 10) {
    least = (least + 9) / 10;
    greatest /= 10;
    ++dropped;
  }
  const int decimals = startDecimals - dropped;

  // Of the numbers with that many decimals, the nearest to the value; of two as near, the
  // even one, as std::to_chars resolves the tie.
  const auto whole = static_cast<uint64_t>(scaled >> shift);
  const Wide rest = scaled & (unit - 1);
  uint64_t digits = whole;
  bool up = false;
  if (dropped == 0) {
    const Wide half = unit >> 1;
    up = rest > half || (rest == half && (whole & 1) != 0);
  } else {
    const uint64_t divisor = kPowersOfTen[static_cast<size_t>(dropped)];
    digits = whole / divisor;
    const uint64_t remainder = whole % divisor;
    const uint64_t half = divisor / 2;
    up = remainder > half || (remainder == half && (rest != 0 || (digits & 1) != 0));
  }
  if (up) ++digits;
  if (digits < least || digits > greatest) return nullptr;
  if (digits % 10 == 0) return nullptr;  // cannot be the fewest decimals; never expected

  // The integer part is the value's own: rounding the last decimal cannot carry into it,
  // as that would leave only zeros after the point.
  const uint64_t integerPart = binaryDecimals < 53 ? significand >> binaryDecimals : 0;
  const int integerDigits = DigitCount(integerPart);
  if (integerDigits + decimals > 24) return nullptr;  // more than 17 digits; never expected
  // All digits, then the integer ones and the decimals copied on either side of the point
  // in fixed-size moves; the room past the end takes what they carry beyond it.
  char digitText[48] = {};
  WriteTwentyFourDigits(digitText, digits);
  const char* first = digitText + 24 - integerDigits - decimals;
  if (value < 0) *out++ = '-';
  std::memcpy(out, first, 24);
  out[integerDigits] = '.';
  std::memcpy(out + integerDigits + 1, first + integerDigits, 24);
  return out + integerDigits + 1 + decimals;
}

#else

char* WriteShortestFixed(char* /*out*/, double /*value*/) {
  return nullptr;
}

#endif

}  // namespace nimbo::standalone
