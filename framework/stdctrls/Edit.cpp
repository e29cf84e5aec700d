#include "framework/stdctrls/Edit.h"

#include "framework/graphics/MeasuringDC.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCustomEdit, TWinControl) {
  c.Message(CN_COMMAND, &TCustomEdit::CNCommand);
  c.Message(CM_ENTER, &TCustomEdit::CMEnter);
  c.Message(CM_TEXTCHANGED, &TCustomEdit::CMTextChanged);
  c.Message(CM_FONTCHANGED, &TCustomEdit::CMFontChanged);
  c.Message(CM_CTL3DCHANGED, &TCustomEdit::CMCtl3DChanged);
}

TOVIX_IMPLEMENT_CLASS(TEdit, TCustomEdit) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect).Default(true);
  c.Property("AutoSize", &TEdit::GetAutoSize, &TEdit::SetAutoSize).Default(true);
  c.Property("BorderStyle", &TEdit::GetBorderStyle, &TEdit::SetBorderStyle).Default(bsSingle);
  c.Property("CharCase", &TEdit::GetCharCase, &TEdit::SetCharCase).Default(ecNormal);
  P::Appearance(c, clWindow, false);
  P::Dragging(c);
  c.Property("HideSelection", &TEdit::GetHideSelection, &TEdit::SetHideSelection).Default(true);
  c.Property("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength).Default(0);
  c.Property("OEMConvert", &TEdit::GetOEMConvert, &TEdit::SetOEMConvert).Default(false);
  c.Property("PasswordChar", &TEdit::GetPasswordCharText, &TEdit::SetPasswordCharText);
  c.Property("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly).Default(false);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("Text", &TEdit::GetText, &TEdit::SetText);
  c.Property("OnChange", &TEdit::GetOnChange, &TEdit::SetOnChange);
  c.Property("OnClick", &TEdit::GetOnClick, &TEdit::SetOnClick);
  c.Property("OnDblClick", &TEdit::GetOnDblClick, &TEdit::SetOnDblClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = TControlStyle{csCaptureMouse, csDesignInteractive, csSetCaption, csClickEvents, csFixedHeight,
                                csDoubleClicks};
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetParentColor(false);
}

// ---------------------------------------------------------------------------
// The window

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (borderStyle_ == bsSingle) {
    if (NewStyleControls && GetCtl3D()) params.ExStyle |= WS_EX_CLIENTEDGE;
    else params.Style |= WS_BORDER;
  }
  if (passwordChar_) params.Style |= ES_PASSWORD;
  if (readOnly_) params.Style |= ES_READONLY;
  if (charCase_ == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
  if (oemConvert_) params.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWnd() {
  // The height comes from the font alone: the window is made at it rather than moved after.
  UpdateHeight();
  TWinControl::CreateWnd();
  ApplyMaxLength();
  if (passwordChar_) SendMessageA(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
  if (modified_) SendMessageA(handle_, EM_SETMODIFY, TRUE, 0);
}

void TCustomEdit::DestroyWnd() {
  modified_ = GetModified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::ApplyMaxLength() {
  int limit = EffectiveMaxLength();
  if (handle_) SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(limit > 0 ? limit : 0), 0);
}

bool TCustomEdit::IsMultiLine() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::UpdateHeight() {
  if (autoSize_ && borderStyle_ == bsSingle) {
    controlStyle_.Include(csFixedHeight);
    AdjustHeight();
  } else {
    controlStyle_.Exclude(csFixedHeight);
  }
}

// The font's cell height plus room for the border and the edit's margins.
void TCustomEdit::AdjustHeight() {
  HDC dc = MeasuringDC();
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  SetHeight(metrics.tmHeight + GetSystemMetrics(SM_CYBORDER) * (GetCtl3D() ? 8 : 6));
}

// ---------------------------------------------------------------------------
// Properties

void TCustomEdit::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  UpdateHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone && v != bsSingle) throw EInvalidOperation("The border style of a control must be bsNone or bsSingle");
  if (v == borderStyle_) return;
  borderStyle_ = v;
  UpdateHeight();
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (v == charCase_) return;
  charCase_ = v;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (v == hideSelection_) return;
  hideSelection_ = v;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int v) {
  if (v == maxLength_) return;
  maxLength_ = v;
  ApplyMaxLength();
}

void TCustomEdit::SetOEMConvert(bool v) {
  if (v == oemConvert_) return;
  oemConvert_ = v;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char v) {
  if (v == passwordChar_) return;
  passwordChar_ = v;
  if (handle_) {
    SendMessageA(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(v), 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void TCustomEdit::SetPasswordCharText(const String& v) {
  if (v.size() > 1) throw EInvalidOperation(Format("PasswordChar takes one character, not '%s'", v));
  SetPasswordChar(v.empty() ? '\0' : v[0]);
}

void TCustomEdit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  if (handle_) SendMessageA(handle_, EM_SETREADONLY, v, 0);
}

bool TCustomEdit::GetModified() const {
  return handle_ ? SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomEdit::SetModified(bool modified) {
  if (handle_) SendMessageA(handle_, EM_SETMODIFY, modified, 0);
  else modified_ = modified;
}

// ---------------------------------------------------------------------------
// Selection and clipboard

int TCustomEdit::GetSelStart() const {
  DWORD start = 0, end = 0;
  if (handle_) SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomEdit::GetSelLength() const {
  DWORD start = 0, end = 0;
  if (handle_) SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) {
  if (handle_) SendMessageA(handle_, EM_SETSEL, static_cast<WPARAM>(start), start);
}

void TCustomEdit::SetSelLength(int length) {
  int start = GetSelStart();
  if (handle_) SendMessageA(handle_, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

String TCustomEdit::GetSelText() const {
  String text = GetTextBuf();
  size_t start = static_cast<size_t>(GetSelStart());
  size_t length = static_cast<size_t>(GetSelLength());
  return start < text.size() ? text.substr(start, length) : String();
}

void TCustomEdit::SetSelText(const String& text) {
  if (handle_) SendMessageA(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() {
  if (handle_) SendMessageA(handle_, EM_SETSEL, 0, -1);
}

void TCustomEdit::Clear() { SetText(String()); }
void TCustomEdit::ClearSelection() { Perform(WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { Perform(WM_UNDO, 0, 0); }
void TCustomEdit::ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }
bool TCustomEdit::GetCanUndo() const { return handle_ && SendMessageA(handle_, EM_CANUNDO, 0, 0) != 0; }

// ---------------------------------------------------------------------------
// Messages

void TCustomEdit::Change() { onChange_(this); }

void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == EN_CHANGE && !controlState_.Contains(csCreating)) Change();
}

// A single-line edit tells its own changes through EN_CHANGE; without a window, or in a
// multi-line edit (which sends no EN_CHANGE when its text is set), the change is told here.
void TCustomEdit::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  if (!handle_ || IsMultiLine()) Change();
}

void TCustomEdit::CMEnter(TMessage& m) {
  if (autoSelect_ && !controlState_.Contains(csLButtonDown) && !IsMultiLine()) SelectAll();
  TWinControl::CMEnter(m);
}

void TCustomEdit::CMFontChanged(TMessage& m) {
  TWinControl::CMFontChanged(m);
  if (controlStyle_.Contains(csFixedHeight) && !(IsDesigning() && IsLoading())) AdjustHeight();
}

void TCustomEdit::CMCtl3DChanged(TMessage& m) {
  if (NewStyleControls && borderStyle_ == bsSingle) {
    UpdateHeight();
    RecreateWnd();
  }
  TWinControl::CMCtl3DChanged(m);
}

}  // namespace Tovix
