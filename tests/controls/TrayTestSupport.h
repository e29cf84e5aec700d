// Helpers of the tray icon tests: a notification area in the test process that receives the real
// Shell_NotifyIconA calls, a fixture with a form that owns a tray icon, and one-colour icons.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "controls/Orvtrayicon.h"
#include "framework/Forms.h"
#include "tests/support/MessagePump.h"

#include <shellapi.h>  // NIM_ADD, NIM_MODIFY, NIM_DELETE

namespace Tovix::Testing {

// One Shell_NotifyIconA call as the notification area received it.
struct TShellCall {
  DWORD message;              // NIM_ADD, NIM_MODIFY or NIM_DELETE
  TOrvNotifyIconData record;  // the calling component's record at the moment of the call
  String blockTip;            // the tip in the shell's own data block (Wine's layout)
};

// Without a desktop shell (the null driver) no window of class "Shell_TrayWnd" exists and every
// Shell_NotifyIconA call fails. This hidden window takes its place: the system's
// Shell_NotifyIconA finds it and sends it each call as a synchronous WM_COPYDATA.
class TShellTray {
 public:
  TShellTray();
  ~TShellTray();
  // Whether an icon of that window was added and not deleted since.
  bool Holds(HWND owner) const { return icons_.count(owner) != 0; }
  int IconCount() const { return static_cast<int>(icons_.size()); }

  // The calls of tray icons in the application's component tree.
  std::vector<TShellCall> calls;
  BOOL answer = TRUE;  // what Shell_NotifyIconA returns

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::set<HWND> icons_;
};

// A run-time form that owns a tray icon. Exceptions that reach a window procedure or a timer
// are collected in errors instead of shown.
class TrayTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The NIM_ codes received since the last call, which are then forgotten.
  std::vector<DWORD> Take();
  const TShellCall& Last() const { return shell.calls.back(); }
  // Sends the shell's callback message for a mouse message on the icon.
  void ShellReports(UINT mouseMessage);

  TShellTray shell;
  TForm* form = nullptr;
  TOrvTrayIcon* icon = nullptr;
  std::vector<String> errors;
};

// A 16 x 16 opaque icon in one colour.
void MakeSolidIcon(TIcon& icon, COLORREF color);
// The colour of an icon's middle pixel; 0xFFFFFFFF when it is see-through or there is no icon.
uint32_t MiddleColor(HICON icon);
bool FullyTransparent(HICON icon);
// Frame i of a list filled by AddFrames has FrameColors[i]; FrameOf tells the frame by its
// colour (-1: no frame).
extern const COLORREF FrameColors[6];
void AddFrames(TImageList* list, int count);
int FrameOf(HICON icon);
// The message of the EOrvTrayIconError that action raises ("" when it raises none).
String TrayErrorOf(const std::function<void()>& action);

}  // namespace Tovix::Testing
