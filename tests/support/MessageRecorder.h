// Recording the messages windows receive, to compare them with the sequence a control is expected
// to send, the way the platform's own control tests do.
//
//   TMessageRecorder recorder;
//   recorder.Watch(edit->GetHandle());
//   recorder.CaptureData(EM_SETRECTNP, sizeof(RECT));   // keep the rectangle lParam points at
//   edit->SetWidth(120);
//   EXPECT_TRUE(recorder.Matches({{EM_SETRECTNP}, {WM_PAINT, TExpect::Optional}}));
//
// Watching subclasses the window: every message it receives is recorded, then passed on to the
// window procedure it had. The recorder restores that procedure when it is destroyed (unless the
// window has been destroyed or subclassed again since, in which case it is left alone).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/WinApi.h"

namespace Tovix::Testing {

struct TRecordedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  // The bytes lParam pointed at when the message arrived, for messages set up with CaptureData.
  std::vector<uint8_t> data;
};

// One entry of an expected sequence. Parameters are compared only when their flag is set; an
// optional entry may be missing from the record.
struct TExpect {
  enum : unsigned { Optional = 1, WParam = 2, LParam = 4, Data = 8 };

  UINT message;
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::vector<uint8_t> data = {};

  static TExpect WithWParam(UINT message, WPARAM wParam, unsigned flags = 0);
  static TExpect WithParams(UINT message, WPARAM wParam, LPARAM lParam, unsigned flags = 0);
  static TExpect WithRect(UINT message, const RECT& rect, unsigned flags = 0);
};

class TMessageRecorder {
 public:
  TMessageRecorder() = default;
  ~TMessageRecorder();
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  // Starts recording what window receives. A window is watched by one recorder at a time.
  void Watch(HWND window);
  // Records only these messages from now on (all of them when the set is empty).
  void Only(std::initializer_list<UINT> messages);
  // For this message, lParam points at `size` bytes that are copied into the record.
  void CaptureData(UINT message, size_t size);

  const std::vector<TRecordedMessage>& Messages() const { return messages_; }
  // The recorded messages of one kind, in order.
  std::vector<TRecordedMessage> Of(UINT message) const;
  void Clear() { messages_.clear(); }

  // Whether the record is the expected sequence: every non-optional entry must be matched in
  // order, and nothing else may have been recorded in between. The failure message lists both.
  ::testing::AssertionResult Matches(const std::vector<TExpect>& expected) const;

  // A readable line for a message: its name where known, else its number, and its parameters.
  static std::string Describe(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct TWatched {
    HWND window;
    WNDPROC previous;
  };
  static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::vector<TWatched> watched_;
  std::vector<TRecordedMessage> messages_;
  std::set<UINT> only_;
  std::vector<std::pair<UINT, size_t>> captures_;
};

RECT MakeRect(int left, int top, int right, int bottom);
RECT RectOf(const TRecordedMessage& message);  // the captured data as a rectangle

}  // namespace Tovix::Testing
