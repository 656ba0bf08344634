// The transcript's own shortest fixed-notation conversion writes the bytes std::to_chars
// writes, over every kind of double it takes, and refuses those it does not.
#include "standalone/shortest_fixed.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "standalone/journal.h"

namespace nimbo::standalone::testing {
namespace {

bool Takes(double value) {
  const double magnitude = std::fabs(value);
  return std::isfinite(value) && value != std::trunc(value) && magnitude >= 1e-4 &&
         magnitude < 1e16;
}

std::string Library(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return std::string(text, result.ptr);
}

// Empty when the value was refused.
std::string Ours(double value) {
  char text[kShortestFixedRoom];
  char* end = WriteShortestFixed(text, value);
  return end == nullptr ? std::string() : std::string(text, end);
}

// Compares a value and its negation, ours where it answers and the transcript's form
// (which falls back to the library) always; counts those compared and those refused.
int refused = 0;
int Compare(double value, std::vector<std::string>& differences) {
  int compared = 0;
  for (double v : {value, -value}) {
    if (!Takes(v)) continue;
    ++compared;
    const std::string library = Library(v);
    std::string ours = Ours(v);
    if (ours.empty()) {
      ++refused;
      ours = TranscriptNumber(v);
    }
    if (ours != library && differences.size() < 10) {
      differences.push_back(library + " written as \"" + ours + "\"");
    }
  }
  return compared;
}

TEST(ShortestFixed, writes_the_bytes_of_to_chars_over_every_kind_of_double) {
  std::vector<std::string> differences;
  int compared = 0;
  // The edges: the range's ends, halves and ties, a sum that is not what it reads, values
  // next to powers of two (where the gap below is half the gap above) and to powers of ten.
  for (double v : {0.1 + 0.2, 0.5, 0.25, 0.125, 1.5, 2.5, 0.1, 0.3, 1e-4, 1.0000000000000002e-4,
                   9.999999999999999e15 - 0.5, 4503599627370495.5, 2251799813685247.75,
                   754477777668265.75, 14556760178388.1875, 1.0 / 3.0, 2.0 / 3.0}) {
    compared += Compare(v, differences);
  }
  for (int exponent = -14; exponent <= 53; ++exponent) {
    for (double start : {std::ldexp(1.0, exponent), std::pow(10.0, exponent / 4)}) {
      double down = start;
      double up = start;
      for (int step = 0; step < 40; ++step) {
        compared += Compare(down, differences) + Compare(up, differences);
        down = std::nextafter(down, 0.0);
        up = std::nextafter(up, 1e300);
      }
    }
  }
  // Random significands at every scale of the range, random bit patterns, and decimals of
  // a few digits as coordinates are typed.
  std::mt19937_64 random(13);
  for (int i = 0; i < 300'000; ++i) {
    const auto significand = static_cast<double>(random() >> 11);
    compared += Compare(std::ldexp(significand, -static_cast<int>(random() % 67)), differences);
    compared += Compare(std::bit_cast<double>(random()), differences);
    const auto digits = static_cast<double>(random() % 100'000'000);
    compared += Compare(digits / std::pow(10.0, static_cast<double>(random() % 12)), differences);
  }
  EXPECT_GT(compared, 600'000);
  // What the library is left to: ties and tiny values (everything, without 128 bits).
  if (kShortestFixedWritesAny) {
    EXPECT_LT(refused, compared / 20);
  }
  EXPECT_TRUE(differences.empty()) << differences.size() << " differ, first: " << differences[0];
}

TEST(ShortestFixed, refuses_what_it_does_not_take_and_the_transcript_writes_it_still) {
  const double denormal = std::numeric_limits<double>::denorm_min();
  for (double v :
       {0.0, -0.0, 3.0, -7.0, 1e16 + 2, 1e21, 9.99e-5, denormal, -denormal,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(Ours(v), "") << Library(v);
  }
  // The transcript's forms around it: whole numbers as integers, the rest in exponent form.
  EXPECT_EQ(TranscriptNumber(-0.0), "0");
  EXPECT_EQ(TranscriptNumber(3.0), "3");
  EXPECT_EQ(TranscriptNumber(1e21), "1e+21");
  EXPECT_EQ(TranscriptNumber(9.99e-5), "9.99e-05");
  EXPECT_EQ(TranscriptNumber(denormal), "5e-324");
  EXPECT_EQ(TranscriptNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(TranscriptNumber(-1234.5), "-1234.5");
}

}  // namespace
}  // namespace nimbo::standalone::testing
