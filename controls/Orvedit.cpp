#include "controls/Orvedit.h"

#include "controls/DialogKey.h"
#include "framework/TypInfoBuilder.h"
#include "framework/design/Registration.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TOrvEdit, TEdit) {
  c.Property("Alignment", &TOrvEdit::GetAlignment, &TOrvEdit::SetAlignment).Default(taLeftJustify);
  c.Message(WM_GETDLGCODE, &TOrvEdit::WMGetDlgCode);
  c.Message(EM_SETPASSWORDCHAR, &TOrvEdit::EMSetPasswordChar);
  c.Message(CM_ENTER, &TOrvEdit::CMEnter);
}

DWORD AlignmentStyle(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return ES_RIGHT;
    case taCenter: return ES_CENTER;
    default: return ES_LEFT;
  }
}

TOrvEdit::TOrvEdit(TComponent* owner) : TEdit(owner) {}

void TOrvEdit::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  if (!GetPasswordChar()) params.Style |= ES_MULTILINE;
  params.Style |= AlignmentStyle(alignment_);
}

void TOrvEdit::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

// Enter and Escape come here as characters in every window style, so the form sees them once.
void TOrvEdit::WMGetDlgCode(TMessage& m) {
  DefaultHandler(m);
  m.Result |= DLGC_WANTALLKEYS;
}

// Turning the password character on or off needs the other kind of window; it is made once the
// window has finished with this message.
void TOrvEdit::EMSetPasswordChar(TMessage& m) {
  DefaultHandler(m);
  bool multiLine = (GetWindowLongA(handle_, GWL_STYLE) & ES_MULTILINE) != 0;
  if (multiLine == (m.WParam != 0)) PostMessageA(handle_, CM_RECREATEWND, 0, 0);
}

// The framework's edit selects all on entry only in one-line windows; AutoSelect holds here too.
void TOrvEdit::CMEnter(TMessage& m) {
  if (GetAutoSelect() && !controlState_.Contains(csLButtonDown) && IsMultiLine()) SelectAll();
  TEdit::CMEnter(m);
}

void TOrvEdit::KeyPress(char& key) {
  // Ctrl+Enter types a line feed: it is Enter too.
  if (key == '\n') key = '\r';
  if (key == '\r' || key == '\x1b') {
    if (!OfferDialogKey(this, key)) {
      key = 0;
      return;
    }
  }
  TEdit::KeyPress(key);
  if (key == '\r') key = 0;
}

void Orvedit::Register() {
  RegisterComponents("Tovix", {&TOrvEdit::StaticClassInfo()});
}

}  // namespace Tovix
