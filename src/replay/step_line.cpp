#include "replay/step_line.h"

#include "standalone/journal.h"

namespace nimbo::replay {

namespace {

using standalone::TranscriptNumber;
using standalone::TranscriptString;

// What follows the kind, with its leading blank; nothing for a step that names nothing.
struct Details {
  std::string operator()(const ShowStep&) const { return ""; }
  std::string operator()(const ResizeStep& s) const {
    return " " + TranscriptNumber(s.width) + " " + TranscriptNumber(s.height);
  }
  std::string operator()(const DockStep&) const { return ""; }
  std::string operator()(const ActivateStep& s) const { return " " + TranscriptString(s.document); }
  std::string operator()(const CloseDocumentStep& s) const {
    return " " + TranscriptString(s.document);
  }
  std::string operator()(const TerminateStep&) const { return ""; }
  std::string operator()(const EventStep& s) const { return " " + s.event; }
  std::string operator()(const CommandStep& s) const {
    std::string out = " " + TranscriptString(s.name);
    if (s.viewCenter) {
      out += " viewCenter (" + TranscriptNumber(s.viewCenter->x) + ", " +
             TranscriptNumber(s.viewCenter->y) + ")";
    }
    if (s.viewSize) out += " viewSize " + TranscriptNumber(*s.viewSize);
    return out;
  }
  std::string operator()(const ClickStep&) const { return ""; }
  std::string operator()(const CallStep& s) const {
    return " " + s.method + " " + TranscriptString(s.layername);
  }
  std::string operator()(const ViewerStep&) const { return ""; }
  std::string operator()(const FailStep& s) const {
    std::string out = " " + s.target + " error " + std::to_string(s.number) + " " +
                      TranscriptString(s.description);
    if (s.after != 0) out += " after " + std::to_string(s.after);
    if (s.times != 1) out += " times " + std::to_string(s.times);
    return out;
  }
};

}  // namespace

std::string StepLine(size_t number, const StepAction& action) {
  return "step " + std::to_string(number) + " " + StepKind(action) + std::visit(Details{}, action);
}

}  // namespace nimbo::replay
