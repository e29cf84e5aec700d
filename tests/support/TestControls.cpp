#include "tests/support/TestControls.h"

#include "framework/TypInfoBuilder.h"

namespace Tovix::Testing {

TOVIX_IMPLEMENT_CLASS(TTestEdit, TWinControl) {
  c.Property("TabOrder", &TTestEdit::GetTabOrder, &TTestEdit::SetTabOrder);
  c.Property("Text", &TTestEdit::GetText, &TTestEdit::SetText);
  c.Property("OnEnter", &TTestEdit::GetOnEnter, &TTestEdit::SetOnEnter);
  c.Property("OnExit", &TTestEdit::GetOnExit, &TTestEdit::SetOnExit);
  c.Property("OnKeyDown", &TTestEdit::GetOnKeyDown, &TTestEdit::SetOnKeyDown);
  c.Property("OnKeyPress", &TTestEdit::GetOnKeyPress, &TTestEdit::SetOnKeyPress);
  c.Message(CN_COMMAND, &TTestEdit::CNCommand);
}

TTestEdit::TTestEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 120, 21);
}

void TTestEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL;
}

void TTestEdit::CreateWnd() {
  TWinControl::CreateWnd();
  ++recreations;
}

void TTestEdit::CNCommand(TMessage& m) { commands.push_back(HIWORD(m.WParam)); }

TOVIX_IMPLEMENT_CLASS(TTestPanel, TCustomControl) {
  c.Property("Align", &TTestPanel::GetAlign, &TTestPanel::SetAlign).Default(alNone);
  c.Property("Caption", &TTestPanel::GetCaption, &TTestPanel::SetCaption);
}

TTestPanel::TTestPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_.Include(csAcceptsControls);
  SetBounds(0, 0, 100, 40);
}

void TTestPanel::Paint() {
  ++paints;
  GetCanvas()->GetBrush()->SetColor(clNavy);
  GetCanvas()->FillRect(GetClientRect());
}

TOVIX_IMPLEMENT_CLASS(TTestShape, TGraphicControl) {
  c.Property("OnClick", &TTestShape::GetOnClick, &TTestShape::SetOnClick);
  c.Message(CM_MOUSEENTER, &TTestShape::CMMouseEnter);
  c.Message(CM_MOUSELEAVE, &TTestShape::CMMouseLeave);
}

TTestShape::TTestShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }

void TTestShape::Paint() {
  ++paints;
  GetCanvas()->GetBrush()->SetColor(clRed);
  GetCanvas()->FillRect(GetClientRect());
}

void TTestShape::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  log.push_back(Format("down %d,%d", x, y));
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TTestShape::CMMouseEnter(TMessage&) { log.push_back("enter"); }
void TTestShape::CMMouseLeave(TMessage&) { log.push_back("leave"); }

TOVIX_IMPLEMENT_CLASS(TTestDefaultButton, TCustomControl) {
  c.Property("TabOrder", &TTestDefaultButton::GetTabOrder, &TTestDefaultButton::SetTabOrder);
  c.Property("OnClick", &TTestDefaultButton::GetOnClick, &TTestDefaultButton::SetOnClick);
  c.Message(CM_DIALOGKEY, &TTestDefaultButton::CMDialogKey);
}

TTestDefaultButton::TTestDefaultButton(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

void TTestDefaultButton::CMDialogKey(TMessage& m) {
  if (m.WParam == VK_RETURN && CanFocus()) {
    Click();
    m.Result = 1;
  } else {
    TCustomControl::CMDialogKey(m);
  }
}

TOVIX_IMPLEMENT_CLASS(TTestMainForm, TForm) {
  c.Field("Header", &TTestMainForm::Header);
  c.Field("Badge", &TTestMainForm::Badge);
  c.Field("NameEdit", &TTestMainForm::NameEdit);
  c.Field("CityEdit", &TTestMainForm::CityEdit);
  c.Field("OkButton", &TTestMainForm::OkButton);
  c.Method("FormCreate", &TTestMainForm::FormCreate);
  c.Method("FormShow", &TTestMainForm::FormShow);
  c.Method("FormClose", &TTestMainForm::FormClose);
  c.Method("FormKeyDown", &TTestMainForm::FormKeyDown);
  c.Method("BadgeClick", &TTestMainForm::BadgeClick);
  c.Method("EditEnter", &TTestMainForm::EditEnter);
  c.Method("EditExit", &TTestMainForm::EditExit);
  c.Method("EditKeyPress", &TTestMainForm::EditKeyPress);
  c.Method("OkClick", &TTestMainForm::OkClick);
}

TTestMainForm::TTestMainForm(TComponent* owner) : TForm(owner) { ReadFormResource(); }

static String NameOf(TObject* sender) { return static_cast<TComponent*>(sender)->GetName(); }

void TTestMainForm::FormCreate(TObject*) { log.push_back(Format("create %s", NameEdit ? "with fields" : "without fields")); }
void TTestMainForm::FormShow(TObject*) { log.push_back("show"); }
void TTestMainForm::FormClose(TObject*, TCloseAction& action) {
  log.push_back("close");
  action = closeAction;
}
void TTestMainForm::FormKeyDown(TObject*, uint16_t& key, TShiftState) { log.push_back(Format("form key %d", key)); }
void TTestMainForm::BadgeClick(TObject* sender) { log.push_back("click " + NameOf(sender)); }
void TTestMainForm::EditEnter(TObject* sender) { log.push_back("enter " + NameOf(sender)); }
void TTestMainForm::EditExit(TObject* sender) { log.push_back("exit " + NameOf(sender)); }
void TTestMainForm::EditKeyPress(TObject*, char& key) {
  log.push_back(Format("press %s", String(1, key)));
  if (key == 'x') key = 'y';  // handlers may change the key
}
void TTestMainForm::OkClick(TObject*) {
  log.push_back("ok");
  SetModalResult(okResult);
}

}  // namespace Tovix::Testing
