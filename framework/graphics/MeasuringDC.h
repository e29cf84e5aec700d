// A device context for measuring text, kept for the life of the program: measuring does not
// need a window, and asking the system for the screen's context each time costs far more than
// the measuring itself.
#pragma once

#include "framework/system/WinApi.h"

namespace Tovix {

// A memory context compatible with the screen. Callers restore whatever they select into it.
// User-interface thread only.
HDC MeasuringDC();

}  // namespace Tovix
