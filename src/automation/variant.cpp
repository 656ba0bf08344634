#include "automation/variant.h"

#include "automation/convert.h"
#include "automation/error.h"

namespace nimbo::automation {

bool operator==(const VariantArray& a, const VariantArray& b) {
  return a.lowerBound == b.lowerBound && a.values == b.values;
}

const char* VarTypeName(VarType type) {
  switch (type) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Double:
      return "Double";
    case VarType::String:
      return "String";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Object:
      return "Object";
    case VarType::DoubleArray:
      return "Double()";
    case VarType::VariantArray:
      return "Variant()";
    case VarType::Missing:
      return "Missing";
  }
  return "?";
}

Variant Variant::Ref(int16_t& target, VarType asType) {
  return Variant(
      Reference{asType == VarType::Boolean ? VarType::Boolean : VarType::Integer, &target});
}
Variant Variant::Ref(int32_t& target) {
  return Variant(Reference{VarType::Long, &target});
}
Variant Variant::Ref(double& target) {
  return Variant(Reference{VarType::Double, &target});
}
Variant Variant::Ref(std::string& target) {
  return Variant(Reference{VarType::String, &target});
}
Variant Variant::Ref(VBool& target) {
  return Variant(Reference{VarType::Boolean, &target.value});
}
// The Empty tag marks a reference to a whole Variant.
Variant Variant::Ref(Variant& target) {
  return Variant(Reference{VarType::Empty, &target});
}

Variant Variant::Value() const {
  if (!IsByRef()) return *this;
  const Reference& r = std::get<Reference>(value_);
  switch (r.type) {
    case VarType::Integer:
      return Variant(*static_cast<int16_t*>(r.target));
    case VarType::Boolean:
      return Variant(VBool{*static_cast<int16_t*>(r.target)});
    case VarType::Long:
      return Variant(*static_cast<int32_t*>(r.target));
    case VarType::Double:
      return Variant(*static_cast<double*>(r.target));
    case VarType::String:
      return Variant(*static_cast<std::string*>(r.target));
    default:
      return static_cast<Variant*>(r.target)->Value();
  }
}

void Variant::Assign(const Variant& v) {
  if (!IsByRef()) {
    *this = v.Value();
    return;
  }
  const Reference& r = std::get<Reference>(value_);
  switch (r.type) {
    case VarType::Integer:
      *static_cast<int16_t*>(r.target) = ToInteger(v);
      break;
    case VarType::Boolean:
      *static_cast<int16_t*>(r.target) = VBool::From(ToBoolean(v)).value;
      break;
    case VarType::Long:
      *static_cast<int32_t*>(r.target) = ToLong(v);
      break;
    case VarType::Double:
      *static_cast<double*>(r.target) = ToDouble(v);
      break;
    case VarType::String:
      // A string given as a string is copied into the caller's, which keeps its buffer.
      if (const auto* text = std::get_if<std::string>(&v.value_)) {
        *static_cast<std::string*>(r.target) = *text;
      } else {
        *static_cast<std::string*>(r.target) = ToString(v);
      }
      break;
    default:
      static_cast<Variant*>(r.target)->Assign(v);
      break;
  }
}

namespace {
[[noreturn]] void Mismatch() {
  throw errors::Standard(errors::kTypeMismatch);
}
}  // namespace

int16_t Variant::AsInteger() const {
  if (IsByRef()) return Value().AsInteger();
  if (auto* p = std::get_if<int16_t>(&value_)) return *p;
  Mismatch();
}
int32_t Variant::AsLong() const {
  if (const auto* r = std::get_if<Reference>(&value_); r && r->type == VarType::Long) {
    return *static_cast<const int32_t*>(r->target);
  }
  if (IsByRef()) return Value().AsLong();
  if (auto* p = std::get_if<int32_t>(&value_)) return *p;
  Mismatch();
}
double Variant::AsDouble() const {
  // A reference to a variable of the type is read in place, without a copy of the value.
  if (const auto* r = std::get_if<Reference>(&value_); r && r->type == VarType::Double) {
    return *static_cast<const double*>(r->target);
  }
  if (IsByRef()) return Value().AsDouble();
  if (auto* p = std::get_if<double>(&value_)) return *p;
  Mismatch();
}
const std::string& Variant::AsString() const {
  if (IsByRef()) {
    const Reference& r = std::get<Reference>(value_);
    if (r.type == VarType::String) return *static_cast<std::string*>(r.target);
    if (r.type == VarType::Empty) return static_cast<Variant*>(r.target)->AsString();
    Mismatch();
  }
  if (auto* p = std::get_if<std::string>(&value_)) return *p;
  Mismatch();
}
VBool Variant::AsBoolean() const {
  if (const auto* r = std::get_if<Reference>(&value_); r && r->type == VarType::Boolean) {
    return VBool{*static_cast<const int16_t*>(r->target)};
  }
  if (IsByRef()) return Value().AsBoolean();
  if (auto* p = std::get_if<VBool>(&value_)) return *p;
  Mismatch();
}
const ObjectRef& Variant::AsObject() const {
  if (IsByRef()) {
    const Reference& r = std::get<Reference>(value_);
    if (r.type == VarType::Empty) return static_cast<Variant*>(r.target)->AsObject();
    Mismatch();
  }
  if (auto* p = std::get_if<ObjectRef>(&value_)) return *p;
  Mismatch();
}
const DoubleArray& Variant::AsDoubleArray() const {
  if (IsByRef()) {
    const Reference& r = std::get<Reference>(value_);
    if (r.type == VarType::Empty) return static_cast<Variant*>(r.target)->AsDoubleArray();
    Mismatch();
  }
  if (auto* p = std::get_if<DoubleArray>(&value_)) return *p;
  Mismatch();
}
const VariantArray& Variant::AsVariantArray() const {
  if (IsByRef()) {
    const Reference& r = std::get<Reference>(value_);
    if (r.type == VarType::Empty) return static_cast<Variant*>(r.target)->AsVariantArray();
    Mismatch();
  }
  if (auto* p = std::get_if<VariantArray>(&value_)) return *p;
  Mismatch();
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.IsByRef() || b.IsByRef()) return a.Value() == b.Value();
  return a.value_ == b.value_;
}

}  // namespace nimbo::automation
