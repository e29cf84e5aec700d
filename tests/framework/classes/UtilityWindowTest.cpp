// AllocateHWnd and DeallocateHWnd: hidden windows whose messages go to a method.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Classes.h"
#include "tests/support/WindowsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// Records the messages it gets and answers WM_USER + 1 with 42; the rest go to DefWindowProcA.
struct TRecorder {
  HWND window = nullptr;
  std::vector<unsigned> messages;

  void WndProc(TMessage& m) {
    messages.push_back(m.Msg);
    if (m.Msg == WM_USER + 1) m.Result = 42;
    else m.Result = DefWindowProcA(window, m.Msg, m.WParam, m.LParam);
  }
};

bool Received(const TRecorder& recorder, unsigned msg) {
  return std::find(recorder.messages.begin(), recorder.messages.end(), msg) != recorder.messages.end();
}

}  // namespace

TEST(UtilWindow, IsAHiddenZeroSizedToolWindowWhoseMessagesReachTheMethod) {
  TRecorder recorder;
  recorder.window = AllocateHWnd([&](TMessage& m) { recorder.WndProc(m); });
  ASSERT_TRUE(IsWindow(recorder.window));
  EXPECT_FALSE(IsWindowVisible(recorder.window));
  LONG style = GetWindowLongA(recorder.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_TRUE(GetWindowLongA(recorder.window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT r;
  GetWindowRect(recorder.window, &r);
  EXPECT_EQ(0, r.right - r.left);
  EXPECT_EQ(0, r.bottom - r.top);
  EXPECT_EQ(nullptr, GetWindow(recorder.window, GW_OWNER));

  EXPECT_EQ(42, SendMessageA(recorder.window, WM_USER + 1, 0, 0)) << "the method's Result is the answer";
  PostMessageA(recorder.window, WM_USER + 2, 0, 0);
  Application->ProcessMessages();
  EXPECT_TRUE(Received(recorder, WM_USER + 2)) << "posted messages come through the message loop";
  // What the method hands on is the system's default handling.
  SetWindowTextA(recorder.window, "kept by DefWindowProc");
  char text[64] = {};
  GetWindowTextA(recorder.window, text, sizeof text);
  EXPECT_STREQ("kept by DefWindowProc", text);

  DeallocateHWnd(recorder.window);
  EXPECT_FALSE(IsWindow(recorder.window));
}

TEST(UtilWindow, DeallocatingDetachesTheMethodFirstAndLetsItGo) {
  auto state = std::make_shared<int>(0);
  std::vector<unsigned> seen;
  HWND window = AllocateHWnd([state, &seen](TMessage& m) { seen.push_back(m.Msg); });
  EXPECT_EQ(2, state.use_count()) << "the window holds the method";
  seen.clear();
  DeallocateHWnd(window);
  EXPECT_TRUE(seen.empty()) << "an object deallocating from its destructor hears nothing of the destruction";
  EXPECT_EQ(1, state.use_count()) << "the method is freed";

  // Destroyed by other means, the window lets its method go all the same.
  window = AllocateHWnd([state](TMessage&) {});
  DestroyWindow(window);
  EXPECT_EQ(1, state.use_count());
}

TEST(UtilWindow, MethodMayDeallocateItsOwnWindowWhileHandlingAMessage) {
  auto alive = std::make_shared<bool>(true);
  HWND window = nullptr;
  bool finished = false;
  window = AllocateHWnd([alive, &window, &finished](TMessage& m) {
    if (m.Msg != WM_USER) return;
    DeallocateHWnd(window);
    // The method's own state is still there until it returns.
    finished = *alive;
  });
  SendMessageA(window, WM_USER, 0, 0);
  EXPECT_TRUE(finished);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(1, alive.use_count());
}

TEST(UtilWindow, ExceptionsFromTheMethodGoToTheApplication) {
  std::vector<String> reported;
  Application->SetOnException([&](TObject*, const Exception& e) { reported.push_back(e.Message()); });
  HWND window = AllocateHWnd([](TMessage& m) {
    if (m.Msg == WM_USER) throw EListError("list trouble");
    if (m.Msg == WM_USER + 1) throw std::runtime_error("runtime trouble");
  });
  SendMessageA(window, WM_USER, 0, 0);
  SendMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ((std::vector<String>{"list trouble", "runtime trouble"}), reported);
  EXPECT_TRUE(IsWindow(window)) << "the window lives on";
  DeallocateHWnd(window);
  Application->SetOnException(TExceptionEvent());
}

TEST(UtilWindow, DeallocateLeavesNullAndForeignWindowsAlone) {
  EXPECT_NO_THROW(DeallocateHWnd(nullptr));
  TForm* form = new TForm(Application);
  HWND formWindow = form->GetHandle();
  DeallocateHWnd(formWindow);
  EXPECT_TRUE(IsWindow(formWindow)) << "not made by AllocateHWnd: not destroyed";
  form->Free();
}
