#include "framework/system/Variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace Tovix {

namespace {

// Whether a value of this type orders by number: integers, floating point and Booleans.
bool IsNumeric(TVarType t) { return t == varInteger || t == varDouble || t == varBoolean; }

template <typename T>
int Sign(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The shortest decimal text that reads back as the same double (up to 17 digits).
String FloatText(double value) {
  char buffer[40];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.value_ = NullValue{};
  return v;
}

String VarTypeName(TVarType type) {
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varInteger: return "Integer";
    case varDouble: return "Double";
    case varBoolean: return "Boolean";
    case varString: return "String";
  }
  return "Unknown";
}

void Variant::CastError(TVarType target) const {
  throw EVariantError(Format("Could not convert variant of type (%s) into type (%s)", VarTypeName(Type()), VarTypeName(target)));
}

void Variant::OverflowError(TVarType target) const {
  throw EVariantError(Format("Overflow while converting variant of type (%s) into type (%s)", VarTypeName(Type()), VarTypeName(target)));
}

String Variant::AsString() const {
  switch (Type()) {
    case varEmpty: case varNull: return String();
    case varInteger: return IntToStr(std::get<int64_t>(value_));
    case varDouble: return FloatText(std::get<double>(value_));
    case varBoolean: return std::get<bool>(value_) ? "True" : "False";
    case varString: return std::get<String>(value_);
  }
  return String();
}

double Variant::AsFloat() const {
  switch (Type()) {
    case varInteger: return static_cast<double>(std::get<int64_t>(value_));
    case varDouble: return std::get<double>(value_);
    case varBoolean: return std::get<bool>(value_) ? 1.0 : 0.0;
    case varString: {
      double d = 0;
      if (!TextToFloat(std::get<String>(value_), d)) CastError(varDouble);
      return d;
    }
    default: CastError(varDouble);
  }
}

int64_t Variant::AsInt64() const {
  switch (Type()) {
    case varInteger: return std::get<int64_t>(value_);
    case varBoolean: return std::get<bool>(value_) ? 1 : 0;
    case varDouble: case varString: {
      double d = AsFloat();
      double r = std::nearbyint(d);
      // 2^63 itself does not fit; every double below it that rounds to an integer does.
      if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) OverflowError(varInteger);
      return static_cast<int64_t>(r);
    }
    default: CastError(varInteger);
  }
}

int Variant::AsInteger() const {
  int64_t v = AsInt64();
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) OverflowError(varInteger);
  return static_cast<int>(v);
}

bool Variant::AsBoolean() const {
  switch (Type()) {
    case varBoolean: return std::get<bool>(value_);
    case varInteger: return std::get<int64_t>(value_) != 0;
    case varDouble: return std::get<double>(value_) != 0.0;
    case varString: {
      const String& s = std::get<String>(value_);
      if (SameText(s, "True")) return true;
      if (SameText(s, "False")) return false;
      double d = 0;
      if (!TextToFloat(s, d)) CastError(varBoolean);
      return d != 0.0;
    }
    default: CastError(varBoolean);
  }
}

int Variant::Compare(const Variant& other) const {
  TVarType a = Type(), b = other.Type();
  // No value sorts first; Null and unassigned are equal only to their own kind.
  bool aNone = a == varEmpty || a == varNull, bNone = b == varEmpty || b == varNull;
  if (aNone || bNone) return aNone && bNone ? Sign(static_cast<int>(a), static_cast<int>(b)) : (aNone ? -1 : 1);
  if (a == varString && b == varString) return Sign(CompareStr(AsString(), other.AsString()), 0);
  if (a == varBoolean || b == varBoolean) return Sign(AsBoolean(), other.AsBoolean());
  if (a == varInteger && b == varInteger) return Sign(AsInt64(), other.AsInt64());
  if (IsNumeric(a) || IsNumeric(b)) return Sign(AsFloat(), other.AsFloat());
  return 0;
}

}  // namespace Tovix
