// The stand-in for the OLE Automation VARIANT: the values that cross the late-bound
// boundary to the viewer, and the by-reference argument that refers to the caller's own
// variable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace nimbo::automation {

// Root of every automation object a Variant can refer to.
class Object {
 public:
  virtual ~Object() = default;
};
using ObjectRef = std::shared_ptr<Object>;

// A 16-bit automation Boolean: True is -1, False is 0.
struct VBool {
  int16_t value = 0;
  static constexpr int16_t kTrue = -1;
  static constexpr int16_t kFalse = 0;
  static VBool From(bool b) { return VBool{b ? kTrue : kFalse}; }
  bool IsTrue() const { return value != 0; }
  friend bool operator==(VBool, VBool) = default;
};

class Variant;

struct Null {
  friend bool operator==(Null, Null) = default;
};
// An omitted optional argument.
struct Missing {
  friend bool operator==(Missing, Missing) = default;
};

struct DoubleArray {
  int32_t lowerBound = 0;
  std::vector<double> values;
  friend bool operator==(const DoubleArray&, const DoubleArray&) = default;
};

struct VariantArray {
  int32_t lowerBound = 0;
  std::vector<Variant> values;
  friend bool operator==(const VariantArray&, const VariantArray&);
};

enum class VarType {
  Empty,
  Null,
  Integer,
  Long,
  Double,
  String,
  Boolean,
  Object,
  DoubleArray,
  VariantArray,
  Missing,
};

const char* VarTypeName(VarType type);

class Variant {
 public:
  Variant() = default;
  Variant(Null) : value_(Null{}) {}
  Variant(Missing) : value_(Missing{}) {}
  Variant(int16_t v) : value_(v) {}
  Variant(int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(VBool v) : value_(v) {}
  Variant(ObjectRef v) : value_(std::move(v)) {}
  Variant(DoubleArray v) : value_(std::move(v)) {}
  Variant(VariantArray v) : value_(std::move(v)) {}

  static Variant Bool(bool b) { return Variant(VBool::From(b)); }

  // By-reference arguments: the Variant refers to the caller's variable, which must
  // outlive the call. A callee that writes through it changes the caller's variable.
  static Variant Ref(int16_t& target, VarType asType = VarType::Integer);
  static Variant Ref(int32_t& target);
  static Variant Ref(double& target);
  static Variant Ref(std::string& target);
  static Variant Ref(VBool& target);
  static Variant Ref(Variant& target);

  bool IsByRef() const { return std::holds_alternative<Reference>(value_); }
  // The type of the value, looking through a reference. Inline: every call across the
  // late-bound boundary asks it of each argument.
  VarType Type() const {
    const size_t index = value_.index();
    return index < kReferenceIndex ? static_cast<VarType>(index) : ReferencedType();
  }
  // A copy of the value, looking through a reference.
  Variant Value() const;
  // Writes through a reference (converting to the referenced type), or replaces the
  // value of a by-value Variant.
  void Assign(const Variant& v);

  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsMissing() const { return Type() == VarType::Missing; }
  bool IsNull() const { return Type() == VarType::Null; }

  // Direct access by exact type; throws the type-mismatch error on another type.
  int16_t AsInteger() const;
  int32_t AsLong() const;
  double AsDouble() const;
  const std::string& AsString() const;
  VBool AsBoolean() const;
  const ObjectRef& AsObject() const;
  const DoubleArray& AsDoubleArray() const;
  const VariantArray& AsVariantArray() const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct Reference {
    VarType type;
    void* target;
    friend bool operator==(const Reference&, const Reference&) = default;
  };
  using Storage = std::variant<std::monostate, Null, int16_t, int32_t, double, std::string, VBool,
                               ObjectRef, DoubleArray, VariantArray, Missing, Reference>;
  explicit Variant(Reference r) : value_(r) {}
  // The alternatives before the reference are in VarType's order, so that an index names
  // its type.
  static constexpr size_t kReferenceIndex = std::variant_size_v<Storage> - 1;
  static_assert(std::is_same_v<std::variant_alternative_t<kReferenceIndex, Storage>, Reference>);
  static_assert(static_cast<size_t>(VarType::Missing) + 1 == kReferenceIndex);
  static_assert(
      std::is_same_v<std::variant_alternative_t<static_cast<size_t>(VarType::String), Storage>,
                     std::string>);
  static_assert(std::is_same_v<
                std::variant_alternative_t<static_cast<size_t>(VarType::Boolean), Storage>, VBool>);
  static_assert(
      std::is_same_v<std::variant_alternative_t<static_cast<size_t>(VarType::Object), Storage>,
                     ObjectRef>);
  VarType ReferencedType() const {
    const Reference& r = *std::get_if<Reference>(&value_);
    return r.type == VarType::Empty ? static_cast<const Variant*>(r.target)->Type() : r.type;
  }

  Storage value_;
};

}  // namespace nimbo::automation
