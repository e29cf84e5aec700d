#include "controls/Orvbtnedit.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/system/ScopeExit.h"
#include "framework/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TOrvBtnEditPopupWnd, TCustomControl) {
  c.Message(WM_MOUSEACTIVATE, &TOrvBtnEditPopupWnd::WMMouseActivate);
}

// ---------------------------------------------------------------------------
// The popup window

TOrvBtnEditPopupWnd::TOrvBtnEditPopupWnd(TComponent* owner)
    : TCustomControl(owner), editor_(dynamic_cast<TWinControl*>(owner)) {
  controlStyle_.Include(csAcceptsControls).Include(csNoDesignVisible).Include(csReplicatable);
  SetCtl3D(false);
  SetParentCtl3D(false);
  SetVisible(false);
  SetParent(editor_);
  SetOnMouseUp(TMouseEvent(this, &TOrvBtnEditPopupWnd::PopupMouseUp));
}

void TOrvBtnEditPopupWnd::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.WindowClass.style |= CS_SAVEBITS;
}

void TOrvBtnEditPopupWnd::WMMouseActivate(TMessage& m) { m.Result = MA_NOACTIVATE; }

void TOrvBtnEditPopupWnd::PopupMouseUp(TObject*, TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  RECT client = GetClientRect();
  CloseUp(PtInRect(&client, POINT{x, y}) != 0);
}

void TOrvBtnEditPopupWnd::CloseUp(bool accept) { onCloseUp_(this, accept); }

String TOrvBtnEditPopupWnd::GetPopupText() { return String(); }

void TOrvBtnEditPopupWnd::Show(TPoint origin) {
  SetWindowPos(GetHandle(), HWND_TOP, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
}

void TOrvBtnEditPopupWnd::Hide() {
  if (HandleAllocated())
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetVisible(false);
}

void TOrvBtnEditPopupWnd::InvalidateEditor() {
  if (!editor_ || !editor_->HandleAllocated()) return;
  RECT r = editor_->GetClientRect();
  if (auto* edit = dynamic_cast<TOrvCustomBtnEdit*>(editor_))
    r = RECT{0, 0, edit->GetClientWidth() - edit->GetButtonHolder()->GetWidth() - 2, edit->GetClientHeight() + 1};
  InvalidateRect(editor_->GetHandle(), &r, FALSE);
  UpdateWindow(editor_->GetHandle());
}

// ---------------------------------------------------------------------------
// The edit's side

bool TOrvCustomBtnEdit::GetPopupVisible() const { return popup_ && popupShown_; }

void TOrvCustomBtnEdit::SetPopupValue(const Variant& value) {
  if (popup_) popup_->WriteValue(value);
}

bool TOrvCustomBtnEdit::AcceptPopup(Variant&) { return true; }

void TOrvCustomBtnEdit::AcceptValue(const Variant& value) {
  String text = VarToStr(value);
  if (GetText() == text) return;
  SetText(text);
  SetModified(true);
  // The edit's own notification is held back while the popup is shown: this is the one.
  TCustomMaskEdit::Change();
}

// Below the edit, or above it when there is no room below; right edges lined up for epaRight,
// left edges for epaLeft, as far as the screen allows.
TPoint TOrvCustomBtnEdit::PopupOrigin() const {
  TPoint p = GetParent() ? GetParent()->ClientToScreen(Point(GetLeft(), GetTop())) : Point(GetLeft(), GetTop());
  int screenWidth = Screen->GetWidth(), screenHeight = Screen->GetHeight();
  int popupWidth = popup_->GetWidth(), popupHeight = popup_->GetHeight();
  int y = p.y + GetHeight();
  if (y + popupHeight > screenHeight) y = std::max(0, static_cast<int>(p.y) - popupHeight);
  int x = p.x;
  if (popupAlign_ == epaRight) {
    x = p.x - (popupWidth - GetWidth());
    if (x < 0) x = p.x;
  } else if (p.x + popupWidth > screenWidth) {
    x = p.x - (popupWidth - GetWidth());
  }
  if (x < 0) x = 0;
  else if (x + popupWidth > screenWidth) x = screenWidth - popupWidth;
  return Point(x, y);
}

void TOrvCustomBtnEdit::PopupDropDown() {
  if (!popup_ || GetReadOnly() || popupShown_) return;
  TPoint origin = PopupOrigin();
  String text = GetText();
  SetPopupValue(text.empty() ? Null() : Variant(text));
  if (CanFocus()) SetFocus();
  popup_->Show(origin);
  popupShown_ = true;
  TCustomMaskEdit::SetReadOnly(true);
  if (HandleAllocated()) HideCaret(handle_);
}

void TOrvCustomBtnEdit::PopupCloseUp(TObject*, bool accept) {
  if (!popup_ || !popupShown_) return;
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  TScopeExit closed([this] { popupShown_ = false; });
  Variant value;
  {
    // Even when reading the value or hiding fails, the edit must not stay read-only and
    // without a caret.
    TScopeExit restore([this] { EndPopupMode(); });
    value = popup_->ReadValue();
    popup_->Hide();
  }
  if (accept && AcceptPopup(value) && EditCanModify()) {
    AcceptValue(value);
    if (hasFocus_) TCustomMaskEdit::SelectAll();
  }
}

// Hides a popup still shown (its value could not be read), gives the edit its focus and caret
// back and makes it editable again as DirectInput and ReadOnly say. Raises nothing.
void TOrvCustomBtnEdit::EndPopupMode() {
  if (popup_->GetVisible()) {
    try {
      popup_->Hide();
    } catch (...) {
    }
  }
  try {
    if (CanFocus()) SetFocus();
    if (Focused()) SetShowCaret();
  } catch (...) {
    // The caret is a convenience; a refused focus does not stop the close-up.
  }
  SetDirectInput(directInput_);
  Invalidate();
}

void TOrvCustomBtnEdit::CMCancelMode(TMessage& m) {
  if (!popup_) return;
  auto* sender = reinterpret_cast<TControl*>(m.LParam);
  if (sender == this || sender == popup_ || sender == button_ || (sender && popup_->ContainsControl(sender))) return;
  PopupCloseUp(this, false);
}

}  // namespace Tovix
