// TEdit and TMemo: their properties on the system's edit window, kept across re-creation; the
// memo's lines bound to its text; keys through the message loop.
#include <gtest/gtest.h>

#include "tests/framework/stdctrls/TestStdCtrls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(50, 50, 320, 240);
    edit = new TEdit(form);
    edit->SetName("Edit");
    edit->SetParent(form);
    memo = new TMemo(form);
    memo->SetBounds(0, 40, 200, 120);
    memo->SetParent(form);
    edit->SetOnChange([this](TObject*) { changes.push_back(edit->GetText()); });
    memo->SetOnChange([this](TObject*) { ++memoChanges; });
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  LONG Style(TWinControl* c) { return GetWindowLongA(c->GetHandle(), GWL_STYLE); }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TMemo* memo = nullptr;
  std::vector<String> changes;
  int memoChanges = 0;
};

}  // namespace

TEST_F(EditTest, PropertiesReachTheWindowAndSurviveItsRecreation) {
  form->Show();
  edit->SetMaxLength(3);
  edit->SetPasswordChar('*');
  edit->SetReadOnly(true);
  EXPECT_EQ(3, SendMessageA(edit->GetHandle(), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ('*', SendMessageA(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0));
  EXPECT_TRUE(Style(edit) & ES_READONLY);
  edit->SetText("abc");
  edit->SetModified(true);
  HWND before = edit->GetHandle();
  edit->SetCharCase(ecUpperCase);  // a style the window is made with: a new window
  EXPECT_NE(before, edit->GetHandle());
  EXPECT_TRUE(Style(edit) & ES_UPPERCASE);
  EXPECT_EQ(3, SendMessageA(edit->GetHandle(), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ('*', SendMessageA(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0));
  EXPECT_TRUE(Style(edit) & ES_READONLY);
  EXPECT_TRUE(edit->GetModified()) << "the user's change is still a change";
  EXPECT_EQ("ABC", edit->GetText());
  edit->SetHideSelection(false);
  EXPECT_TRUE(Style(edit) & ES_NOHIDESEL);
  edit->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongA(edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_THROW(edit->SetBorderStyle(bsDialog), EInvalidOperation);
  EXPECT_THROW(edit->SetPasswordCharText("**"), EInvalidOperation);
}

TEST_F(EditTest, TypingHonoursMaxLengthAndReadOnly) {
  form->Show();
  edit->SetFocus();
  edit->SetMaxLength(4);
  TypeText("abcdef");
  EXPECT_EQ("abcd", edit->GetText());
  // Wine's edit also notifies a change for each refused character; the text never grew.
  ASSERT_GE(changes.size(), 4u);
  EXPECT_EQ((std::vector<String>{"a", "ab", "abc", "abcd"}), std::vector<String>(changes.begin(), changes.begin() + 4));
  for (const String& seen : changes) EXPECT_LE(seen.size(), 4u);
  changes.clear();
  edit->SetReadOnly(true);
  edit->SelectAll();
  TypeText("x");
  EXPECT_EQ("abcd", edit->GetText());
  EXPECT_TRUE(changes.empty());
  edit->SetReadOnly(false);
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ("bc", edit->GetSelText());
  edit->SetSelText("Z");
  EXPECT_EQ("aZd", edit->GetText());
  EXPECT_EQ("aZd", changes.back());
}

TEST_F(EditTest, TheHeightFollowsTheFontWhileAutoSizeIsOn) {
  form->Show();
  int small = edit->GetHeight();
  edit->GetFont()->SetSize(20);
  int large = edit->GetHeight();
  EXPECT_GT(large, small + 10);
  edit->SetAutoSize(false);
  edit->SetHeight(40);
  edit->GetFont()->SetSize(8);
  EXPECT_EQ(40, edit->GetHeight());
  edit->SetAutoSize(true);
  EXPECT_EQ(small, edit->GetHeight());
}

TEST_F(EditTest, TextSetWithoutAWindowIsKeptAndToldOnce) {
  TEdit loose(nullptr);
  int told = 0;
  loose.SetOnChange([&](TObject*) { ++told; });
  loose.SetText("offline");
  loose.SetText("offline");
  EXPECT_EQ(1, told);
  loose.SetParent(form);
  EXPECT_EQ("offline", String(GetTextBufOf(loose.GetHandle())));
  loose.SetParent(nullptr);
}

TEST_F(EditTest, EnteringFromTheKeyboardSelectsAllButAClickDoesNot) {
  auto* other = new TEdit(form);
  other->SetTop(200);
  other->SetParent(form);
  edit->SetText("hello");
  form->Show();
  other->SetFocus();
  PressKey(VK_TAB);  // tab order: edit comes first, then the memo, then other; wraps around
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(0, edit->GetSelStart());
  EXPECT_EQ(5, edit->GetSelLength());
  other->SetFocus();
  PressAt(edit->GetHandle(), 2, 5);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(0, edit->GetSelLength());
  edit->SetAutoSelect(false);
  other->SetFocus();
  PressKey(VK_TAB);
  EXPECT_EQ(0, edit->GetSelLength());
}

TEST_F(EditTest, MemoLinesAreTheTextCutAtLineBreaks) {
  TStrings* lines = memo->GetLines();
  memo->SetText("one\r\ntwo");
  EXPECT_EQ(2, lines->GetCount());
  memo->SetText("one\r\ntwo\r\n");
  EXPECT_EQ(2, lines->GetCount()) << "a final line break starts no line";
  EXPECT_EQ("two", lines->Get(1));
  memo->SetText("");
  EXPECT_EQ(0, lines->GetCount());
  lines->Add("a");
  lines->Add("b");
  EXPECT_EQ("a\r\nb\r\n", memo->GetText());
  lines->Insert(1, "between");
  lines->Put(0, "first");
  EXPECT_EQ("first\r\nbetween\r\nb\r\n", memo->GetText());
  lines->Delete(2);
  EXPECT_EQ("first\r\nbetween\r\n", memo->GetText());
  memo->SetText("x\r\ny");
  lines->Delete(1);
  EXPECT_EQ("x\r\n", memo->GetText()) << "the break before a deleted last line stays";
  lines->Add("z");
  EXPECT_EQ("x\r\nz\r\n", memo->GetText());
  EXPECT_THROW(lines->Get(2), EStringListError);
  EXPECT_THROW(lines->Delete(-1), EStringListError);
  lines->SetText("l1\nl2\rl3");
  EXPECT_EQ("l1\r\nl2\r\nl3", memo->GetText()) << "every kind of line end becomes CR LF";
  EXPECT_EQ(3, lines->GetCount());
}

TEST_F(EditTest, MemoLinesWorkWithAndWithoutAWindowAndUpdateOnce) {
  TStrings* lines = memo->GetLines();
  lines->Add("before the window");
  form->Show();
  EXPECT_EQ("before the window\r\n", String(GetTextBufOf(memo->GetHandle())));
  memoChanges = 0;
  lines->BeginUpdate();
  for (int i = 0; i < 50; ++i) lines->Add(Format("line %d", i));
  EXPECT_EQ(0, memoChanges) << "nothing reaches the window while updating";
  EXPECT_EQ(51, lines->GetCount());
  lines->EndUpdate();
  EXPECT_EQ(1, memoChanges);
  EXPECT_EQ(51, static_cast<int>(SendMessageA(memo->GetHandle(), EM_GETLINECOUNT, 0, 0)) - 1);
  // Lines can be assigned from another list and read back as a whole.
  TStringList other;
  other.Add("x");
  other.Add("y");
  lines->Assign(other);
  EXPECT_EQ("x\r\ny\r\n", lines->GetText());
}

TEST_F(EditTest, MemoStylesAndTheKeysItWants) {
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  memo->SetAlignment(taRightJustify);
  form->Show();
  LONG style = Style(memo);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_AUTOHSCROLL) << "lines run on without word wrap";
  EXPECT_TRUE(style & ES_RIGHT);
  EXPECT_TRUE((style & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL));
  memo->SetWordWrap(true);
  EXPECT_FALSE(Style(memo) & ES_AUTOHSCROLL);
  // Tab moves on unless the memo wants tabs; then it types a tab.
  memo->SetFocus();
  PressKey(VK_TAB);
  EXPECT_FALSE(memo->Focused());
  memo->SetWantTabs(true);
  memo->SetFocus();
  memo->SetText("");
  PressKey(VK_TAB);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ("\t", memo->GetText());
  EXPECT_TRUE(SendMessageA(memo->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  memo->SetWantReturns(false);
  EXPECT_FALSE(SendMessageA(memo->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
}
