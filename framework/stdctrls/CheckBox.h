// TCustomCheckBox: the system's check box (a three-state BUTTON whose state the control keeps);
// TCheckBox publishes it.
#pragma once

#include "framework/stdctrls/Button.h"

namespace Tovix {

class TCustomCheckBox : public TButtonControl {
  TOVIX_DECLARE_CLASS(TCustomCheckBox)

 public:
  explicit TCustomCheckBox(TComponent* owner);

  // Which side of the box the caption is on: taRightJustify (the default) puts it to the right;
  // taCenter raises EInvalidOperation.
  TLeftRight GetAlignment() const { return alignment_; }
  void SetAlignment(TLeftRight v);
  // Whether a click steps through the grayed state as well; false by default.
  bool GetAllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // Changing the state by code or by the user raises OnClick.
  TCheckBoxState GetState() const { return state_; }
  void SetState(TCheckBoxState v);
  bool GetChecked() const override { return state_ == cbChecked; }
  void SetChecked(bool v) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The user's click: unchecked -> (grayed ->) checked -> unchecked.
  virtual void Toggle();

  void CNCommand(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  TLeftRight alignment_ = taRightJustify;
  bool allowGrayed_ = false;
  TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
  TOVIX_DECLARE_CLASS(TCheckBox)

 public:
  using TCustomCheckBox::TCustomCheckBox;
};

TOVIX_LINK_CLASS(TCheckBox)

}  // namespace Tovix
