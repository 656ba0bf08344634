#include "replay/sweep/fault_sweep_reports.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "shell/dock_control.h"
#include "standalone/journal.h"

namespace nimbo::replay::sweep {

using standalone::TranscriptString;

namespace {

// The JSON-quoted string that starts at `at`, and the position after it.
std::optional<std::pair<std::string, size_t>> QuotedAt(const std::string& line, size_t at) {
  if (at >= line.size() || line[at] != '"') return std::nullopt;
  for (size_t i = at + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return std::make_pair(line.substr(at, i + 1 - at), i + 1);
    }
  }
  return std::nullopt;
}

// `dialog message "<error text>" caption "<caption>"` and nothing after it: a box whose
// own call failed carries ` -> error ...` and was not shown.
bool IsShownReportBox(const std::string& line) {
  const std::string_view prefix = "dialog message ";
  if (line.rfind(prefix, 0) != 0) return false;
  const auto text = QuotedAt(line, prefix.size());
  if (!text) return false;
  if (text->first.rfind("\"Exception: ", 0) != 0 &&
      text->first.rfind("\"UserControl_Show error ", 0) != 0) {
    return false;
  }
  const std::string_view caption = " caption ";
  if (line.compare(text->second, caption.size(), caption) != 0) return false;
  const auto captionText = QuotedAt(line, text->second + caption.size());
  return captionText && captionText->second == line.size();
}

bool IsCallerFailure(const std::string& line) {
  return line.rfind("caller ", 0) == 0 && line.find(" -> error ") != std::string::npos;
}

std::string Box(const std::string& text) {
  return "dialog message " + TranscriptString(text) + " caption " +
         TranscriptString(shell::kLibraryName);
}

}  // namespace

std::vector<std::string> Reports(const std::vector<std::string>& lines) {
  std::vector<std::string> reports;
  for (const std::string& line : lines) {
    if (IsShownReportBox(line) || IsCallerFailure(line)) reports.push_back(line);
  }
  return reports;
}

bool HasReportBox(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(), IsShownReportBox);
}

std::vector<std::string> ExpectedReports(const Expectation& e, int32_t number,
                                         const std::string& description,
                                         const std::vector<std::string>& withoutFailure) {
  const std::string n = std::to_string(number);
  switch (e.delivery) {
    case Delivery::HandlerMessage:
      return {Box("Exception: " + e.entry + " " + n + ", " + description + ", " + e.source)};
    case Delivery::ShowMessage:
      return {Box("UserControl_Show error " + description + " " + e.source)};
    case Delivery::Caller:
      return {"caller " + e.entry + " -> error " + n + " " + TranscriptString(description) +
              " source " + TranscriptString(e.source)};
    case Delivery::Silent:
      return withoutFailure;
  }
  return {};
}

std::string Listed(const std::vector<std::string>& reports) {
  if (reports.empty()) return "nothing";
  std::string text;
  for (const std::string& report : reports) text += (text.empty() ? "" : " | ") + report;
  return text;
}

}  // namespace nimbo::replay::sweep
