// TPanel: bevels, border and caption as painted, and where aligned children go.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "tests/support/ControlPictures.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 185, 41);
  }
  void TearDown() override { form->Free(); }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
};

}  // namespace

TEST_F(PanelTest, RaisedOuterBevelByDefault) {
  TPanel fresh(nullptr);
  EXPECT_EQ(185, fresh.GetWidth());
  EXPECT_EQ(41, fresh.GetHeight());
  EXPECT_EQ(bvRaised, fresh.GetBevelOuter());
  EXPECT_EQ(bvNone, fresh.GetBevelInner());
  EXPECT_EQ(taCenter, fresh.GetAlignment());
  EXPECT_EQ(clBtnFace, fresh.GetColor());
  EXPECT_TRUE(fresh.GetControlStyle().Contains(csAcceptsControls));

  TScreenshot picture = TakeScreenshot(panel);
  EXPECT_EQ(SysColor(clBtnHighlight), picture.GetPixel(0, 0));
  EXPECT_EQ(SysColor(clBtnHighlight), picture.GetPixel(0, 39));
  EXPECT_EQ(SysColor(clBtnShadow), picture.GetPixel(184, 0)) << "the top right corner belongs to the shadow";
  EXPECT_EQ(SysColor(clBtnShadow), picture.GetPixel(184, 40));
  EXPECT_EQ(SysColor(clBtnFace), picture.GetPixel(1, 1));
}

TEST_F(PanelTest, LoweredInnerBevelSitsInsideTheBorder) {
  panel->SetBevelInner(bvLowered);
  panel->SetBorderWidth(3);
  panel->SetBevelWidth(2);
  panel->SetColor(clYellow);
  TScreenshot picture = TakeScreenshot(panel);
  // Outer bevel 2 pixels, the yellow border 3, then the lowered bevel (dark on top) 2.
  EXPECT_EQ(SysColor(clBtnHighlight), picture.GetPixel(1, 20));
  EXPECT_EQ(clYellow, picture.GetPixel(2, 20));
  EXPECT_EQ(clYellow, picture.GetPixel(4, 20));
  EXPECT_EQ(SysColor(clBtnShadow), picture.GetPixel(5, 20));
  EXPECT_EQ(SysColor(clBtnShadow), picture.GetPixel(6, 20));
  EXPECT_EQ(clYellow, picture.GetPixel(7, 20));
  EXPECT_EQ(SysColor(clBtnHighlight), picture.GetPixel(184 - 5, 20)) << "the inner bevel's light edge is at the right";
}

TEST_F(PanelTest, AlignedChildrenFillOnlyTheInnerRect) {
  panel->SetBorderWidth(6);
  panel->SetBevelOuter(bvNone);
  auto* inner = new TPanel(form);
  inner->SetParent(panel);
  inner->SetAlign(alClient);
  EXPECT_EQ(6, inner->GetLeft());
  EXPECT_EQ(6, inner->GetTop());
  EXPECT_EQ(185 - 12, inner->GetWidth());
  EXPECT_EQ(41 - 12, inner->GetHeight());
  panel->SetBevelOuter(bvLowered);
  EXPECT_EQ(7, inner->GetLeft()) << "a bevel takes room as well";
  EXPECT_EQ(185 - 14, inner->GetWidth());
}

TEST_F(PanelTest, CaptionIsDrawnWhereAlignmentSays) {
  panel->SetCaption("Hello");
  panel->GetFont()->SetColor(clRed);
  TRect centred = BoundsOfColor(TakeScreenshot(panel), clRed);
  ASSERT_GT(centred.right, centred.left);
  int width = centred.right - centred.left;
  EXPECT_NEAR((185 - width) / 2, centred.left, 2);
  EXPECT_NEAR(41 / 2, (centred.top + centred.bottom) / 2, 3);
  panel->SetAlignment(taLeftJustify);
  EXPECT_LT(BoundsOfColor(TakeScreenshot(panel), clRed).left, 5);
  panel->SetAlignment(taRightJustify);
  EXPECT_GT(BoundsOfColor(TakeScreenshot(panel), clRed).right, 185 - 5);
}

TEST_F(PanelTest, SingleBorderStyleGivesASunkenEdge) {
  HWND before = panel->GetHandle();
  panel->SetBorderStyle(bsSingle);
  EXPECT_NE(before, panel->GetHandle()) << "the window is made again with the new style";
  EXPECT_TRUE(GetWindowLongA(panel->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  panel->SetBorderStyle(bsSizeable);
  EXPECT_EQ(bsNone, panel->GetBorderStyle()) << "only none and single apply to a control";
}
