// The shortest fixed-notation text of a double that reads back to the same double, the
// bytes std::to_chars(first, last, value, std::chars_format::fixed) writes, for the values
// a transcript writes most: finite, not whole, 1e-4 <= |value| < 1e16. Every vertex of a
// viewer call is one, and the general conversion costs several times this one there.
#pragma once

namespace nimbo::standalone {

// Room the text may need: a sign, sixteen integer digits or "0." with four zeros, up to
// twenty-one decimals and the point.
inline constexpr int kShortestFixedRoom = 48;

// Writes the text at `out` (at least kShortestFixedRoom chars) and answers its end; answers
// null, writing nothing of use, for a value outside the range above or one whose nearest
// shortest text is a tie this exact arithmetic leaves to std::to_chars.
char* WriteShortestFixed(char* out, double value);

// The arithmetic needs 128-bit integers; a compiler without them (a 32-bit target) leaves
// every value to std::to_chars.
#if defined(__SIZEOF_INT128__)
inline constexpr bool kShortestFixedWritesAny = true;
#else
inline constexpr bool kShortestFixedWritesAny = false;
#endif

}  // namespace nimbo::standalone
