// TCustomEdit: the system's EDIT control, superclassed, with the framework's edit properties;
// TEdit publishes them.
#pragma once

#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TCustomEdit : public TWinControl {
  TOVIX_DECLARE_CLASS(TCustomEdit)

 public:
  explicit TCustomEdit(TComponent* owner);

  // Empties the text (raising OnChange when it held any).
  virtual void Clear();
  virtual void SelectAll();
  // Selection in characters from 0; without a window they read 0 and setting does nothing.
  int GetSelStart() const;
  void SetSelStart(int start);
  int GetSelLength() const;
  void SetSelLength(int length);
  String GetSelText() const;
  // Replaces the selection with text, as if typed.
  void SetSelText(const String& text);
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void ClearUndo();
  bool GetCanUndo() const;

  // Whether the user changed the text since it was last set; kept across window re-creation.
  bool GetModified() const;
  void SetModified(bool modified);

  // Selects all of the text when the edit receives the focus from the keyboard. True by default.
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  // Keeps the height fitting the font (with a single border). True by default.
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // bsSingle (by default) or bsNone; any other value raises EInvalidOperation.
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  TEditCharCase GetCharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  // Whether the selection is hidden while the edit has no focus. True by default.
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  // The most characters the user can enter; 0 for no limit other than the system's.
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool GetOEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool v);
  // The character shown instead of each character of the text; 0 shows the text.
  char GetPasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char v);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);

  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

  // PasswordChar as form files spell it: one character, or empty for none.
  String GetPasswordCharText() const { return passwordChar_ ? String(1, passwordChar_) : String(); }
  void SetPasswordCharText(const String& v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Raises OnChange; runs whenever the text changes (typed, pasted or set).
  virtual void Change();
  // The limit the window is given (the masked edit uses its mask's length).
  virtual int EffectiveMaxLength() const { return maxLength_; }
  void ApplyMaxLength();
  // Fits the height to the font when AutoSize is on and the border single.
  void UpdateHeight();
  void AdjustHeight();
  bool IsMultiLine() const;

  void CNCommand(TMessage& m);
  void CMEnter(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);

 private:
  bool autoSelect_ = true;
  bool autoSize_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TEditCharCase charCase_ = ecNormal;
  bool hideSelection_ = true;
  int maxLength_ = 0;
  bool oemConvert_ = false;
  char passwordChar_ = 0;
  bool readOnly_ = false;
  bool modified_ = false;  // while the window does not exist
  TNotifyEvent onChange_;
};

class TEdit : public TCustomEdit {
  TOVIX_DECLARE_CLASS(TEdit)

 public:
  using TCustomEdit::TCustomEdit;
};

TOVIX_LINK_CLASS(TEdit)

}  // namespace Tovix
