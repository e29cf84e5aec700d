#include "framework/stdctrls/MaskEdit.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCustomMaskEdit, TCustomEdit) {
  c.Message(CM_ENTER, &TCustomMaskEdit::CMEnter);
  c.Message(CM_EXIT, &TCustomMaskEdit::CMExit);
  c.Message(CM_TEXTCHANGED, &TCustomMaskEdit::CMTextChanged);
  c.Message(CM_WANTSPECIALKEY, &TCustomMaskEdit::CMWantSpecialKey);
  c.Message(WM_LBUTTONUP, &TCustomMaskEdit::WMLButtonUp);
  c.Message(WM_PASTE, &TCustomMaskEdit::WMPaste);
  c.Message(WM_CUT, &TCustomMaskEdit::WMCut);
  c.Message(WM_CLEAR, &TCustomMaskEdit::WMClear);
  c.Message(WM_UNDO, &TCustomMaskEdit::WMUndo);
}

TOVIX_IMPLEMENT_CLASS(TMaskEdit, TCustomMaskEdit) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("AutoSelect", &TMaskEdit::GetAutoSelect, &TMaskEdit::SetAutoSelect).Default(true);
  c.Property("AutoSize", &TMaskEdit::GetAutoSize, &TMaskEdit::SetAutoSize).Default(true);
  c.Property("BorderStyle", &TMaskEdit::GetBorderStyle, &TMaskEdit::SetBorderStyle).Default(bsSingle);
  c.Property("CharCase", &TMaskEdit::GetCharCase, &TMaskEdit::SetCharCase).Default(ecNormal);
  P::Appearance(c, clWindow, false);
  P::Dragging(c);
  // Before the text, which the mask lays out.
  c.Property("EditMask", &TMaskEdit::GetEditMask, &TMaskEdit::SetEditMask);
  c.Property("HideSelection", &TMaskEdit::GetHideSelection, &TMaskEdit::SetHideSelection).Default(true);
  c.Property("MaxLength", &TMaskEdit::GetMaxLength, &TMaskEdit::SetMaxLength).Default(0);
  c.Property("OEMConvert", &TMaskEdit::GetOEMConvert, &TMaskEdit::SetOEMConvert).Default(false);
  c.Property("PasswordChar", &TMaskEdit::GetPasswordCharText, &TMaskEdit::SetPasswordCharText);
  c.Property("ReadOnly", &TMaskEdit::GetReadOnly, &TMaskEdit::SetReadOnly).Default(false);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("Text", &TMaskEdit::GetText, &TMaskEdit::SetText);
  c.Property("OnChange", &TMaskEdit::GetOnChange, &TMaskEdit::SetOnChange);
  c.Property("OnClick", &TMaskEdit::GetOnClick, &TMaskEdit::SetOnClick);
  c.Property("OnDblClick", &TMaskEdit::GetOnDblClick, &TMaskEdit::SetOnDblClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

// ---------------------------------------------------------------------------
// Mask and text

void TCustomMaskEdit::SetEditMask(const String& mask) {
  if (mask == editMask_) return;
  bool wasMasked = IsMasked();
  String current = GetEditText();
  String raw = wasMasked ? layout_.RawText(current) : current;
  editMask_ = mask;
  layout_ = TMaskLayout(mask);
  ApplyMaxLength();
  if (!IsMasked()) {
    SetEditText(raw);
  } else if (wasMasked || layout_.Reversed()) {
    SetEditText(layout_.PlaceRaw(raw, layout_.Blank()));
  } else {
    // A plain text may hold the literals already; they are taken where they fit.
    SetEditText(layout_.PadWithLiterals(raw, layout_.Blank()));
  }
}

void TCustomMaskEdit::SetEditText(const String& text) {
  TCustomEdit::SetText(text);
  CheckCursor();
}

String TCustomMaskEdit::GetText() const {
  return IsMasked() ? layout_.TextOf(GetEditText()) : GetTextBuf();
}

void TCustomMaskEdit::SetText(const String& text) {
  if (!IsMasked()) TCustomEdit::SetText(text);
  else SetEditText(layout_.EditTextOf(text));
}

void TCustomMaskEdit::Clear() { SetText(String()); }

int TCustomMaskEdit::EffectiveMaxLength() const { return IsMasked() ? layout_.Length() : GetMaxLength(); }

bool TCustomMaskEdit::EditCanModify() { return true; }

String TCustomMaskEdit::CurrentEditText() const {
  String text = GetEditText();
  if (static_cast<int>(text.size()) != layout_.Length()) text = layout_.PlaceRaw(layout_.RawText(text), layout_.Blank());
  return text;
}

// ---------------------------------------------------------------------------
// Validation

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !GetModified()) return;
  int errorIndex = 0;
  if (Validate(GetEditText(), errorIndex)) return;
  if (!IsDesigning() && CanFocus()) {
    reEnter_ = true;
    SetFocus();
  }
  SelectPosition(errorIndex);
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(0);
  throw EDBEditError("Invalid input value: fill in every required position with a fitting character, "
                     "or press Escape to abandon the changes");
}

void TCustomMaskEdit::Reset() {
  if (!GetModified()) return;
  SetEditText(oldValue_);
  SetModified(false);
}

// ---------------------------------------------------------------------------
// Cursor

void TCustomMaskEdit::GetSel(int& start, int& stop) const {
  DWORD from = 0, to = 0;
  if (handle_) SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  start = static_cast<int>(from);
  stop = static_cast<int>(to);
}

void TCustomMaskEdit::SelectPosition(int index) {
  if (!handle_ || !IsMasked()) return;
  int at = layout_.NextInput(index);
  int end = at < layout_.Length() ? at + 1 : at;
  SendMessageA(handle_, EM_SETSEL, static_cast<WPARAM>(at), end);
}

void TCustomMaskEdit::CheckCursor() {
  if (!handle_ || !IsMasked() || !Focused()) return;
  int start = 0, stop = 0;
  GetSel(start, stop);
  if (start == stop) SelectPosition(start);
}

// ---------------------------------------------------------------------------
// Editing

void TCustomMaskEdit::ApplyUserEdit(const String& text) {
  if (!handle_) return;
  String current = GetEditText();
  size_t first = 0, last = text.size();
  if (current.size() == text.size()) {
    while (first < text.size() && current[first] == text[first]) ++first;
    if (first == text.size()) return;
    while (last > first && current[last - 1] == text[last - 1]) --last;
  } else {
    first = 0;
    last = text.size();
    SendMessageA(handle_, EM_SETSEL, 0, -1);
  }
  String part = text.substr(first, last - first);
  if (current.size() == text.size()) SendMessageA(handle_, EM_SETSEL, first, static_cast<LPARAM>(last));
  SendMessageA(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(part.c_str()));
}

void TCustomMaskEdit::BlankRange(String& text, int start, int stop) const {
  for (int i = start < 0 ? 0 : start; i < stop && i < layout_.Length(); ++i)
    if (layout_.At(i).input) text[static_cast<size_t>(i)] = layout_.Blank();
}

namespace {

// Whether ch is the separator the user types after filling a field, when the cursor has already
// moved past it: a literal equal to ch lies between the previous input position (filled) and pos.
bool TypedAfterField(const TMaskLayout& layout, const String& text, int pos, char ch) {
  int previous = layout.PrevInput(pos);
  for (int i = previous + 1; i < pos && i < layout.Length(); ++i)
    if (!layout.At(i).input && layout.At(i).character == ch)
      return previous < 0 || text[static_cast<size_t>(previous)] != layout.Blank();
  return false;
}

}  // namespace

void TCustomMaskEdit::CharKeys(char ch) {
  if (ch == '\x1B') {
    Reset();
    return;
  }
  if (!EditCanModify() || GetReadOnly()) return;
  if (ch == '\r') {
    ValidateEdit();
    return;
  }
  if (static_cast<unsigned char>(ch) < ' ') return;
  int start = 0, stop = 0;
  GetSel(start, stop);
  String text = CurrentEditText();
  if (stop - start > 1) BlankRange(text, start, stop);
  int pos = layout_.NextInput(start);
  char typed = ch;
  if (pos < layout_.Length() && layout_.Accept(pos, typed)) {
    text[static_cast<size_t>(pos)] = typed;
    ApplyUserEdit(text);
    SelectPosition(pos + 1);
    return;
  }
  ApplyUserEdit(text);
  if (TypedAfterField(layout_, text, pos, ch)) {
    SelectPosition(pos);
    return;
  }
  int literal = pos < layout_.Length() ? layout_.FindLiteralAfter(pos, ch) : -1;
  if (literal >= 0) {
    SelectPosition(literal + 1);
    return;
  }
  MessageBeep(0);
  SelectPosition(pos);
}

void TCustomMaskEdit::DeleteKeys(uint16_t key) {
  int start = 0, stop = 0;
  GetSel(start, stop);
  if (stop - start <= 1) {
    int at = key == VK_BACK ? layout_.PrevInput(start) : layout_.NextInput(start);
    if (at < 0 || at >= layout_.Length()) return;
    start = at;
    stop = at + 1;
  }
  String text = CurrentEditText();
  BlankRange(text, start, stop);
  ApplyUserEdit(text);
  SelectPosition(start);
}

void TCustomMaskEdit::ArrowKeys(uint16_t key) {
  int start = 0, stop = 0;
  GetSel(start, stop);
  if (key == VK_LEFT) {
    int at = stop - start > 1 ? start : layout_.PrevInput(start);
    SelectPosition(at < 0 ? 0 : at);
  } else {
    SelectPosition(stop - start > 1 ? stop : start + 1);
  }
}

void TCustomMaskEdit::HomeEndKeys(uint16_t key) {
  if (key == VK_HOME) {
    SelectPosition(0);
    return;
  }
  // End: just after the last filled position.
  String text = CurrentEditText();
  int lastFilled = -1;
  for (int i = 0; i < layout_.Length(); ++i)
    if (layout_.At(i).input && text[static_cast<size_t>(i)] != layout_.Blank()) lastFilled = i;
  SelectPosition(lastFilled + 1);
}

void TCustomMaskEdit::PasteText(const String& pasted) {
  int start = 0, stop = 0;
  GetSel(start, stop);
  String text = CurrentEditText();
  if (stop - start > 1) BlankRange(text, start, stop);
  int pos = layout_.NextInput(start);
  for (char ch : pasted) {
    if (pos >= layout_.Length()) break;
    char typed = ch;
    if (layout_.Accept(pos, typed)) {
      text[static_cast<size_t>(pos)] = typed;
      pos = layout_.NextInput(pos + 1);
    } else if (!TypedAfterField(layout_, text, pos, ch)) {
      int literal = layout_.FindLiteralAfter(pos, ch);
      if (literal >= 0) pos = layout_.NextInput(literal + 1);
    }
  }
  ApplyUserEdit(text);
  SelectPosition(pos);
}

// ---------------------------------------------------------------------------
// Keys

void TCustomMaskEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == 0) return;
  bool cutting = key == VK_DELETE && shift.Contains(ssShift);
  if (!IsMasked()) {
    if (key == VK_DELETE && !cutting && !EditCanModify()) key = 0;
    return;
  }
  if (shift.Contains(ssAlt)) return;
  bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl);
  switch (key) {
    case VK_LEFT: case VK_RIGHT:
      if (plain) {
        ArrowKeys(key);
        key = 0;
      }
      break;
    case VK_UP: case VK_DOWN:
      key = 0;
      break;
    case VK_HOME: case VK_END:
      if (plain) {
        HomeEndKeys(key);
        key = 0;
      }
      break;
    case VK_DELETE: case VK_BACK:
      if (cutting) break;
      if (EditCanModify() && !GetReadOnly()) DeleteKeys(key);
      key = 0;
      break;
    default:
      break;
  }
}

void TCustomMaskEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == 0) return;
  bool editing = static_cast<unsigned char>(key) >= ' ' || key == '\b';
  if (!IsMasked()) {
    if (editing && !EditCanModify()) key = 0;
    return;
  }
  // Copy, cut, paste and undo reach the window, which turns them into WM_COPY, WM_CUT, ...
  if (key == '\x03' || key == '\x16' || key == '\x18' || key == '\x1A') return;
  CharKeys(key);
  key = 0;
}

// ---------------------------------------------------------------------------
// Messages

void TCustomMaskEdit::CMEnter(TMessage& m) {
  if (!IsMasked() || IsDesigning()) {
    TCustomEdit::CMEnter(m);
    return;
  }
  // Coming back after a failed validation is not a new entry: the old value stays.
  if (!reEnter_) {
    oldValue_ = GetEditText();
    TCustomEdit::CMEnter(m);
  }
  reEnter_ = false;
  CheckCursor();
}

void TCustomMaskEdit::CMExit(TMessage&) {
  TCustomForm* form = GetParentForm(this);
  bool closing = IsDestroying() || (form && form->IsDestroying());
  if (IsMasked() && !IsDesigning() && !closing) {
    ValidateEdit();
    CheckCursor();
  }
  DoExit();
}

void TCustomMaskEdit::CMTextChanged(TMessage& m) {
  TCustomEdit::CMTextChanged(m);
  oldValue_ = GetEditText();
}

// Escape undoes the user's changes before it may close the form.
void TCustomMaskEdit::CMWantSpecialKey(TMessage& m) {
  if (m.WParam == VK_ESCAPE && IsMasked() && GetModified()) m.Result = 1;
}

void TCustomMaskEdit::WMLButtonUp(TMessage& m) {
  TCustomEdit::WMLButtonUp(m);
  CheckCursor();
}

void TCustomMaskEdit::WMPaste(TMessage& m) {
  if (!IsMasked()) {
    if (EditCanModify()) DefaultHandler(m);
    return;
  }
  if (!EditCanModify() || GetReadOnly() || !handle_ || !OpenClipboard(handle_)) return;
  String pasted;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* text = static_cast<const char*>(GlobalLock(data))) {
      pasted.assign(text, strnlen(text, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  PasteText(pasted);
}

void TCustomMaskEdit::WMCut(TMessage& m) {
  if (!IsMasked()) {
    if (EditCanModify()) DefaultHandler(m);
    else Perform(WM_COPY, 0, 0);
    return;
  }
  Perform(WM_COPY, 0, 0);
  if (EditCanModify() && !GetReadOnly()) DeleteKeys(VK_DELETE);
}

void TCustomMaskEdit::WMClear(TMessage& m) {
  if (!EditCanModify()) return;
  if (!IsMasked()) DefaultHandler(m);
  else if (!GetReadOnly()) DeleteKeys(VK_DELETE);
}

void TCustomMaskEdit::WMUndo(TMessage& m) {
  if (EditCanModify()) DefaultHandler(m);
}

}  // namespace Tovix
