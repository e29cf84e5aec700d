// The Mask unit: TCustomMaskEdit, an edit whose text follows an edit mask (see MaskText.h), and
// TMaskEdit, which publishes it.
//
// With a mask the edit always shows every position of the mask: literals, typed characters and
// the blank character for unfilled positions. Typing overwrites the input position at the cursor
// and moves on to the next one, skipping literals; a character that does not fit is refused with
// a beep, except the literal that ends the current field, which moves the cursor past it.
// Backspace and Delete blank positions instead of closing up the text. When the focus leaves a
// changed edit, its text is validated: every required position filled, every character fitting.
// A failure keeps the focus in the edit, selects the first wrong position and raises EDBEditError;
// Escape brings back the text the edit had when it was entered.
#pragma once

#include "framework/stdctrls/MaskText.h"
#include "framework/stdctrls/Edit.h"

namespace Tovix {

// The text of a masked edit does not satisfy its mask.
TOVIX_DECLARE_EXCEPTION(EDBEditError, Exception);

class TCustomMaskEdit : public TCustomEdit {
  TOVIX_DECLARE_CLASS(TCustomMaskEdit)

 public:
  explicit TCustomMaskEdit(TComponent* owner);

  // Changing the mask keeps the typed characters, laid out by the new mask.
  const String& GetEditMask() const { return editMask_; }
  void SetEditMask(const String& mask);
  bool IsMasked() const { return !layout_.Empty(); }
  // The text as shown, with literals and blank characters.
  String GetEditText() const { return GetTextBuf(); }
  void SetEditText(const String& text);
  // The text as data: with the mask, its literals only when the mask saves them and unfilled
  // positions as blanks (see TMaskLayout::TextOf). Setting it lays the value out by the mask.
  String GetText() const;
  void SetText(const String& text);
  void Clear() override;
  // Raises EDBEditError (and keeps the focus in the edit) when a changed text does not satisfy
  // the mask.
  virtual void ValidateEdit();

 protected:
  // Asked before the user's typing, deleting, cutting or pasting changes the text; true here.
  virtual bool EditCanModify();
  // Escape: the text the edit had when it got the focus.
  virtual void Reset();
  [[noreturn]] virtual void ValidateError();
  bool Validate(const String& editText, int& errorIndex) const { return layout_.Validate(editText, errorIndex); }
  const TMaskLayout& Layout() const { return layout_; }

  int EffectiveMaxLength() const override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;

  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMWantSpecialKey(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMPaste(TMessage& m);
  void WMCut(TMessage& m);
  void WMClear(TMessage& m);
  void WMUndo(TMessage& m);

 private:
  void GetSel(int& start, int& stop) const;
  // Selects the input position at or after index (the cursor of a masked edit), or puts the
  // caret at the end when there is none.
  void SelectPosition(int index);
  // With nothing selected, moves the cursor onto an input position.
  void CheckCursor();
  // The shown text, laid out again if something made it the wrong length.
  String CurrentEditText() const;
  // Replaces the shown text by text as the user's edit (undoable, marks the edit modified),
  // touching only the characters that differ.
  void ApplyUserEdit(const String& text);
  // Blanks the input positions in [start, stop).
  void BlankRange(String& text, int start, int stop) const;
  void CharKeys(char ch);
  void DeleteKeys(uint16_t key);
  void ArrowKeys(uint16_t key);
  void HomeEndKeys(uint16_t key);
  // Types text from the cursor on, as far as its characters fit; those that do not are skipped.
  void PasteText(const String& text);

  String editMask_;
  TMaskLayout layout_;
  // The text when the edit was entered, for Escape.
  String oldValue_;
  // Set while the focus comes back after a failed validation.
  bool reEnter_ = false;
};

class TMaskEdit : public TCustomMaskEdit {
  TOVIX_DECLARE_CLASS(TMaskEdit)

 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};

TOVIX_LINK_CLASS(TMaskEdit)

}  // namespace Tovix
