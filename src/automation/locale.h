// The user's regional settings as far as the control depends on them: the general
// number-to-text conversion (the measure text), the parsing of typed numbers, and the
// general date text. Injected, never read from the machine.
#pragma once

#include <string>
#include <string_view>

#include "automation/clock.h"

namespace nimbo::automation {

class Locale {
 public:
  static const Locale& EnUs();
  static const Locale& DeDe();
  // The locale of the given name ("en-US", "de-DE"), or nullptr when unknown.
  static const Locale* ByName(std::string_view name);

  const std::string& Name() const { return name_; }
  char DecimalSeparator() const { return decimalSeparator_; }

  // Up to 15 significant digits, no trailing zeros, the decimal separator, no grouping;
  // exponent form (1E+15, -1E-05) outside 1E-04 <= |x| < 1E+15.
  std::string NumberText(double value) const;

  // A typed number: optional blanks and sign, digits with at most one decimal separator,
  // an optional exponent. Anything else raises the type-mismatch error (13).
  double ParseNumber(std::string_view text) const;

  // en-US "12/7/2026 10:15:30 AM", de-DE "07.12.2026 10:15:30".
  std::string GeneralDate(const DateTime& time) const;

 private:
  enum class DateStyle { UnitedStates, German };
  Locale(std::string name, char decimalSeparator, DateStyle dateStyle)
      : name_(std::move(name)), decimalSeparator_(decimalSeparator), dateStyle_(dateStyle) {}

  std::string name_;
  char decimalSeparator_;
  DateStyle dateStyle_;
};

}  // namespace nimbo::automation
