// The baseline of the start-up benchmark: the least a Win32 program does to show a window. Given
// an event name, it signals the event once its window is shown and its message queue is empty,
// then closes, as TovixDemo does with --startup-probe.
#include <cstring>

#include "framework/WinApi.h"

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = BareWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TovixBareWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                640, 400, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  // "--startup-probe NAME": the event is named by the last word.
  const char* eventName = commandLine ? std::strrchr(commandLine, ' ') : nullptr;
  bool probing = eventName != nullptr;
  MSG msg;
  for (;;) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return 0;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (probing) {
      probing = false;
      if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName + 1)) {
        SetEvent(ready);
        CloseHandle(ready);
      }
      DestroyWindow(window);
      continue;
    }
    WaitMessage();
  }
}
