#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <map>

#include "framework/Forms.h"

namespace Tovix::Testing {

namespace {

const UINT kTickMs = 20;
// BFFM_SETSELECTIONA of the shell's folder dialog.
const UINT kFolderSetSelection = WM_USER + 102;

std::map<UINT_PTR, DialogDriver*>& Drivers() {
  static std::map<UINT_PTR, DialogDriver*> drivers;
  return drivers;
}

String WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

String ClassNameOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A caption as shown: without the '&' that marks the accelerator.
String Plain(const String& caption) {
  String result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    result += caption[i];
  }
  return result;
}

bool IsModal(HWND window) {
  if (ClassNameOf(window) == "#32770") return true;
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(window));
  return form && form->GetFormState().Contains(fsModal);
}

BOOL CALLBACK CollectModal(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window) && IsModal(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Every descendant of a window, parents before their children, in the system's child order.
void Descendants(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    Descendants(child, out);
  }
}

bool IsUsable(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

bool IsEdit(HWND window) { return (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0; }

bool IsButton(HWND window) { return (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0; }

bool IsCheckBox(HWND window) {
  if (!IsButton(window)) return false;
  LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

// The usable descendant that passes test and has that caption (ignoring '&' and case).
HWND FindByCaption(HWND dialog, const String& caption, bool (*test)(HWND)) {
  std::vector<HWND> all;
  Descendants(dialog, all);
  for (HWND window : all)
    if (IsUsable(window) && test(window) && SameText(Plain(WindowText(window)), Plain(caption))) return window;
  return nullptr;
}

String PressButton(HWND dialog, int id, const String& caption) {
  if (HWND button = GetDlgItem(dialog, id); button && IsUsable(button) && IsButton(button)) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return String();
  }
  if (HWND button = FindByCaption(dialog, caption, IsButton)) {
    PostMessageA(button, BM_CLICK, 0, 0);
    return String();
  }
  return Format("no button '%s'", caption);
}

}  // namespace

// ---------------------------------------------------------------------------
// DialogScript

DialogScript& DialogScript::Add(String description, TStep step) {
  steps_.push_back(Step{std::move(description), std::move(step)});
  return *this;
}

DialogScript& DialogScript::ChooseFile(const String& path) {
  return Add(Format("choose file '%s'", path), [path](HWND dialog) -> TStepResult {
    if (GetDlgItem(dialog, cmb13)) {
      SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(path.c_str()));
      return {};
    }
    if (GetDlgItem(dialog, edt1)) {
      SetDlgItemTextA(dialog, edt1, path.c_str());
      return {};
    }
    return {false, "the dialog has no file name box"};
  });
}

DialogScript& DialogScript::SelectFile(const String& name) {
  return Add(Format("select file '%s'", name), [name](HWND dialog) -> TStepResult {
    HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
    if (!list) return {false, "the dialog has no file list"};
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    auto index = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    if (index < 0) return {false, Format("no file '%s' in the list", name)};
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMA selected = none;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&selected));
    return {};
  });
}

DialogScript& DialogScript::ChooseFolder(const String& path) {
  return Add(Format("choose folder '%s'", path), [path](HWND dialog) -> TStepResult {
    SendMessageA(dialog, kFolderSetSelection, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    if (!tree) return {false, "the dialog has no folder tree"};
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (item.hItem) SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // The tree shows folders by name: the path's last part must be the selected one.
    return {!SameText(text, ExtractFileName(ExcludeTrailingBackslash(path))), String()};
  });
}

DialogScript& DialogScript::TypeText(const String& text) {
  return Add(Format("type '%s'", text), [text](HWND dialog) -> TStepResult {
    HWND edit = GetFocus();
    if (!edit || !IsChild(dialog, edit) || !IsEdit(edit)) {
      std::vector<HWND> all;
      Descendants(dialog, all);
      edit = nullptr;
      for (HWND window : all)
        if (IsUsable(window) && IsEdit(window)) {
          edit = window;
          break;
        }
    }
    if (!edit) return {false, "the dialog has no edit"};
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    return {};
  });
}

DialogScript& DialogScript::Tick(const String& caption, bool checked) {
  return Add(Format("set '%s' to %s", caption, checked ? "checked" : "unchecked"), [caption, checked](HWND dialog) -> TStepResult {
    HWND box = FindByCaption(dialog, caption, IsCheckBox);
    if (!box) return {false, Format("no check box '%s'", caption)};
    bool isChecked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (isChecked != checked) SendMessageA(box, BM_CLICK, 0, 0);
    return {};
  });
}

DialogScript& DialogScript::Press(const String& caption) {
  return Add(Format("press '%s'", caption), [caption](HWND dialog) -> TStepResult {
    HWND button = FindByCaption(dialog, caption, IsButton);
    if (!button) return {false, Format("no button '%s'", caption)};
    PostMessageA(button, BM_CLICK, 0, 0);
    return {};
  });
}

DialogScript& DialogScript::PressOk() {
  return Add("press OK", [](HWND dialog) { return TStepResult{false, PressButton(dialog, IDOK, "OK")}; });
}

DialogScript& DialogScript::PressCancel() {
  return Add("press Cancel", [](HWND dialog) { return TStepResult{false, PressButton(dialog, IDCANCEL, "Cancel")}; });
}

DialogScript& DialogScript::PressKey(unsigned virtualKey) {
  return Add(Format("press key %d", static_cast<int>(virtualKey)), [virtualKey](HWND dialog) -> TStepResult {
    HWND focus = GetFocus();
    HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
    return {};
  });
}

DialogScript& DialogScript::Close() {
  return Add("close", [](HWND dialog) -> TStepResult {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return {};
  });
}

DialogScript& DialogScript::WaitUntil(const String& description, std::function<bool()> condition) {
  return Add("wait until " + description, [condition](HWND) -> TStepResult { return {!condition(), String()}; });
}

DialogScript& DialogScript::Do(std::function<void(HWND dialog)> action) {
  return Add("the test's own step", [action](HWND dialog) -> TStepResult {
    try {
      action(dialog);
    } catch (const std::exception& e) {
      return {false, Format("the step raised: %s", String(e.what()))};
    }
    return {};
  });
}

// ---------------------------------------------------------------------------
// DialogDriver

DialogDriver::DialogDriver(unsigned timeoutMs) : timeoutMs_(timeoutMs) {
  timer_ = SetTimer(nullptr, 0, kTickMs, TimerProc);
  if (!timer_) RaiseLastWin32Error();
  Drivers()[timer_] = this;
}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  Drivers().erase(timer_);
  Settle(GetTickCount());
  for (size_t i = current_; i < expectations_.size(); ++i) {
    Expectation& e = expectations_[i];
    if (e.state == TState::Failed) continue;
    String message = Format("dialog '%s' %s", e.script->title_,
                            e.state == TState::Waiting ? String("never opened") : String("was not finished"));
    failures_.push_back(message);
    ADD_FAILURE() << message;
  }
}

DialogScript& DialogDriver::Expect(const String& title) {
  // A dialog that closed since the last tick is done: the same window may be shown again.
  Settle(GetTickCount());
  Expectation e;
  e.script = std::make_unique<DialogScript>(title);
  e.since = GetTickCount();
  expectations_.push_back(std::move(e));
  return *expectations_.back().script;
}

bool DialogDriver::AllDone() {
  Settle(GetTickCount());
  for (const Expectation& e : expectations_)
    if (e.state != TState::Done) return false;
  return true;
}

std::vector<HWND> DialogDriver::OpenDialogs() {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), CollectModal, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

void CALLBACK DialogDriver::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Drivers().find(id);
  if (it != Drivers().end()) it->second->OnTimer();
}

void DialogDriver::OnTimer() {
  // A step may run a modal loop of its own, which dispatches this timer again.
  if (busy_) return;
  busy_ = true;
  try {
    DWORD now = GetTickCount();
    if (dismissing_) DismissOpenDialogs();
    else if (current_ < expectations_.size()) Advance(expectations_[current_], now);
    else WatchUnexpected(now);
  } catch (const std::exception& e) {
    String message = Format("the driver failed: %s", String(e.what()));
    if (current_ < expectations_.size()) Fail(expectations_[current_], message);
    else Fail(message);
  }
  busy_ = false;
}

void DialogDriver::Advance(Expectation& e, DWORD now) {
  const String& title = e.script->title_;
  switch (e.state) {
    case TState::Waiting: {
      for (HWND window : OpenDialogs()) {
        if (!title.empty() && WindowText(window) != title) continue;
        e.window = window;
        e.state = e.script->steps_.empty() ? TState::Closing : TState::Acting;
        e.since = now;
        return;
      }
      if (now - e.since > timeoutMs_) Fail(e, Format("dialog '%s' did not open within %d ms", title, static_cast<int>(timeoutMs_)));
      return;
    }
    case TState::Acting: {
      const DialogScript::Step& step = e.script->steps_[e.nextStep];
      if (!IsWindow(e.window) || !IsWindowVisible(e.window)) {
        Fail(e, Format("dialog '%s' closed before the step '%s'", title, step.description));
        return;
      }
      DialogScript::TStepResult result = step.run(e.window);
      if (!result.error.empty()) {
        Fail(e, Format("dialog '%s', step '%s': %s", title, step.description, result.error));
      } else if (result.retry) {
        if (now - e.since > timeoutMs_)
          Fail(e, Format("dialog '%s', step '%s' could not be done within %d ms", title, step.description,
                         static_cast<int>(timeoutMs_)));
      } else {
        e.since = now;
        if (++e.nextStep == e.script->steps_.size()) e.state = TState::Closing;
      }
      return;
    }
    case TState::Closing:
      Settle(now);
      if (e.state == TState::Closing && now - e.since > timeoutMs_) {
        Fail(e, Format("dialog '%s' was still open %d ms after its last step", title, static_cast<int>(timeoutMs_)));
      }
      return;
    default:
      return;
  }
}

void DialogDriver::Settle(DWORD now) {
  while (current_ < expectations_.size()) {
    Expectation& e = expectations_[current_];
    if (e.state != TState::Closing || (IsWindow(e.window) && IsWindowVisible(e.window))) return;
    e.state = TState::Done;
    if (++current_ < expectations_.size()) expectations_[current_].since = now;
  }
}

void DialogDriver::WatchUnexpected(DWORD now) {
  HWND open = nullptr;
  for (HWND window : OpenDialogs()) open = window;
  if (open != unexpected_) {
    unexpected_ = open;
    unexpectedSince_ = now;
  } else if (open && now - unexpectedSince_ > timeoutMs_) {
    Fail(Format("unexpected dialog '%s' was open for %d ms", WindowText(open), static_cast<int>(timeoutMs_)));
  }
}

void DialogDriver::Fail(Expectation& e, const String& message) {
  e.state = TState::Failed;
  Fail(message);
}

void DialogDriver::Fail(const String& message) {
  failures_.push_back(message);
  ADD_FAILURE() << message;
  dismissing_ = true;
  DismissOpenDialogs();
}

// Cancels every modal dialog: system dialogs are told their backing-out button was pressed,
// modal forms get a cancel result.
void DialogDriver::DismissOpenDialogs() {
  for (HWND window : OpenDialogs()) {
    if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(window))) {
      form->SetModalResult(mrCancel);
      PostMessageA(window, WM_NULL, 0, 0);  // wakes the modal loop
    } else {
      // The button that backs out: Cancel, else No (a Yes/No box has no Cancel), else OK.
      int id = GetDlgItem(window, IDCANCEL) ? IDCANCEL : GetDlgItem(window, IDNO) ? IDNO : IDOK;
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
  }
}

}  // namespace Tovix::Testing
