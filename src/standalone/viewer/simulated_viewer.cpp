#include "standalone/viewer/simulated_viewer.h"

#include "automation/error.h"
#include "standalone/viewer/simulated_viewer_dispatch.h"

namespace nimbo::standalone {

using automation::Variant;

namespace {

std::string CallText(const host::ViewerOperation* operation, int32_t dispid,
                     const std::vector<Variant>& arguments) {
  std::string text = "viewer ";
  text += operation != nullptr ? std::string(operation->name) : "DISPID " + std::to_string(dispid);
  text += "(";
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += ", ";
    text += TranscriptValue(arguments[i]);
  }
  return text + ")";
}

}  // namespace

Variant SimulatedViewer::Invoke(int32_t dispid, std::vector<Variant>& arguments) {
  const host::ViewerOperation* operation = host::FindViewerOperation(dispid);
  // Written before the call, so that the line shows what the caller passed.
  const std::string call = CallText(operation, dispid, arguments);
  try {
    if (operation == nullptr) {
      throw automation::errors::Standard(automation::errors::kNotSupported, "NimboViewer");
    }
    ++callCounts_[std::string(operation->name)];
    std::vector<Variant> values = ConvertViewerArguments(*operation, arguments);
    faults_.Check("viewer." + std::string(operation->name));
    if (hook_) hook_(*operation, values);
    Variant result = PerformViewerOperation(model_, *operation, values);
    if (writeBackHook_) writeBackHook_(*operation, values);
    for (size_t i = 0; i < arguments.size(); ++i) {
      if (arguments[i].IsByRef()) arguments[i].Assign(values[i]);
    }
    journal_.Write(operation->result == automation::VarType::Empty
                       ? call
                       : call + " -> " + TranscriptValue(result));
    return result;
  } catch (const automation::AutomationError& error) {
    journal_.Write(call + " -> error " + std::to_string(error.number()) + " " +
                   TranscriptString(error.description()));
    throw;
  }
}

int SimulatedViewer::CallCount(std::string_view operation) const {
  auto it = callCounts_.find(operation);
  return it == callCounts_.end() ? 0 : it->second;
}

}  // namespace nimbo::standalone
