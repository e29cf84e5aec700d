// The message recorder: what other tests compare control behaviour with must itself be right.
#include <gtest/gtest.h>

#include "framework/WinApi.h"
#include "tests/support/MessageRecorder.h"

using namespace Tovix::Testing;

namespace {

struct EditWindow {
  HWND handle = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 40, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ~EditWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
};

const UINT kProbe = WM_APP + 1;

}  // namespace

TEST(MessageRecorder, RecordsInOrderAndComparesWithOptionalEntriesAndParameters) {
  EditWindow edit;
  TMessageRecorder recorder;
  recorder.Watch(edit.handle);
  SendMessageA(edit.handle, kProbe, 1, 2);
  SendMessageA(edit.handle, kProbe + 1, 3, 4);

  ASSERT_EQ(2u, recorder.Messages().size());
  EXPECT_TRUE(recorder.Matches({TExpect::WithParams(kProbe, 1, 2), {kProbe + 2, TExpect::Optional}, {kProbe + 1}}));
  // A wrong parameter, a missing entry and an unexpected extra message all fail, and say which.
  EXPECT_FALSE(recorder.Matches({TExpect::WithWParam(kProbe, 9), {kProbe + 1}}));
  auto missing = recorder.Matches({{kProbe}, {kProbe + 1}, {kProbe + 2}});
  EXPECT_FALSE(missing);
  EXPECT_NE(std::string::npos, std::string(missing.message()).find("entry 2 was never received"));
  EXPECT_FALSE(recorder.Matches({{kProbe}}));

  recorder.Clear();
  recorder.Only({kProbe + 1});
  SendMessageA(edit.handle, kProbe, 0, 0);
  SendMessageA(edit.handle, kProbe + 1, 0, 0);
  EXPECT_TRUE(recorder.Matches({{kProbe + 1}}));
}

TEST(MessageRecorder, CapturesTheRectangleAMessagePointsAtAndStillPassesTheMessageOn) {
  EditWindow edit;
  TMessageRecorder recorder;
  recorder.Watch(edit.handle);
  recorder.Only({EM_SETRECTNP, EM_GETRECT});
  recorder.CaptureData(EM_SETRECTNP, sizeof(RECT));
  RECT narrowed = MakeRect(2, 3, 60, 30);
  SendMessageA(edit.handle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&narrowed));

  ASSERT_EQ(1u, recorder.Of(EM_SETRECTNP).size());
  RECT recorded = RectOf(recorder.Of(EM_SETRECTNP)[0]);
  EXPECT_EQ(60, recorded.right);
  EXPECT_TRUE(recorder.Matches({TExpect::WithRect(EM_SETRECTNP, narrowed)}));
  EXPECT_FALSE(recorder.Matches({TExpect::WithRect(EM_SETRECTNP, MakeRect(0, 0, 61, 30))}));
  // The edit itself took the rectangle: the recorder passed the message on.
  RECT applied{};
  SendMessageA(edit.handle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&applied));
  EXPECT_GE(applied.right, 58);
  EXPECT_LE(applied.right, 60);
}

TEST(MessageRecorder, GivesTheWindowBackItsProcedureAndOutlivesADestroyedWindow) {
  EditWindow edit;
  LONG_PTR original = GetWindowLongPtrA(edit.handle, GWLP_WNDPROC);
  {
    TMessageRecorder recorder;
    recorder.Watch(edit.handle);
    EXPECT_NE(original, GetWindowLongPtrA(edit.handle, GWLP_WNDPROC));
    EXPECT_THROW(recorder.Watch(edit.handle), std::logic_error);
  }
  EXPECT_EQ(original, GetWindowLongPtrA(edit.handle, GWLP_WNDPROC));

  TMessageRecorder recorder;
  {
    EditWindow doomed;
    recorder.Watch(doomed.handle);
  }
  ASSERT_FALSE(recorder.Messages().empty());
  EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), recorder.Messages().back().message);
}
