// Painting the buttons and panels in every state 1,000 times, and making and freeing every
// control and a message dialog, leave the process's GDI objects and windows where they were.
#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Spin.h"
#include "tests/support/ControlPictures.h"
#include "tests/support/ResourceCounts.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// One round: every control made, shown, painted in each state and freed; a few of them on a
// form that outlives the round, so that a child window kept by mistake would show.
void UseControls(TForm* lasting, TBitmap* glyph) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 300, 240);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBevelInner(bvLowered);
  panel->SetCaption("Panel");
  auto* speed = new TSpeedButton(form);
  speed->SetParent(panel);
  speed->SetGlyph(glyph);
  speed->SetGroupIndex(1);
  auto* pages = new TPageControl(form);
  pages->SetParent(form);
  pages->SetBounds(0, 50, 280, 120);
  auto* first = new TTabSheet(form);
  first->SetPageControl(pages);
  first->SetCaption("First");
  auto* second = new TTabSheet(form);
  second->SetPageControl(pages);
  second->SetCaption("Second");
  auto* spin = new TSpinEdit(form);
  spin->SetParent(first);
  auto* bit = new TBitBtn(form);
  bit->SetParent(form);
  bit->SetBounds(0, 180, 90, 30);
  bit->SetKind(bkOK);
  // Hidden forms print as shown ones do, and cost far less to make.
  TakeScreenshot(form);
  speed->SetDown(true);
  speed->SetEnabled(false);
  bit->SetEnabled(false);
  pages->SelectNextPage(true);
  spin->StepUp();
  TakeScreenshot(form);
  TMessageForm* message = CreateMessageDialog("Leak?", mtConfirmation, mbYesNoCancel);
  TakeScreenshot(message);
  message->Free();
  form->Free();

  auto* onLasting = new TSpinEdit(lasting);
  onLasting->SetParent(lasting);
  auto* lastingButton = new TBitBtn(lasting);
  lastingButton->SetParent(lasting);
  lastingButton->SetKind(bkHelp);
  lastingButton->RecreateWnd();
  onLasting->Free();
  lastingButton->Free();
  Application->ProcessMessages();
}

// One round of painting every state: new glyphs (their state images are made again), pressed,
// held, disabled and hot speed buttons, a bitmap button of another kind, other bevels.
void PaintStates(TForm* form, TPanel* panel, TSpeedButton* speed, TBitBtn* bit, TBitmap* glyph, int round) {
  speed->SetGlyph(glyph);
  speed->SetFlat(round % 2 == 0);
  speed->SetDown(round % 3 == 0);
  speed->SetEnabled(round % 4 != 0);
  MoveMouseTo(panel->GetHandle(), round % 2 ? 10 : 150, 10);
  bit->SetKind(static_cast<TBitBtnKind>(1 + round % 10));
  bit->SetEnabled(round % 5 != 0);
  panel->SetBevelInner(round % 2 ? bvLowered : bvRaised);
  panel->SetCaption(IntToStr(round));
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

TEST(DialogsLeaks, ThousandRoundsOfPaintingEveryStateLeaveNoGdiObjects) {
  std::unique_ptr<TBitmap> glyph(MakeSquareGlyph(2));
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* speed = new TSpeedButton(form);
  speed->SetParent(panel);
  speed->SetGroupIndex(1);
  speed->SetAllowAllUp(true);
  auto* bit = new TBitBtn(form);
  bit->SetParent(form);
  bit->SetBounds(10, 100, 90, 30);
  form->Show();
  for (int round = 0; round < 12; ++round) PaintStates(form, panel, speed, bit, glyph.get(), round);
  int gdiObjects = CountGdiObjects();
  for (int round = 0; round < 1000; ++round) PaintStates(form, panel, speed, bit, glyph.get(), round);
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  form->Free();
}

// Making windows is slow under Wine (several milliseconds each): a hundred rounds of every
// control's windows show a leak of one object per round just as well.
TEST(DialogsLeaks, HundredRoundsOfMakingAndFreeingEveryControlLeaveNothingBehind) {
  const int kRounds = 100;
  std::unique_ptr<TBitmap> glyph(MakeSquareGlyph(2));
  TForm* lasting = new TForm(nullptr);
  lasting->Show();
  UseControls(lasting, glyph.get());  // fills the system's caches (classes, stock objects, fonts)
  int gdiObjects = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < kRounds; ++i) UseControls(lasting, glyph.get());
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  lasting->Free();
}
