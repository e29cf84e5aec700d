// TTimer: when the system timer runs, restarts, ticks, and what happens to handlers that raise or
// free the timer.
#include <gtest/gtest.h>

#include "tests/support/ImportPatch.h"
#include "tests/support/WindowsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// The system timer calls the framework makes for utility windows, as "set <ms>" and "kill".
std::vector<String> timerCalls;
ImportPatch* setTimerPatch = nullptr;
ImportPatch* killTimerPatch = nullptr;

bool IsUtilWindow(HWND window) {
  std::vector<HWND> windows = UtilWindows();
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (IsUtilWindow(window)) timerCalls.push_back(Format("set %d", static_cast<int>(elapse)));
  return reinterpret_cast<decltype(&SetTimer)>(setTimerPatch->Original())(window, id, elapse, proc);
}

BOOL WINAPI RecordKillTimer(HWND window, UINT_PTR id) {
  if (IsUtilWindow(window)) timerCalls.push_back("kill");
  return reinterpret_cast<decltype(&KillTimer)>(killTimerPatch->Original())(window, id);
}

// Whether the system timer is running: with a 10 ms interval, a tick waits in the queue after 50 ms.
bool SystemTimerRuns() {
  Sleep(50);
  return TimerMessageWaiting();
}

class TimerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete timer;
    Application->ProcessMessages();
  }
  TTimer* timer = new TTimer(nullptr);
  int ticks = 0;
  TNotifyEvent countTicks = [this](TObject* sender) {
    if (sender == timer) ++ticks;
  };
};

}  // namespace

TEST_F(TimerTest, DefaultsAreEnabledAndOneSecond) {
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(1000u, timer->GetInterval());
  EXPECT_FALSE(timer->GetOnTimer().Assigned());
}

TEST_F(TimerTest, TicksComeThroughTheMessageLoopWithTheTimerAsSender) {
  timer->SetInterval(10);
  timer->SetOnTimer(countTicks);
  EXPECT_EQ(0, ticks) << "nothing happens before messages are handled";
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
}

TEST_F(TimerTest, SystemTimerRunsOnlyWhileEnabledWithAnIntervalAndAHandler) {
  timer->SetInterval(10);
  EXPECT_FALSE(SystemTimerRuns()) << "no handler";
  timer->SetOnTimer(countTicks);
  EXPECT_TRUE(SystemTimerRuns());
  timer->SetEnabled(false);
  EXPECT_FALSE(SystemTimerRuns()) << "disabled";
  timer->SetEnabled(true);
  EXPECT_TRUE(SystemTimerRuns());
  timer->SetInterval(0);
  EXPECT_FALSE(SystemTimerRuns()) << "interval 0";
  timer->SetInterval(10);
  EXPECT_TRUE(SystemTimerRuns());
  timer->SetOnTimer(TNotifyEvent());
  EXPECT_FALSE(SystemTimerRuns()) << "handler cleared";
}

TEST_F(TimerTest, EveryChangeRestartsTheSystemTimer) {
  ImportPatch setPatch("user32.dll", "SetTimer", reinterpret_cast<void*>(&RecordSetTimer));
  ImportPatch killPatch("user32.dll", "KillTimer", reinterpret_cast<void*>(&RecordKillTimer));
  setTimerPatch = &setPatch;
  killTimerPatch = &killPatch;
  timerCalls.clear();
  timer->SetOnTimer(countTicks);   // the window is made here: its first start
  timer->SetInterval(50);
  timer->SetInterval(50);          // unchanged: nothing happens
  timer->SetEnabled(false);
  timer->SetEnabled(false);
  timer->SetEnabled(true);
  timer->SetOnTimer(countTicks);   // a handler is always news
  timer->SetInterval(0);
  timer->SetOnTimer(TNotifyEvent());
  EXPECT_EQ((std::vector<String>{"set 1000", "kill", "set 50", "kill", "kill", "set 50", "kill", "set 50", "kill", "kill"}),
            timerCalls);
  delete timer;
  timer = nullptr;
  EXPECT_EQ("kill", timerCalls.back()) << "freeing the timer stops the system timer";
}

TEST_F(TimerTest, ExceptionFromTheHandlerGoesToTheApplicationAndTicksGoOn) {
  std::vector<TObject*> senders;
  Application->SetOnException([&](TObject* sender, const Exception& e) {
    if (e.Message() == "tick failed") senders.push_back(sender);
  });
  timer->SetInterval(10);
  timer->SetOnTimer([](TObject*) { throw EListError("tick failed"); });
  EXPECT_TRUE(PumpUntil([&] { return senders.size() >= 2; }));
  Application->SetOnException(TExceptionEvent());
  EXPECT_EQ(timer, senders.front());
}

TEST_F(TimerTest, HandlerMayFreeTheTimer) {
  size_t utilWindows = UtilWindows().size();
  int calls = 0;
  timer->SetInterval(10);
  timer->SetOnTimer([&](TObject*) {
    ++calls;
    delete timer;
    timer = nullptr;
  });
  EXPECT_EQ(utilWindows + 1, UtilWindows().size());
  EXPECT_TRUE(PumpUntil([&] { return timer == nullptr; }));
  PumpFor(60);
  EXPECT_EQ(1, calls);
  EXPECT_EQ(utilWindows, UtilWindows().size()) << "its hidden window went with it";
}
