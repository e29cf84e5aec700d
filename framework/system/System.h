// The root of the framework's class tree, and the language-level set type.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// Every framework header stands on this one, so the platform's header comes in here, once, with
// the A/W macros that collide with framework names (GetObject, DrawText, ...) removed: a program
// may include <windows.h> before or after the framework's headers.
#include "framework/system/WinApi.h"

namespace Tovix {

class TClassInfo;
struct TMessage;

// Every framework object derives from TObject, so lists can hold any of them, destruction through
// a base pointer is always complete, and every object can tell its class.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // Runs just before the object is destroyed, while it is still whole: virtual calls still reach
  // the most derived class. Free and owners freeing what they own call it; plain delete does not.
  virtual void BeforeDestruction() {}
  // Destroys the object (null-safe through the static form): BeforeDestruction, then delete.
  void Free() {
    BeforeDestruction();
    delete this;
  }

  // The class information of the object's most derived class (see TypInfo.h).
  virtual const TClassInfo& ClassInfo() const;
  static const TClassInfo& StaticClassInfo();
  std::string ClassName() const;
  bool InheritsFrom(const TClassInfo& ancestor) const;

  // Calls the handler this class (or its nearest ancestor) declared for the message number,
  // or DefaultHandler when there is none.
  void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
};

// A set of up to 64 members of an enumeration whose values run from 0, like a Pascal set.
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E m : members) bits_ |= Bit(m);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
  constexpr TSet& Include(E m) {
    bits_ |= Bit(m);
    return *this;
  }
  constexpr TSet& Exclude(E m) {
    bits_ &= ~Bit(m);
    return *this;
  }
  constexpr TSet& operator<<(E m) { return Include(m); }
  constexpr TSet& operator>>(E m) { return Exclude(m); }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TSet&) const = default;
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint64_t Bits() const { return bits_; }

 private:
  static constexpr uint64_t Bit(E m) { return uint64_t{1} << static_cast<unsigned>(m); }
  uint64_t bits_ = 0;
};

}  // namespace Tovix
