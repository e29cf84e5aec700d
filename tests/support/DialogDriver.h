// DialogDriver: plays the user for modal dialogs in tests.
//
// A test says which dialogs it expects, in order, and what the user does in each; then it runs
// the code that shows them. A thread timer (which every modal loop dispatches) watches for each
// dialog to open, performs its steps one per tick, and waits for it to close:
//
//   DialogDriver driver;
//   driver.Expect("Open").SelectFile("b.txt").ChooseFile(path).PressOk();
//   EXPECT_TRUE(dialog.Execute());
//
// A dialog is a visible, enabled top-level window of the test's thread that is modal: a system
// dialog (class "#32770": common dialogs, message boxes) or a framework form in ShowModal. It is
// matched by its caption; an empty caption matches any.
//
// Nothing hangs: a dialog that does not open, a step that cannot be done, a dialog still open
// after its steps, or a dialog open while none is expected, each within the timeout, fails the
// test (a gtest failure naming it), and from then on every modal dialog is cancelled as soon as it
// appears. Expected dialogs that never came fail the test when the driver goes away.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/SysUtils.h"
#include "framework/WinApi.h"

namespace Tovix::Testing {

// The steps of one expected dialog, done in the order they are added.
class DialogScript {
 public:
  explicit DialogScript(String title) : title_(std::move(title)) {}

  // Open and save dialogs: puts path in the file-name box (cmb13, or edt1 of an old-style
  // dialog) as if typed. Follow with PressOk to choose it.
  DialogScript& ChooseFile(const String& path);
  // Open and save dialogs: selects the file called name in the folder's file list, which makes
  // the dialog report a selection change.
  DialogScript& SelectFile(const String& name);
  // Folder browser: selects the folder (BFFM_SETSELECTION), again at the next ticks until the
  // tree shows it selected (the dialog may still be filling its tree). Follow with PressOk.
  DialogScript& ChooseFolder(const String& path);
  // Replaces the text of the focused edit (or the dialog's first edit) by typing text.
  DialogScript& TypeText(const String& text);
  // Sets the check box with that caption ('&' ignored) to checked by clicking it when needed.
  DialogScript& Tick(const String& caption, bool checked = true);
  // Clicks the button with that caption ('&' and case ignored).
  DialogScript& Press(const String& caption);
  // The OK button (IDOK, or the button captioned "OK").
  DialogScript& PressOk();
  // The Cancel button (IDCANCEL, or the button captioned "Cancel").
  DialogScript& PressCancel();
  // Presses and releases a key (VK_RETURN, VK_ESCAPE, ...) on the focused control of the dialog.
  DialogScript& PressKey(unsigned virtualKey);
  // Closes the dialog as its close box would (WM_CLOSE).
  DialogScript& Close();
  // Any check or action of the test's own, given the dialog's window, while it is shown.
  DialogScript& Do(std::function<void(HWND dialog)> action);
  // Waits (at most until the driver's timeout) until condition holds: for a dialog that still
  // changes by itself after it shows.
  DialogScript& WaitUntil(const String& description, std::function<bool()> condition);

 private:
  friend class DialogDriver;
  // What a step did: done, not possible yet (it runs again at the next tick, until the
  // timeout), or failed with a message.
  struct TStepResult {
    bool retry = false;
    String error;
  };
  using TStep = std::function<TStepResult(HWND dialog)>;
  DialogScript& Add(String description, TStep step);

  struct Step {
    String description;
    TStep run;
  };
  String title_;
  std::vector<Step> steps_;
};

class DialogDriver {
 public:
  explicit DialogDriver(unsigned timeoutMs = 10000);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Expects the next dialog to open with this caption (empty: any caption).
  DialogScript& Expect(const String& title);
  // Every expected dialog opened, had its steps done and closed.
  bool AllDone();
  // What went wrong so far (each also reported as a test failure).
  const std::vector<String>& Failures() const { return failures_; }

  // The modal dialogs open now, top-level windows of the calling thread.
  static std::vector<HWND> OpenDialogs();

 private:
  enum class TState { Waiting, Acting, Closing, Done, Failed };
  struct Expectation {
    std::unique_ptr<DialogScript> script;
    TState state = TState::Waiting;
    HWND window = nullptr;
    size_t nextStep = 0;
    DWORD since = 0;
  };

  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void OnTimer();
  void Advance(Expectation& e, DWORD now);
  // A dialog that closed since the last tick counts as done (the modal call has returned, so no
  // tick may come before the test asks).
  void Settle(DWORD now);
  void WatchUnexpected(DWORD now);
  void Fail(const String& message);
  void Fail(Expectation& e, const String& message);
  void DismissOpenDialogs();

  unsigned timeoutMs_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
  bool dismissing_ = false;
  size_t current_ = 0;
  HWND unexpected_ = nullptr;  // a dialog open while none is expected
  DWORD unexpectedSince_ = 0;
  std::vector<Expectation> expectations_;
  std::vector<String> failures_;
};

}  // namespace Tovix::Testing
