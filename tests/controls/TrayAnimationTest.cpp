// TOrvTrayIcon's animation and flashing: frame sequences and ranges, on and off modes, frame
// errors, the image list coming and going, flash phases, and the timer.
#include <gtest/gtest.h>

#include <climits>

#include "framework/Classes.h"
#include "tests/controls/TrayTestSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

using Frames = std::vector<int>;

class TrayAnimationTest : public TrayTest {
 protected:
  void SetUp() override {
    TrayTest::SetUp();
    frames = new TImageList(form);
    AddFrames(frames, 4);
    icon->SetOnFrameAdvance([this] { ++advances; });
    icon->SetShowTrayIcon(true);
  }
  // The frame the tray shows now; -1 for an icon that is no frame.
  int Shown() const { return FrameOf(Last().record.hIcon); }
  // The frames the tray shows over that many ticks.
  Frames Ticks(int count) {
    Frames shown;
    for (int i = 0; i < count; ++i) {
      icon->HandleTimer(nullptr);
      shown.push_back(Shown());
    }
    return shown;
  }

  TImageList* frames = nullptr;
  int advances = 0;
};

}  // namespace

TEST_F(TrayAnimationTest, FramesCycleThroughTheListOrTheRange) {
  icon->SetAnimIcons(frames);
  icon->SetAnimate(true);
  EXPECT_EQ(0, Shown()) << "frame 0 at once";
  EXPECT_EQ((Frames{1, 2, 3, 0, 1}), Ticks(5));
  EXPECT_EQ(5, advances);
  icon->SetFirstFrame(1);
  icon->SetLastFrame(2);
  icon->SetAnimate(true);
  EXPECT_EQ(0, Shown()) << "switching on again restarts at frame 0, even outside the range";
  EXPECT_EQ((Frames{1, 2, 1, 2}), Ticks(4));
  icon->SetFrame(3);
  EXPECT_EQ((Frames{1}), Ticks(1)) << "a frame beyond the range jumps to its start";
  icon->SetFirstFrame(0);
  icon->SetLastFrame(0);
  EXPECT_EQ((Frames{2, 3, 0}), Ticks(3)) << "a range of 0 to 0 is the whole list";
}

TEST_F(TrayAnimationTest, RangeSettersKeepTheRangeInsideTheListOnceThereIsOne) {
  icon->SetFirstFrame(3);
  icon->SetLastFrame(5);
  EXPECT_EQ(0, icon->GetFirstFrame());
  EXPECT_EQ(0, icon->GetLastFrame());
  icon->SetAnimIcons(frames);
  icon->SetFirstFrame(9);
  EXPECT_EQ(3, icon->GetFirstFrame());
  EXPECT_EQ(3, icon->GetLastFrame()) << "raised to the first frame";
  icon->SetLastFrame(1);
  EXPECT_EQ(3, icon->GetLastFrame()) << "never below the first frame";
  icon->SetFirstFrame(-4);
  icon->SetLastFrame(2);
  EXPECT_EQ((Frames{0, 2}), (Frames{icon->GetFirstFrame(), icon->GetLastFrame()}));
}

TEST_F(TrayAnimationTest, AStreamedRangeBeyondTheListIsRepairedOnTheFirstStep) {
  TForm* design = new TForm(Application);
  design->SetName("AnimForm");
  auto* small = new TImageList(design);
  small->SetName("Small");
  AddFrames(small, 3);
  String text = WriteComponentToText(design);
  design->Free();
  text.insert(text.rfind("end"),
              "  object Tray: TOrvTrayIcon\r\n    AnimIcons = Small\r\n    ShowTrayIcon = True\r\n"
              "    Animate = True\r\n    FirstFrame = 5\r\n  end\r\n");
  TForm* loaded = new TForm(Application);
  ReadComponentFromText(text, loaded);
  auto* tray = dynamic_cast<TOrvTrayIcon*>(loaded->FindComponent("Tray"));
  ASSERT_NE(nullptr, tray);
  EXPECT_EQ(5, tray->GetFirstFrame()) << "kept as read";
  EXPECT_EQ(0, Shown()) << "the on mode showed frame 0";
  for (int i = 0; i < 3; ++i) {
    tray->HandleTimer(nullptr);
    EXPECT_EQ(2, Shown());
  }
  EXPECT_EQ((Frames{2, 2}), (Frames{tray->GetFirstFrame(), tray->GetLastFrame()}));
  loaded->Free();
}

TEST_F(TrayAnimationTest, OnAndOffModes) {
  icon->SetAnimIcons(frames);
  icon->SetAnimate(true);
  Ticks(2);
  icon->SetAnimate(false);
  EXPECT_EQ(-1, Shown()) << "aoffRestoreIcon: the default icon again";
  icon->SetAnimOnMode(aonResume);
  icon->SetAnimOffMode(aoffDoNothing);
  icon->SetAnimate(true);
  EXPECT_EQ(2, Shown()) << "aonResume: the current frame";
  Ticks(1);
  icon->SetAnimate(false);
  EXPECT_EQ(3, Shown()) << "aoffDoNothing: the last frame stays";
  icon->SetAnimOffMode(aoffFrameZero);
  icon->SetAnimate(true);
  icon->SetAnimate(false);
  EXPECT_EQ(0, Shown());
  icon->SetAnimOffMode(aoffRestoreIcon);
  icon->SetAnimate(false);
  EXPECT_EQ(0, Shown()) << "switching off again applies no off mode";
}

TEST_F(TrayAnimationTest, FramesOutsideTheListRaiseAndTheNextStepBringsThemBack) {
  EXPECT_EQ("Tray icon frame 2 unable to be shown because of nil AnimIcons property",
            TrayErrorOf([&] { icon->SetFrame(2); }));
  icon->SetAnimIcons(frames);
  EXPECT_EQ("Tray icon frame 4 unable to be shown.  4 frames are present in AnimIcons",
            TrayErrorOf([&] { icon->SetFrame(4); }));
  EXPECT_EQ(4, icon->GetFrame()) << "the rejected index is kept";
  icon->NextFrame();
  EXPECT_EQ(0, Shown());
  icon->SetFrame(-7);
  EXPECT_EQ(-1, icon->GetFrame());
  EXPECT_EQ(-1, Shown());

  // The largest index is rejected and kept; resuming the animation must then find that it does
  // not exist (its "index + 1" would overflow) instead of showing it again and raising.
  EXPECT_NE("", TrayErrorOf([&] { icon->SetFrame(INT_MAX); }));
  EXPECT_FALSE(icon->FrameExists(INT_MAX));
  EXPECT_TRUE(icon->FrameExists(INT_MIN)) << "a negative index exists whenever a list is set";
  icon->SetAnimOnMode(aonResume);
  EXPECT_NO_THROW(icon->SetAnimate(true));
  EXPECT_EQ(INT_MAX, icon->GetFrame());
  icon->NextFrame();
  EXPECT_EQ(0, Shown()) << "the next step wraps it back into the list";
}

TEST_F(TrayAnimationTest, TheImageListComingAndGoing) {
  icon->SetAnimate(true);
  icon->SetAnimIcons(frames);
  EXPECT_EQ(0, Shown()) << "a list that comes while Animate is on starts the animation";
  Ticks(1);
  advances = 0;
  frames->Free();
  EXPECT_EQ(nullptr, icon->GetAnimIcons());
  EXPECT_EQ((Frames{1, 1}), Ticks(2)) << "the last frame stays and ticks do not advance";
  EXPECT_EQ(0, advances);
}

TEST_F(TrayAnimationTest, NothingAdvancesWhileTheIconIsVisibleNowhere) {
  icon->SetShowTrayIcon(false);
  icon->SetAnimIcons(frames);
  icon->SetAnimate(true);
  icon->HandleTimer(nullptr);
  EXPECT_EQ(0, icon->GetFrame());
  EXPECT_EQ(0, advances);
  icon->SetChangeFormIcon(true);
  icon->HandleTimer(nullptr);
  EXPECT_EQ(1, FrameOf(form->GetIcon()->GetHandle())) << "the form shows it";
}

TEST_F(TrayAnimationTest, FlashingAlternatesTheFlashIconWithTheIconUnderIt) {
  TIcon red, orange;
  MakeSolidIcon(red, FrameColors[0]);
  MakeSolidIcon(orange, FrameColors[3]);
  icon->SetIcon(&red);
  icon->SetFlash(true);
  EXPECT_TRUE(FullyTransparent(Last().record.hIcon)) << "without a flash icon the icon blinks out at once";
  EXPECT_EQ((Frames{0, -1, 0, -1}), Ticks(4));
  icon->SetFlash(false);
  EXPECT_EQ(0, Shown()) << "the icon under the flash icon comes back";
  icon->SetFlash(false);
  icon->SetFlashIcon(&orange);
  icon->SetFlash(true);
  icon->SetFlash(true);
  EXPECT_EQ((Frames{0, 3, 0}), Ticks(3));
  icon->SetFlash(false);
  EXPECT_EQ(0, Shown()) << "neither starting nor stopping twice lost the icon";

  icon->SetShowTrayIcon(false);
  icon->SetFlash(true);
  icon->HandleTimer(nullptr);
  icon->SetFlash(false);
  EXPECT_EQ(0, FrameOf(icon->GetInternalIcon()->GetHandle())) << "flashing an icon shown nowhere keeps it";
}

TEST_F(TrayAnimationTest, FlashingWhileAnimatingAlternatesTheFlashIconWithTheNextFrame) {
  TIcon magenta;
  MakeSolidIcon(magenta, FrameColors[4]);
  icon->SetFlashIcon(&magenta);
  icon->SetAnimIcons(frames);
  icon->SetAnimate(true);
  icon->SetFlash(true);
  EXPECT_EQ(4, Shown());
  EXPECT_EQ((Frames{1, 4, 2, 4, 3}), Ticks(5));
  icon->SetFlash(false);
  EXPECT_EQ((Frames{0, 1}), Ticks(2)) << "the animation goes on";
}

TEST_F(TrayAnimationTest, TheTimerTicksAtFrameSpeedAndNotAtZeroOrBelow) {
  icon->SetAnimIcons(frames);
  icon->SetFrameSpeed(10);
  icon->SetAnimate(true);
  EXPECT_TRUE(PumpUntil([&] { return advances >= 5; }));
  for (int speed : {0, -5}) {
    icon->SetFrameSpeed(speed);
    EXPECT_EQ(speed, icon->GetFrameSpeed());
    advances = 0;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(0, advances) << "no ticks at " << speed;
  }
  icon->SetFrameSpeed(10);
  icon->SetAnimate(false);
  icon->SetFlash(true);
  int phases = 0;
  bool blank = FullyTransparent(Last().record.hIcon);
  EXPECT_TRUE(PumpUntil([&] {
    if (FullyTransparent(Last().record.hIcon) != blank) ++phases;
    blank = FullyTransparent(Last().record.hIcon);
    return phases >= 4;
  })) << "flash phases come by the timer alone";
  EXPECT_TRUE(errors.empty());
}
