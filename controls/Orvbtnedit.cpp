#include "controls/Orvbtnedit.h"

#include <algorithm>
#include <memory>

#include "controls/DialogKey.h"
#include "controls/Orvedit.h"
#include "framework/system/ScopeExit.h"
#include "framework/FileCtrl.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/TypInfoBuilder.h"
#include "utils/Orvutils.h"

namespace Tovix {

namespace {

// The events both published button edits list last, in this order (the order form files use).
template <typename T>
void PublishEditEvents(TClassBuilder<T>& c) {
  c.Property("OnChange", &T::GetOnChange, &T::SetOnChange);
  c.Property("OnClick", &T::GetOnClick, &T::SetOnClick);
  c.Property("OnDblClick", &T::GetOnDblClick, &T::SetOnDblClick);
  c.Property("OnDragDrop", &T::GetOnDragDrop, &T::SetOnDragDrop);
  c.Property("OnDragOver", &T::GetOnDragOver, &T::SetOnDragOver);
  c.Property("OnEndDrag", &T::GetOnEndDrag, &T::SetOnEndDrag);
  c.Property("OnEnter", &T::GetOnEnter, &T::SetOnEnter);
  c.Property("OnExit", &T::GetOnExit, &T::SetOnExit);
  c.Property("OnKeyDown", &T::GetOnKeyDown, &T::SetOnKeyDown);
  c.Property("OnKeyPress", &T::GetOnKeyPress, &T::SetOnKeyPress);
  c.Property("OnKeyUp", &T::GetOnKeyUp, &T::SetOnKeyUp);
  c.Property("OnMouseDown", &T::GetOnMouseDown, &T::SetOnMouseDown);
  c.Property("OnMouseMove", &T::GetOnMouseMove, &T::SetOnMouseMove);
  c.Property("OnMouseUp", &T::GetOnMouseUp, &T::SetOnMouseUp);
  c.Property("OnStartDrag", &T::GetOnStartDrag, &T::SetOnStartDrag);
}

}  // namespace

TOVIX_IMPLEMENT_CLASS(TOrvBtnEditBtn, TSpeedButton) {}

TOVIX_IMPLEMENT_CLASS(TOrvCustomBtnEdit, TCustomMaskEdit) {
  c.Message(CM_CTL3DCHANGED, &TOrvCustomBtnEdit::CMCtl3DChanged);
  c.Message(CM_ENABLEDCHANGED, &TOrvCustomBtnEdit::CMEnabledChanged);
  c.Message(CM_FONTCHANGED, &TOrvCustomBtnEdit::CMFontChanged);
  c.Message(CM_CANCELMODE, &TOrvCustomBtnEdit::CMCancelMode);
  c.Message(CM_ENTER, &TOrvCustomBtnEdit::CMEnter);
  c.Message(CN_CTLCOLOREDIT, &TOrvCustomBtnEdit::CNCtlColorEdit);
  c.Message(WM_SIZE, &TOrvCustomBtnEdit::WMSize);
  c.Message(WM_KILLFOCUS, &TOrvCustomBtnEdit::WMKillFocus);
  c.Message(WM_SETFOCUS, &TOrvCustomBtnEdit::WMSetFocus);
  c.Message(WM_PASTE, &TOrvCustomBtnEdit::WMPaste);
  c.Message(WM_CUT, &TOrvCustomBtnEdit::WMCut);
}

TOVIX_IMPLEMENT_CLASS(TOrvBtnEdit, TOrvCustomBtnEdit) {
  using T = TOrvBtnEdit;
  c.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(true);
  c.Property("Alignment", &T::GetAlignment, &T::SetAlignment).Default(taLeftJustify);
  c.Property("AutoSelect", &T::GetAutoSelect, &T::SetAutoSelect).Default(true);
  c.Property("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle);
  c.Property("ButtonHint", &T::GetBtnHint, &T::SetBtnHint);
  c.Property("CharCase", &T::GetCharCase, &T::SetCharCase).Default(ecNormal);
  c.Property("ClickKey", &T::GetClickKey, &T::SetClickKey).Default(TShortCut{0x8028});
  c.Property("Color", &T::GetColor, &T::SetColor).Default(clWindow).Stored(&T::IsColorStored);
  c.Property("Ctl3D", &T::GetCtl3D, &T::SetCtl3D).Stored(&T::IsCtl3DStored);
  c.Property("DirectInput", &T::GetDirectInput, &T::SetDirectInput).Default(true);
  c.Property("DragCursor", &T::GetDragCursor, &T::SetDragCursor).Default(crDrag);
  c.Property("DragMode", &T::GetDragMode, &T::SetDragMode).Default(dmManual);
  c.Property("EditMask", &T::GetEditMask, &T::SetEditMask);
  c.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  c.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored);
  c.Property("ButtonType", &T::GetBtnType, &T::SetBtnType).Default(btCustom);
  c.Property("ButtonBitmap", &T::GetBtnBitmap, &T::SetBtnBitmap).Stored(&T::IsCustomBtnBitmap);
  c.Property("ButtonWidth", &T::GetBtnWidth, &T::SetBtnWidth).Stored(&T::BtnWidthStored);
  c.Property("HideSelection", &T::GetHideSelection, &T::SetHideSelection).Default(true);
  c.Property("ImeMode", &T::GetImeMode, &T::SetImeMode).Default(imDontCare);
  c.Property("ImeName", &T::GetImeName, &T::SetImeName);
  c.Property("MaxLength", &T::GetMaxLength, &T::SetMaxLength).Default(0);
  c.Property("OEMConvert", &T::GetOEMConvert, &T::SetOEMConvert).Default(false);
  c.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(false);
  c.Property("ParentCtl3D", &T::GetParentCtl3D, &T::SetParentCtl3D).Default(true);
  c.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
  c.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  c.Property("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(false);
  c.Property("ShowHint", &T::GetShowHint, &T::SetShowHint).Stored(&T::IsShowHintStored);
  c.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  c.Property("Text", &T::GetText, &T::SetText);
  c.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  c.Property("OnButtonClick", &T::GetOnButtonClick, &T::SetOnButtonClick);
  PublishEditEvents(c);
}

const TEnumInfo& TEnumTraits<TOrvBtnEditBtnType>::Info() {
  static const TEnumInfo info{{"btCustom", "btDefault", "btDropDown", "btEllipsis", "btOpenFile", "btDirectory"}};
  return info;
}

const TEnumInfo& TEnumTraits<TOrvBtnEditPopupAlign>::Info() {
  static const TEnumInfo info{{"epaRight", "epaLeft"}};
  return info;
}

namespace {

constexpr int kOemComboBitmap = 32738;  // OBM_COMBO: the combo box's drop-down arrow

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The screen's device context for the lifetime of the object.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A new canvas (with its own default font) on a device context of a window, given back to the
// window when the object goes.
class WindowCanvas {
 public:
  explicit WindowCanvas(HWND window) : window_(window), dc_(GetDC(window)) { canvas_.SetHandle(dc_); }
  ~WindowCanvas() {
    canvas_.SetHandle(nullptr);
    ReleaseDC(window_, dc_);
  }
  WindowCanvas(const WindowCanvas&) = delete;
  WindowCanvas& operator=(const WindowCanvas&) = delete;
  TCanvas& Canvas() { return canvas_; }

 private:
  HWND window_;
  HDC dc_;
  TCanvas canvas_;
};

// The text of the clipboard, or empty when it holds none.
String ClipboardText(HWND owner) {
  String text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text.assign(chars, strnlen(chars, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// The button

TOrvBtnEditBtn::TOrvBtnEditBtn(TComponent* owner) : TSpeedButton(owner) {
  controlStyle_.Include(csReplicatable);
}

TOrvCustomBtnEdit* TOrvBtnEditBtn::Edit() const { return dynamic_cast<TOrvCustomBtnEdit*>(GetOwner()); }

// The framework's button, with a two-line edge at its left that joins it to the edit's border.
void TOrvBtnEditBtn::Paint() {
  TSpeedButton::Paint();
  TCanvas* canvas = GetCanvas();
  canvas->GetPen()->SetColor(NewStyleControls ? clBtnFace : clBtnShadow);
  canvas->MoveTo(0, 0);
  canvas->LineTo(0, GetHeight() - 1);
  canvas->GetPen()->SetColor(clBtnHighlight);
  canvas->MoveTo(1, 1);
  canvas->LineTo(1, GetHeight() - 2);
}

void TOrvBtnEditBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (TOrvCustomBtnEdit* edit = Edit()) {
      skipNextClick_ = edit->GetPopupVisible();
      edit->PopupCloseUp(edit, true);
    }
  }
  TSpeedButton::MouseDown(button, shift, x, y);
}

void TOrvBtnEditBtn::Click() {
  if (skipNextClick_) {
    skipNextClick_ = false;
    return;
  }
  TSpeedButton::Click();
}

// ---------------------------------------------------------------------------
// Construction

TOrvCustomBtnEdit::TOrvCustomBtnEdit(TComponent* owner) : TCustomMaskEdit(owner) {
  controlStyle_.Include(csCaptureMouse);
  SetAutoSize(false);
  buttonHolder_ = new TWinControl(this);
  buttonHolder_->SetControlStyle(buttonHolder_->GetControlStyle() + TControlStyle{csReplicatable});
  buttonHolder_->SetBounds(0, 0, 21, 17);
  buttonHolder_->SetVisible(true);
  buttonHolder_->SetParent(this);
  button_ = new TOrvBtnEditBtn(this);
  button_->SetBounds(0, 0, 21, 17);
  button_->SetVisible(true);
  button_->SetParent(buttonHolder_);
  button_->SetOnClick(TNotifyEvent(this, &TOrvCustomBtnEdit::EditBtnClick));
  SetHeight(21);
}

TOrvCustomBtnEdit::~TOrvCustomBtnEdit() { button_->SetOnClick(TNotifyEvent()); }

// ---------------------------------------------------------------------------
// The window and its formatting rectangle

void TOrvCustomBtnEdit::CreateParams(TCreateParams& params) {
  TCustomMaskEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | WS_CLIPCHILDREN | AlignmentStyle(alignment_);
}

void TOrvCustomBtnEdit::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  SetEditRect();
}

// Text stops short of the button.
void TOrvCustomBtnEdit::SetEditRect() {
  if (!HandleAllocated()) return;
  RECT r{0, 0, GetClientWidth() - buttonHolder_->GetWidth() - 2, GetClientHeight() + 1};
  SendMessageA(handle_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TOrvCustomBtnEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TOrvCustomBtnEdit::UpdateBtnBounds() {
  int w = GetWidth(), h = GetHeight(), bw = button_->GetWidth();
  if (!NewStyleControls) buttonHolder_->SetBounds(w - bw, 1, bw, h - 1);
  else if (GetCtl3D()) buttonHolder_->SetBounds(w - bw - 4, 0, bw, h - 4);
  else buttonHolder_->SetBounds(w - bw - 2, 2, bw, h - 4);
  button_->SetHeight(buttonHolder_->GetHeight());
  SetEditRect();
}

void TOrvCustomBtnEdit::WMSize(TMessage& m) {
  TWinControl::WMSize(m);
  if (!IsLoading()) {
    int minHeight = GetMinHeight();
    if (GetHeight() < minHeight) {
      // The resize this makes comes back here and places the button.
      SetHeight(minHeight);
      return;
    }
  } else if (popup_ && IsDesigning()) {
    popup_->SetBounds(0, GetHeight() + 1, 10, 10);
  }
  UpdateBtnBounds();
}

void TOrvCustomBtnEdit::CMCtl3DChanged(TMessage& m) {
  TCustomMaskEdit::CMCtl3DChanged(m);
  UpdateBtnBounds();
}

// The smaller of the screen font's and the edit font's cell heights.
int TOrvCustomBtnEdit::GetTextHeight() const {
  ScreenDC screen;
  TEXTMETRICA stock{}, own{};
  GetTextMetricsA(screen.Get(), &stock);
  HGDIOBJ old = SelectObject(screen.Get(), GetFont()->GetHandle());
  GetTextMetricsA(screen.Get(), &own);
  SelectObject(screen.Get(), old);
  return std::min(stock.tmHeight, own.tmHeight);
}

int TOrvCustomBtnEdit::GetMinHeight() const {
  int t = GetTextHeight();
  return t + 4 * GetSystemMetrics(SM_CYBORDER) + t / 4 + 1;
}

// A new window brings the caret, formatting rectangle and minimum height in line with the font.
void TOrvCustomBtnEdit::CMFontChanged(TMessage& m) {
  TCustomMaskEdit::CMFontChanged(m);
  if (HandleAllocated()) RecreateWnd();
}

// ---------------------------------------------------------------------------
// The button's width, type and glyph

int TOrvCustomBtnEdit::GetBtnWidth() const { return button_->GetWidth(); }

void TOrvCustomBtnEdit::SetBtnWidth(int value) {
  if (value < 0) return;
  if (controlState_.Contains(csCreating)) {
    buttonHolder_->SetWidth(value);
    button_->SetWidth(value);
    RecreateBtnBitmap();
    return;
  }
  if (value == button_->GetWidth() || value >= GetClientWidth()) return;
  button_->SetWidth(value);
  // The new window's size message places the holder.
  RecreateWnd();
  RecreateBtnBitmap();
}

String TOrvCustomBtnEdit::GetBtnHint() const { return button_->GetHint(); }
void TOrvCustomBtnEdit::SetBtnHint(const String& value) { button_->SetHint(value); }
TBitmap* TOrvCustomBtnEdit::GetBtnBitmap() const { return button_->GetGlyph(); }

void TOrvCustomBtnEdit::SetBtnBitmap(TBitmap* value) {
  AssignGlyph(value);
  buttonType_ = btCustom;
}

void TOrvCustomBtnEdit::AssignGlyph(TBitmap* bitmap) {
  if (bitmap) {
    button_->SetGlyph(bitmap);
  } else {
    TBitmap none;
    button_->SetGlyph(&none);
  }
}

void TOrvCustomBtnEdit::SetBtnType(TOrvBtnEditBtnType value) {
  if (value == buttonType_) return;
  buttonType_ = value;
  if (value == btCustom && GetComponentState().Contains(csReading)) SetBtnBitmap(nullptr);
  RecreateBtnBitmap();
  TBitmap* glyph = GetBtnBitmap();
  if (value == btDefault && glyph && !glyph->Empty()) SetBtnWidth(std::max(glyph->GetWidth() + 6, GetBtnWidth()));
  else if (value == btDropDown) SetBtnWidth(GetSystemMetrics(SM_CXVSCROLL));
}

bool TOrvCustomBtnEdit::BtnWidthStored() const {
  TBitmap* glyph = GetBtnBitmap();
  int width = GetBtnWidth();
  if (buttonType_ == btDefault && glyph && !glyph->Empty()) return std::max(glyph->GetWidth() + 6, width) != width;
  if (buttonType_ == btDropDown) return width != GetSystemMetrics(SM_CXVSCROLL);
  return width != 21;
}

TBitmap* TOrvCustomBtnEdit::GetDefaultBitmap(bool&) { return nullptr; }

void TOrvCustomBtnEdit::RecreateBtnBitmap() {
  switch (buttonType_) {
    case btCustom:
      break;
    case btDefault: {
      bool destroyNeeded = false;
      TBitmap* bitmap = GetDefaultBitmap(destroyNeeded);
      std::unique_ptr<TBitmap> owned(destroyNeeded ? bitmap : nullptr);
      AssignGlyph(bitmap);
      break;
    }
    case btDropDown: {
      TBitmap arrow;
      arrow.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kOemComboBitmap)));
      AssignGlyph(&arrow);
      break;
    }
    case btEllipsis: {
      std::unique_ptr<TBitmap> dots(CreateEllipsisBitmap());
      AssignGlyph(dots.get());
      break;
    }
    case btOpenFile: case btDirectory: {
      TBitmap loaded;
      loaded.LoadFromResourceName(ThisModule(), buttonType_ == btOpenFile ? "TOrvBtnEdit_OpenFile" : "TOrvBtnEdit_Directory");
      AssignGlyph(&loaded);
      break;
    }
  }
}

TBitmap* TOrvCustomBtnEdit::CreateEllipsisBitmap() const {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetMonochrome(true);
  int width = std::max(1, button_->GetWidth() - 6);
  bitmap->SetSize(width, 4);
  HDC dc = bitmap->GetCanvas()->GetHandle();
  PatBlt(dc, 0, 0, width, 4, WHITENESS);
  int gap = std::clamp((width - 6) / 2, 1, 3);
  // Negative for very narrow buttons: the dots are then clipped.
  int x = (width - 6 - 2 * gap) / 2;
  for (int dot = 0; dot < 3; ++dot) PatBlt(dc, x + dot * (gap + 2), 1, 2, 2, BLACKNESS);
  bitmap->GetCanvas()->Refresh();
  return bitmap.release();
}

// ---------------------------------------------------------------------------
// Read-only state and direct input

void TOrvCustomBtnEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  TCustomMaskEdit::SetReadOnly(value || !directInput_);
}

void TOrvCustomBtnEdit::SetDirectInput(bool value) {
  TCustomMaskEdit::SetReadOnly(!value || readOnly_);
  directInput_ = value;
}

bool TOrvCustomBtnEdit::EditCanModify() { return !GetReadOnly(); }

void TOrvCustomBtnEdit::SelectAll() {
  if (directInput_) TCustomMaskEdit::SelectAll();
}

void TOrvCustomBtnEdit::CMEnter(TMessage& m) {
  if (GetAutoSelect() && !controlState_.Contains(csLButtonDown)) SelectAll();
  TCustomMaskEdit::CMEnter(m);
}

// A multi-line window would take every line of a pasted text: only the first is pasted.
void TOrvCustomBtnEdit::WMPaste(TMessage& m) {
  if (!UserMayEdit()) return;
  String text = ClipboardText(handle_);
  size_t lineBreak = text.find_first_of("\r\n");
  if (lineBreak == String::npos || IsMasked()) {
    TCustomMaskEdit::WMPaste(m);
    return;
  }
  if (EditCanModify()) SetSelText(text.substr(0, lineBreak));
}

void TOrvCustomBtnEdit::WMCut(TMessage& m) {
  if (UserMayEdit()) TCustomMaskEdit::WMCut(m);
}

void TOrvCustomBtnEdit::Change() {
  if (!GetPopupVisible()) TCustomMaskEdit::Change();
}

// ---------------------------------------------------------------------------
// Keys and mouse

void TOrvCustomBtnEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomMaskEdit::KeyDown(key, shift);
  if (key != 0 && ShortCut(key, shift) == clickKey_ && GetBtnWidth() > 0) {
    EditBtnClick(this);
    key = 0;
  }
}

void TOrvCustomBtnEdit::KeyPress(char& key) {
  // Ctrl+Enter types a line feed; in a one-line value it is Enter.
  if (key == '\n') key = '\r';
  if (key != '\r' && key != '\x1b') {
    TCustomMaskEdit::KeyPress(key);
    return;
  }
  if (GetPopupVisible()) {
    PopupCloseUp(this, key == '\r');
    key = 0;
    return;
  }
  if (!OfferDialogKey(this, key)) {
    key = 0;  // a handler freed the edit
    return;
  }
  TCustomMaskEdit::KeyPress(key);
  if (key == '\r') key = 0;
}

void TOrvCustomBtnEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (popup_ && button == mbLeft) {
    if (CanFocus()) SetFocus();
    if (!hasFocus_) return;
    if (popupShown_) PopupCloseUp(this, false);
  }
  TCustomMaskEdit::MouseDown(button, shift, x, y);
}

void TOrvCustomBtnEdit::DoClick() { EditBtnClick(this); }

void TOrvCustomBtnEdit::EditBtnClick(TObject*) { ButtonClick(); }

void TOrvCustomBtnEdit::ButtonClick() {
  onButtonClick_(this);
  if (!popup_) return;
  if (popupShown_) PopupCloseUp(this, true);
  else PopupDropDown();
}

// ---------------------------------------------------------------------------
// Focus, caret, colours

void TOrvCustomBtnEdit::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  hasFocus_ = true;
  SetShowCaret();
}

void TOrvCustomBtnEdit::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
  hasFocus_ = false;
  PopupCloseUp(this, false);
}

void TOrvCustomBtnEdit::SetShowCaret() {
  int width = GetFont()->GetStyle().Contains(fsBold) ? 2 : 1;
  CreateCaret(GetHandle(), nullptr, width, GetTextHeight());
  ShowCaret(GetHandle());
}

void TOrvCustomBtnEdit::CNCtlColorEdit(TMessage& m) {
  TCustomMaskEdit::CNCtlColor(m);
  if (!NewStyleControls) return;
  TColor color = GetFont()->GetColor();
  if (!GetEnabled() && GetColor() != clGrayText) color = clGrayText;
  SetTextColor(reinterpret_cast<HDC>(m.WParam), ColorToRGB(color));
}

void TOrvCustomBtnEdit::CMEnabledChanged(TMessage& m) {
  TCustomMaskEdit::CMEnabledChanged(m);
  button_->SetEnabled(GetEnabled());
}

// ---------------------------------------------------------------------------
// Shortened display

int TOrvCustomBtnEdit::GetMaxTextWidth() const { return GetClientWidth() - button_->GetWidth() - 4; }

void TOrvCustomBtnEdit::SetBeginningEllipsisText(const String& s) {
  SetText(StrContinuedText(s, this, GetMaxTextWidth()));
}

void TOrvCustomBtnEdit::SetPathEllipsisText(const String& s) {
  String shortened;
  {
    WindowCanvas measure(GetHandle());
    shortened = MinimizeName(s, measure.Canvas(), GetMaxTextWidth());
  }
  SetText(shortened);
}

int TOrvCustomBtnEdit::GetTextWidth() {
  WindowCanvas measure(GetHandle());
  return measure.Canvas().TextWidth(GetText());
}

}  // namespace Tovix

// ===========================================================================
// Dialog edits

#include "dialogs/Orvcommdlg.h"
#include "dialogs/Orvfolderbrowser.h"
#include "framework/system/InvalidCast.h"
#include "framework/design/Registration.h"

namespace Tovix {

// What every dialog edit publishes: the framework's own properties, the dialog events, and the
// button edit's properties that make sense when the user cannot type.
TOVIX_IMPLEMENT_CLASS(TOrvDialogEdit, TOrvCustomBtnEdit) {
  using T = TOrvDialogEdit;
  c.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(true);
  c.Property("OnBeforeDialog", &T::GetOnBeforeDialog, &T::SetOnBeforeDialog);
  c.Property("OnAfterDialog", &T::GetOnAfterDialog, &T::SetOnAfterDialog);
  c.Property("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle);
  c.Property("ButtonHint", &T::GetBtnHint, &T::SetBtnHint);
  c.Property("Color", &T::GetColor, &T::SetColor).Default(clWindow).Stored(&T::IsColorStored);
  c.Property("DragCursor", &T::GetDragCursor, &T::SetDragCursor).Default(crDrag);
  c.Property("DragMode", &T::GetDragMode, &T::SetDragMode).Default(dmManual);
  c.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  c.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored);
  c.Property("ImeMode", &T::GetImeMode, &T::SetImeMode).Default(imDontCare);
  c.Property("ImeName", &T::GetImeName, &T::SetImeName);
  c.Property("MaxLength", &T::GetMaxLength, &T::SetMaxLength).Default(0);
  c.Property("OEMConvert", &T::GetOEMConvert, &T::SetOEMConvert).Default(false);
  c.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(false);
  c.Property("ParentCtl3D", &T::GetParentCtl3D, &T::SetParentCtl3D).Default(true);
  c.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
  c.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  c.Property("ShowHint", &T::GetShowHint, &T::SetShowHint).Stored(&T::IsShowHintStored);
  c.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  c.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  PublishEditEvents(c);
}

TOVIX_IMPLEMENT_CLASS(TOrvDirEdit, TOrvDialogEdit) {
  c.Property("Directory", &TOrvDirEdit::GetDirectory, &TOrvDirEdit::SetDirectory);
}

TOVIX_IMPLEMENT_CLASS(TOrvFileEdit, TOrvDialogEdit) {
  using T = TOrvFileEdit;
  c.Property("FilePath", &T::GetFilePath, &T::SetFilePath);
  c.Property("FileNameOnly", &T::GetFileNameOnly, &T::SetFileNameOnly);
  c.Property("DialogOptions", &T::GetDialogOptions, &T::SetDialogOptions);
  c.Property("DialogFilter", &T::GetDialogFilter, &T::SetDialogFilter);
  c.Property("DialogTitle", &T::GetDialogTitle, &T::SetDialogTitle);
}

TOVIX_IMPLEMENT_CLASS(TOrvWaveEdit, TOrvFileEdit) {
  c.Property("DialogAutoPlay", &TOrvWaveEdit::GetDialogAutoPlay, &TOrvWaveEdit::SetDialogAutoPlay);
  c.Property("DialogUseRegistry", &TOrvWaveEdit::GetDialogUseRegistry, &TOrvWaveEdit::SetDialogUseRegistry);
}

namespace {

const int kDialogEditWidth = 200;

}  // namespace

TOrvDialogEdit::TOrvDialogEdit(TComponent* owner) : TOrvCustomBtnEdit(owner) { SetReadOnly(true); }

void TOrvDialogEdit::CreateWnd() {
  TOrvCustomBtnEdit::CreateWnd();
  SetOnButtonClick(TNotifyEvent(this, &TOrvDialogEdit::BtnClick));
}

void TOrvDialogEdit::BtnClick(TObject*) {
  onBeforeDialog_(this);
  DoDialog();
  onAfterDialog_(this);
}

// Showing a value measures it on the edit's window; an edit without a parent cannot have one, so
// the value waits for the window (CreateWnd of each edit shows it).
void TOrvDialogEdit::ShowValueWhenPossible() {
  if (HandleAllocated() || GetParent() || GetParentWindow()) ShowValue();
}

TOrvDirEdit::TOrvDirEdit(TComponent* owner) : TOrvDialogEdit(owner) { SetWidth(kDialogEditWidth); }

void TOrvDirEdit::CreateWnd() {
  TOrvDialogEdit::CreateWnd();
  SetBtnType(btDirectory);
  if (!directory_.empty()) ShowValue();
}

void TOrvDirEdit::SetDirectory(const String& value) {
  directory_ = value;
  ShowValueWhenPossible();
}

void TOrvDirEdit::ShowValue() { SetPathEllipsisText(directory_); }

void TOrvDirEdit::DoDialog() {
  auto browser = std::make_unique<TOrvFolderBrowser>(this);
  browser->SetFolderPath(directory_);
  if (browser->Execute()) SetDirectory(browser->GetFolderPath());
}

TOrvFileEdit::TOrvFileEdit(TComponent* owner)
    : TOrvDialogEdit(owner),
      dialogOptions_{ofHideReadOnly, ofPathMustExist, ofFileMustExist},
      dialogFilter_("All Files (*.*)|*.*"),
      dialogTitle_("Select File") {
  SetWidth(kDialogEditWidth);
}

void TOrvFileEdit::CreateWnd() {
  TOrvDialogEdit::CreateWnd();
  SetBtnType(btOpenFile);
  if (!filePath_.empty()) ShowValue();
}

void TOrvFileEdit::SetFilePath(const String& value) {
  if (value == filePath_) return;
  filePath_ = value;
  ShowValueWhenPossible();
}

void TOrvFileEdit::SetFileNameOnly(bool value) {
  if (value == fileNameOnly_) return;
  fileNameOnly_ = value;
  String path = filePath_;
  filePath_.clear();
  SetFilePath(path);
}

void TOrvFileEdit::ShowValue() {
  if (fileNameOnly_) SetBeginningEllipsisText(ExtractFileName(filePath_));
  else SetPathEllipsisText(filePath_);
}

void TOrvFileEdit::DoDialog() {
  std::unique_ptr<TOpenDialog> dialog(CreateDialog());
  InitDialog(dialog.get());
  if (dialog->Execute()) DialogOk(dialog.get());
}

TOpenDialog* TOrvFileEdit::CreateDialog() { return new TOpenDialog(GetParentForm(this)); }

void TOrvFileEdit::InitDialog(TOpenDialog* dialog) {
  if (!ExtractFileName(filePath_).empty()) dialog->SetFileName(filePath_);
  dialog->SetInitialDir(ExtractFilePath(filePath_));
  dialog->SetOptions(dialogOptions_);
  dialog->SetFilter(dialogFilter_);
  dialog->SetTitle(dialogTitle_);
}

void TOrvFileEdit::DialogOk(TOpenDialog* dialog) { SetFilePath(dialog->GetFileName()); }

TOrvWaveEdit::TOrvWaveEdit(TComponent* owner) : TOrvFileEdit(owner) {
  SetDialogFilter("Wave Files (*.wav)|*.wav");
  SetDialogTitle("Select Wave File");
}

TOpenDialog* TOrvWaveEdit::CreateDialog() { return new TOrvOpenWaveDialog(GetParentForm(this)); }

void TOrvWaveEdit::InitDialog(TOpenDialog* dialog) {
  TOrvFileEdit::InitDialog(dialog);
  auto* waveDialog = dynamic_cast<TOrvOpenWaveDialog*>(dialog);
  if (!waveDialog) throw EInvalidCast("Invalid class typecast");
  waveDialog->SetAutoPlay(dialogAutoPlay_);
  waveDialog->SetUseRegistry(dialogUseRegistry_);
}

void Orvbtnedit::Register() {
  RegisterComponents("Tovix", {&TOrvBtnEdit::StaticClassInfo()});
  RegisterComponents("Tovix", {&TOrvDirEdit::StaticClassInfo()});
  RegisterComponents("Tovix", {&TOrvFileEdit::StaticClassInfo()});
  RegisterComponents("Tovix", {&TOrvWaveEdit::StaticClassInfo()});
}

}  // namespace Tovix
