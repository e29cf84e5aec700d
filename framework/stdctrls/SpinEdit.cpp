#include "framework/stdctrls/SpinEdit.h"

#include <algorithm>
#include <commctrl.h>
#include <limits>

#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace P = StdCtrlsPublish;

TOVIX_IMPLEMENT_CLASS(TSpinEdit, TWinControl) {
  StdCtrlsPublish::Placement(c);
  c.Property("AutoSelect", &TSpinEdit::GetAutoSelect, &TSpinEdit::SetAutoSelect).Default(true);
  c.Property("Color", &TSpinEdit::GetColor, &TSpinEdit::SetColor).Default(clWindow).Stored(&TSpinEdit::IsColorStored);
  c.Property("Ctl3D", &TSpinEdit::GetCtl3D, &TSpinEdit::SetCtl3D).Stored(&TSpinEdit::IsCtl3DStored);
  P::Dragging(c);
  c.Property("EditorEnabled", &TSpinEdit::GetEditorEnabled, &TSpinEdit::SetEditorEnabled).Default(true);
  c.Property("Enabled", &TSpinEdit::GetEnabled, &TSpinEdit::SetEnabled).Default(true);
  c.Property("Font", &TSpinEdit::GetFont, &TSpinEdit::SetFont).Stored(&TSpinEdit::IsFontStored);
  c.Property("Increment", &TSpinEdit::GetIncrement, &TSpinEdit::SetIncrement).Default(1);
  c.Property("MaxLength", &TSpinEdit::GetMaxLength, &TSpinEdit::SetMaxLength).Default(0);
  c.Property("MaxValue", &TSpinEdit::GetMaxValue, &TSpinEdit::SetMaxValue).Default(0);
  c.Property("MinValue", &TSpinEdit::GetMinValue, &TSpinEdit::SetMinValue).Default(0);
  c.Property("ParentColor", &TSpinEdit::GetParentColor, &TSpinEdit::SetParentColor).Default(false);
  c.Property("ParentCtl3D", &TSpinEdit::GetParentCtl3D, &TSpinEdit::SetParentCtl3D).Default(true);
  c.Property("ParentFont", &TSpinEdit::GetParentFont, &TSpinEdit::SetParentFont).Default(true);
  c.Property("ParentShowHint", &TSpinEdit::GetParentShowHint, &TSpinEdit::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &TSpinEdit::GetPopupMenu, &TSpinEdit::SetPopupMenu);
  c.Property("ReadOnly", &TSpinEdit::GetReadOnly, &TSpinEdit::SetReadOnly).Default(false);
  c.Property("ShowHint", &TSpinEdit::GetShowHint, &TSpinEdit::SetShowHint).Stored(&TSpinEdit::IsShowHintStored);
  P::TabOrder(c, true);
  c.Property("Value", &TSpinEdit::GetValue, &TSpinEdit::SetValue);
  c.Property("Visible", &TSpinEdit::GetVisible, &TSpinEdit::SetVisible).Default(true);
  c.Property("OnChange", &TSpinEdit::GetOnChange, &TSpinEdit::SetOnChange);
  c.Property("OnClick", &TSpinEdit::GetOnClick, &TSpinEdit::SetOnClick);
  c.Property("OnDblClick", &TSpinEdit::GetOnDblClick, &TSpinEdit::SetOnDblClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
  c.Message(CN_COMMAND, &TSpinEdit::CNCommand);
  c.Message(WM_NOTIFY, &TSpinEdit::WMNotify);
  c.Message(WM_SIZE, &TSpinEdit::WMSize);
  c.Message(WM_GETDLGCODE, &TSpinEdit::WMGetDlgCode);
  c.Message(WM_PASTE, &TSpinEdit::WMPaste);
  c.Message(WM_CUT, &TSpinEdit::WMCut);
  c.Message(CM_ENTER, &TSpinEdit::CMEnter);
  c.Message(CM_EXIT, &TSpinEdit::CMExit);
  c.Message(CM_ENABLEDCHANGED, &TSpinEdit::CMEnabledChanged);
  c.Message(CM_FONTCHANGED, &TSpinEdit::CMFontChanged);
  c.Message(CM_TEXTCHANGED, &TSpinEdit::CMTextChanged);
}

namespace {

const int kUpDownId = 1;

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Exclude(csSetCaption);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
  SetText("0");
}

// A multi-line edit, because only those honour a formatting rectangle: the text keeps clear of
// the arrows. Enter never reaches it (see KeyPress and WMGetDlgCode).
void TSpinEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_MULTILINE | ES_AUTOHSCROLL | WS_CLIPCHILDREN;
  if (readOnly_) params.Style |= ES_READONLY;
  if (NewStyleControls && GetCtl3D()) params.ExStyle |= WS_EX_CLIENTEDGE;
  else params.Style |= WS_BORDER;
}

void TSpinEdit::CreateWnd() {
  TWinControl::CreateWnd();
  upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, kUpDownWidth, 0, handle_,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(kUpDownId)),
                            static_cast<HINSTANCE>(TovixThisModule()), nullptr);
  if (!upDown_) RaiseLastWin32Error();
  // Up increases: a rising range. The position itself never moves (see WMNotify).
  SendMessageA(upDown_, UDM_SETRANGE32, 0, 100);
  SendMessageA(upDown_, UDM_SETPOS32, 0, 50);
  if (!GetEnabled()) EnableWindow(upDown_, FALSE);
  if (maxLength_ > 0) SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  PlaceUpDown();
}

void TSpinEdit::DestroyWnd() {
  upDown_ = nullptr;  // destroyed with the edit's window
  TWinControl::DestroyWnd();
}

void TSpinEdit::PlaceUpDown() {
  if (!handle_ || !upDown_) return;
  RECT client;
  ::GetClientRect(handle_, &client);
  MoveWindow(upDown_, client.right - kUpDownWidth, 0, kUpDownWidth, client.bottom, TRUE);
  RECT text{0, 0, client.right - kUpDownWidth - 2, client.bottom + 1};
  SendMessageA(handle_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

void TSpinEdit::WMSize(TMessage& m) {
  TWinControl::WMSize(m);
  PlaceUpDown();
}

// ---------------------------------------------------------------------------
// Value

int TSpinEdit::CheckValue(int value) const {
  if (maxValue_ > minValue_) return std::clamp(value, minValue_, maxValue_);
  return value;
}

int TSpinEdit::GetValue() const {
  int value = StrToIntDef(Trim(GetText()), minValue_);
  return CheckValue(value);
}

void TSpinEdit::SetValue(int value) { SetText(IntToStr(CheckValue(value))); }

void TSpinEdit::SetMinValue(int value) {
  if (value == minValue_) return;
  minValue_ = value;
  if (!IsLoading()) SetValue(GetValue());
}

void TSpinEdit::SetMaxValue(int value) {
  if (value == maxValue_) return;
  maxValue_ = value;
  if (!IsLoading()) SetValue(GetValue());
}

void TSpinEdit::StepUp() {
  if (readOnly_) {
    MessageBeep(0);
    return;
  }
  SetValue(ClampToInt(static_cast<long long>(GetValue()) + increment_));
}

void TSpinEdit::StepDown() {
  if (readOnly_) {
    MessageBeep(0);
    return;
  }
  SetValue(ClampToInt(static_cast<long long>(GetValue()) - increment_));
}

void TSpinEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (handle_) SendMessageA(handle_, EM_SETREADONLY, value, 0);
}

void TSpinEdit::SetMaxLength(int value) {
  if (value < 0) value = 0;
  if (value == maxLength_) return;
  maxLength_ = value;
  if (handle_) SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TSpinEdit::Change() { onChange_(this); }

// A multi-line edit reports no EN_CHANGE for text set by code, so the text change itself counts.
void TSpinEdit::CMTextChanged(TMessage&) { Change(); }

void TSpinEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == EN_CHANGE) Change();
}

// The arrows: every press asks for a step; the up-down's own position is kept where it is.
void TSpinEdit::WMNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  if (header && header->hwndFrom == upDown_ && upDown_ && header->code == static_cast<UINT>(UDN_DELTAPOS)) {
    auto* change = reinterpret_cast<NMUPDOWN*>(m.LParam);
    if (change->iDelta > 0) StepUp();
    else if (change->iDelta < 0) StepDown();
    m.Result = 1;
    return;
  }
  TWinControl::WMNotify(m);
}

// ---------------------------------------------------------------------------
// Keyboard and focus

// Arrows and characters are the edit's; Tab, Enter and Escape go to the form.
void TSpinEdit::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }

void TSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_UP) {
    StepUp();
    key = 0;
  } else if (key == VK_DOWN) {
    StepDown();
    key = 0;
  } else if (key == VK_DELETE && (!editorEnabled_ || readOnly_)) {
    key = 0;
  }
}

bool TSpinEdit::IsValidChar(char key) const {
  bool valid = (key >= '0' && key <= '9') || key == '+' || key == '-' || (key > 0 && key < 32 && key != '\r');
  if (!editorEnabled_ && valid && (key >= 32 || key == '\b')) valid = false;
  return valid;
}

void TSpinEdit::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || IsValidChar(key)) return;
  if (key != '\r') MessageBeep(0);
  key = 0;
}

void TSpinEdit::WMPaste(TMessage& m) {
  if (editorEnabled_ && !readOnly_) DefaultHandler(m);
}

void TSpinEdit::WMCut(TMessage& m) {
  if (editorEnabled_ && !readOnly_) DefaultHandler(m);
}

void TSpinEdit::CMEnter(TMessage& m) {
  if (autoSelect_ && !controlState_.Contains(csLButtonDown) && handle_) SendMessageA(handle_, EM_SETSEL, 0, -1);
  TWinControl::CMEnter(m);
}

// Leaving the edit shows the value it stands for: a number in the range.
void TSpinEdit::CMExit(TMessage& m) {
  String shown = IntToStr(GetValue());
  if (GetText() != shown) SetText(shown);
  TWinControl::CMExit(m);
}

void TSpinEdit::CMEnabledChanged(TMessage& m) {
  TWinControl::CMEnabledChanged(m);
  if (upDown_) EnableWindow(upDown_, GetEnabled());
}

void TSpinEdit::CMFontChanged(TMessage& m) {
  TWinControl::CMFontChanged(m);
  PlaceUpDown();
}

}  // namespace Tovix
