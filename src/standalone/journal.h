// The ordered account of every observable interaction of the embedded default: viewer
// calls, container-provided properties, dialogs, the person's picks and selections, the
// container's member call, and every change made to a drawing. Each entry is one line in
// the transcript's form; the replay tool adds its own step lines between them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace nimbo::standalone {

class Journal {
 public:
  void Write(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

  // Where the journal stands now; Since(mark) then reads what was written after it.
  size_t Mark() const { return lines_.size(); }
  // The lines written after `mark`, in order; none when the journal has since been
  // cleared below it.
  std::vector<std::string> Since(size_t mark) const;
  // The lines after `mark` (by default all of them) that start with `prefix`, in order.
  std::vector<std::string> StartingWith(std::string_view prefix, size_t mark = 0) const;

 private:
  std::vector<std::string> lines_;
};

// Transcript forms of values.
// A whole value below 1e16 in magnitude as an integer; otherwise the shortest text that
// reads back to the same double, fixed for 1e-4 <= |x| < 1e16, else exponent (1e-05).
std::string TranscriptNumber(double value);
// JSON-quoted.
std::string TranscriptString(const std::string& text);
// An argument or result: strings quoted, Booleans True/False, numbers as above, a
// by-reference argument prefixed with &.
std::string TranscriptValue(const automation::Variant& value);
// A point as "(x, y, z)".
std::string TranscriptPoint(double x, double y, double z);

}  // namespace nimbo::standalone
