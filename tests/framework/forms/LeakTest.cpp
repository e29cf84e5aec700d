// Creating, using and freeing forms, controls, timers, fonts, bitmaps, icons and canvases 1,000
// times leaves the process's GDI objects and windows where they were.
//
// Wine's GetGuiResources answers 0 for everything, so it is checked as asked but proves nothing
// here; the GDI handle table of the process and the thread's windows are what show a leak.
#include <gtest/gtest.h>

#include "screenshots/Screenshots.h"
#include "tests/support/GraphicsSupport.h"
#include "tests/support/WindowsSupport.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// One round: a shown form with windowed, system and graphic controls, a running timer and an
// icon; measuring and drawing on it and on a control that outlives the round (contexts of a
// window that is destroyed go back with it, so only a lasting window shows one kept by mistake);
// a picture of it; then everything freed.
void UseWindows(TEditBox* lasting) {
  TForm* form = new TForm(Application);
  form->SetBounds(10, 10, 240, 160);
  auto* box = new TColorBox(form);
  box->SetColor(clNavy);
  box->SetBounds(5, 5, 100, 60);
  box->SetParent(form);
  auto* shape = new TColorShape(form);
  shape->SetColor(clRed);
  shape->SetBounds(5, 5, 20, 20);
  shape->SetParent(box);
  auto* edit = new TEditBox(form);
  edit->SetBounds(5, 80, 120, 21);
  edit->SetParent(form);
  edit->SetText("C:\\Program Files\\Ferrovane Technologies\\Tovix\\readme.txt");
  edit->GetFont()->SetSize(10);

  auto* timer = new TTimer(form);
  timer->SetInterval(1);
  int ticks = 0;
  timer->SetOnTimer([&](TObject*) { ++ticks; });

  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */)));
  form->SetIcon(&icon);
  form->Show();
  Application->ProcessMessages();

  StrCtrlTextWidth(edit, edit->GetText());
  StrContinuedText(edit->GetText(), edit, 90);
  StrCtrlTextWidth(lasting, edit->GetText());
  StrContinuedText(edit->GetText(), lasting, 90);
  {
    TControlCanvas canvas;
    canvas.SetControl(lasting);
    canvas.TextOut(0, 0, "lasting");
  }
  {
    TControlCanvas canvas;
    canvas.SetControl(shape);
    canvas.GetBrush()->SetColor(clYellow);
    canvas.FillRect(Rect(0, 0, 5, 5));
    canvas.SetControl(box);
    canvas.GetFont()->SetStyle({fsItalic});
    canvas.TextOut(2, 2, "x");
  }
  TBitmap picture;
  TakeScreenshot(form).CopyToBitmap(picture);
  picture.GetCanvas()->TextOut(0, 0, "shot");
  edit->RecreateWnd();

  auto* module = new TTestDataModule(nullptr);
  module->Free();
  form->Free();
  Application->ProcessMessages();
}

}  // namespace

TEST(Leaks, ThousandRoundsOfFormsControlsAndTimersLeaveNothingBehind) {
  TForm* lastingForm = new TForm(Application);
  auto* lasting = new TEditBox(lastingForm);
  lasting->SetParent(lastingForm);
  // Fills the system's caches (classes, stock objects, fonts). A hint left pending by a test before
  // this one is put away first: its window and font are made once, not per round.
  Application->CancelHint();
  PumpFor(50);
  UseWindows(lasting);
  HANDLE process = GetCurrentProcess();
  DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  int gdiObjects = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < 1000; ++i) UseWindows(lasting);
  EXPECT_EQ(gdi, GetGuiResources(process, GR_GDIOBJECTS));
  EXPECT_EQ(user, GetGuiResources(process, GR_USEROBJECTS));
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  lastingForm->Free();
}

TEST(Leaks, CountersSeeALeakedDeviceContextAndWindow) {
  int gdiObjects = CountGdiObjects();
  if (gdiObjects < 0) GTEST_SKIP() << "no GDI handle table on this platform";
  TForm* form = new TForm(Application);
  HWND window = form->GetHandle();
  int windows = CountThreadWindows();
  gdiObjects = CountGdiObjects();
  auto holdContexts = [window] {
    std::vector<HDC> held;
    for (int i = 0; i < 10; ++i) held.push_back(GetDC(window));
    return held;
  };
  std::vector<HDC> held = holdContexts();  // as if never handed back
  int holding = CountGdiObjects();
  EXPECT_GT(holding, gdiObjects) << "contexts not given back show";
  for (HDC dc : held) ReleaseDC(window, dc);
  // Contexts given back stay in the system's cache and are used again: no further growth.
  for (HDC dc : holdContexts()) ReleaseDC(window, dc);
  EXPECT_EQ(holding, CountGdiObjects());
  HWND stray = AllocateHWnd([](TMessage&) {});
  EXPECT_EQ(windows + 1, CountThreadWindows()) << "a window not destroyed shows";
  DeallocateHWnd(stray);
  form->Free();
}
