// The form of StdCtrlsTestForm.txt: every standard control read from a form file, shown,
// painted, written back, and driven by keys and clicks through the message loop.
#include <gtest/gtest.h>

#include "screenshots/Screenshots.h"
#include "tests/framework/stdctrls/TestStdCtrls.h"
#include "tests/support/ReviewShots.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class StdCtrlsForm : public ::testing::Test {
 protected:
  void SetUp() override { form = new TStdCtrlsTestForm(Application); }
  void TearDown() override {
    if (form) form->Free();
    Pump();
  }
  TStdCtrlsTestForm* form = nullptr;
};

// The colour of the screenshot at a point of a control's client area.
TColor PixelOf(const TScreenshot& shot, TCustomForm* form, TControl* control, int x, int y) {
  TPoint origin = control->ClientToScreen(Point(x, y));
  RECT frame;
  GetWindowRect(form->GetHandle(), &frame);
  return shot.GetPixel(origin.x - frame.left, origin.y - frame.top);
}

// Whether any pixel of the control's client rectangle has the colour.
bool ShowsColor(const TScreenshot& shot, TCustomForm* form, TControl* control, TColor color) {
  for (int y = 0; y < control->GetClientHeight(); ++y)
    for (int x = 0; x < control->GetClientWidth(); ++x)
      if (PixelOf(shot, form, control, x, y) == color) return true;
  return false;
}

}  // namespace

TEST_F(StdCtrlsForm, LoadsEveryControlWithItsProperties) {
  ASSERT_TRUE(form->NameLabel && form->NameEdit && form->DateEdit && form->NotesMemo && form->ColorCombo &&
              form->CityCombo && form->FruitList && form->OptionsBox && form->SaveCheck && form->FeatureList &&
              form->OkButton && form->CancelButton);
  EXPECT_EQ((std::vector<String>{"create"}), form->log) << "no control raised an event while it was read";
  EXPECT_EQ(form->NameEdit, form->NameLabel->GetFocusControl());
  EXPECT_EQ("Ada", form->NameEdit->GetText());
  EXPECT_EQ("!99/99/0000;1;_", form->DateEdit->GetEditMask());
  EXPECT_EQ("__/__/____", form->DateEdit->GetEditText());
  EXPECT_EQ(2, form->NotesMemo->GetLines()->GetCount());
  EXPECT_EQ("second line", form->NotesMemo->GetLines()->Get(1));
  EXPECT_EQ(csDropDownList, form->ColorCombo->GetStyle());
  EXPECT_EQ("Green", form->ColorCombo->GetText()) << "the text read before the items selects one of them";
  EXPECT_EQ(1, form->ColorCombo->GetItemIndex());
  EXPECT_EQ("Berlin", form->CityCombo->GetItems()->Get(0)) << "sorted";
  EXPECT_EQ("Paris", form->CityCombo->GetText());
  EXPECT_EQ(4, form->FruitList->GetItems()->GetCount());
  EXPECT_EQ(form->OptionsBox, form->SaveCheck->GetParent());
  EXPECT_TRUE(form->SaveCheck->GetChecked());
  EXPECT_EQ(3, form->FeatureList->GetItems()->GetCount());
  EXPECT_TRUE(form->OkButton->GetDefault());
  EXPECT_EQ(mrOk, form->OkButton->GetModalResult());
  EXPECT_TRUE(form->CancelButton->GetCancel());
  // Labels and edits fit their font (13 pixels high here); the group box holds its children.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, form->NameEdit->GetFont()->GetHandle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(metrics.tmHeight, form->NameLabel->GetHeight());
  EXPECT_EQ(metrics.tmHeight + 8, form->NameEdit->GetHeight());
}

TEST_F(StdCtrlsForm, WindowsAreTheSystemsControls) {
  form->Show();
  // Each control has a window class of its own, made from the system's, which does the work.
  char name[64];
  GetClassNameA(form->NameEdit->GetHandle(), name, sizeof name);
  EXPECT_STREQ("TEdit", name);
  GetClassNameA(form->FeatureList->GetHandle(), name, sizeof name);
  EXPECT_STREQ("TCheckListBox", name);
  EXPECT_TRUE(SendMessageA(form->NameEdit->GetHandle(), EM_GETLIMITTEXT, 0, 0) > 0);
  EXPECT_EQ(4, SendMessageA(form->FruitList->GetHandle(), LB_GETCOUNT, 0, 0));
  EXPECT_EQ(3, SendMessageA(form->ColorCombo->GetHandle(), CB_GETCOUNT, 0, 0));
  LONG style = GetWindowLongA(form->OkButton->GetHandle(), GWL_STYLE);
  EXPECT_EQ(BS_DEFPUSHBUTTON, style & 0xF) << "the default button has the default frame while an edit has the focus";
  EXPECT_EQ(BS_3STATE, GetWindowLongA(form->SaveCheck->GetHandle(), GWL_STYLE) & 0xF);
  EXPECT_EQ(BST_CHECKED, SendMessageA(form->SaveCheck->GetHandle(), BM_GETCHECK, 0, 0));
  EXPECT_TRUE(GetWindowLongA(form->FeatureList->GetHandle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_TRUE(GetWindowLongA(form->NotesMemo->GetHandle(), GWL_STYLE) & ES_MULTILINE);
}

TEST_F(StdCtrlsForm, RendersItsControls) {
  form->Show();
  form->FeatureList->SetChecked(1, true);
  Pump();
  TScreenshot shot = TakeScreenshot(form);
  ASSERT_FALSE(shot.Empty());
  KeepForReview(form, "stdctrls-form");
  TColor text = static_cast<TColor>(ColorToRGB(clWindowText));
  TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
  EXPECT_TRUE(ShowsColor(shot, form, form->NameLabel, text)) << "the label's caption is drawn";
  EXPECT_EQ(face, PixelOf(shot, form, form->NameLabel, form->NameLabel->GetWidth() - 1, 0)) << "on the form's colour";
  EXPECT_TRUE(ShowsColor(shot, form, form->NotesMemo, text)) << "the memo's text";
  EXPECT_TRUE(form->NameEdit->Focused());
  EXPECT_TRUE(ShowsColor(shot, form, form->NameEdit, static_cast<TColor>(ColorToRGB(clHighlight))))
      << "the focused edit's text, selected on entry";
  EXPECT_TRUE(ShowsColor(shot, form, form->FruitList, text)) << "the list's items";
  EXPECT_TRUE(ShowsColor(shot, form, form->OkButton, text)) << "the button's caption";
  EXPECT_TRUE(ShowsColor(shot, form, form->OptionsBox, static_cast<TColor>(ColorToRGB(clBtnShadow))))
      << "the group box's frame";
  // The check list draws a box before every item, checked for the second one only.
  TRect first = form->FeatureList->ItemRect(0);
  TRect second = form->FeatureList->ItemRect(1);
  auto darkPixels = [&](const TRect& item) {
    int count = 0;
    for (int y = item.top + 2; y < item.bottom - 2; ++y)
      for (int x = item.left + 3; x < item.left + TCheckListBox::CheckWidth() - 3; ++x)
        if (PixelOf(shot, form, form->FeatureList, x, y) == static_cast<TColor>(ColorToRGB(clWindowText))) ++count;
    return count;
  };
  EXPECT_GT(darkPixels(second), darkPixels(first) + 5) << "a check mark in the second box";
}

TEST_F(StdCtrlsForm, WritesTheFormFileThatReadsBackTheSame) {
  form->FeatureList->SetChecked(0, true);
  form->FruitList->SetItemIndex(2);
  String written = WriteComponentToText(form);
  EXPECT_NE(String::npos, written.find("  object NameEdit: TEdit\r\n"));
  EXPECT_NE(String::npos, written.find("    Text = 'Ada'\r\n"));
  EXPECT_NE(String::npos, written.find("    EditMask = '!99/99/0000;1;_'\r\n"));
  EXPECT_NE(String::npos, written.find("    Lines.Strings = (\r\n"));
  EXPECT_NE(String::npos, written.find("    Items.Strings = (\r\n"));
  EXPECT_NE(String::npos, written.find("      State = cbChecked\r\n"));
  EXPECT_EQ(String::npos, written.find("Checked = ")) << "a check box keeps its state, not Checked";
  EXPECT_NE(String::npos, written.find("    Default = True\r\n"));
  EXPECT_NE(String::npos, written.find("    FocusControl = NameEdit\r\n"));
  EXPECT_EQ(String::npos, written.find("TabStop = ")) << "defaults stay out";
  EXPECT_LT(written.find("    Text = 'Green'"), written.find("      'Red'")) << "a combo box's items come after its text";

  auto* again = new TStdCtrlsTestForm(Application, false);
  ReadComponentFromText(written, again);
  EXPECT_EQ("Green", again->ColorCombo->GetText());
  EXPECT_EQ("Paris", again->CityCombo->GetText());
  EXPECT_TRUE(again->SaveCheck->GetChecked());
  String rewritten = WriteComponentToText(again);
  rewritten.replace(rewritten.find("StdCtrlsTestForm_1"), 18, "StdCtrlsTestForm");
  EXPECT_EQ(written, rewritten);
  again->Free();
}

TEST_F(StdCtrlsForm, TypedKeysReachTheEditsEventsThroughTheMessageLoop) {
  form->Show();
  ASSERT_TRUE(form->NameEdit->Focused());
  form->log.clear();
  PressKey(VK_END);
  TypeText("x!");
  EXPECT_EQ((std::vector<String>{"press NameEdit x", "change NameEdit Adax", "press NameEdit !"}), form->log)
      << "a key the handler swallows changes nothing";
  EXPECT_TRUE(form->NameEdit->GetModified());
  // Setting the text by code raises OnChange once, and the edit is no longer modified.
  form->log.clear();
  form->NameEdit->SetText("Grace");
  EXPECT_EQ((std::vector<String>{"change NameEdit Grace"}), form->log);
  EXPECT_FALSE(form->NameEdit->GetModified());
}

TEST_F(StdCtrlsForm, TheLabelsAcceleratorFocusesItsControl) {
  form->Show();
  form->OkButton->SetFocus();
  TypeText("n");  // a button takes no characters: they are the form's dialog characters
  EXPECT_TRUE(form->NameEdit->Focused());
  EXPECT_EQ("Ada", form->NameEdit->GetText()) << "the accelerator typed nothing";
  // The group box's accelerator moves into the box; the check box's toggles it.
  form->OkButton->SetFocus();
  TypeText("o");
  EXPECT_TRUE(form->SaveCheck->Focused());
  form->OkButton->SetFocus();
  form->log.clear();
  TypeText("s");
  EXPECT_TRUE(form->SaveCheck->Focused());
  EXPECT_FALSE(form->SaveCheck->GetChecked());
  EXPECT_EQ((std::vector<String>{"click SaveCheck 0"}), form->log);
}

TEST_F(StdCtrlsForm, TheDefaultFrameFollowsTheFocusedButton) {
  form->Show();
  auto pushStyle = [](TButton* b) { return GetWindowLongA(b->GetHandle(), GWL_STYLE) & 0xF; };
  EXPECT_EQ(BS_DEFPUSHBUTTON, pushStyle(form->OkButton));
  EXPECT_EQ(BS_PUSHBUTTON, pushStyle(form->CancelButton));
  form->CancelButton->SetFocus();
  EXPECT_EQ(BS_PUSHBUTTON, pushStyle(form->OkButton)) << "another button has the focus: it takes Enter";
  EXPECT_EQ(BS_DEFPUSHBUTTON, pushStyle(form->CancelButton));
  form->NameEdit->SetFocus();
  EXPECT_EQ(BS_DEFPUSHBUTTON, pushStyle(form->OkButton));
  EXPECT_EQ(BS_PUSHBUTTON, pushStyle(form->CancelButton));
  form->OkButton->SetDefault(false);
  EXPECT_EQ(BS_PUSHBUTTON, pushStyle(form->OkButton));
}

namespace {

// Runs the form modally; once it shows, the key arrives at the control as a user's would.
TModalResult ShowModalAndPress(TStdCtrlsTestForm* form, TWinControl* focus, uint16_t key) {
  form->SetOnShow([form, focus, key](TObject*) {
    form->SetActiveControl(focus);
    PostMessageA(focus->GetHandle(), WM_KEYDOWN, key, 1);
    PostMessageA(focus->GetHandle(), WM_KEYUP, key, 0xC0000001);
  });
  return form->ShowModal();
}

}  // namespace

TEST_F(StdCtrlsForm, EnterAndEscapeEndAModalFormThroughItsDefaultAndCancelButtons) {
  EXPECT_EQ(mrOk, ShowModalAndPress(form, form->NameEdit, VK_RETURN));
  EXPECT_EQ((std::vector<String>{"click OkButton"}), form->Logged("click"));
  EXPECT_FALSE(form->GetVisible());
  form->log.clear();
  EXPECT_EQ(mrCancel, ShowModalAndPress(form, form->NameEdit, VK_ESCAPE));
  EXPECT_EQ((std::vector<String>{"click CancelButton"}), form->Logged("click"));
  // Enter on a focused button clicks that button, not the default one.
  form->log.clear();
  EXPECT_EQ(mrCancel, ShowModalAndPress(form, form->CancelButton, VK_RETURN));
  EXPECT_EQ((std::vector<String>{"click CancelButton"}), form->Logged("click"));
  // A memo that wants Enter keeps it: the line breaks and the form stays until OK is clicked.
  form->log.clear();
  HWND memo = form->NotesMemo->GetHandle();
  form->SetOnShow([this, memo](TObject*) {
    form->SetActiveControl(form->NotesMemo);
    PostMessageA(memo, WM_KEYDOWN, VK_RETURN, 1);
  });
  form->NotesMemo->SetOnChange([this](TObject*) { PostMessageA(form->OkButton->GetHandle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(mrOk, form->ShowModal());
  EXPECT_EQ(3, form->NotesMemo->GetLines()->GetCount());
  EXPECT_EQ((std::vector<String>{"click OkButton"}), form->Logged("click"));
  // Without WantReturns, Enter in the memo is the form's again.
  form->NotesMemo->SetWantReturns(false);
  EXPECT_EQ(mrOk, ShowModalAndPress(form, form->NotesMemo, VK_RETURN));
  EXPECT_EQ(3, form->NotesMemo->GetLines()->GetCount());
}
