// TSpeedButton: clicks, groups, and what each state looks like (read from pictures of it).
#include <gtest/gtest.h>

#include <memory>

#include "framework/Buttons.h"
#include "tests/support/ControlPictures.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 240, 120);
    button = AddButton(10, 10);
    std::unique_ptr<TBitmap> glyph(MakeSquareGlyph());
    button->SetGlyph(glyph.get());
    button->SetOnClick([this](TObject* sender) { clicks.push_back(static_cast<TSpeedButton*>(sender)); });
  }
  void TearDown() override { form->Free(); }

  TSpeedButton* AddButton(int left, int top) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(left, top, 40, 30);
    return b;
  }
  TScreenshot Picture() { return TakeScreenshot(button); }
  HWND FormWindow() { return form->GetHandle(); }

  TForm* form = nullptr;
  TSpeedButton* button = nullptr;
  std::vector<TSpeedButton*> clicks;
};

}  // namespace

TEST_F(SpeedButtonTest, StartsAsAnUpButtonThatReplicatesAndTakesTheGlyphCount) {
  TSpeedButton fresh(nullptr);
  EXPECT_EQ(23, fresh.GetWidth());
  EXPECT_EQ(22, fresh.GetHeight());
  EXPECT_EQ(bsUp, fresh.GetState());
  EXPECT_EQ(-1, fresh.GetMargin());
  EXPECT_EQ(4, fresh.GetSpacing());
  EXPECT_TRUE(fresh.GetControlStyle().Contains(csReplicatable));
  EXPECT_FALSE(fresh.GetControlStyle().Contains(csClickEvents)) << "the button clicks itself on release";
  // A strip four times as wide as high holds four images.
  std::unique_ptr<TBitmap> strip(MakeSquareGlyph(4));
  fresh.SetGlyph(strip.get());
  EXPECT_EQ(4, fresh.GetNumGlyphs());
  fresh.SetNumGlyphs(7);
  EXPECT_EQ(1, fresh.GetNumGlyphs()) << "more than four images is taken as one";
}

TEST_F(SpeedButtonTest, ClickingRaisesOnClickOnlyWhenReleasedOverTheButton) {
  ClickAt(FormWindow(), 30, 25);
  ASSERT_EQ(1u, clicks.size());
  EXPECT_EQ(bsUp, button->GetState()) << "a button outside a group pops back up";
  // Pressed, dragged off and released outside: no click, and it showed up while outside.
  SendMessageA(FormWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
  EXPECT_EQ(bsDown, button->GetState());
  SendMessageA(FormWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 90));
  EXPECT_EQ(bsUp, button->GetState());
  SendMessageA(FormWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 25));
  EXPECT_EQ(bsDown, button->GetState()) << "back over the button it shows pressed again";
  SendMessageA(FormWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 90));
  SendMessageA(FormWindow(), WM_LBUTTONUP, 0, MAKELPARAM(150, 90));
  EXPECT_EQ(1u, clicks.size());
  // A disabled button does not react.
  button->SetEnabled(false);
  ClickAt(FormWindow(), 30, 25);
  EXPECT_EQ(1u, clicks.size());
  EXPECT_EQ(bsDisabled, button->GetState());
}

TEST_F(SpeedButtonTest, GroupedButtonsReleaseEachOtherAndStayDownUnlessAllowAllUp) {
  TSpeedButton* second = AddButton(60, 10);
  TSpeedButton* third = AddButton(110, 10);
  TSpeedButton* other = AddButton(160, 10);
  for (TSpeedButton* b : {button, second, third}) b->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetDown(true);
  button->SetDown(true);
  EXPECT_EQ(bsExclusive, button->GetState());

  ClickAt(FormWindow(), 70, 20);  // the second button
  EXPECT_TRUE(second->GetDown());
  EXPECT_FALSE(button->GetDown()) << "pressing one releases the group's down button";
  EXPECT_EQ(bsUp, button->GetState());
  EXPECT_TRUE(other->GetDown()) << "another group is left alone";
  EXPECT_TRUE(clicks.empty()) << "OnClick is the first button's only";

  // The down button stays down when pressed again or released from code...
  ClickAt(FormWindow(), 70, 20);
  second->SetDown(false);
  EXPECT_TRUE(second->GetDown());
  // ...until the group allows all buttons up; setting it on one tells the whole group.
  third->SetAllowAllUp(true);
  EXPECT_TRUE(second->GetAllowAllUp());
  ClickAt(FormWindow(), 70, 20);
  EXPECT_FALSE(second->GetDown());
  EXPECT_FALSE(third->GetDown());

  // Outside a group Down cannot be set.
  TSpeedButton* loose = AddButton(10, 60);
  loose->SetDown(true);
  EXPECT_FALSE(loose->GetDown());
}

TEST_F(SpeedButtonTest, AcceleratorOfTheCaptionClicksIt) {
  button->SetCaption("&Open");
  form->Perform(CM_DIALOGCHAR, 'o', 0);
  EXPECT_EQ(0u, clicks.size()) << "not while the form is hidden";
  form->Show();
  form->Perform(CM_DIALOGCHAR, 'o', 0);
  EXPECT_EQ(1u, clicks.size());
  form->Perform(CM_DIALOGCHAR, 'p', 0);
  EXPECT_EQ(1u, clicks.size());
}

TEST_F(SpeedButtonTest, PaintsTheGlyphUpDownAndPressedOneLowerRight) {
  TScreenshot up = Picture();
  TRect glyph = BoundsOfColor(up, clRed);
  EXPECT_EQ(8, glyph.right - glyph.left);
  EXPECT_EQ(8, glyph.bottom - glyph.top);
  // Centred (with the frame's inset), and the olive around the square is transparent.
  EXPECT_EQ(0, CountColor(up, clOlive));
  EXPECT_EQ(SysColor(clBtnFace), up.GetPixel(glyph.left - 2, glyph.top));
  // The raised frame: light top-left, dark bottom-right.
  EXPECT_EQ(SysColor(clBtnHighlight), up.GetPixel(0, 0));
  EXPECT_EQ(SysColor(cl3DDkShadow), up.GetPixel(39, 29));

  SendMessageA(FormWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
  TScreenshot down = Picture();
  TRect pressed = BoundsOfColor(down, clRed);
  EXPECT_EQ(glyph.left + 1, pressed.left);
  EXPECT_EQ(glyph.top + 1, pressed.top);
  EXPECT_NE(SysColor(clBtnHighlight), down.GetPixel(0, 0)) << "a pressed frame is sunken";
  SendMessageA(FormWindow(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
  EXPECT_EQ(glyph.left, BoundsOfColor(Picture(), clRed).left);
}

TEST_F(SpeedButtonTest, DisabledWithOneGlyphPaintsAnEmbossedOutline) {
  TRect glyph = BoundsOfColor(Picture(), clRed);
  button->SetEnabled(false);
  TScreenshot disabled = Picture();
  EXPECT_EQ(0, CountColor(disabled, clRed));
  // The square in the shadow colour, its highlight one pixel lower right.
  EXPECT_EQ(SysColor(clBtnShadow), disabled.GetPixel(glyph.left, glyph.top));
  EXPECT_EQ(SysColor(clBtnShadow), disabled.GetPixel(glyph.right - 1, glyph.bottom - 1));
  EXPECT_EQ(SysColor(clBtnHighlight), disabled.GetPixel(glyph.right, glyph.bottom));
  EXPECT_EQ(SysColor(clBtnFace), disabled.GetPixel(glyph.left - 1, glyph.top)) << "transparent parts stay out";
}

TEST_F(SpeedButtonTest, ImagesOfTheStripAreUsedForTheirStates) {
  std::unique_ptr<TBitmap> strip(MakeSquareGlyph(4));  // up red, disabled blue, down green, exclusive yellow
  button->SetGlyph(strip.get());
  button->SetGroupIndex(1);
  EXPECT_GT(CountColor(Picture(), clRed), 0);
  SendMessageA(FormWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
  EXPECT_GT(CountColor(Picture(), clGreen), 0);
  SendMessageA(FormWindow(), WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
  ASSERT_TRUE(button->GetDown());
  EXPECT_GT(CountColor(Picture(), clYellow), 0);
  button->SetEnabled(false);
  EXPECT_GT(CountColor(Picture(), clBlue), 0);
}

TEST_F(SpeedButtonTest, ExclusiveButtonIsFilledWithACheckerPattern) {
  button->SetGlyph(nullptr);
  button->SetGroupIndex(1);
  button->SetDown(true);
  TScreenshot held = Picture();
  TColor face = SysColor(clBtnFace), light = SysColor(clBtnHighlight);
  int changes = 0;
  for (int x = 10; x < 30; ++x) {
    TColor a = held.GetPixel(x, 15), b = held.GetPixel(x + 1, 15);
    EXPECT_TRUE(a == face || a == light);
    if (a != b) ++changes;
  }
  EXPECT_EQ(20, changes) << "face and highlight alternate pixel by pixel";
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsFrameOnlyWhileTheMouseIsOverIt) {
  button->SetFlat(true);
  TScreenshot idle = Picture();
  EXPECT_EQ(SysColor(clBtnFace), idle.GetPixel(0, 0));
  EXPECT_EQ(SysColor(clBtnFace), idle.GetPixel(39, 29));

  MoveMouseTo(FormWindow(), 30, 25);
  EXPECT_TRUE(button->GetMouseInControl());
  TScreenshot hot = Picture();
  EXPECT_EQ(SysColor(clBtnHighlight), hot.GetPixel(0, 0));
  EXPECT_EQ(SysColor(clBtnShadow), hot.GetPixel(39, 29));

  MoveMouseTo(FormWindow(), 200, 100);
  EXPECT_FALSE(button->GetMouseInControl());
  EXPECT_EQ(SysColor(clBtnFace), Picture().GetPixel(0, 0));
}

TEST_F(SpeedButtonTest, CaptionBesideTheGlyphFollowsLayoutAndMargin) {
  button->SetBounds(10, 10, 120, 30);
  button->SetCaption("Go");
  button->SetMargin(4);
  TRect left = BoundsOfColor(Picture(), clRed);
  EXPECT_EQ(2 + 4, left.left - 4) << "frame inset 2, margin 4, then the square at 4 in the glyph";
  button->SetLayout(blGlyphRight);
  TRect right = BoundsOfColor(Picture(), clRed);
  EXPECT_EQ(120 - 2 - 4 - 16 + 4, right.left);
}
