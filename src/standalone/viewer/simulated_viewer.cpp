#include "standalone/viewer/simulated_viewer.h"

#include "automation/error.h"
#include "standalone/viewer/simulated_viewer_dispatch.h"

namespace nimbo::standalone {

using automation::Variant;

namespace {

// The line of a call as the caller made it; the outcome is appended.
void BuildCallLine(LineText& line, const host::ViewerOperation* operation, int32_t dispid,
                   std::span<const Variant> arguments) {
  line.Clear();
  line.Append("viewer ");
  if (operation != nullptr) {
    line.Append(operation->name);
  } else {
    line.Append("DISPID ");
    AppendTranscriptNumber(line, dispid);
  }
  line.Append('(');
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line.Append(", ");
    AppendTranscriptValue(line, arguments[i]);
  }
  line.Append(')');
}

// "viewer.<Operation>", the fault plan's name of each operation, made once.
const std::string& FaultTarget(const host::ViewerOperation& operation) {
  static const std::vector<std::string> targets = host::TableByDispid<std::string>(
      [](const host::ViewerOperation& op) { return "viewer." + std::string(op.name); });
  return targets[static_cast<size_t>(operation.dispid)];
}

}  // namespace

Variant SimulatedViewer::Invoke(int32_t dispid, std::span<Variant> arguments) {
  const host::ViewerOperation* operation = host::FindViewerOperation(dispid);
  // A call may run inside another (a hook, an event raised during a call): each level
  // builds its line in its own kept buffer, which has grown once and allocates no more.
  if (depth_ == lineBuffers_.size()) lineBuffers_.push_back(std::make_unique<LineText>());
  LineText& line = *lineBuffers_[depth_];
  ++depth_;
  struct Leave {
    size_t& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  // Made before the call, so that the line shows what the caller passed.
  BuildCallLine(line, operation, dispid, arguments);
  try {
    if (operation == nullptr) {
      throw automation::errors::Standard(automation::errors::kNotSupported, "NimboViewer");
    }
    const auto slot = static_cast<size_t>(operation->dispid);
    if (callCounts_.size() <= slot) callCounts_.resize(slot + 1, 0);
    ++callCounts_[slot];
    // Nothing to convert and nothing that could change the caller's variables during the
    // call: the operation reads the arguments in place, and writing the by-reference ones
    // back would write each variable's own value into it.
    const bool inPlace = !hook_ && !writeBackHook_ && !faults_.HasCallHook() &&
                         HasParameterTypes(*operation, arguments);
    Variant result =
        inPlace ? PerformInPlace(*operation, arguments) : PerformConverted(*operation, arguments);
    if (operation->result != automation::VarType::Empty) {
      line.Append(" -> ");
      AppendTranscriptValue(line, result);
    }
    journal_.Write(line.View());
    return result;
  } catch (const automation::AutomationError& error) {
    line.Append(" -> error ");
    AppendTranscriptNumber(line, error.number());
    line.Append(' ');
    AppendTranscriptString(line, error.description());
    journal_.Write(line.View());
    throw;
  }
}

Variant SimulatedViewer::PerformInPlace(const host::ViewerOperation& operation,
                                        std::span<Variant> arguments) {
  faults_.Check(FaultTarget(operation));
  return PerformViewerOperation(model_, operation, arguments);
}

Variant SimulatedViewer::PerformConverted(const host::ViewerOperation& operation,
                                          std::span<Variant> arguments) {
  ViewerArguments converted = ConvertViewerArguments(operation, arguments);
  const std::span<Variant> values(converted.data(), converted.size());
  faults_.Check(FaultTarget(operation));
  if (hook_) hook_(operation, values);
  Variant result = PerformViewerOperation(model_, operation, values);
  if (writeBackHook_) writeBackHook_(operation, values);
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i].IsByRef()) arguments[i].Assign(values[i]);
  }
  return result;
}

int SimulatedViewer::CallCount(std::string_view operation) const {
  const host::ViewerOperation* op = host::FindViewerOperation(operation);
  if (op == nullptr) return 0;
  const auto slot = static_cast<size_t>(op->dispid);
  return slot < callCounts_.size() ? callCounts_[slot] : 0;
}

}  // namespace nimbo::standalone
