// Writes a DXF file's groups: the code on one line, the value on the next. Numbers are
// written the same on every platform and in every locale (the shortest text that reads back
// to the same double), and texts in the encoding of the file's version.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/cad.h"
#include "replay/dxf/dxf_drawing.h"

namespace nimbo::replay::dxf {

// How the file holds text beyond ASCII: as UTF-8 (AutoCAD 2007 and later) or, before, in
// the code page ANSI_1252 (Windows-1252), with `\U+XXXX` escapes for what it lacks, as a
// CAD application writes it (ezdxf, for one, takes escapes in names for invalid names).
enum class TextEncoding { Utf8, UnicodeEscapes };

// "1000.0", "0.25", "1e+20": the shortest text that reads back to the same double, with a
// point when it would otherwise read as an integer.
std::string FormatReal(double value);
// The value as the file holds it: UTF-8 escaped as the encoding says, and line breaks and
// other control characters in caret form (^J), since a value is one line.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

class GroupWriter {
 public:
  explicit GroupWriter(TextEncoding encoding) : encoding_(encoding) {}

  void Text(int code, std::string_view value);
  void Real(int code, double value);
  void Integer(int code, int64_t value);
  void Handle(int code, uint64_t handle);
  // The point's x, y and z under `code`, `code + 10` and `code + 20`.
  void Point(int code, const host::Point3& point);
  void Point2(int code, double x, double y);
  // A group as read: written as it was, but for text beyond ASCII in a file that escapes it.
  void Raw(const Group& group);
  void Raw(const RawObject& groups);
  void Append(const GroupWriter& other);

  TextEncoding Encoding() const { return encoding_; }
  // The highest handle written so far (in 5 and 105 groups), 0 for none.
  uint64_t HighestHandle() const { return highest_; }
  const std::string& Out() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  void Code(int code);
  void Note(int code, std::string_view value);

  TextEncoding encoding_;
  std::string out_;
  uint64_t highest_ = 0;
};

}  // namespace nimbo::replay::dxf
