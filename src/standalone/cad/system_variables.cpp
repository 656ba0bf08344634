#include "standalone/cad/system_variables.h"

#include <utility>

#include "standalone/cad/name_key.h"

namespace nimbo::standalone {

SystemVariables::SystemVariables() {
  using automation::DoubleArray;
  variables_.push_back({"VIEWCTR", DoubleArray{0, {0, 0, 0}}, VariableType::Point, true});
  variables_.push_back({"VIEWSIZE", 100.0, VariableType::Double, true});
  variables_.push_back({"PDMODE", int16_t{0}, VariableType::Integer, false});
  variables_.push_back({"PDSIZE", int16_t{0}, VariableType::Integer, false});
}

const Variable* SystemVariables::Find(std::string_view name) const {
  const std::string key = NameKey(name);
  for (const Variable& v : variables_) {
    if (v.name == key) return &v;
  }
  return nullptr;
}

Variable& SystemVariables::Named(std::string_view name) {
  const std::string key = NameKey(name);
  for (Variable& v : variables_) {
    if (v.name == key) return v;
  }
  variables_.push_back(Variable{key, automation::Variant(), VariableType::Integer, false});
  return variables_.back();
}

void SystemVariables::Store(std::string_view name, automation::Variant value) {
  Named(name).value = std::move(value);
}

void SystemVariables::Define(const std::string& name, automation::Variant value, VariableType type,
                             bool readOnly) {
  Variable& v = Named(name);
  v.value = std::move(value);
  v.type = type;
  v.readOnly = readOnly;
}

}  // namespace nimbo::standalone
