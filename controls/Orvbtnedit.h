// Orvbtnedit: single-line edits with a push button embedded at their right end.
//
// TOrvCustomBtnEdit is the engine of every button edit: it carries the button in a child window
// over its right end and narrows the formatting rectangle so that text never runs under it, makes
// the button's glyph from a button type, turns a keyboard shortcut into a click, keeps whether the
// user may type (DirectInput) apart from whether the value may change (ReadOnly), draws its own
// caret and can show a long value shortened with "...". TOrvBtnEdit publishes all of it.
//
// The window is a multi-line EDIT (only those honour a formatting rectangle) used as a one-line
// value: Enter, Ctrl+Enter and pasted line breaks never put a line break into the text.
//
// An edit can also carry a popup window (TOrvBtnEditPopupWnd, in a descendant) that drops down
// under the edit on a button click and hands a value back as a Variant when it closes.
#pragma once

#include <cstdint>

#include "framework/Buttons.h"
#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Mask.h"
#include "framework/Variants.h"
#include "controls/OrvbtneditPopup.h"

namespace Tovix {

class TOrvCustomBtnEdit;

enum TOrvBtnEditBtnType : uint8_t { btCustom, btDefault, btDropDown, btEllipsis, btOpenFile, btDirectory };
enum TOrvBtnEditPopupAlign : uint8_t { epaRight, epaLeft };

// The embedded button. A press while the edit's popup is shown closes the popup and swallows
// the click that follows, so the same press does not drop the popup down again.
class TOrvBtnEditBtn : public TSpeedButton {
  TOVIX_DECLARE_CLASS(TOrvBtnEditBtn)

 public:
  explicit TOrvBtnEditBtn(TComponent* owner);
  void Click() override;
  bool GetSkipNextClick() const { return skipNextClick_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  TOrvCustomBtnEdit* Edit() const;
  bool skipNextClick_ = false;
};

class TOrvCustomBtnEdit : public TCustomMaskEdit {
  TOVIX_DECLARE_CLASS(TOrvCustomBtnEdit)

 public:
  explicit TOrvCustomBtnEdit(TComponent* owner);
  ~TOrvCustomBtnEdit() override;

  // Clicks the button, as the user would.
  void DoClick();
  // The button's click handler.
  void EditBtnClick(TObject* sender);

  TOrvBtnEditBtn* GetButton() const { return button_; }
  TWinControl* GetButtonHolder() const { return buttonHolder_; }

  int GetBtnWidth() const;
  // Ignored when equal to the current width, negative, or not smaller than ClientWidth
  // (except while the window is being created).
  void SetBtnWidth(int value);
  String GetBtnHint() const;
  void SetBtnHint(const String& value);
  TBitmap* GetBtnBitmap() const;
  // Takes a copy of value as the glyph and makes the type btCustom.
  void SetBtnBitmap(TBitmap* value);
  TOrvBtnEditBtnType GetBtnType() const { return buttonType_; }
  void SetBtnType(TOrvBtnEditBtnType value);
  bool BtnWidthStored() const;
  bool IsCustomBtnBitmap() const { return buttonType_ == btCustom; }

  bool GetDirectInput() const { return directInput_; }
  void SetDirectInput(bool value);
  // The component's own read-only flag; the window is read-only when this is set or DirectInput
  // is not.
  virtual bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TShortCut GetClickKey() const { return clickKey_; }
  void SetClickKey(TShortCut value) { clickKey_ = value; }
  bool GetHasFocus() const { return hasFocus_; }

  void SetEditRect();
  void UpdateBtnBounds();
  int GetTextHeight() const;
  int GetMinHeight() const;
  // Makes and shows the edit's own caret: 2 pixels wide for a bold font, else 1, as tall as a
  // line of text.
  void SetShowCaret();
  // Selects all of the text, only when the user may type.
  void SelectAll() override;

  void RecreateBtnBitmap();
  // Three dots for a button of the current width; the caller owns the result.
  TBitmap* CreateEllipsisBitmap() const;

  // Room for text left of the button.
  int GetMaxTextWidth() const;
  int GetTextWidth();
  // Shows s with its beginning replaced by "..." when it is wider than the room for text.
  void SetBeginningEllipsisText(const String& s);
  // Shows the path s with directory names replaced by "..." when it is wider than the room.
  void SetPathEllipsisText(const String& s);

  // Popup side.
  TOrvBtnEditPopupWnd* GetPopup() const { return popup_; }
  TOrvBtnEditPopupAlign GetPopupAlign() const { return popupAlign_; }
  void SetPopupAlign(TOrvBtnEditPopupAlign value) { popupAlign_ = value; }
  bool GetPopupVisible() const;
  void PopupDropDown();
  void PopupCloseUp(TObject* sender, bool accept);

  const TNotifyEvent& GetOnButtonClick() const { return onButtonClick_; }
  void SetOnButtonClick(const TNotifyEvent& e) { onButtonClick_ = e; }

 protected:
  // OnButtonClick, then drops the popup down or closes it.
  virtual void ButtonClick();
  // The glyph of btDefault; destroyNeeded tells whether the caller frees it. None here.
  virtual TBitmap* GetDefaultBitmap(bool& destroyNeeded);
  // Whether a value the popup closed with is taken; may change it first.
  virtual bool AcceptPopup(Variant& value);
  virtual void AcceptValue(const Variant& value);
  virtual void SetPopupValue(const Variant& value);

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool EditCanModify() override;
  void Change() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  void CMCtl3DChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMCancelMode(TMessage& m);
  void CMEnter(TMessage& m);
  void CNCtlColorEdit(TMessage& m);
  void WMSize(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMPaste(TMessage& m);
  void WMCut(TMessage& m);

  // Set by descendants that have a popup; not owned here.
  TOrvBtnEditPopupWnd* popup_ = nullptr;

 private:
  // Enter and Escape: offered to the parent form as dialog keys.
  void ForwardDialogKey(char key);
  bool UserMayEdit() { return directInput_ && !GetReadOnly(); }
  void AssignGlyph(TBitmap* bitmap);
  TPoint PopupOrigin() const;
  void EndPopupMode();

  TOrvBtnEditBtn* button_;
  TWinControl* buttonHolder_;
  TNotifyEvent onButtonClick_;
  TShortCut clickKey_ = 0x8028;
  bool readOnly_ = false;
  bool directInput_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool popupShown_ = false;
  bool hasFocus_ = false;
  TOrvBtnEditPopupAlign popupAlign_ = epaRight;
  TOrvBtnEditBtnType buttonType_ = btCustom;
};

class TOrvBtnEdit : public TOrvCustomBtnEdit {
  TOVIX_DECLARE_CLASS(TOrvBtnEdit)

 public:
  using TOrvCustomBtnEdit::TOrvCustomBtnEdit;
};

TOVIX_LINK_CLASS(TOrvBtnEdit)

template <> struct TEnumTraits<TOrvBtnEditBtnType> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TOrvBtnEditPopupAlign> { static const TEnumInfo& Info(); };

}  // namespace Tovix
