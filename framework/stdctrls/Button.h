// TButtonControl: the base of the system's BUTTON controls; TButton: a push button that closes a
// modal form with its ModalResult and answers Enter (Default) or Escape (Cancel) for its form.
#pragma once

#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TButtonControl : public TWinControl {
  TOVIX_DECLARE_CLASS(TButtonControl)

 public:
  explicit TButtonControl(TComponent* owner);

  // Whether the button is checked; push buttons never are.
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}

  void WndProc(TMessage& message) override;

 protected:
  // While set, a state change made by code raises no click (see TCustomCheckBox::SetState).
  bool GetClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool v) { clicksDisabled_ = v; }

 private:
  bool clicksDisabled_ = false;
};

class TButton : public TButtonControl {
  TOVIX_DECLARE_CLASS(TButton)

 public:
  explicit TButton(TComponent* owner);

  // Sets the parent form's ModalResult to the button's, then raises OnClick.
  void Click() override;

  // Enter clicks the default button unless another button has the focus; it is then drawn
  // with the default frame (BS_DEFPUSHBUTTON).
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  // Escape clicks a cancel button.
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }

  // Whether Enter clicks this button now: it has the focus, or it is the default button and the
  // focus is on a control that is not a button.
  bool IsActive() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void SetButtonStyle(bool isDefault);

  void CNCommand(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

TOVIX_LINK_CLASS(TButton)

}  // namespace Tovix
