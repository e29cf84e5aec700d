// GDI fonts shared between the font objects that describe the same font: a form of a thousand
// controls that follow its font holds one GDI font, not a thousand.
#pragma once

#include "framework/system/WinApi.h"

namespace Tovix {

// The font for that description, made on first demand; every call must be paired with a
// ReleaseSharedFont. Null when the system refuses.
HFONT AcquireSharedFont(const LOGFONTA& description);
// Deletes the font once its last holder lets go of it.
void ReleaseSharedFont(HFONT font);

}  // namespace Tovix
