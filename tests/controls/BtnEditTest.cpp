// The button edit: geometry, keys, direct input, glyphs and form files.
#include <gtest/gtest.h>

#include "controls/Orvbtnedit.h"
#include "framework/Classes.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/controls/BtnEditTestSupport.h"
#include "tests/support/MessageRecorder.h"

using namespace Tovix;
using namespace Tovix::Testing;

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

namespace {

class BtnEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(100, 100, 400, 300);
    edit = new TOrvBtnEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 21);
    form->Show();
  }
  void TearDown() override {
    if (form) form->Free();
    Application->ProcessMessages();
  }
  TForm* form = nullptr;
  TOrvBtnEdit* edit = nullptr;
};

RECT ExpectedEditRect(TOrvCustomBtnEdit* e) {
  return RECT{0, 0, e->GetClientWidth() - e->GetButtonHolder()->GetWidth() - 2, e->GetClientHeight() + 1};
}

}  // namespace

TEST_F(BtnEditTest, StartsAsSpecifiedAndWritesNoDefaults) {
  auto* fresh = new TOrvBtnEdit(form);
  EXPECT_EQ(21, fresh->GetHeight());
  EXPECT_EQ(21, fresh->GetBtnWidth());
  EXPECT_EQ(btCustom, fresh->GetBtnType());
  EXPECT_TRUE(fresh->GetDirectInput());
  EXPECT_FALSE(fresh->GetReadOnly());
  EXPECT_EQ(0x8028, fresh->GetClickKey());
  EXPECT_FALSE(fresh->GetAutoSize());
  fresh->SetName("Fresh");
  fresh->SetParent(form);
  String text = WriteComponentToText(fresh);
  EXPECT_EQ(String::npos, text.find("ButtonWidth"));
  EXPECT_EQ(String::npos, text.find("ClickKey"));
  EXPECT_EQ(String::npos, text.find("HelpContext"));
  EXPECT_EQ(String::npos, text.find("ImeMode"));
}

TEST_F(BtnEditTest, FormattingRectangleFollowsSizeFontAndButtonWidth) {
  TMessageRecorder recorder;
  recorder.Watch(edit->GetHandle());
  recorder.Only({EM_SETRECTNP});
  recorder.CaptureData(EM_SETRECTNP, sizeof(RECT));
  edit->SetWidth(200);
  EXPECT_TRUE(recorder.Matches({TExpect::WithRect(EM_SETRECTNP, ExpectedEditRect(edit))}));
  EXPECT_EQ(200 - 21 - 4, edit->GetButtonHolder()->GetLeft());

  // A new font and a new button width make a new window: its own first messages count.
  TControlMessageLog log(edit, {EM_SETRECTNP});
  edit->GetFont()->SetSize(14);
  ASSERT_FALSE(log.Messages().empty());
  EXPECT_EQ(ExpectedEditRect(edit), log.LastRect());
  EXPECT_GE(edit->GetHeight(), edit->GetMinHeight());

  log.Clear();
  edit->SetBtnWidth(30);
  ASSERT_FALSE(log.Messages().empty());
  EXPECT_EQ(30, edit->GetButtonHolder()->GetWidth());
  EXPECT_EQ(ExpectedEditRect(edit), log.LastRect());

  edit->SetBtnWidth(-5);
  edit->SetBtnWidth(edit->GetClientWidth());
  EXPECT_EQ(30, edit->GetBtnWidth()) << "negative and too wide widths are ignored";

  edit->SetHeight(5);
  EXPECT_EQ(edit->GetMinHeight(), edit->GetHeight());
}

TEST_F(BtnEditTest, EnterAndEscapeGoToTheFormAndNeverBreakTheLine) {
  TControlMessageLog dialogKeys(form, {CM_DIALOGKEY});  // performed, not sent
  std::vector<int> pressed;
  edit->SetOnKeyPress([&](TObject*, char& key) { pressed.push_back(key); });
  edit->SetText("value");
  SendMessageA(edit->GetHandle(), WM_CHAR, '\r', 0);
  SendMessageA(edit->GetHandle(), WM_CHAR, '\n', 0);  // Ctrl+Enter
  SendMessageA(edit->GetHandle(), WM_CHAR, 27, 0);
  std::vector<WPARAM> keys;
  for (const TMessage& m : dialogKeys.Messages()) keys.push_back(m.WParam);
  EXPECT_EQ((std::vector<WPARAM>{13, 13, 27}), keys);
  EXPECT_EQ((std::vector<int>{13, 13, 27}), pressed);
  EXPECT_EQ("value", edit->GetText());

  CopyTextToClipboard(form->GetHandle(), "first\r\nsecond");
  edit->SelectAll();
  SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_EQ("first", edit->GetText());
}

TEST_F(BtnEditTest, ADefaultButtonThatFreesTheFormEndsTheKeyQuietly) {
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetDefault(true);
  ok->SetOnClick([&](TObject*) {
    form->Free();
    form = nullptr;
  });
  SendMessageA(edit->GetHandle(), WM_CHAR, '\r', 0);
  EXPECT_EQ(nullptr, form);

  auto* orphan = new TOrvBtnEdit(nullptr);  // no parent form: nothing to forward to
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
  orphan->SetParentWindow(parent);
  SendMessageA(orphan->GetHandle(), WM_CHAR, '\r', 0);
  EXPECT_EQ("", orphan->GetText());
  orphan->Free();
  DestroyWindow(parent);
}

TEST_F(BtnEditTest, ClickKeyRaisesKeyDownThenButtonClick) {
  std::vector<String> events;
  edit->SetOnKeyDown([&](TObject*, uint16_t& key, TShiftState) { events.push_back("down " + IntToStr(key)); });
  edit->SetOnButtonClick([&](TObject* sender) { events.push_back(sender == edit ? "click" : "click?"); });
  const LPARAM altDown = 1 << 29;
  edit->SetFocus();
  SendMessageA(edit->GetHandle(), WM_SYSKEYDOWN, VK_DOWN, altDown);
  EXPECT_EQ((std::vector<String>{"down 40", "click"}), events);

  events.clear();
  edit->SetBtnWidth(0);
  SendMessageA(edit->GetHandle(), WM_SYSKEYDOWN, VK_DOWN, altDown);
  EXPECT_EQ((std::vector<String>{"down 40"}), events) << "no button, no click";
}

TEST_F(BtnEditTest, DirectInputOffKeepsTheUserOutButNotTheCode) {
  edit->SetText("abc");
  edit->SetDirectInput(false);
  edit->SetFocus();
  SendMessageA(edit->GetHandle(), EM_SETSEL, 0, -1);
  SendMessageA(edit->GetHandle(), WM_CHAR, 'x', 0);
  CopyTextToClipboard(form->GetHandle(), "pasted");
  SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  SendMessageA(edit->GetHandle(), WM_CUT, 0, 0);
  EXPECT_EQ("abc", edit->GetText());
  SendMessageA(edit->GetHandle(), EM_SETSEL, 0, 0);
  edit->SelectAll();
  EXPECT_EQ(0, edit->GetSelLength()) << "select-all does nothing without direct input";

  edit->SetOnButtonClick([&](TObject*) { edit->SetText("chosen"); });
  edit->DoClick();
  EXPECT_EQ("chosen", edit->GetText());

  edit->SetDirectInput(true);
  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY);
  edit->SetReadOnly(false);
  EXPECT_FALSE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY);
  SendMessageA(edit->GetHandle(), WM_CHAR, 'x', 0);
  EXPECT_NE("chosen", edit->GetText());
}

TEST_F(BtnEditTest, ButtonTypesSetGlyphAndWidth) {
  edit->SetBtnType(btEllipsis);
  TBitmap* glyph = edit->GetBtnBitmap();
  ASSERT_EQ(15, glyph->GetWidth());
  ASSERT_EQ(4, glyph->GetHeight());
  std::vector<int> black;
  for (int x = 0; x < 15; ++x)
    if (GetPixel(glyph->GetCanvas()->GetHandle(), x, 1) == 0) black.push_back(x);
  EXPECT_EQ((std::vector<int>{1, 2, 6, 7, 11, 12}), black);
  edit->SetBtnWidth(7);
  EXPECT_EQ(1, edit->GetBtnBitmap()->GetWidth());

  edit->SetBtnType(btDropDown);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), edit->GetBtnWidth());
  EXPECT_FALSE(edit->BtnWidthStored());
  EXPECT_FALSE(edit->GetBtnBitmap()->Empty());

  TBitmap own;
  own.SetSize(5, 5);
  edit->SetBtnBitmap(&own);
  EXPECT_EQ(btCustom, edit->GetBtnType());
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), edit->GetBtnWidth());

  edit->SetBtnType(btOpenFile);
  EXPECT_EQ(14, edit->GetBtnBitmap()->GetWidth());
  EXPECT_EQ(12, edit->GetBtnBitmap()->GetHeight());
  edit->SetBtnType(btDirectory);
  EXPECT_EQ(11, edit->GetBtnBitmap()->GetHeight());
}

TEST_F(BtnEditTest, PathEllipsisFitsTheRoomLeftOfTheButton) {
  edit->SetPathEllipsisText("C:\\a.txt");
  EXPECT_EQ("C:\\a.txt", edit->GetText());
  edit->SetPathEllipsisText("C:\\Program Files\\Some Vendor\\Some Product\\Data\\file.txt");
  EXPECT_NE(String::npos, edit->GetText().find("..."));
  EXPECT_TRUE(edit->GetText().ends_with("file.txt"));
  EXPECT_LE(edit->GetTextWidth(), edit->GetMaxTextWidth());
}

TEST_F(BtnEditTest, DisabledEditsGetGreyText) {
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->GetButton()->GetEnabled());
  HDC dc = GetDC(edit->GetHandle());
  edit->Perform(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit->GetHandle()));
  EXPECT_EQ(ColorToRGB(clGrayText), GetTextColor(dc));
  edit->SetEnabled(true);
  edit->Perform(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit->GetHandle()));
  EXPECT_EQ(ColorToRGB(edit->GetFont()->GetColor()), GetTextColor(dc));
  ReleaseDC(edit->GetHandle(), dc);
}

TEST_F(BtnEditTest, CaretFollowsTheFont) {
  edit->SetFocus();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
  EXPECT_EQ(edit->GetHandle(), info.hwndCaret);
  EXPECT_EQ(1, info.rcCaret.right - info.rcCaret.left);
  EXPECT_EQ(edit->GetTextHeight(), info.rcCaret.bottom - info.rcCaret.top);
  edit->GetFont()->SetStyle(TFontStyles{fsBold});
  ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
  EXPECT_EQ(2, info.rcCaret.right - info.rcCaret.left);
}
