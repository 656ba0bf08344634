#include "automation/error_rules.h"

#include <new>
#include <stdexcept>

namespace nimbo::automation {

AutomationError CurrentError() {
  try {
    throw;
  } catch (const AutomationError& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return errors::Standard(errors::kOutOfMemory);
  } catch (const std::out_of_range&) {
    return errors::Standard(errors::kSubscriptOutOfRange);
  } catch (const std::overflow_error&) {
    return errors::Standard(errors::kOverflow);
  } catch (const std::length_error&) {
    return errors::Standard(errors::kOutOfMemory);
  } catch (const std::exception& e) {
    return AutomationError(errors::kInvalidCall, e.what());
  } catch (...) {
    return errors::Standard(errors::kInvalidCall);
  }
}

std::string HandlerMessageText(std::string_view handler, const AutomationError& error) {
  std::string text = "Exception: ";
  text += handler;
  text += ' ';
  text += std::to_string(error.number());
  text += ", ";
  text += error.description();
  text += ", ";
  text += error.source();
  return text;
}

}  // namespace nimbo::automation
