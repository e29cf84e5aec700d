// TCommonDialog: the base of the components that show one of the system's common dialogs.
//
// Execute shows the dialog modally and returns when the user closes it. While it is shown,
// Handle is the dialog's window, every other window of the program is disabled, OnShow has been
// raised and OnClose follows when the dialog closes. Exceptions raised by handlers while the
// system's dialog code runs go to Application->HandleException (they must not unwind through it).
#pragma once

#include <functional>

#include "framework/classes/Component.h"
#include "framework/system/Events.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// The system could not show a common dialog (a missing template, a buffer too small, ...).
TOVIX_DECLARE_EXCEPTION(ECommonDialogError, Exception);

class TCommonDialog : public TComponent {
  TOVIX_DECLARE_CLASS(TCommonDialog)

 public:
  explicit TCommonDialog(TComponent* owner);

  // Shows the dialog; true when the user confirmed it.
  virtual bool Execute() = 0;

  // The dialog's window while it is shown, else null.
  HWND GetHandle() const { return handle_; }
  // Kept for form files; dialogs are always three-dimensional.
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool value) { ctl3D_ = value; }
  int GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

  const TNotifyEvent& GetOnShow() const { return onShow_; }
  void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
  const TNotifyEvent& GetOnClose() const { return onClose_; }
  void SetOnClose(const TNotifyEvent& e) { onClose_ = e; }

 protected:
  // Raise OnShow and OnClose; descendants build on them.
  virtual void DoShow();
  virtual void DoClose();
  // Runs the system's modal dialog function: the window that owns it is the active window (or
  // the application's), every window of the program is disabled meanwhile, and the active window
  // and focus come back afterwards, also when the function raises.
  BOOL TaskModalDialog(const std::function<BOOL(HWND owner)>& dialogFunction);
  // Hands an exception caught in a hook to the application.
  void HandleHookException(const std::exception& e);

  HWND handle_ = nullptr;

 private:
  bool ctl3D_ = true;
  int helpContext_ = 0;
  TNotifyEvent onShow_;
  TNotifyEvent onClose_;
};

}  // namespace Tovix
