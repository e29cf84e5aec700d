// EInvalidCast, and the checked class cast that raises it: taking an object as a class it is not.
#pragma once

#include "framework/system/SysUtils.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EInvalidCast, Exception);

// object as a T: null for null, EInvalidCast "Invalid class typecast" when it is not a T.
template <typename T, typename U>
T* CheckedCast(U* object) {
  if (!object) return nullptr;
  if (auto* cast = dynamic_cast<T*>(object)) return cast;
  throw EInvalidCast("Invalid class typecast");
}

}  // namespace Tovix
