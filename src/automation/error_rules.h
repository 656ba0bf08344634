// The two error rules every procedure and handler of the control follows. No procedure
// writes its own try/catch for them.
//
// Re-raise rule: a procedure traps any error, stops, and raises it again with the same
// number and description and its own name as source. C++ failures become the run-time
// errors the rules expect: out-of-range 9, overflow 6, allocation failure 7.
//
// Handler message rule: a handler traps any error and shows one message; the text is
// built by HandlerMessageText. Some handlers show nothing for particular numbers.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "automation/error.h"

namespace nimbo::automation {

// The pending error as an automation error, whatever was thrown.
AutomationError CurrentError();

// Runs body; any error leaves with the same number and description and `source`.
template <class Body>
decltype(auto) Reraise(std::string_view source, Body&& body) {
  try {
    return body();
  } catch (...) {
    throw CurrentError().WithSource(std::string(source));
  }
}

// "Exception: <handler> <number>, <description>, <source>".
std::string HandlerMessageText(std::string_view handler, const AutomationError& error);

// Runs body; on an error answers the message the handler must show, or nothing when the
// error's number is one the handler keeps silent about.
template <class Body>
std::optional<std::string> TrapForHandler(std::string_view handler, Body&& body,
                                          std::initializer_list<int32_t> silentNumbers = {}) {
  try {
    body();
    return std::nullopt;
  } catch (...) {
    AutomationError error = CurrentError();
    for (int32_t silent : silentNumbers) {
      if (error.number() == silent) return std::nullopt;
    }
    return HandlerMessageText(handler, error);
  }
}

// Runs body and swallows every error (for operations that end silently).
template <class Body>
bool TrapSilently(Body&& body) {
  try {
    body();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace nimbo::automation
