#include "tests/controls/BtnEditTestSupport.h"

#include <algorithm>
#include <cstring>

namespace Tovix::Testing {

Variant TTestPopup::ReadValue() {
  if (failRead) throw Exception("the popup cannot give its value");
  return value;
}

TPopupEdit::TPopupEdit(TComponent* owner) : TOrvBtnEdit(owner) {
  popup_ = new TTestPopup(this);
  popup_->SetBounds(0, 0, 200, 100);
}

void CopyTextToClipboard(HWND owner, const String& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    if (!SetClipboardData(CF_TEXT, data)) GlobalFree(data);
  }
  CloseClipboard();
}

TControlMessageLog::TControlMessageLog(TControl* control, std::vector<unsigned> messages)
    : control_(control), previous_(control->WindowProc), wanted_(std::move(messages)) {
  control->WindowProc = [this](TMessage& m) {
    if (std::find(wanted_.begin(), wanted_.end(), m.Msg) != wanted_.end()) {
      messages_.push_back(m);
      if ((m.Msg == EM_SETRECTNP || m.Msg == EM_SETRECT) && m.LParam) lastRect_ = *reinterpret_cast<const RECT*>(m.LParam);
    }
    previous_(m);
  };
}

TControlMessageLog::~TControlMessageLog() { control_->WindowProc = previous_; }

}  // namespace Tovix::Testing
