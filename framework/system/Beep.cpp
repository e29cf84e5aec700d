#include "framework/system/Beep.h"

#include "framework/system/WinApi.h"

namespace Tovix {

void Beep() { MessageBeep(0); }

}  // namespace Tovix
