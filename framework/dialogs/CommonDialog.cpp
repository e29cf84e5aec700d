#include "framework/dialogs/CommonDialog.h"

#include <algorithm>
#include <vector>

#include "framework/forms/Forms.h"
#include "framework/system/ScopeExit.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCommonDialog, TComponent) {
  c.Property("Ctl3D", &TCommonDialog::GetCtl3D, &TCommonDialog::SetCtl3D).Default(true);
  c.Property("HelpContext", &TCommonDialog::GetHelpContext, &TCommonDialog::SetHelpContext).Default(0);
  c.Property("OnClose", &TCommonDialog::GetOnClose, &TCommonDialog::SetOnClose);
  c.Property("OnShow", &TCommonDialog::GetOnShow, &TCommonDialog::SetOnShow);
}

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

void TCommonDialog::DoShow() { onShow_(this); }
void TCommonDialog::DoClose() { onClose_(this); }

void TCommonDialog::HandleHookException(const std::exception& e) {
  if (auto* framework = dynamic_cast<const Exception*>(&e)) Application->HandleException(this, *framework);
  else Application->HandleException(this, Exception(e.what()));
}

BOOL TCommonDialog::TaskModalDialog(const std::function<BOOL(HWND owner)>& dialogFunction) {
  HWND activeWindow = GetActiveWindow();
  HWND focus = GetFocus();
  HWND owner = activeWindow ? activeWindow : Application->GetHandle();
  if (GetCapture()) ReleaseCapture();
  Application->CancelHint();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND window : disabled) EnableWindow(window, FALSE);
  auto restore = [&] {
    handle_ = nullptr;
    for (HWND window : disabled)
      if (IsWindow(window)) EnableWindow(window, TRUE);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    if (focus && IsWindow(focus)) SetFocus(focus);
  };
  BOOL result = FALSE;
  {
    TScopeExit restoreOnExit([&] { restore(); });
    result = dialogFunction(owner);
  }
  return result;
}

}  // namespace Tovix
