// Holds the test Wine prefix's desktop and services open for a whole test run: while one GUI
// process lives, each test program starts in a tenth of a second instead of waiting for the
// desktop to come and go. It shows nothing and is stopped by its process id when the run ends.
//
// Its one argument names a file it creates once its window exists: by then Wine's background
// processes run with this process's (discarded) output, not with a test's, whose output pipe
// they would otherwise hold open after the test ends.
#include "framework/WinApi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "TovixKeepAlive";
  RegisterClassA(&wc);
  CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (commandLine && *commandLine) {
    HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
