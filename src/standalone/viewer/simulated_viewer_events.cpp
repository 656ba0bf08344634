#include "standalone/viewer/simulated_viewer_events.h"

#include <cmath>
#include <functional>
#include <limits>

#include "automation/convert.h"
#include "standalone/journal.h"

namespace nimbo::standalone {

namespace {

using automation::Variant;
using automation::VarType;

struct EventParameter {
  std::string_view name;
  VarType type;
};

// Converted arguments, by position.
struct EventArgs {
  std::vector<Variant> values;
  double D(size_t i) const { return values.at(i).AsDouble(); }
  int32_t L(size_t i) const { return values.at(i).AsLong(); }
  const std::string& S(size_t i) const { return values.at(i).AsString(); }
  automation::VBool B(size_t i) const { return values.at(i).AsBoolean(); }
};

struct ViewerEvent {
  std::string_view name;
  std::vector<EventParameter> parameters;
  std::function<void(host::ViewerEvents&, const EventArgs&)> deliver;
};

std::vector<EventParameter> Measured() {
  return {
      {"measure", VarType::Double}, {"tablename", VarType::String}, {"fieldname", VarType::String}};
}

std::vector<EventParameter> Corners() {
  std::vector<EventParameter> corners;
  for (std::string_view name : {"ULx", "ULy", "URx", "URy", "LLx", "LLy", "LRx", "LRy"}) {
    corners.push_back({name, VarType::Double});
  }
  return corners;
}

template <class... Rest>
std::vector<EventParameter> Join(std::vector<EventParameter> first, Rest... rest) {
  (first.insert(first.end(), rest.begin(), rest.end()), ...);
  return first;
}

const std::vector<ViewerEvent>& Events() {
  using E = host::ViewerEvents;
  using A = const EventArgs&;
  static const std::vector<ViewerEvent> events = {
      {"AreaMeasured", Measured(), [](E& e, A a) { e.AreaMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"BearingMeasured", Measured(), [](E& e, A a) { e.BearingMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"DistanceMeasured", Measured(),
       [](E& e, A a) { e.DistanceMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"ElevationMeasured", Measured(),
       [](E& e, A a) { e.ElevationMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"HeightMeasured", Measured(), [](E& e, A a) { e.HeightMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"LocationXMeasured", Measured(),
       [](E& e, A a) { e.LocationXMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"LocationYMeasured", Measured(),
       [](E& e, A a) { e.LocationYMeasured(a.D(0), a.S(1), a.S(2)); }},
      {"LayoutChanged", {{"layout", VarType::String}}, [](E& e, A a) { e.LayoutChanged(a.S(0)); }},
      {"ModeChanged",
       {{"mode", VarType::String}, {"viewIndex", VarType::Long}},
       [](E& e, A a) { e.ModeChanged(a.S(0), a.L(1)); }},
      {"OverlaysPermissionChanged",
       {{"accept", VarType::Boolean}},
       [](E& e, A a) { e.OverlaysPermissionChanged(a.B(0)); }},
      {"SelectedPointChanged",
       {{"X", VarType::Double}, {"Y", VarType::Double}},
       [](E& e, A a) { e.SelectedPointChanged(a.D(0), a.D(1)); }},
      {"ReloadOverlaysClicked", {}, [](E& e, A) { e.ReloadOverlaysClicked(); }},
      {"ObliqueLoaded",
       Join({{"id", VarType::String}, {"width", VarType::Long}, {"height", VarType::Long}},
            Corners(), std::vector<EventParameter>{{"viewIndex", VarType::Long}}),
       [](E& e, A a) {
         e.ObliqueLoaded(a.S(0), a.L(1), a.L(2), a.D(3), a.D(4), a.D(5), a.D(6), a.D(7), a.D(8),
                         a.D(9), a.D(10), a.L(11));
       }},
      {"ExtentChanged",
       Join(Corners(),
            std::vector<EventParameter>{
                {"X", VarType::Double}, {"Y", VarType::Double}, {"viewIndex", VarType::Long}}),
       [](E& e, A a) {
         e.ExtentChanged(a.D(0), a.D(1), a.D(2), a.D(3), a.D(4), a.D(5), a.D(6), a.D(7), a.D(8),
                         a.D(9), a.L(10));
       }},
  };
  return events;
}

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

std::string ParameterList(const ViewerEvent& event) {
  std::string list;
  for (const EventParameter& p : event.parameters) {
    if (!list.empty()) list += ", ";
    list += p.name;
  }
  return list;
}

}  // namespace

const std::vector<std::string_view>& ViewerEventNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const ViewerEvent& event : Events()) all.push_back(event.name);
    return all;
  }();
  return names;
}

void RaiseViewerEvent(SimulatedEventSinks<host::ViewerEvents>& sinks, std::string_view name,
                      const std::vector<Variant>& arguments) {
  const ViewerEvent* event = nullptr;
  for (const ViewerEvent& candidate : Events()) {
    if (candidate.name == name) event = &candidate;
  }
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
  EventArgs args;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const EventParameter& p = event->parameters[i];
    std::optional<Variant> value = ConvertArgument(arguments[i], p.type);
    if (!value) {
      throw ViewerEventError(eventName + ": argument " + std::to_string(i + 1) + " (" +
                                 std::string(p.name) + ") must be " + Expected(p.type) + ", got " +
                                 TranscriptValue(arguments[i].Value()),
                             i);
    }
    args.values.push_back(std::move(*value));
  }
  sinks.Raise([&](host::ViewerEvents& sink) { event->deliver(sink, args); });
}

}  // namespace nimbo::standalone
