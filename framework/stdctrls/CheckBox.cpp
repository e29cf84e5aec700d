#include "framework/stdctrls/CheckBox.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCustomCheckBox, TButtonControl) {
  c.Message(CN_COMMAND, &TCustomCheckBox::CNCommand);
  c.Message(CM_DIALOGCHAR, &TCustomCheckBox::CMDialogChar);
}

TOVIX_IMPLEMENT_CLASS(TCheckBox, TCustomCheckBox) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment).Default(taRightJustify);
  c.Property("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  c.Property("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption);
  // The state is what a form file keeps; Checked is another view of it.
  c.Property("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Stored(false);
  P::Appearance(c, clWindow, true);
  P::Dragging(c);
  P::State(c);
  c.Property("State", &TCheckBox::GetState, &TCheckBox::SetState).Default(cbUnchecked);
  P::TabOrder(c, true);
  c.Property("OnClick", &TCheckBox::GetOnClick, &TCheckBox::SetOnClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_3STATE;
  if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight v) {
  if (v != taLeftJustify && v != taRightJustify)
    throw EInvalidOperation("The caption of a check box is either left or right of the box");
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  if (handle_) SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(v), 0);
  if (!GetClicksDisabled()) Click();
}

void TCustomCheckBox::SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
}

// The accelerator focuses the box and toggles it, as a click would.
void TCustomCheckBox::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(m);
}

}  // namespace Tovix
