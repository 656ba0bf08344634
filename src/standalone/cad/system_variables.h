// The drawing's system variables, by name (case-insensitive, kept in upper case), in order
// of definition: VIEWCTR, VIEWSIZE, PDMODE, PDSIZE, then any defined later.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace nimbo::standalone {

// The type that a system variable keeps; SetVariable converts to it.
enum class VariableType { Integer, Double, String, Point };

struct Variable {
  std::string name;  // upper case
  automation::Variant value;
  VariableType type = VariableType::Integer;
  bool readOnly = false;
};

class SystemVariables {
 public:
  SystemVariables();  // the four defaults

  const std::vector<Variable>& All() const { return variables_; }
  const Variable* Find(std::string_view name) const;  // case-insensitive
  // Stores the value as given (the caller converted it to the variable's type); a name
  // not defined yet is defined as an integer.
  void Store(std::string_view name, automation::Variant value);
  // Defines (or redefines) a variable.
  void Define(const std::string& name, automation::Variant value, VariableType type, bool readOnly);

 private:
  Variable& Named(std::string_view name);

  std::vector<Variable> variables_;
};

}  // namespace nimbo::standalone
