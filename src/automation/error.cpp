#include "automation/error.h"

#include <utility>

namespace nimbo::automation {

AutomationError::AutomationError(int32_t number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

AutomationError AutomationError::WithSource(std::string source) const {
  return AutomationError(number_, description_, std::move(source));
}

namespace errors {

std::string StandardDescription(int32_t number) {
  switch (number) {
    case kInvalidCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kOutOfMemory:
      return "Out of memory";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kTypeMismatch:
      return "Type mismatch";
    case kObjectNotSet:
      return "Object variable or With block variable not set";
    case kInvalidUseOfNull:
      return "Invalid use of Null";
    case kNotSupported:
      return "Object doesn't support this property or method";
    case kCannotCreateObject:
      return "ActiveX component can't create object";
    default:
      return "Application-defined or object-defined error";
  }
}

AutomationError Standard(int32_t number, std::string source) {
  return AutomationError(number, StandardDescription(number), std::move(source));
}

}  // namespace errors
}  // namespace nimbo::automation
