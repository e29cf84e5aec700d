#include "framework/classes/UtilityWindow.h"

#include <cstring>
#include <memory>

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TExceptionHandler ApplicationHandleException = nullptr;

namespace {

const char kUtilWindowClass[] = "TPUtilWindow";

// The method of a window, shared so that a message being handled keeps it alive even when the
// method deallocates its own window meanwhile.
using TMethodHolder = std::shared_ptr<TWndMethod>;

HINSTANCE ThisModule() { return static_cast<HINSTANCE>(TovixThisModule()); }

TMethodHolder* HolderOf(HWND window) { return reinterpret_cast<TMethodHolder*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void Detach(HWND window) {
  TMethodHolder* holder = HolderOf(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  delete holder;
}

void ReportException(const Exception& e) {
  if (ApplicationHandleException) {
    ApplicationHandleException(nullptr, e);
    return;
  }
  String text = "Unhandled exception in a utility window: " + e.Message() + "\n";
  OutputDebugStringA(text.c_str());
}

LRESULT CALLBACK UtilWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMethodHolder* holder = HolderOf(window);
  if (!holder) return DefWindowProcA(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // Destroyed by other means than DeallocateHWnd: the method is let go all the same.
    Detach(window);
    return DefWindowProcA(window, msg, wParam, lParam);
  }
  TMethodHolder method = *holder;
  TMessage m{msg, wParam, static_cast<intptr_t>(lParam), 0};
  try {
    (*method)(m);
  } catch (const Exception& e) {
    ReportException(e);
  } catch (const std::exception& e) {
    ReportException(Exception(e.what()));
  }
  return m.Result;
}

void RegisterUtilWindowClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(ThisModule(), kUtilWindowClass, &existing)) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = UtilWindowProc;
  wc.hInstance = ThisModule();
  wc.lpszClassName = kUtilWindowClass;
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastWin32Error();
}

bool IsUtilWindow(HWND window) {
  if (!window || !IsWindow(window)) return false;
  char name[sizeof kUtilWindowClass + 1] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, kUtilWindowClass) == 0 &&
         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == ThisModule();
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  RegisterUtilWindowClass();
  auto holder = std::make_unique<TMethodHolder>(std::make_shared<TWndMethod>(std::move(method)));
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ThisModule(), nullptr);
  if (!window) RaiseLastWin32Error();
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(holder.release()));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (!IsUtilWindow(window)) return;
  Detach(window);
  DestroyWindow(window);
}

}  // namespace Tovix
