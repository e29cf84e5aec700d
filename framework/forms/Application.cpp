#include "framework/forms/Application.h"

#include <algorithm>

#include "framework/classes/UtilityWindow.h"
#include "framework/forms/Form.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TApplication, TComponent) {}

namespace {

const char kApplicationClass[] = "TApplication";
const UINT_PTR kHintTimer = 1;

String ProgramTitle() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  String name = ExtractFileName(path);
  size_t dot = name.rfind('.');
  return dot == String::npos ? name : name.substr(0, dot);
}

// The part of a hint before "|" is shown in the hint window; the part after it is the long hint.
String ShortHint(const String& hint) { return hint.substr(0, hint.find('|')); }
String LongHint(const String& hint) {
  size_t bar = hint.find('|');
  return bar == String::npos ? hint : hint.substr(bar + 1);
}

// Exceptions that leave the method of a hidden utility window (AllocateHWnd) end here.
void HandleUtilWindowException(TObject* sender, const Exception& e) {
  if (Application) Application->HandleException(sender, e);
}

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(ProgramTitle()), icon_(new TIcon()) {
  ApplicationHandleException = &HandleUtilWindowException;
}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  if (handle_) DestroyWindow(handle_);
  delete icon_;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!app) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage m{msg, wParam, static_cast<intptr_t>(lParam), 0};
  app->HandleExceptionsOf(app, [&] { app->WndProc(m); });
  return m.Result;
}

HWND TApplication::GetHandle() {
  if (handle_) return handle_;
  HINSTANCE module = static_cast<HINSTANCE>(TovixThisModule());
  WNDCLASSA wc = {};
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kApplicationClass;
  RegisterClassA(&wc);
  handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                            module, nullptr);
  if (!handle_) RaiseLastWin32Error();
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (!icon_->Empty()) SetWindowIcon(handle_, icon_);
  return handle_;
}

void TApplication::SetTitle(const String& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title.c_str());
}

void TApplication::SetIcon(TIcon* icon) {
  icon_->Assign(icon);
  if (handle_) SetWindowIcon(handle_, icon_);
}

void TApplication::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    case WM_TIMER:
      if (m.WParam == kHintTimer) {
        KillTimer(handle_, kHintTimer);
        hintTimer_ = 0;
        POINT p;
        GetCursorPos(&p);
        ActivateHint(p);
      }
      return;
    case WM_ENDSESSION:
      if (m.WParam) Terminate();
      return;
    default:
      m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
  }
}

// ---------------------------------------------------------------------------
// Message loop

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND window = GetCapture() ? GetCapture() : msg.hwnd;
  // The nearest framework control at or above the window takes the key first.
  while (window && !TWinControl::FindControl(window)) window = GetParent(window);
  if (!window) return false;
  return SendMessageA(window, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_LBUTTONDOWN ||
      msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN)
    CancelHint();
  if (!IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle() {
  bool done = true;
  try {
    onIdle_(this, done);
  } catch (const Exception& e) {
    HandleException(this, e);
  }
  if (done) WaitMessage();
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (const Exception& e) {
      HandleException(this, e);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::FormDestroyed(TCustomForm* form) {
  if (form == mainForm_) mainForm_ = nullptr;
}

// ---------------------------------------------------------------------------
// Exceptions

void TApplication::HandleExceptionsOf(TObject* sender, const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    HandleException(sender, e);
  } catch (const std::exception& e) {
    HandleException(sender, Exception(e.what()));
  }
}

void TApplication::HandleException(TObject* sender, const Exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  if (onException_) onException_(sender, e);
  else ShowException(e);
}

void TApplication::ShowException(const Exception& e) {
  String message = e.Message();
  if (!message.empty() && message.back() != '.') message += '.';
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& text, const String& caption, unsigned flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = handle_;
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// ---------------------------------------------------------------------------
// Mouse tracking and hints

void TApplication::SetMouseControl(TControl* control) {
  if (control == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (control && control == mouseControl_) control->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (hintControl_ == control) {
    CancelHint();
    hintControl_ = nullptr;
  }
  if (hintWindow_ == control) hintWindow_ = nullptr;
}

void TApplication::SetShowHint(bool v) {
  showHint_ = v;
  if (!v) CancelHint();
}

void TApplication::HintMouseMessage(TControl* control, TMessage& message) {
  if (message.Msg != WM_MOUSEMOVE || control == hintWindow_) return;
  if (control == hintControl_) return;
  CancelHint();
  hintControl_ = control;
  hint_ = LongHint(control->GetHint());
  onHint_(this);
  if (showHint_ && control->GetShowHint() && !ShortHint(control->GetHint()).empty())
    hintTimer_ = SetTimer(GetHandle(), kHintTimer, static_cast<UINT>(hintPause_), nullptr);
}

void TApplication::ActivateHint(TPoint cursorPos) {
  if (!hintControl_ || !showHint_) return;
  String text = ShortHint(hintControl_->GetHint());
  if (text.empty()) return;
  if (!hintWindow_) hintWindow_ = new THintWindow(this);
  TRect r = hintWindow_->CalcHintRect(Screen->GetWidth() / 3, text);
  OffsetRect(&r, cursorPos.x, cursorPos.y + 20);
  hintWindow_->ActivateHint(r, text);
}

void TApplication::HideHint() {
  if (hintWindow_ && hintWindow_->HandleAllocated()) ShowWindow(hintWindow_->GetHandle(), SW_HIDE);
}

void TApplication::CancelHint() {
  if (hintTimer_) {
    KillTimer(handle_, kHintTimer);
    hintTimer_ = 0;
  }
  HideHint();
}

namespace {

// A framework linked into a DLL (a setup DLL that an installer calls, a package) is unloaded with
// it while the program goes on. The application window's procedure is code of the DLL, so the
// window (and the forms it owns) and its class go first: a later message to the window would run
// code that is gone. A program's windows simply end with it.
struct TDllUnload {
  ~TDllUnload() {
    auto module = static_cast<HINSTANCE>(TovixThisModule());
    if (module == GetModuleHandleA(nullptr) || !Application->HandleAllocated()) return;
    DestroyWindow(Application->Handle());
    UnregisterClassA(kApplicationClass, module);
  }
} dllUnload;

}  // namespace

}  // namespace Tovix
