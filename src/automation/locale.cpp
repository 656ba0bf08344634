#include "automation/locale.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "automation/error.h"

namespace nimbo::automation {

const Locale& Locale::EnUs() {
  static const Locale locale("en-US", '.', DateStyle::UnitedStates);
  return locale;
}

const Locale& Locale::DeDe() {
  static const Locale locale("de-DE", ',', DateStyle::German);
  return locale;
}

const Locale* Locale::ByName(std::string_view name) {
  if (name == "en-US") return &EnUs();
  if (name == "de-DE") return &DeDe();
  return nullptr;
}

std::string Locale::NumberText(double value) const {
  if (std::isnan(value)) return "1.#QNAN";
  if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
  if (value == 0) return "0";  // negative zero too

  // Round to 15 significant digits first: the exponent that decides the form is the one
  // of the rounded value (999999999999999.9 is 1E+15).
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string text(buffer);
  const bool negative = text[0] == '-';
  const size_t ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) digits += text[i];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += decimalSeparator_;
      out += digits.substr(1);
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += exp;
  } else if (exponent < 0) {
    out += '0';
    out += decimalSeparator_;
    out += std::string(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out += digits + std::string(intDigits - digits.size(), '0');
    } else {
      out += digits.substr(0, intDigits);
      out += decimalSeparator_;
      out += digits.substr(intDigits);
    }
  }
  return out;
}

double Locale::ParseNumber(std::string_view text) const {
  auto mismatch = [] { return errors::Standard(errors::kTypeMismatch); };
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  };
  skipBlanks();
  std::string normal;  // the number in C form, for strtod
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
  bool anyDigit = false;
  bool seenSeparator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      normal += c;
      anyDigit = true;
    } else if (c == decimalSeparator_ && !seenSeparator) {
      normal += '.';
      seenSeparator = true;
    } else {
      break;
    }
  }
  if (!anyDigit) throw mismatch();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    bool expDigit = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      normal += text[i++];
      expDigit = true;
    }
    if (!expDigit) throw mismatch();
  }
  skipBlanks();
  if (i != text.size()) throw mismatch();
  const double value = std::strtod(normal.c_str(), nullptr);
  if (std::isinf(value)) throw errors::Standard(errors::kOverflow);
  return value;
}

std::string Locale::GeneralDate(const DateTime& t) const {
  char buffer[96];
  if (dateStyle_ == DateStyle::German) {
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
  } else {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::snprintf(buffer, sizeof buffer, "%d/%d/%04d %d:%02d:%02d %s", t.month, t.day, t.year,
                  hour12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
  }
  return buffer;
}

}  // namespace nimbo::automation
