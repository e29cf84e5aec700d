#include "tests/framework/stdctrls/TestStdCtrls.h"

#include "framework/TypInfoBuilder.h"

namespace Tovix::Testing {

TOVIX_IMPLEMENT_CLASS(TStdCtrlsTestForm, TForm) {
  c.Field("NameLabel", &TStdCtrlsTestForm::NameLabel);
  c.Field("NameEdit", &TStdCtrlsTestForm::NameEdit);
  c.Field("DateEdit", &TStdCtrlsTestForm::DateEdit);
  c.Field("NotesMemo", &TStdCtrlsTestForm::NotesMemo);
  c.Field("ColorCombo", &TStdCtrlsTestForm::ColorCombo);
  c.Field("CityCombo", &TStdCtrlsTestForm::CityCombo);
  c.Field("FruitList", &TStdCtrlsTestForm::FruitList);
  c.Field("OptionsBox", &TStdCtrlsTestForm::OptionsBox);
  c.Field("SaveCheck", &TStdCtrlsTestForm::SaveCheck);
  c.Field("FeatureList", &TStdCtrlsTestForm::FeatureList);
  c.Field("OkButton", &TStdCtrlsTestForm::OkButton);
  c.Field("CancelButton", &TStdCtrlsTestForm::CancelButton);
  c.Method("FormCreate", &TStdCtrlsTestForm::FormCreate);
  c.Method("NameEditChange", &TStdCtrlsTestForm::NameEditChange);
  c.Method("NameEditKeyPress", &TStdCtrlsTestForm::NameEditKeyPress);
  c.Method("DateEditChange", &TStdCtrlsTestForm::DateEditChange);
  c.Method("NotesMemoChange", &TStdCtrlsTestForm::NotesMemoChange);
  c.Method("ColorComboChange", &TStdCtrlsTestForm::ColorComboChange);
  c.Method("ColorComboDropDown", &TStdCtrlsTestForm::ColorComboDropDown);
  c.Method("ColorComboSelect", &TStdCtrlsTestForm::ColorComboSelect);
  c.Method("CityComboChange", &TStdCtrlsTestForm::CityComboChange);
  c.Method("CityComboKeyDown", &TStdCtrlsTestForm::CityComboKeyDown);
  c.Method("CityComboKeyPress", &TStdCtrlsTestForm::CityComboKeyPress);
  c.Method("FruitListClick", &TStdCtrlsTestForm::FruitListClick);
  c.Method("FruitListDblClick", &TStdCtrlsTestForm::FruitListDblClick);
  c.Method("SaveCheckClick", &TStdCtrlsTestForm::SaveCheckClick);
  c.Method("FeatureListClickCheck", &TStdCtrlsTestForm::FeatureListClickCheck);
  c.Method("OkButtonClick", &TStdCtrlsTestForm::OkButtonClick);
  c.Method("CancelButtonClick", &TStdCtrlsTestForm::CancelButtonClick);
}

TStdCtrlsTestForm::TStdCtrlsTestForm(TComponent* owner) : TForm(owner) { ReadFormResource(); }
TStdCtrlsTestForm::TStdCtrlsTestForm(TComponent* owner, bool readResource) : TForm(owner) {
  if (readResource) ReadFormResource();
}

std::vector<String> TStdCtrlsTestForm::Logged(const String& prefix) const {
  std::vector<String> found;
  for (const String& entry : log)
    if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
  return found;
}

void TStdCtrlsTestForm::FormCreate(TObject*) { log.push_back("create"); }
void TStdCtrlsTestForm::NameEditChange(TObject*) { log.push_back("change NameEdit " + NameEdit->GetText()); }
void TStdCtrlsTestForm::NameEditKeyPress(TObject*, char& key) {
  log.push_back(Format("press NameEdit %s", String(1, key)));
  if (key == '!') key = 0;  // a handler can swallow a key
}
void TStdCtrlsTestForm::DateEditChange(TObject*) { log.push_back("change DateEdit " + DateEdit->GetEditText()); }
void TStdCtrlsTestForm::NotesMemoChange(TObject*) { log.push_back("change NotesMemo"); }
void TStdCtrlsTestForm::ColorComboChange(TObject*) { log.push_back("change ColorCombo " + ColorCombo->GetText()); }
void TStdCtrlsTestForm::ColorComboDropDown(TObject*) { log.push_back("dropdown ColorCombo"); }
void TStdCtrlsTestForm::ColorComboSelect(TObject*) { log.push_back("select ColorCombo " + ColorCombo->GetText()); }
void TStdCtrlsTestForm::CityComboChange(TObject*) { log.push_back("change CityCombo " + CityCombo->GetText()); }
void TStdCtrlsTestForm::CityComboKeyDown(TObject*, uint16_t& key, TShiftState) {
  log.push_back(Format("keydown CityCombo %d", key));
}
void TStdCtrlsTestForm::CityComboKeyPress(TObject*, char& key) { log.push_back(Format("press CityCombo %s", String(1, key))); }
void TStdCtrlsTestForm::FruitListClick(TObject*) {
  int index = FruitList->GetItemIndex();
  log.push_back("click FruitList " + (index >= 0 ? FruitList->GetItems()->Get(index) : String("none")));
}
void TStdCtrlsTestForm::FruitListDblClick(TObject*) { log.push_back("dblclick FruitList"); }
void TStdCtrlsTestForm::SaveCheckClick(TObject*) { log.push_back(Format("click SaveCheck %d", static_cast<int>(SaveCheck->GetState()))); }
void TStdCtrlsTestForm::FeatureListClickCheck(TObject*) { log.push_back("clickcheck FeatureList"); }
void TStdCtrlsTestForm::OkButtonClick(TObject*) { log.push_back("click OkButton"); }
void TStdCtrlsTestForm::CancelButtonClick(TObject*) { log.push_back("click CancelButton"); }

// ---------------------------------------------------------------------------

void Pump() { Application->ProcessMessages(); }

String GetTextBufOf(HWND window) {
  int length = GetWindowTextLengthA(window);
  String text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

void PressKey(uint16_t key) {
  HWND focus = GetFocus();
  if (!focus) return;
  UINT scan = MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */);
  PostMessageA(focus, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001 | (scan << 16));
  Pump();
}

void TypeText(const String& text) {
  for (char ch : text) {
    HWND focus = GetFocus();
    if (!focus) return;
    PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(ch), 1);
    Pump();
  }
}

void PressAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TExceptionCatcher::TExceptionCatcher() {
  Application->SetOnException([this](TObject*, const Exception& e) { messages.push_back(e.Message()); });
}

TExceptionCatcher::~TExceptionCatcher() { Application->SetOnException(TExceptionEvent()); }

}  // namespace Tovix::Testing
