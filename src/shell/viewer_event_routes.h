// How a viewer event reaches a typed handler. The event table in host/ holds each event's
// arguments once; a handler is an ordinary member function (`void vnvEvents_ModeChanged(
// const std::string& mode, int32_t viewIndex)`), and a route binds the two: it reads the
// arguments by the handler's own parameter types, and RouteTo refuses at compile time a
// handler whose parameters are not the table's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_events.h"

namespace nimbo::shell {

// A handler parameter's type as the event table spells it, and how to read it.
template <class T>
struct EventArgument;
template <>
struct EventArgument<double> {
  static constexpr automation::VarType kType = automation::VarType::Double;
  static double From(const automation::Variant& v) { return v.AsDouble(); }
};
template <>
struct EventArgument<int32_t> {
  static constexpr automation::VarType kType = automation::VarType::Long;
  static int32_t From(const automation::Variant& v) { return v.AsLong(); }
};
template <>
struct EventArgument<std::string> {
  static constexpr automation::VarType kType = automation::VarType::String;
  static const std::string& From(const automation::Variant& v) { return v.AsString(); }
};
template <>
struct EventArgument<automation::VBool> {
  static constexpr automation::VarType kType = automation::VarType::Boolean;
  static automation::VBool From(const automation::Variant& v) { return v.AsBoolean(); }
};

template <auto Handler>
struct HandlerOf;
template <class Target, class... Parameters, void (Target::*Handler)(Parameters...)>
struct HandlerOf<Handler> {
  using TargetType = Target;

  // The handler takes the event's arguments: as many, each of its parameter's type.
  static constexpr bool Takes(const host::ViewerEvent& event) {
    constexpr std::array<automation::VarType, sizeof...(Parameters)> types = {
        EventArgument<std::remove_cvref_t<Parameters>>::kType...};
    if (event.parameters.size() != types.size()) return false;
    for (size_t i = 0; i < types.size(); ++i) {
      if (event.parameters[i].type != types[i]) return false;
    }
    return true;
  }

  // The arguments must fit the event (host::ArgumentsFitEvent).
  static void Deliver(Target& target, const std::vector<automation::Variant>& arguments) {
    [&]<size_t... I>(std::index_sequence<I...>) {
      (target.*Handler)(EventArgument<std::remove_cvref_t<Parameters>>::From(arguments[I])...);
    }
    (std::index_sequence_for<Parameters...>{});
  }
};

template <class Target>
struct EventRoute {
  std::string_view event;
  bool handlerTakesArguments = false;
  void (*deliver)(Target&, const std::vector<automation::Variant>&) = nullptr;
};

// The route of the named event to Handler; an unknown name does not compile.
template <auto Handler>
consteval EventRoute<typename HandlerOf<Handler>::TargetType> RouteTo(std::string_view event) {
  return {event, HandlerOf<Handler>::Takes(*host::FindViewerEvent(event)),
          &HandlerOf<Handler>::Deliver};
}

// Every event of the table has exactly one route, and every route's handler takes its
// event's arguments.
template <class Target, size_t N>
constexpr bool RoutesCoverEvents(const std::array<EventRoute<Target>, N>& routes) {
  if (N != host::kViewerEvents.size()) return false;
  for (const host::ViewerEvent& event : host::kViewerEvents) {
    int found = 0;
    for (const EventRoute<Target>& route : routes) {
      if (route.event != event.name) continue;
      if (!route.handlerTakesArguments) return false;
      ++found;
    }
    if (found != 1) return false;
  }
  return true;
}

}  // namespace nimbo::shell
