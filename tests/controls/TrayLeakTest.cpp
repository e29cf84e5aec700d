// Frames, flash phases and destruction leave no GDI object, window or tray icon behind.
//
// Wine's GetGuiResources answers 0 for everything, so it is checked as asked but proves nothing
// here. Icons are USER objects that Wine does not count, but each holds GDI bitmaps, which the
// process's GDI handle table shows; windows are counted per thread.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/GraphicsSupport.h"
#include "tests/controls/TrayTestSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// The top-level windows of this thread.
std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

struct TCounts {
  DWORD gdi, user;
  int gdiObjects;
  size_t windows;
  bool operator==(const TCounts&) const = default;
};

TCounts Measure() {
  HANDLE process = GetCurrentProcess();
  return TCounts{GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                 CountGdiObjects(), ThreadWindows().size()};
}

void PrintTo(const TCounts& c, std::ostream* out) {
  *out << "GDI " << c.gdi << ", USER " << c.user << ", GDI objects " << c.gdiObjects << ", windows " << c.windows;
}

}  // namespace

TEST_F(TrayTest, TenThousandTimerDrivenFramesWithFlashingLeaveGdiAndUserCountsUnchanged) {
  auto* frames = new TImageList(form);
  AddFrames(frames, 4);
  TIcon flash;
  MakeSolidIcon(flash, RGB(10, 20, 30));
  icon->SetFlashIcon(&flash);
  icon->SetAnimIcons(frames);
  icon->SetShowTrayIcon(true);
  int advances = 0;
  icon->SetOnFrameAdvance([&] { ++advances; });
  icon->SetFrameSpeed(1);
  std::vector<HWND> before = ThreadWindows();
  icon->SetAnimate(true);
  icon->SetFlash(true);
  HWND timerWindow = nullptr;
  for (HWND window : ThreadWindows())
    if (std::find(before.begin(), before.end(), window) == before.end()) timerWindow = window;
  ASSERT_NE(nullptr, timerWindow) << "the running timer's window";
  // The system timer gives at most 100 ticks a second (its 10 ms floor): the first ticks come
  // from it and fill the system's caches; the rest are the same WM_TIMER messages, sent.
  ASSERT_TRUE(PumpUntil([&] { return advances >= 50; }));
  TCounts counts = Measure();
  size_t calls = shell.calls.size();
  for (int tick = 0; tick < 10000; ++tick) {
    SendMessageA(timerWindow, WM_TIMER, 1, 0);
    if (tick % 100 == 0) Application->ProcessMessages();
  }
  // Flashing while animating, every tick shows a new icon: the next frame and the flash icon
  // take turns.
  EXPECT_GE(shell.calls.size() - calls, 10000u) << "every frame reached the tray";
  EXPECT_GE(advances, 5050);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(counts, Measure()) << "still running: a shown icon then as now";
}

TEST_F(TrayTest, DestroyingInEveryStateLeavesNoTrayIconAndNoHandles) {
  auto* frames = new TImageList(form);
  AddFrames(frames, 3);
  TIcon appIcon;
  appIcon.Assign(Application->GetIcon());
  // Bits of state: in the tray, form icon, application icon, animating, flashing.
  auto round = [&](int state) {
    auto* tray = new TOrvTrayIcon(form);
    tray->SetAnimIcons(frames);
    tray->SetShowTrayIcon(state & 1);
    tray->SetChangeFormIcon(state & 2);
    tray->SetChangeAppIcon(state & 4);
    tray->SetAnimate(state & 8);
    tray->SetFlash(state & 16);
    tray->HandleTimer(nullptr);
    HWND window = tray->GetWindowHandle();
    tray->Free();
    EXPECT_FALSE(shell.Holds(window)) << "state " << state;
  };
  for (int state = 0; state < 32; ++state) round(state);
  TCounts counts = Measure();
  for (int i = 0; i < 10; ++i)
    for (int state = 0; state < 32; ++state) round(state);
  Application->ProcessMessages();
  EXPECT_EQ(counts, Measure());
  EXPECT_TRUE(errors.empty());
  Application->SetIcon(&appIcon);
}
