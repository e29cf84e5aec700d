// The Spin unit: TSpinEdit, an edit for a whole number with up and down arrows at its right end
// (the common controls' up-down control, msctls_updown32, inside the edit's window). The arrows,
// the Up and Down keys and Up/Down step the value by Increment. When MaxValue is greater than
// MinValue the value stays within them; otherwise any value is taken.
#pragma once

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TSpinEdit : public TWinControl {
  TOVIX_DECLARE_CLASS(TSpinEdit)

 public:
  // 121 x 21 pixels, value 0, range 0..0 (unlimited), increment 1, typing allowed.
  explicit TSpinEdit(TComponent* owner);

  // The number the text shows, within the range; MinValue when the text is not a number.
  int GetValue() const;
  // Shows value, brought into the range first.
  void SetValue(int value);
  int GetMinValue() const { return minValue_; }
  void SetMinValue(int value);
  int GetMaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  int GetIncrement() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  // False keeps the user from typing, pasting or cutting; the arrows still step the value.
  bool GetEditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool value) { editorEnabled_ = value; }
  // True keeps the user from changing the value at all (the arrows only beep).
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Selects the whole text when the edit is entered.
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // The most characters the user may type; 0 for no limit.
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int value);

  // Steps the value by Increment, as the arrows do.
  void StepUp();
  void StepDown();
  // The value brought into the range (unchanged when MaxValue is not greater than MinValue).
  int CheckValue(int value) const;
  // The up-down control's window, null while the edit has none.
  HWND GetUpDownHandle() const { return upDown_; }

  // Raised whenever the text changes, from typing or from code.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  virtual void Change();

  void CNCommand(TMessage& m);
  void WMNotify(TMessage& m);
  void WMSize(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void WMPaste(TMessage& m);
  void WMCut(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMTextChanged(TMessage& m);

 private:
  static constexpr int kUpDownWidth = 15;
  void PlaceUpDown();
  bool IsValidChar(char key) const;
  bool IsColorStored() const { return !GetParentColor(); }
  bool IsFontStored() const { return !GetParentFont(); }
  bool IsShowHintStored() const { return !GetParentShowHint(); }
  bool IsCtl3DStored() const { return !GetParentCtl3D(); }

  HWND upDown_ = nullptr;
  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
  bool editorEnabled_ = true;
  bool readOnly_ = false;
  bool autoSelect_ = true;
  int maxLength_ = 0;
  TNotifyEvent onChange_;
};

TOVIX_LINK_CLASS(TSpinEdit)

}  // namespace Tovix
