// Holds the test Wine prefix's desktop open for a whole test run: while one GUI process lives,
// each test program starts in a tenth of a second instead of waiting for the desktop to come and go.
// It shows nothing and is stopped by its process id when the run ends.
#include "framework/WinApi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "TovixKeepAlive";
  RegisterClassA(&wc);
  CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
