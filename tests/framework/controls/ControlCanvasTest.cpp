// TControlCanvas: a context of the control's own window, or of its parent's window placed and
// clipped to a graphic control, handed back when the canvas lets go of it.
#include <gtest/gtest.h>

#include "tests/support/WindowsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class ControlCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    box = new TColorBox(form);
    box->SetBounds(10, 10, 100, 60);
    box->SetParent(form);
    shape = new TColorShape(form);
    shape->SetBounds(30, 20, 25, 15);
    shape->SetParent(box);
  }
  void TearDown() override { form->Free(); }

  TForm* form;
  TColorBox* box;
  TColorShape* shape;
};

}  // namespace

TEST_F(ControlCanvasTest, DrawsOnTheControlsOwnWindowMadeOnDemand) {
  box->GetFont()->SetSize(24);
  TControlCanvas canvas;
  canvas.SetControl(box);
  ASSERT_FALSE(box->HandleAllocated());
  HDC dc = canvas.GetHandle();
  EXPECT_TRUE(box->HandleAllocated());
  EXPECT_EQ(box->GetHandle(), WindowFromDC(dc));
  EXPECT_EQ("MS Sans Serif", canvas.GetFont()->GetName());
  EXPECT_EQ(8, canvas.GetFont()->GetSize()) << "the canvas's own font, not the control's";
}

TEST_F(ControlCanvasTest, PlacesAndClipsAGraphicControlOnItsParentsWindowAndRestoresIt) {
  form->Show();  // a hidden window's context clips everything away
  TControlCanvas canvas;
  canvas.SetControl(shape);
  HDC dc = canvas.GetHandle();
  EXPECT_EQ(box->GetHandle(), WindowFromDC(dc));
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(30, origin.x);
  EXPECT_EQ(20, origin.y);
  RECT clip;
  GetClipBox(dc, &clip);
  EXPECT_EQ(0, clip.left);
  EXPECT_EQ(0, clip.top);
  EXPECT_EQ(25, clip.right);
  EXPECT_EQ(15, clip.bottom);

  canvas.SetControl(nullptr);
  EXPECT_THROW(canvas.GetHandle(), EInvalidGraphicOperation) << "no control, no context";
  // The parent's window gets its context back as it was.
  HDC again = GetDC(box->GetHandle());
  GetViewportOrgEx(again, &origin);
  GetClipBox(again, &clip);
  ReleaseDC(box->GetHandle(), again);
  EXPECT_EQ(0, origin.x);
  EXPECT_EQ(100, clip.right);

  auto* orphan = new TColorShape(form);
  canvas.SetControl(orphan);
  EXPECT_THROW(canvas.TextWidth("x"), EInvalidGraphicOperation) << "a graphic control without a parent";
}
