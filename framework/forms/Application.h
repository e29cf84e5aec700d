// TApplication: the program's hidden main window, its message loop, exception reporting and hints.
#pragma once

#include "framework/controls/Controls.h"

namespace Tovix {

class TCustomForm;
class THintWindow;

using TIdleEvent = TEvent<TObject* /*Sender*/, bool& /*Done*/>;
using TExceptionEvent = TEvent<TObject* /*Sender*/, const Exception& /*E*/>;

class TApplication : public TComponent {
  TOVIX_DECLARE_CLASS(TApplication)

 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // The hidden top-level window that owns the forms and stands for the program on the taskbar.
  HWND GetHandle();
  HWND Handle() { return GetHandle(); }
  bool HandleAllocated() const { return handle_ != nullptr; }
  const String& GetTitle() const { return title_; }
  void SetTitle(const String& title);
  TIcon* GetIcon() const { return icon_; }
  void SetIcon(TIcon* icon);
  TCustomForm* GetMainForm() const { return mainForm_; }
  bool GetTerminated() const { return terminated_; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  int GetHintPause() const { return hintPause_; }
  void SetHintPause(int v) { hintPause_ = v; }
  THintWindow* GetHintWindow() const { return hintWindow_; }
  const String& GetHint() const { return hint_; }

  // Creates a form owned by the application; the first one made becomes the main form.
  template <typename T>
  T* CreateForm(T** reference = nullptr) {
    T* form = new T(this);
    if (reference) *reference = form;
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  // Shows the main form and handles messages until Terminate (or the main form closes).
  void Run();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // Handles one message, waiting for it when none is there.
  void HandleMessage();
  void Terminate();
  // Reports an exception that reached the message loop: OnException, or a message box.
  void HandleException(TObject* sender, const Exception& e);
  // Runs action; an exception that leaves it (the framework's or a standard one) goes to
  // HandleException instead of crossing a window procedure or the system's callback.
  void HandleExceptionsOf(TObject* sender, const std::function<void()>& action);
  void ShowException(const Exception& e);
  int MessageBox(const String& text, const String& caption, unsigned flags);

  void HideHint();
  void CancelHint();
  void ActivateHint(TPoint cursorPos);
  // The control under the mouse; changing it sends CM_MOUSELEAVE and CM_MOUSEENTER.
  TControl* GetMouseControl() const { return mouseControl_; }
  void SetMouseControl(TControl* control);
  void HintMouseMessage(TControl* control, TMessage& message);
  // Forgets a control that is being destroyed.
  void ControlDestroyed(TControl* control);

  const TIdleEvent& GetOnIdle() const { return onIdle_; }
  void SetOnIdle(const TIdleEvent& e) { onIdle_ = e; }
  const TExceptionEvent& GetOnException() const { return onException_; }
  void SetOnException(const TExceptionEvent& e) { onException_ = e; }
  const TNotifyEvent& GetOnHint() const { return onHint_; }
  void SetOnHint(const TNotifyEvent& e) { onHint_ = e; }

  // Used by forms.
  void FormDestroyed(TCustomForm* form);

 private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void Idle();
  void WndProc(TMessage& m);
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);

  HWND handle_ = nullptr;
  String title_;
  TIcon* icon_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool showHint_ = true;
  int hintPause_ = 500;
  THintWindow* hintWindow_ = nullptr;
  TControl* hintControl_ = nullptr;
  TControl* mouseControl_ = nullptr;
  String hint_;
  UINT_PTR hintTimer_ = 0;
  TIdleEvent onIdle_;
  TExceptionEvent onException_;
  TNotifyEvent onHint_;
};

// The program's application object, made when the framework starts (see Form.cpp).
extern TApplication* Application;

}  // namespace Tovix
