// TBitBtn: kinds, the help and close kinds' clicks, drawing, and form files.
#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/ClassesFiler.h"
#include "tests/support/ControlPictures.h"
#include "tests/support/DialogDriver.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class BitBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetName("Form");
    form->SetBounds(0, 0, 300, 200);
    button = new TBitBtn(form);
    button->SetName("Button");
    button->SetParent(form);
    button->SetBounds(10, 10, 90, 30);
  }
  void TearDown() override {
    if (form) form->Free();
  }

  TForm* form = nullptr;
  TBitBtn* button = nullptr;
};

}  // namespace

TEST_F(BitBtnTest, AKindSetsCaptionResultAndSwitchesAndChangingOneMakesItCustom) {
  button->SetKind(bkOK);
  EXPECT_EQ(bkOK, button->GetKind());
  EXPECT_EQ("OK", button->GetCaption());
  EXPECT_EQ(mrOk, button->GetModalResult());
  EXPECT_TRUE(button->GetDefault());
  EXPECT_FALSE(button->GetGlyph()->Empty());

  button->SetKind(bkNo);
  EXPECT_EQ("&No", button->GetCaption());
  EXPECT_FALSE(button->GetDefault());
  EXPECT_TRUE(button->GetCancel());

  button->SetModalResult(mrOk);
  EXPECT_EQ(bkCustom, button->GetKind()) << "no longer what bkNo means";
  button->SetKind(bkHelp);
  EXPECT_EQ("&Help", button->GetCaption());
  EXPECT_EQ(mrNone, button->GetModalResult());
  std::unique_ptr<TBitmap> glyph(MakeSquareGlyph());
  button->SetGlyph(glyph.get());
  EXPECT_EQ(bkCustom, button->GetKind()) << "an own glyph makes it custom";
}

TEST_F(BitBtnTest, HelpKindAsksForHelpUnlessItHasAClickHandler) {
  std::vector<unsigned> commands;
  THelpHandler previous = SetHelpHandler([&](unsigned command, uintptr_t) { commands.push_back(command); });
  button->SetKind(bkHelp);
  button->Click();
  EXPECT_EQ((std::vector<unsigned>{HELP_CONTENTS}), commands);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  button->Click();
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(1u, commands.size()) << "the handler decides what help to show";
  SetHelpHandler(previous);
}

TEST_F(BitBtnTest, CloseKindClosesItsForm) {
  button->SetKind(bkClose);
  form->Show();
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(form->GetVisible());
}

TEST_F(BitBtnTest, KindButtonsCloseAModalForm) {
  button->SetKind(bkCancel);
  auto* ok = new TBitBtn(form);
  ok->SetParent(form);
  ok->SetBounds(110, 10, 90, 30);
  ok->SetKind(bkOK);
  form->SetCaption("Kinds");
  DialogDriver driver;
  driver.Expect("Kinds").Press("OK");
  EXPECT_EQ(mrOk, form->ShowModal());
  driver.Expect("Kinds").PressKey(VK_ESCAPE);
  EXPECT_EQ(mrCancel, form->ShowModal());
  EXPECT_TRUE(driver.AllDone());
}

TEST_F(BitBtnTest, IsDrawnByTheFrameworkWithItsGlyph) {
  button->SetKind(bkOK);
  form->Show();
  button->SetFocus();  // the push button asks for the default style: the button keeps owner-drawing
  EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(button->GetHandle(), GWL_STYLE) & BS_TYPEMASK);
  TScreenshot up = TakeScreenshot(button);
  EXPECT_GT(CountColor(up, clGreen), 10) << "the check mark";
  EXPECT_EQ(0, CountColor(up, clOlive)) << "drawn transparently";
  button->SetEnabled(false);
  TScreenshot disabled = TakeScreenshot(button);
  EXPECT_EQ(0, CountColor(disabled, clGreen));
  EXPECT_GT(CountColor(disabled, SysColor(clBtnShadow)), 10);
}

TEST_F(BitBtnTest, FormFilesKeepTheKindNotWhatItSets) {
  button->SetKind(bkOK);
  String text = WriteComponentToText(button);
  EXPECT_NE(String::npos, text.find("Kind = bkOK")) << text;
  EXPECT_EQ(String::npos, text.find("Caption")) << text;
  EXPECT_EQ(String::npos, text.find("ModalResult")) << text;
  EXPECT_EQ(String::npos, text.find("Glyph")) << text;

  button->SetCaption("&Accept");  // a renamed OK button keeps its caption through a form file
  text = WriteComponentToText(button);
  EXPECT_NE(String::npos, text.find("Caption = '&Accept'")) << text;
  TBitBtn copy(nullptr);
  ReadComponentFromText(text, &copy);
  EXPECT_EQ(bkOK, copy.GetKind());
  EXPECT_EQ("&Accept", copy.GetCaption());
  EXPECT_TRUE(copy.GetDefault());
}
