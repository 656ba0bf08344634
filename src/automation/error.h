// The one error type of the control: an automation error with a number, a description
// and a source, thrown as a C++ exception and trapped by the two error rules.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace nimbo::automation {

class AutomationError : public std::runtime_error {
 public:
  AutomationError(int32_t number, std::string description, std::string source = {});

  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }

  // The same error raised again by another procedure.
  AutomationError WithSource(std::string source) const;

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
};

// The run-time's standard errors, with their standard English descriptions.
namespace errors {
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kNotSupported = 438;
// What the CAD host raises when a point pick or selection is cancelled (0x80020009).
inline constexpr int32_t kUserCancelled = -2147352567;
// What the platform raises when no running application is registered under a ProgID.
inline constexpr int32_t kCannotCreateObject = 429;

// The standard description of a run-time error number, or "Application-defined or
// object-defined error" for a number the run-time does not describe.
std::string StandardDescription(int32_t number);

AutomationError Standard(int32_t number, std::string source = {});
}  // namespace errors

}  // namespace nimbo::automation
