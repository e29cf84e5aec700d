#include "tests/support/MessageRecorder.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace Tovix::Testing {
namespace {

const char kRecorderProp[] = "Tovix.MessageRecorder";

const char* NameOf(UINT message) {
  switch (message) {
#define TOVIX_NAME(m) \
  case m:             \
    return #m;
    TOVIX_NAME(WM_CREATE) TOVIX_NAME(WM_DESTROY) TOVIX_NAME(WM_MOVE) TOVIX_NAME(WM_SIZE)
    TOVIX_NAME(WM_ACTIVATE) TOVIX_NAME(WM_SETFOCUS) TOVIX_NAME(WM_KILLFOCUS) TOVIX_NAME(WM_ENABLE)
    TOVIX_NAME(WM_SETTEXT) TOVIX_NAME(WM_GETTEXT) TOVIX_NAME(WM_GETTEXTLENGTH) TOVIX_NAME(WM_PAINT)
    TOVIX_NAME(WM_CLOSE) TOVIX_NAME(WM_ERASEBKGND) TOVIX_NAME(WM_SHOWWINDOW) TOVIX_NAME(WM_SETCURSOR)
    TOVIX_NAME(WM_MOUSEACTIVATE) TOVIX_NAME(WM_WINDOWPOSCHANGING) TOVIX_NAME(WM_WINDOWPOSCHANGED)
    TOVIX_NAME(WM_NOTIFY) TOVIX_NAME(WM_GETDLGCODE) TOVIX_NAME(WM_SETFONT) TOVIX_NAME(WM_GETFONT)
    TOVIX_NAME(WM_NCCALCSIZE) TOVIX_NAME(WM_NCHITTEST) TOVIX_NAME(WM_NCPAINT) TOVIX_NAME(WM_KEYDOWN)
    TOVIX_NAME(WM_KEYUP) TOVIX_NAME(WM_CHAR) TOVIX_NAME(WM_SYSKEYDOWN) TOVIX_NAME(WM_SYSKEYUP)
    TOVIX_NAME(WM_SYSCHAR) TOVIX_NAME(WM_COMMAND) TOVIX_NAME(WM_SYSCOMMAND) TOVIX_NAME(WM_TIMER)
    TOVIX_NAME(WM_CTLCOLOREDIT) TOVIX_NAME(WM_CTLCOLORSTATIC) TOVIX_NAME(WM_MOUSEMOVE)
    TOVIX_NAME(WM_LBUTTONDOWN) TOVIX_NAME(WM_LBUTTONUP) TOVIX_NAME(WM_LBUTTONDBLCLK)
    TOVIX_NAME(WM_RBUTTONDOWN) TOVIX_NAME(WM_RBUTTONUP) TOVIX_NAME(WM_CAPTURECHANGED)
    TOVIX_NAME(WM_PASTE) TOVIX_NAME(WM_CUT) TOVIX_NAME(WM_COPY) TOVIX_NAME(EM_SETRECT)
    TOVIX_NAME(EM_SETRECTNP) TOVIX_NAME(EM_GETRECT) TOVIX_NAME(EM_SETSEL) TOVIX_NAME(EM_SETREADONLY)
    TOVIX_NAME(EM_SETMARGINS) TOVIX_NAME(EM_REPLACESEL) TOVIX_NAME(EM_LIMITTEXT)
#undef TOVIX_NAME
    default:
      return nullptr;
  }
}

}  // namespace

TExpect TExpect::WithWParam(UINT message, WPARAM wParam, unsigned flags) {
  return TExpect{message, flags | WParam, wParam, 0, {}};
}

TExpect TExpect::WithParams(UINT message, WPARAM wParam, LPARAM lParam, unsigned flags) {
  return TExpect{message, flags | WParam | LParam, wParam, lParam, {}};
}

TExpect TExpect::WithRect(UINT message, const RECT& rect, unsigned flags) {
  TExpect e{message, flags | Data, 0, 0, std::vector<uint8_t>(sizeof(RECT))};
  std::memcpy(e.data.data(), &rect, sizeof(RECT));
  return e;
}

TMessageRecorder::~TMessageRecorder() {
  for (const TWatched& w : watched_) {
    if (!IsWindow(w.window)) continue;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w.window, GWLP_WNDPROC)) == &RecordingProc) {
      SetWindowLongPtrA(w.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(w.previous));
    }
    RemovePropA(w.window, kRecorderProp);
  }
}

void TMessageRecorder::Watch(HWND window) {
  if (!IsWindow(window)) throw std::invalid_argument("TMessageRecorder::Watch: not a window");
  if (GetPropA(window, kRecorderProp)) throw std::logic_error("TMessageRecorder::Watch: already watched");
  SetPropA(window, kRecorderProp, this);
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
  watched_.push_back({window, previous});
}

void TMessageRecorder::Only(std::initializer_list<UINT> messages) { only_ = messages; }

void TMessageRecorder::CaptureData(UINT message, size_t size) { captures_.emplace_back(message, size); }

std::vector<TRecordedMessage> TMessageRecorder::Of(UINT message) const {
  std::vector<TRecordedMessage> result;
  for (const TRecordedMessage& m : messages_)
    if (m.message == message) result.push_back(m);
  return result;
}

LRESULT CALLBACK TMessageRecorder::RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TMessageRecorder*>(GetPropA(window, kRecorderProp));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC previous = nullptr;
  for (const TWatched& w : self->watched_)
    if (w.window == window) previous = w.previous;
  self->Record(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes: give it back its own procedure so nothing calls into a stale recorder.
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(window, kRecorderProp);
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

void TMessageRecorder::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!only_.empty() && !only_.count(message)) return;
  TRecordedMessage record{window, message, wParam, lParam, {}};
  for (const auto& [captured, size] : captures_) {
    if (captured == message && lParam) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(lParam);
      record.data.assign(bytes, bytes + size);
    }
  }
  messages_.push_back(std::move(record));
}

std::string TMessageRecorder::Describe(UINT message, WPARAM wParam, LPARAM lParam) {
  std::ostringstream out;
  if (const char* name = NameOf(message))
    out << name;
  else
    out << "0x" << std::hex << message << std::dec;
  out << "(" << static_cast<unsigned long long>(wParam) << ", " << static_cast<long long>(lParam) << ")";
  return out.str();
}

namespace {

bool Same(const TExpect& e, const TRecordedMessage& m) {
  if (e.message != m.message) return false;
  if ((e.flags & TExpect::WParam) && e.wParam != m.wParam) return false;
  if ((e.flags & TExpect::LParam) && e.lParam != m.lParam) return false;
  if ((e.flags & TExpect::Data) && e.data != m.data) return false;
  return true;
}

std::string DescribeData(const std::vector<uint8_t>& data) {
  if (data.size() != sizeof(RECT)) return data.empty() ? "" : " [" + std::to_string(data.size()) + " bytes]";
  RECT r;
  std::memcpy(&r, data.data(), sizeof r);
  std::ostringstream out;
  out << " {" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
  return out.str();
}

}  // namespace

::testing::AssertionResult TMessageRecorder::Matches(const std::vector<TExpect>& expected) const {
  size_t e = 0, m = 0;
  std::string problem;
  while (e < expected.size() && problem.empty()) {
    if (m < messages_.size() && Same(expected[e], messages_[m])) {
      ++e;
      ++m;
    } else if (expected[e].flags & TExpect::Optional) {
      ++e;
    } else {
      problem = m < messages_.size() ? "entry " + std::to_string(e) + " does not match message " + std::to_string(m)
                                     : "entry " + std::to_string(e) + " was never received";
    }
  }
  if (problem.empty() && m < messages_.size()) problem = "message " + std::to_string(m) + " was not expected";
  if (problem.empty()) return ::testing::AssertionSuccess();

  std::ostringstream out;
  out << problem << "\nexpected:";
  for (const TExpect& x : expected) {
    out << "\n  " << Describe(x.message, x.wParam, x.lParam) << DescribeData(x.data);
    if (x.flags & TExpect::Optional) out << " (optional)";
  }
  out << "\nreceived:";
  for (const TRecordedMessage& r : messages_) out << "\n  " << Describe(r.message, r.wParam, r.lParam) << DescribeData(r.data);
  return ::testing::AssertionFailure() << out.str();
}

RECT MakeRect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

RECT RectOf(const TRecordedMessage& message) {
  RECT r{};
  if (message.data.size() == sizeof r) std::memcpy(&r, message.data.data(), sizeof r);
  return r;
}

}  // namespace Tovix::Testing
