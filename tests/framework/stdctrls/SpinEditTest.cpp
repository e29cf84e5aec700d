// TSpinEdit: the range, stepping by keys and by the arrows, what may be typed, OnChange.
#include <gtest/gtest.h>

#include "framework/Spin.h"
#include "tests/support/ControlPictures.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    spin = new TSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(10, 10, 121, 21);
    other = new TSpinEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 121, 21);
    spin->SetOnChange([this](TObject*) { ++changes; });
  }
  void TearDown() override { form->Free(); }

  void ShowFocused() {
    form->Show();
    spin->SetFocus();
  }
  void Post(UINT msg, WPARAM key) {
    PostMessageA(GetFocus(), msg, key, 1);
    Application->ProcessMessages();
  }
  void Type(const String& text) {
    for (char c : text) Post(WM_CHAR, static_cast<unsigned char>(c));
  }
  // A press on the upper or lower arrow of the up-down control.
  void ClickArrow(bool up) {
    HWND arrows = spin->GetUpDownHandle();
    RECT r;
    GetClientRect(arrows, &r);
    int y = up ? 2 : r.bottom - 3;
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
    SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
  }

  TForm* form = nullptr;
  TSpinEdit* spin = nullptr;
  TSpinEdit* other = nullptr;
  int changes = 0;
};

}  // namespace

TEST_F(SpinEditTest, ValueStaysInTheRangeWhenThereIsOne) {
  EXPECT_EQ(0, spin->GetValue());
  EXPECT_EQ("0", spin->GetText());
  spin->SetValue(-12345);
  EXPECT_EQ(-12345, spin->GetValue()) << "MaxValue not above MinValue: no range";
  spin->SetMaxValue(10);
  EXPECT_EQ(0, spin->GetValue()) << "a new range brings the value into it";
  spin->SetValue(15);
  EXPECT_EQ(10, spin->GetValue());
  EXPECT_EQ("10", spin->GetText());
  spin->SetMinValue(5);
  spin->SetValue(-3);
  EXPECT_EQ(5, spin->GetValue());
  spin->SetText("not a number");
  EXPECT_EQ(5, spin->GetValue()) << "text that is no number counts as MinValue";
  spin->SetText("99");
  EXPECT_EQ(10, spin->GetValue());
}

TEST_F(SpinEditTest, ArrowKeysAndArrowButtonsStepByIncrement) {
  spin->SetMaxValue(20);
  spin->SetIncrement(5);
  spin->SetValue(10);
  ShowFocused();
  changes = 0;
  Post(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(15, spin->GetValue());
  Post(WM_KEYDOWN, VK_UP);
  Post(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(20, spin->GetValue()) << "stepping stops at MaxValue";
  Post(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(15, spin->GetValue());
  EXPECT_TRUE(spin->Focused()) << "the arrows are the edit's own keys, not the form's";
  EXPECT_EQ(3, changes);

  ClickArrow(true);
  EXPECT_EQ(20, spin->GetValue());
  ClickArrow(false);
  ClickArrow(false);
  EXPECT_EQ(10, spin->GetValue());

  spin->SetMaxValue(0);
  spin->SetMinValue(0);
  spin->SetValue(2147483647);
  spin->StepUp();
  EXPECT_EQ(2147483647, spin->GetValue()) << "no overflow past the largest number";
}

TEST_F(SpinEditTest, OnlyDigitsAndSignsCanBeTypedAndEnterNeverBreaksTheLine) {
  ShowFocused();
  Type("1a2-");
  EXPECT_EQ("12-", spin->GetText()) << "entering selected the 0, and the letter is refused";
  spin->SetText("");
  Type("42\r");
  EXPECT_EQ("42", spin->GetText());
  EXPECT_EQ(42, spin->GetValue());
}

TEST_F(SpinEditTest, EditorDisabledRefusesTypingButStillSteps) {
  spin->SetEditorEnabled(false);
  spin->SetValue(3);
  ShowFocused();
  Type("7");
  Post(WM_CHAR, '\b');
  EXPECT_EQ("3", spin->GetText());
  Post(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(4, spin->GetValue());
  spin->SetReadOnly(true);
  Post(WM_KEYDOWN, VK_UP);
  ClickArrow(true);
  EXPECT_EQ(4, spin->GetValue()) << "read-only: the value does not move";
}

TEST_F(SpinEditTest, LeavingTheEditShowsTheValueItStandsFor) {
  spin->SetMaxValue(10);
  ShowFocused();
  spin->SetText("77");
  other->SetFocus();
  EXPECT_EQ("10", spin->GetText());
  spin->SetFocus();
  spin->SetText("x");
  other->SetFocus();
  EXPECT_EQ("0", spin->GetText());
}

TEST_F(SpinEditTest, TextStaysClearOfTheArrows) {
  form->Show();
  HWND arrows = spin->GetUpDownHandle();
  ASSERT_NE(nullptr, arrows);
  EXPECT_EQ(spin->GetHandle(), GetParent(arrows));
  RECT client, box, text;
  GetClientRect(spin->GetHandle(), &client);
  GetWindowRect(arrows, &box);
  MapWindowPoints(nullptr, spin->GetHandle(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(client.right, box.right);
  SendMessageA(spin->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  EXPECT_LE(text.right, box.left);
  // After a resize the arrows move along.
  spin->SetWidth(200);
  GetClientRect(spin->GetHandle(), &client);
  GetWindowRect(arrows, &box);
  MapWindowPoints(nullptr, spin->GetHandle(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(client.right, box.right);
}
