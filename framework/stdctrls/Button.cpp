#include "framework/stdctrls/Button.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace {

// Draws every push button of the form with or without the default frame, as the focus now says.
void UpdateButtonStyles(TWinControl* parent) {
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(parent->GetControls(i));
    if (!windowed) continue;
    if (auto* button = dynamic_cast<TButton*>(windowed)) button->SetDefault(button->GetDefault());
    UpdateButtonStyles(windowed);
  }
}

}  // namespace

TOVIX_IMPLEMENT_CLASS(TButtonControl, TWinControl) {}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

// A click on a button that does not have the focus takes the focus first; when the focus is
// refused (another control keeps it, for instance after a failed validation), the click is lost.
void TButtonControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      if (!IsDesigning() && !Focused() && HandleAllocated()) {
        clicksDisabled_ = true;
        ::SetFocus(handle_);
        clicksDisabled_ = false;
        if (!Focused()) return;
      }
      break;
    case CN_COMMAND:
      if (clicksDisabled_) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TButton

TOVIX_IMPLEMENT_CLASS(TButton, TButtonControl) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false);
  c.Property("Caption", &TButton::GetCaption, &TButton::SetCaption);
  c.Property("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false);
  P::Dragging(c);
  c.Property("Font", &TButton::GetFont, &TButton::SetFont).Stored(&TButton::IsFontStored);
  c.Property("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult).Default(mrNone);
  c.Property("ParentFont", &TButton::GetParentFont, &TButton::SetParentFont).Default(true);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("OnClick", &TButton::GetOnClick, &TButton::SetOnClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
  c.Message(CN_COMMAND, &TButton::CNCommand);
  c.Message(CM_DIALOGKEY, &TButton::CMDialogKey);
  c.Message(CM_DIALOGCHAR, &TButton::CMDialogChar);
  c.Message(CM_ENTER, &TButton::CMEnter);
  c.Message(CM_EXIT, &TButton::CMExit);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  // A window being made has not the focus yet: IsActive gives the style it keeps until it has.
  params.Style |= IsActive() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

bool TButton::IsActive() const {
  if (Focused()) return true;
  if (!default_) return false;
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->GetActiveControl() : nullptr;
  return focused == this || !dynamic_cast<TButton*>(focused);
}

void TButton::SetButtonStyle(bool isDefault) {
  if (!handle_) return;
  LONG style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongA(handle_, GWL_STYLE) & 0xF) != style) SendMessageA(handle_, BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
}

void TButton::SetDefault(bool v) {
  default_ = v;
  SetButtonStyle(IsActive());
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& m) {
  bool wanted = (m.WParam == VK_RETURN && IsActive()) || (m.WParam == VK_ESCAPE && cancel_);
  if (wanted && KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(m);
}

// Focus on a button takes the default frame from the form's default button; focus leaving it
// gives the frame back.
void TButton::CMEnter(TMessage& m) {
  TButtonControl::CMEnter(m);
  if (TCustomForm* form = GetParentForm(this)) UpdateButtonStyles(form);
}

void TButton::CMExit(TMessage& m) {
  TButtonControl::CMExit(m);
  if (TCustomForm* form = GetParentForm(this)) UpdateButtonStyles(form);
}

}  // namespace Tovix
