// Fixtures of the button edit tests: a popup of the tests' own (the library ships none), an edit
// that carries it, the clipboard, and a log of the messages a control handles across window
// re-creation.
#pragma once

#include <vector>

#include "controls/Orvbtnedit.h"
#include "framework/Forms.h"

namespace Tovix::Testing {

// Holds a Variant; can be told to fail when its value is read.
class TTestPopup : public TOrvBtnEditPopupWnd {
 public:
  explicit TTestPopup(TComponent* owner) : TOrvBtnEditPopupWnd(owner) {}
  Variant ReadValue() override;
  void WriteValue(const Variant& value) override { written.push_back(value); }

  Variant value;
  std::vector<Variant> written;
  bool failRead = false;
};

class TPopupEdit : public TOrvBtnEdit {
 public:
  explicit TPopupEdit(TComponent* owner);
  TTestPopup* Popup() const { return static_cast<TTestPopup*>(popup_); }
};

void CopyTextToClipboard(HWND owner, const String& text);

// The messages of the given numbers that reach a control's WindowProc, kept across re-creations
// of its window (a window-level recorder cannot see a new window's first messages).
class TControlMessageLog {
 public:
  TControlMessageLog(TControl* control, std::vector<unsigned> messages);
  ~TControlMessageLog();
  const std::vector<TMessage>& Messages() const { return messages_; }
  // The rectangle the last EM_SETRECT or EM_SETRECTNP carried.
  RECT LastRect() const { return lastRect_; }
  void Clear() { messages_.clear(); }

 private:
  TControl* control_;
  std::function<void(TMessage&)> previous_;
  std::vector<unsigned> wanted_;
  std::vector<TMessage> messages_;
  RECT lastRect_{};
};

}  // namespace Tovix::Testing
