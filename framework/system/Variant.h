// Variant: a value whose type is decided at run time: unassigned, Null (no value), an integer, a
// floating-point number, a Boolean or a string. Values convert to one another where the
// conversion makes sense; a conversion that does not raises EVariantError.
//
// Null converts to the empty string (VarToStr) but to no number or Boolean. Comparison orders
// Null and unassigned values before every other value; numbers compare by value whatever their
// type; strings compare byte by byte; a string compared with a number or a Boolean is converted
// to that type first.
#pragma once

#include <cstdint>
#include <variant>

#include "framework/system/SysUtils.h"

namespace Tovix {

// A variant holds a value that cannot become the type asked for.
TOVIX_DECLARE_EXCEPTION(EVariantError, Exception);

enum TVarType { varEmpty, varNull, varInteger, varDouble, varBoolean, varString };

class Variant {
 public:
  // Unassigned.
  Variant() = default;
  Variant(int value) : value_(static_cast<int64_t>(value)) {}
  Variant(long value) : value_(static_cast<int64_t>(value)) {}
  Variant(long long value) : value_(static_cast<int64_t>(value)) {}
  Variant(double value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(String value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(String(value ? value : "")) {}

  static Variant Null();

  TVarType Type() const { return static_cast<TVarType>(value_.index()); }
  bool IsNull() const { return Type() == varNull; }
  bool IsEmpty() const { return Type() == varEmpty; }

  // Null and unassigned give the empty string; Booleans "True" or "False"; numbers in decimal.
  String AsString() const;
  // Floating-point values are rounded to the nearest integer (halves to even).
  int64_t AsInt64() const;
  int AsInteger() const;
  double AsFloat() const;
  // Numbers are true when not 0; strings "True"/"False" (any case) or a number.
  bool AsBoolean() const;

  // < 0, 0 or > 0 as this value sorts before, equal to or after other.
  int Compare(const Variant& other) const;
  bool operator==(const Variant& other) const { return Compare(other) == 0; }
  bool operator!=(const Variant& other) const { return Compare(other) != 0; }
  bool operator<(const Variant& other) const { return Compare(other) < 0; }
  bool operator>(const Variant& other) const { return Compare(other) > 0; }
  bool operator<=(const Variant& other) const { return Compare(other) <= 0; }
  bool operator>=(const Variant& other) const { return Compare(other) >= 0; }

 private:
  struct NullValue {
    bool operator==(const NullValue&) const = default;
  };
  [[noreturn]] void CastError(TVarType target) const;
  [[noreturn]] void OverflowError(TVarType target) const;

  std::variant<std::monostate, NullValue, int64_t, double, bool, String> value_;
};

// The Null variant: no value.
inline Variant Null() { return Variant::Null(); }
inline Variant Unassigned() { return Variant(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline TVarType VarType(const Variant& v) { return v.Type(); }
// The value as a string; Null gives the empty string.
inline String VarToStr(const Variant& v) { return v.AsString(); }
// The name of a variant type as error messages spell it ("Null", "Integer", ...).
String VarTypeName(TVarType type);

}  // namespace Tovix
