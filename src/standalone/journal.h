// The ordered account of every observable interaction of the embedded default: viewer
// calls, container-provided properties, dialogs, the person's picks and selections, the
// container's member call, and every change made to a drawing. Each entry is one line in
// the transcript's form; the replay tool adds its own step lines between them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "standalone/line_text.h"

namespace nimbo::standalone {

class Journal {
 public:
  // Receives one line at a time, without its newline.
  using Sink = std::function<void(const std::string& line)>;

  // Lines are kept end to end in one buffer, each followed by its newline, so that
  // writing one costs a copy of its bytes and no allocation of its own.
  void Write(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
    text_ += '\n';
  }
  // The number of lines held, and one of them (valid until the next Write or Clear).
  size_t Count() const { return ends_.size(); }
  std::string_view Line(size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1] + 1;
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }
  // The lines held, each followed by a newline: the transcript's text of them.
  const std::string& Text() const { return text_; }
  // The lines held as strings: all of them written since the last Clear, or, with a
  // sink, those written since the last Forward. Made on demand from the buffer (the
  // lines written since the last call are added to what it made then), for callers
  // that want them as a list; the reference is good until the next Write, Clear or
  // Forward.
  const std::vector<std::string>& Lines() const;
  void Clear();

  // With a sink, Forward hands it the lines held and lets them go, so that a long
  // transcript need not stay in memory. Writing never reaches the sink itself: the
  // sink may fail, and its failure must not surface inside a call the journal records.
  void SetSink(Sink sink) { sink_ = std::move(sink); }
  void Forward();

  // Where the journal stands now, counting forwarded lines too; Since(mark) then reads
  // what was written after it.
  size_t Mark() const { return forwarded_ + Count(); }
  // The lines written after `mark`, in order; none when the journal has since been
  // cleared below it. Raises std::logic_error for a mark before lines already forwarded.
  std::vector<std::string> Since(size_t mark) const;
  // The lines after `mark` (by default all of them) that start with `prefix`, in order.
  // Raises std::logic_error as Since does.
  std::vector<std::string> StartingWith(std::string_view prefix, size_t mark = 0) const;

 private:
  // The index of the held line at `mark`.
  size_t HeldIndex(size_t mark) const;
  void Release();  // lets the held lines go

  std::string text_;
  std::vector<size_t> ends_;                 // where each held line ends in text_ (at its newline)
  mutable std::vector<std::string> listed_;  // Lines(): the first held lines as strings
  size_t forwarded_ = 0;                     // lines handed to the sink and no longer held
  Sink sink_;
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
// The same forms appended to a line being built, which spares a string per value.
void AppendTranscriptNumber(std::string& out, double value);
void AppendTranscriptString(std::string& out, const std::string& text);
void AppendTranscriptValue(std::string& out, const automation::Variant& value);
void AppendTranscriptNumber(LineText& out, double value);
void AppendTranscriptString(LineText& out, const std::string& text);
void AppendTranscriptValue(LineText& out, const automation::Variant& value);
// A point as "(x, y, z)".
std::string TranscriptPoint(double x, double y, double z);

}  // namespace nimbo::standalone
