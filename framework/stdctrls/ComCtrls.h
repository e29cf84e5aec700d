// The ComCtrls unit: controls on the common controls library (page control and tab sheets) and
// the exception the date and time controls raise.
#pragma once

#include "framework/stdctrls/PageControl.h"
#include "framework/system/SysUtils.h"

namespace Tovix {

// A date or time a date and time control cannot take (out of its range, or not allowed).
TOVIX_DECLARE_EXCEPTION(EDateTimeError, Exception);

}  // namespace Tovix
