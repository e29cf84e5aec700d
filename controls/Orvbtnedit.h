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

// ===========================================================================
// Dialog edits: button edits whose button picks the value through a dialog. The user cannot type
// into them; the full value is a property of its own and the edit shows it shortened to fit.

#include "framework/Dialogs.h"

namespace Tovix {

class TOrvDialogEdit : public TOrvCustomBtnEdit {
  TOVIX_DECLARE_CLASS(TOrvDialogEdit)

 public:
  // Read-only for the user; the button (or the click key) runs the dialog.
  explicit TOrvDialogEdit(TComponent* owner);

  const TNotifyEvent& GetOnBeforeDialog() const { return onBeforeDialog_; }
  void SetOnBeforeDialog(const TNotifyEvent& e) { onBeforeDialog_ = e; }
  // Raised after the dialog closed, confirmed or not; not when the dialog raised.
  const TNotifyEvent& GetOnAfterDialog() const { return onAfterDialog_; }
  void SetOnAfterDialog(const TNotifyEvent& e) { onAfterDialog_ = e; }

 protected:
  // The button runs BtnClick, whatever handler it had; a value set before there was a window
  // shows now.
  void CreateWnd() override;
  // OnBeforeDialog, the dialog, OnAfterDialog (Sender: the edit).
  virtual void BtnClick(TObject* sender);
  virtual void DoDialog() = 0;
  // Shows the value shortened to the window's width.
  virtual void ShowValue() = 0;
  // Shows the value now when the edit can have a window (it has a parent), else once it has one.
  void ShowValueWhenPossible();

 private:
  TNotifyEvent onBeforeDialog_;
  TNotifyEvent onAfterDialog_;
};

// A directory chosen with the folder browser. 200 pixels wide at first.
class TOrvDirEdit : public TOrvDialogEdit {
  TOVIX_DECLARE_CLASS(TOrvDirEdit)

 public:
  explicit TOrvDirEdit(TComponent* owner);

  const String& GetDirectory() const { return directory_; }
  // Shows the directory shortened in the middle ("C:\...\name"), also when it is unchanged.
  void SetDirectory(const String& value);

 protected:
  void CreateWnd() override;
  void DoDialog() override;
  void ShowValue() override;

 private:
  String directory_;
};

// A file chosen with the framework's open dialog. 200 pixels wide at first, for existing files
// of any name, titled "Select File".
class TOrvFileEdit : public TOrvDialogEdit {
  TOVIX_DECLARE_CLASS(TOrvFileEdit)

 public:
  explicit TOrvFileEdit(TComponent* owner);

  const String& GetFilePath() const { return filePath_; }
  // Shows the path shortened in the middle, or with FileNameOnly the bare file name shortened at
  // its beginning. Setting the same path again changes nothing.
  void SetFilePath(const String& value);
  bool GetFileNameOnly() const { return fileNameOnly_; }
  void SetFileNameOnly(bool value);
  TOpenOptions GetDialogOptions() const { return dialogOptions_; }
  void SetDialogOptions(TOpenOptions value) { dialogOptions_ = value; }
  const String& GetDialogFilter() const { return dialogFilter_; }
  void SetDialogFilter(const String& value) { dialogFilter_ = value; }
  const String& GetDialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const String& value) { dialogTitle_ = value; }

 protected:
  void CreateWnd() override;
  void DoDialog() override;
  void ShowValue() override;
  // A new dialog owned by the edit's form; the caller frees it.
  virtual TOpenDialog* CreateDialog();
  // Starts the dialog on FilePath with the edit's dialog settings.
  virtual void InitDialog(TOpenDialog* dialog);
  virtual void DialogOk(TOpenDialog* dialog);

 private:
  String filePath_;
  bool fileNameOnly_ = false;
  TOpenOptions dialogOptions_;
  String dialogFilter_;
  String dialogTitle_;
};

// A wave file chosen with the open-wave dialog (TOrvOpenWaveDialog).
class TOrvWaveEdit : public TOrvFileEdit {
  TOVIX_DECLARE_CLASS(TOrvWaveEdit)

 public:
  explicit TOrvWaveEdit(TComponent* owner);

  // The dialog's AutoPlay at the start of each dialog; not updated from it.
  bool GetDialogAutoPlay() const { return dialogAutoPlay_; }
  void SetDialogAutoPlay(bool value) { dialogAutoPlay_ = value; }
  bool GetDialogUseRegistry() const { return dialogUseRegistry_; }
  void SetDialogUseRegistry(bool value) { dialogUseRegistry_ = value; }

 protected:
  TOpenDialog* CreateDialog() override;
  // Raises EInvalidCast when CreateDialog gave another kind of dialog.
  void InitDialog(TOpenDialog* dialog) override;

 private:
  bool dialogAutoPlay_ = false;
  bool dialogUseRegistry_ = false;
};

TOVIX_LINK_CLASS(TOrvDirEdit)
TOVIX_LINK_CLASS(TOrvFileEdit)
TOVIX_LINK_CLASS(TOrvWaveEdit)

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the four button edits on the "Tovix" palette page, one call each.
namespace Orvbtnedit {
void Register();
}  // namespace Orvbtnedit

}  // namespace Tovix
