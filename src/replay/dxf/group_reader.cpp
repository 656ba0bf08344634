#include "replay/dxf/group_reader.h"

#include "replay/dxf/group_values.h"

namespace nimbo::replay::dxf {

ValueKind KindOfCode(int code) {
  auto in = [code](int low, int high) { return code >= low && code <= high; };
  if (code == 5 || code == 105 || in(320, 369) || in(390, 399) || in(480, 481) || code == 1005) {
    return ValueKind::Handle;
  }
  if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059)) {
    return ValueKind::Real;
  }
  if (in(60, 99) || in(160, 179) || in(270, 299) || in(370, 389) || in(400, 409) || in(420, 459) ||
      in(1060, 1071)) {
    return ValueKind::Integer;
  }
  return ValueKind::Text;
}

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : text_(text) {}
  // The next line without its line break; false at the end of the text.
  bool Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    const size_t end = text_.find('\n', at_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(at_, stop - at_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++number_;
    return true;
  }
  size_t Number() const { return number_; }

 private:
  std::string_view text_;
  size_t at_ = 0;
  size_t number_ = 0;
};

void CheckValue(int code, std::string_view value, const std::string& file, size_t line) {
  const ValueKind kind = KindOfCode(code);
  bool good = true;
  if (kind == ValueKind::Real) good = ParseReal(value).has_value();
  if (kind == ValueKind::Integer) good = ParseInteger(value).has_value();
  // Handles are hex numbers; "0" stands for none, and some writers leave them empty.
  if (kind == ValueKind::Handle) good = Trimmed(value).empty() || ParseHandle(value).has_value();
  if (!good) {
    throw DxfError(file, line + 1, code,
                   "the value \"" + std::string(value.substr(0, 40)) + "\" is not " +
                       (kind == ValueKind::Real      ? "a number"
                        : kind == ValueKind::Integer ? "an integer"
                                                     : "a handle"));
  }
}

}  // namespace

std::vector<LinedGroup> ReadGroups(std::string_view text, const std::string& file) {
  if (text.starts_with(kBinarySentinel)) {
    throw DxfError(file, 1, -1, "a binary DXF file, which the replay does not read");
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<LinedGroup> groups;
  LineSplitter lines(text);
  std::string_view codeLine;
  while (lines.Next(codeLine)) {
    const size_t line = lines.Number();
    const std::optional<int64_t> code = ParseInteger(codeLine);
    if (!code || *code < 0 || *code > 1071) {
      if (line == 1)
        throw DxfError(file, 1, -1, "not a DXF file: it does not begin with a group code");
      throw DxfError(
          file, line, -1,
          "expected a group code, found \"" + std::string(codeLine.substr(0, 40)) + "\"");
    }
    std::string_view value;
    if (!lines.Next(value)) {
      throw DxfError(file, line, static_cast<int>(*code),
                     "the file is cut short: it ends inside a group");
    }
    CheckValue(static_cast<int>(*code), value, file, line);
    groups.push_back({{static_cast<int>(*code), std::string(value)}, line});
  }
  return groups;
}

}  // namespace nimbo::replay::dxf
