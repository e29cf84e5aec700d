// The popup side of the button edit, with a popup class of the tests' own.
#include <gtest/gtest.h>

#include "controls/Orvbtnedit.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/controls/BtnEditTestSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class BtnEditPopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(100, 100, 400, 300);
    edit = new TPopupEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 21);
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 100, 100, 21);
    form->Show();
    SetForegroundWindow(form->GetHandle());
    edit->SetFocus();
  }
  void TearDown() override {
    form->Free();
    Application->ProcessMessages();
  }
  TPoint EditOnScreen() const { return form->ClientToScreen(Point(edit->GetLeft(), edit->GetTop())); }
  TPoint PopupOnScreen() const {
    RECT r;
    GetWindowRect(edit->Popup()->GetHandle(), &r);
    return Point(r.left, r.top);
  }
  // Drops the popup down with the form at (x, y) and gives where the popup went.
  TPoint DropAt(int x, int y, TOrvBtnEditPopupAlign align) {
    edit->PopupCloseUp(edit, false);
    form->SetBounds(x, y, 400, 300);
    edit->SetPopupAlign(align);
    edit->PopupDropDown();
    EXPECT_TRUE(edit->GetPopupVisible());
    return PopupOnScreen();
  }
  TForm* form = nullptr;
  TPopupEdit* edit = nullptr;
  TEdit* other = nullptr;
};

}  // namespace

TEST_F(BtnEditPopupTest, DropsBelowOrAboveAlignedAndInsideTheScreen) {
  int screenWidth = Screen->GetWidth(), screenHeight = Screen->GetHeight();
  TPoint popup = DropAt(100, 100, epaRight);
  TPoint at = EditOnScreen();
  EXPECT_EQ(at.x + 150 - 200, popup.x) << "right edges lined up";
  EXPECT_EQ(at.y + 21, popup.y) << "just below";

  popup = DropAt(100, screenHeight - 60, epaLeft);
  at = EditOnScreen();
  EXPECT_EQ(at.x, popup.x) << "left edges lined up";
  EXPECT_EQ(at.y - 100, popup.y) << "no room below: just above";

  popup = DropAt(-5, 100, epaRight);
  EXPECT_EQ(EditOnScreen().x, popup.x) << "right alignment would start left of the screen";

  popup = DropAt(-100, 100, epaLeft);
  EXPECT_EQ(0, popup.x);

  popup = DropAt(screenWidth - 100, 100, epaLeft);
  EXPECT_EQ(screenWidth - 200, popup.x);

  edit->PopupCloseUp(edit, false);
  edit->Popup()->SetHeight(screenHeight + 50);
  popup = DropAt(100, screenHeight - 60, epaRight);
  EXPECT_EQ(0, popup.y) << "a popup taller than the room above starts at the top of the screen";
}

TEST_F(BtnEditPopupTest, AcceptedValuesChangeTheTextOnceAndUnchangedOnesNotAtAll) {
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  edit->PopupDropDown();
  ASSERT_EQ(1u, edit->Popup()->written.size());
  EXPECT_TRUE(edit->Popup()->written[0].IsNull()) << "an empty text goes down as Null";
  EXPECT_TRUE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY);
  edit->Popup()->value = Variant("chosen");
  edit->PopupCloseUp(edit, true);
  EXPECT_EQ("chosen", edit->GetText());
  EXPECT_EQ(1, changes);
  EXPECT_TRUE(edit->GetModified());
  EXPECT_FALSE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY);

  edit->DoClick();  // drops down again, with the text
  EXPECT_EQ(Variant("chosen"), edit->Popup()->written.back());
  edit->SetSelLength(0);
  edit->DoClick();  // closes, accepting the same value
  EXPECT_FALSE(edit->GetPopupVisible());
  EXPECT_EQ(1, changes);
  EXPECT_EQ(6, edit->GetSelLength()) << "the text is selected all the same";

  edit->PopupDropDown();
  edit->Popup()->value = Variant("other");
  SendMessageA(edit->GetHandle(), WM_CHAR, 27, 0);  // Escape: closes without taking the value
  EXPECT_FALSE(edit->GetPopupVisible());
  EXPECT_EQ("chosen", edit->GetText());

  edit->SetReadOnly(true);
  edit->DoClick();
  EXPECT_FALSE(edit->GetPopupVisible()) << "a read-only edit never drops down";
}

TEST_F(BtnEditPopupTest, APressElsewhereClosesItAndAPressOnTheButtonDoesNotReopenIt) {
  edit->PopupDropDown();
  EXPECT_EQ(MA_NOACTIVATE, SendMessageA(edit->Popup()->GetHandle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()), 0));
  SendMessageA(edit->Popup()->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(edit->GetPopupVisible()) << "pressing the popup itself keeps it";
  SendMessageA(edit->Popup()->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  edit->PopupDropDown();
  HWND holder = edit->GetButtonHolder()->GetHandle();
  SendMessageA(holder, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(edit->GetPopupVisible());
  SendMessageA(holder, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(edit->GetPopupVisible()) << "the click of that press is swallowed";

  edit->PopupDropDown();
  SendMessageA(form->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 250));
  SendMessageA(form->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 250));
  EXPECT_FALSE(edit->GetPopupVisible()) << "a press on the form sends CM_CANCELMODE";
  EXPECT_FALSE(IsWindowVisible(edit->Popup()->GetHandle()));
}

TEST_F(BtnEditPopupTest, AFailingReadStillEndsThePopup) {
  edit->PopupDropDown();
  edit->Popup()->failRead = true;
  EXPECT_THROW(edit->PopupCloseUp(edit, true), Exception);
  EXPECT_FALSE(edit->GetPopupVisible());
  EXPECT_FALSE(IsWindowVisible(edit->Popup()->GetHandle()));
  EXPECT_FALSE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_READONLY) << "editable again";
}
