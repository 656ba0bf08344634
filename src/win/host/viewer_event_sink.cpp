#include "win/host/viewer_event_sink.h"

#include <vector>

#include "automation/convert.h"
#include "automation/error.h"

namespace nimbo::win::host {

namespace {

using automation::Variant;
using automation::VarType;

// A value of the parameter's type. A viewer may pass an event's number in another width
// (a Long as an Integer) or by reference; text is never made from a number here.
Variant Fit(const Variant& argument, VarType type) {
  Variant value = argument.Value();
  if (value.Type() == type) return value;
  switch (type) {
    case VarType::Long:
      if (value.Type() == VarType::Integer) return Variant(automation::ToLong(value));
      break;
    case VarType::Double:
      if (value.Type() == VarType::Integer || value.Type() == VarType::Long) {
        return Variant(automation::ToDouble(value));
      }
      break;
    default:
      break;
  }
  throw automation::errors::Standard(automation::errors::kTypeMismatch);
}

}  // namespace

com::ComPtr<com::TableDispatch> MakeViewerEventSink(
    REFIID eventInterface, const std::map<DISPID, const nimbo::host::ViewerEvent*>& events,
    nimbo::host::ViewerEvents& sink) {
  com::DispatchDescription description;
  description.interfaceId = eventInterface;
  for (const auto& [dispid, event] : events) {
    const nimbo::host::ViewerEvent* known = event;
    description.members.push_back(
        {std::string(known->name), dispid, [known, &sink](std::span<Variant> arguments) {
           if (arguments.size() != known->parameters.size()) {
             throw automation::errors::Standard(automation::errors::kTypeMismatch);
           }
           std::vector<Variant> values;
           values.reserve(arguments.size());
           for (size_t i = 0; i < arguments.size(); ++i) {
             values.push_back(Fit(arguments[i], known->parameters[i].type));
           }
           sink.OnViewerEvent(*known, values);
           return Variant();
         }});
  }
  return com::TableDispatch::Create(std::move(description));
}

}  // namespace nimbo::win::host
