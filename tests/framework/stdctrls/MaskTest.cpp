// Edit masks: the mask language (TMaskLayout) and TMaskEdit typed into through the message loop,
// with literals skipped, wrong characters refused, and validation when the focus leaves.
#include <gtest/gtest.h>

#include "tests/framework/stdctrls/TestStdCtrls.h"

using namespace Tovix;
using namespace Tovix::Testing;

TEST(MaskLayout, ReadsInputsLiteralsDirectivesAndFields) {
  TMaskLayout phone("(999) 000-0000;0;*");
  EXPECT_EQ(14, phone.Length());
  EXPECT_FALSE(phone.SaveLiterals());
  EXPECT_EQ('*', phone.Blank());
  EXPECT_FALSE(phone.IsInput(0));
  EXPECT_TRUE(phone.IsInput(1));
  EXPECT_FALSE(phone.At(1).required);
  EXPECT_TRUE(phone.At(6).required);
  EXPECT_EQ("(***) ***-****", phone.PlaceRaw("", phone.Blank()));

  TMaskLayout escaped("\\L\\;L_l;1");
  EXPECT_EQ(5, escaped.Length()) << "\\L and \\; are literals; _ is a blank";
  EXPECT_EQ("L;*  ", escaped.PlaceRaw("*", ' '));
  EXPECT_TRUE(escaped.SaveLiterals());
  EXPECT_EQ('_', escaped.Blank()) << "the default blank";

  TMaskLayout cased(">LL<ll<>l");
  char ch = 'a';
  EXPECT_TRUE(cased.Accept(0, ch));
  EXPECT_EQ('A', ch);
  ch = 'B';
  EXPECT_TRUE(cased.Accept(2, ch));
  EXPECT_EQ('b', ch);
  ch = 'B';
  EXPECT_TRUE(cased.Accept(4, ch));
  EXPECT_EQ('B', ch) << "<> ends the conversion";
  ch = '1';
  EXPECT_FALSE(cased.Accept(0, ch));

  TMaskLayout signs("#0");
  for (char ok : {'+', '-', '5'}) {
    ch = ok;
    EXPECT_TRUE(signs.Accept(0, ch));
  }
  ch = '+';
  EXPECT_FALSE(signs.Accept(1, ch));
  EXPECT_TRUE(TMaskLayout("").Empty());
  EXPECT_TRUE(TMaskLayout(";1;_").Empty());
}

TEST(MaskLayout, TextAndShownTextConvertBothWays) {
  TMaskLayout saved("99/99/0000;1;_");
  EXPECT_EQ("12/3_/____", saved.EditTextOf("12/3"));
  EXPECT_EQ("12/34/5678", saved.EditTextOf("12345678")) << "literals are optional in the value";
  EXPECT_EQ("12/3 /    ", saved.TextOf("12/3_/____"));
  EXPECT_EQ("  /  /    ", saved.TextOf("__/__/____"));

  TMaskLayout unsaved("99/99/0000;0;_");
  EXPECT_EQ("123", unsaved.TextOf("12/3_/____"));
  EXPECT_EQ("12/3_/____", unsaved.EditTextOf("123"));
  EXPECT_EQ("1_/3_/____", unsaved.EditTextOf("1 3"));

  // Reversed: unfilled optional positions lead.
  TMaskLayout amount("!999;0; ");
  EXPECT_EQ(" 42", amount.EditTextOf("42"));
  EXPECT_EQ("42", amount.TextOf(" 42"));
  EXPECT_EQ("345", amount.EditTextOf("12345")) << "the last characters fit";

  EXPECT_EQ("12/34/    ", FormatMaskText("99/99/0000;1;_", "12/34"));
  EXPECT_EQ("(555) 123-4   ", FormatMaskText("(999) 000-0000;0", "5551234"));
}

TEST(MaskLayout, ValidationFindsTheFirstWrongPosition) {
  TMaskLayout date("99/99/0000;1;_");
  int at = -1;
  EXPECT_TRUE(date.Validate("1_/__/2024", at)) << "optional positions may stay blank";
  EXPECT_FALSE(date.Validate("12/31/20_4", at));
  EXPECT_EQ(8, at);
  EXPECT_FALSE(date.Validate("12/31/2x24", at));
  EXPECT_EQ(7, at) << "a character that does not fit";
  EXPECT_FALSE(date.Validate("12-31-2024", at));
  EXPECT_EQ(2, at) << "a literal out of place";
  EXPECT_FALSE(date.Validate("12/31/202", at));
  EXPECT_EQ(9, at) << "too short";
  TMaskLayout any("C");
  EXPECT_TRUE(any.Validate(" ", at)) << "a blank is a character where any character is required";
}

namespace {

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TStdCtrlsTestForm(Application);
    edit = form->DateEdit;
    form->Show();
    edit->SetFocus();
    form->log.clear();
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  int CursorAt() { return edit->GetSelStart(); }

  TStdCtrlsTestForm* form = nullptr;
  TMaskEdit* edit = nullptr;
};

// A masked edit whose program can forbid changes.
class TGuardedMaskEdit : public TMaskEdit {
 public:
  using TMaskEdit::TMaskEdit;
  bool allow = true;

 protected:
  bool EditCanModify() override { return allow; }
};

}  // namespace

TEST_F(MaskEditTest, TypingFillsInputPositionsAndSkipsLiterals) {
  EXPECT_EQ(10, SendMessageA(edit->GetHandle(), EM_GETLIMITTEXT, 0, 0)) << "the mask's length";
  PressKey(VK_HOME);
  TypeText("1231");
  EXPECT_EQ("12/31/____", edit->GetEditText());
  EXPECT_EQ(6, CursorAt());
  EXPECT_EQ(1, edit->GetSelLength()) << "the cursor covers the position it overwrites";
  TypeText("x");
  EXPECT_EQ("12/31/____", edit->GetEditText()) << "a letter does not fit a digit";
  TypeText("1999");
  EXPECT_EQ("12/31/1999", edit->GetEditText());
  EXPECT_EQ("12/31/1999", edit->GetText());
  EXPECT_TRUE(edit->GetModified());
  EXPECT_EQ("change DateEdit 12/31/1999", form->log.back());
  EXPECT_EQ(8u, form->Logged("change").size()) << "each character typed into the text is one change";
}

TEST_F(MaskEditTest, ASeparatorEndsTheFieldBeingTyped) {
  PressKey(VK_HOME);
  TypeText("1/");
  EXPECT_EQ("1_/__/____", edit->GetEditText());
  EXPECT_EQ(3, CursorAt()) << "the cursor went past the separator";
  TypeText("12/");
  EXPECT_EQ("1_/12/____", edit->GetEditText());
  EXPECT_EQ(6, CursorAt()) << "a separator right after a full field moves nothing";
  TypeText("2024");
  EXPECT_EQ("1 /12/2024", edit->GetText());
  edit->Clear();
  PressKey(VK_HOME);
  TypeText("1/2/2024");  // as typed into a date field, and as pasted
  EXPECT_EQ("1_/2_/2024", edit->GetEditText());
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankPositionsWithoutClosingUp) {
  edit->SetText("12/31/1999");
  edit->SetSelStart(4);
  edit->SetSelLength(1);
  PressKey(VK_BACK);
  EXPECT_EQ("12/_1/1999", edit->GetEditText());
  EXPECT_EQ(3, CursorAt());
  PressKey(VK_BACK);
  EXPECT_EQ("1_/_1/1999", edit->GetEditText()) << "back over the literal to the digit before it";
  PressKey(VK_DELETE);
  EXPECT_EQ("1_/_1/1999", edit->GetEditText());
  edit->SetSelStart(5);
  edit->SetSelLength(4);  // "/199"
  PressKey(VK_DELETE);
  EXPECT_EQ("1_/_1/___9", edit->GetEditText());
  PressKey(VK_HOME);
  EXPECT_EQ(0, CursorAt());
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  EXPECT_EQ(3, CursorAt()) << "the arrows step over literals";
  PressKey(VK_END);
  EXPECT_EQ(10, CursorAt());
}

TEST_F(MaskEditTest, LeavingWithAnIncompleteValueRaisesAndKeepsTheFocus) {
  TExceptionCatcher caught;
  int exits = 0;
  edit->SetOnExit([&](TObject*) { ++exits; });
  PressKey(VK_HOME);
  TypeText("1231");
  PressKey(VK_TAB);
  ASSERT_EQ(1u, caught.messages.size());
  EXPECT_NE(String::npos, caught.messages[0].find("Invalid input value"));
  EXPECT_TRUE(edit->Focused()) << "the focus came back";
  EXPECT_EQ(0, exits);
  EXPECT_EQ(6, CursorAt()) << "at the first position to fill";
  TypeText("1999");
  PressKey(VK_TAB);
  EXPECT_EQ(1u, caught.messages.size());
  EXPECT_FALSE(edit->Focused());
  EXPECT_EQ(1, exits);
  // A text set by code is not the user's: it is not validated.
  edit->SetText("1");
  edit->SetFocus();
  PressKey(VK_TAB);
  EXPECT_EQ(1u, caught.messages.size());
  EXPECT_THROW(
      {
        edit->SetModified(true);
        edit->ValidateEdit();
      },
      EDBEditError);
}

TEST_F(MaskEditTest, EscapeBringsBackTheValueTheEditWasEnteredWith) {
  edit->SetText("01/02/2003");
  form->NameEdit->SetFocus();
  edit->SetFocus();
  PressKey(VK_HOME);
  TypeText("99");
  EXPECT_EQ("99/02/2003", edit->GetEditText());
  PressKey(VK_ESCAPE);
  EXPECT_EQ("01/02/2003", edit->GetEditText()) << "the edit takes Escape while it has changes";
  EXPECT_FALSE(edit->GetModified());
  EXPECT_TRUE(form->Logged("click CancelButton").empty());
  PressKey(VK_ESCAPE);
  EXPECT_EQ((std::vector<String>{"click CancelButton"}), form->Logged("click CancelButton"))
      << "without changes Escape is the form's";
}

TEST_F(MaskEditTest, PastingTypesTheClipboardThroughTheMask) {
  ASSERT_TRUE(OpenClipboard(form->GetHandle()));
  EmptyClipboard();
  const char pasted[] = "07/4x/1776";
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
  memcpy(GlobalLock(memory), pasted, sizeof pasted);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  edit->SelectAll();
  edit->PasteFromClipboard();
  EXPECT_EQ("07/4_/1776", edit->GetEditText()) << "what does not fit is left out";
  auto* guarded = new TGuardedMaskEdit(form);
  guarded->SetEditMask("LLL;0");
  guarded->SetParent(form);
  guarded->SetFocus();
  guarded->allow = false;
  TypeText("abc");
  guarded->PasteFromClipboard();
  EXPECT_EQ("___", guarded->GetEditText()) << "EditCanModify refuses typing and pasting";
  guarded->allow = true;
  TypeText("abc");
  EXPECT_EQ("abc", guarded->GetText());
  guarded->allow = false;
  PressKey(VK_BACK);
  guarded->CutToClipboard();
  EXPECT_EQ("abc", guarded->GetText());
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheTypedCharacters) {
  edit->SetText("12/31/1999");
  edit->SetEditMask("0000-00-00;0;_");
  EXPECT_EQ("1231-19-99", edit->GetEditText());
  EXPECT_EQ("12311999", edit->GetText());
  edit->SetEditMask("");
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ("12311999", edit->GetText());
  TypeText("?");
  EXPECT_NE(String::npos, edit->GetText().find('?')) << "without a mask anything may be typed";
  edit->SetEditMask("99/99;1;_");
  EXPECT_EQ(5, SendMessageA(edit->GetHandle(), EM_GETLIMITTEXT, 0, 0));
}
