// The aligned edit.
#include <gtest/gtest.h>

#include "controls/Orvedit.h"
#include "framework/ClassesFiler.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/MessagePump.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class OrveditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(100, 100, 300, 200);
    edit = new TOrvEdit(form);
    edit->SetParent(form);
    edit->SetName("Aligned");
    form->Show();
  }
  void TearDown() override {
    form->Free();
    Application->ProcessMessages();
  }
  LONG Style() { return GetWindowLongA(edit->GetHandle(), GWL_STYLE); }
  TForm* form = nullptr;
  TOrvEdit* edit = nullptr;
};

}  // namespace

TEST_F(OrveditTest, AlignmentMakesANewWindowOnlyWhenItChanges) {
  EXPECT_EQ(taLeftJustify, edit->GetAlignment());
  EXPECT_TRUE(Style() & ES_MULTILINE);
  EXPECT_EQ(String::npos, WriteComponentToText(edit).find("Alignment"));
  HWND first = edit->GetHandle();
  edit->SetAlignment(taRightJustify);
  HWND second = edit->GetHandle();
  EXPECT_NE(first, second);
  EXPECT_EQ(ES_RIGHT, Style() & (ES_RIGHT | ES_CENTER));
  edit->SetAlignment(taRightJustify);
  EXPECT_EQ(second, edit->GetHandle());
  EXPECT_NE(String::npos, WriteComponentToText(edit).find("Alignment = taRightJustify"));
}

TEST_F(OrveditTest, APasswordNeedsAOneLineWindowThatKeepsTheAlignment) {
  edit->SetAlignment(taCenter);
  edit->SetPasswordChar('*');
  PumpUntil([&] { return (Style() & ES_MULTILINE) == 0; }, 2000);
  EXPECT_FALSE(Style() & ES_MULTILINE);
  EXPECT_TRUE(Style() & ES_PASSWORD);
  EXPECT_EQ(ES_CENTER, Style() & (ES_RIGHT | ES_CENTER));
  EXPECT_EQ('*', static_cast<char>(SendMessageA(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0)));
}

TEST_F(OrveditTest, EnterAndEscapeReachTheFormsButtonsAndTheKeyPressEvent) {
  std::vector<String> log;
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetDefault(true);
  ok->SetOnClick([&](TObject*) { log.push_back("ok"); });
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetCancel(true);
  cancel->SetOnClick([&](TObject*) { log.push_back("cancel"); });
  edit->SetOnKeyPress([&](TObject*, char& key) { log.push_back("key " + IntToStr(key)); });
  edit->SetText("one");
  ok->SetFocus();
  edit->SetFocus();
  EXPECT_EQ(3, edit->GetSelLength()) << "AutoSelect in the multi-line window too";
  SendMessageA(edit->GetHandle(), WM_CHAR, '\r', 0);
  SendMessageA(edit->GetHandle(), WM_CHAR, 27, 0);
  EXPECT_EQ((std::vector<String>{"ok", "key 13", "cancel", "key 27"}), log);
  EXPECT_EQ("one", edit->GetText());
}
