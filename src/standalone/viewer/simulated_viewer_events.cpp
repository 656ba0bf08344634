#include "standalone/viewer/simulated_viewer_events.h"

#include <cmath>
#include <limits>

#include "automation/convert.h"
#include "standalone/journal.h"

namespace nimbo::standalone {

namespace {

using automation::Variant;
using automation::VarType;

bool IsNumber(VarType type) {
  return type == VarType::Integer || type == VarType::Long || type == VarType::Double;
}

// The argument in the parameter's type, or nothing when it has another kind.
std::optional<Variant> ConvertArgument(const Variant& argument, VarType type) {
  const Variant v = argument.Value();
  switch (type) {
    case VarType::Double:
      if (IsNumber(v.Type())) return Variant(automation::ToDouble(v));
      return std::nullopt;
    case VarType::Long: {
      if (v.Type() == VarType::Long) return v;
      if (v.Type() == VarType::Integer) return Variant(int32_t{v.AsInteger()});
      if (v.Type() != VarType::Double) return std::nullopt;
      const double d = v.AsDouble();
      if (d != std::trunc(d) || d < std::numeric_limits<int32_t>::min() ||
          d > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
      }
      return Variant(static_cast<int32_t>(d));
    }
    case VarType::String:
      if (v.Type() == VarType::String) return v;
      return std::nullopt;
    case VarType::Boolean:
      if (v.Type() == VarType::Boolean) return v;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

const char* Expected(VarType type) {
  switch (type) {
    case VarType::Double:
      return "a number";
    case VarType::Long:
      return "a whole number from -2147483648 to 2147483647";
    case VarType::String:
      return "a string";
    case VarType::Boolean:
      return "true or false";
    default:
      return "?";
  }
}

std::string ParameterList(const host::ViewerEvent& event) {
  std::string list;
  for (const host::ViewerEventParameter& p : event.parameters) {
    if (!list.empty()) list += ", ";
    list += p.name;
  }
  return list;
}

}  // namespace

const std::vector<std::string_view>& ViewerEventNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const host::ViewerEvent& event : host::kViewerEvents) all.push_back(event.name);
    return all;
  }();
  return names;
}

void RaiseViewerEvent(SimulatedEventSinks<host::ViewerEvents>& sinks, std::string_view name,
                      const std::vector<Variant>& arguments) {
  const host::ViewerEvent* event = host::FindViewerEvent(name);
  if (event == nullptr) {
    throw ViewerEventError("unknown viewer event \"" + std::string(name) + "\"", std::nullopt);
  }
  const std::string eventName(event->name);
  if (arguments.size() != event->parameters.size()) {
    throw ViewerEventError(eventName + " takes " + std::to_string(event->parameters.size()) +
                               " arguments (" + ParameterList(*event) + "), got " +
                               std::to_string(arguments.size()),
                           std::nullopt);
  }
  std::vector<Variant> values;
  values.reserve(arguments.size());
  for (size_t i = 0; i < arguments.size(); ++i) {
    const host::ViewerEventParameter& p = event->parameters[i];
    std::optional<Variant> value = ConvertArgument(arguments[i], p.type);
    if (!value) {
      throw ViewerEventError(eventName + ": argument " + std::to_string(i + 1) + " (" +
                                 std::string(p.name) + ") must be " + Expected(p.type) + ", got " +
                                 TranscriptValue(arguments[i].Value()),
                             i);
    }
    values.push_back(std::move(*value));
  }
  sinks.Raise([&](host::ViewerEvents& sink) { sink.OnViewerEvent(*event, values); });
}

}  // namespace nimbo::standalone
