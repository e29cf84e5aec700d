#include "tests/support/MessagePump.h"

#include "framework/Forms.h"

namespace Tovix::Testing {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(int ms) {
  DWORD start = GetTickCount();
  PumpUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

}  // namespace Tovix::Testing
