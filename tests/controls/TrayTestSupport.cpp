#include "tests/controls/TrayTestSupport.h"

#include "tests/support/GraphicsSupport.h"

namespace Tovix::Testing {

namespace {

// The tip in the data block of Wine's Shell_NotifyIconW: 128 UTF-16 characters at offset 16.
const size_t kBlockTip = 16;
const int kBlockTipChars = 128;

const TOrvTrayIcon* FindIn(const TComponent* root, HWND owner) {
  for (int i = 0; i < root->GetComponentCount(); ++i) {
    const TComponent* component = root->GetComponents(i);
    auto* icon = dynamic_cast<const TOrvTrayIcon*>(component);
    if (icon && icon->GetWindowHandle() == owner) return icon;
    if (const TOrvTrayIcon* found = FindIn(component, owner)) return found;
  }
  return nullptr;
}

}  // namespace

TShellTray::TShellTray() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Shell_TrayWnd";
  RegisterClassA(&wc);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            wc.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TShellTray::~TShellTray() { DestroyWindow(window_); }

LRESULT CALLBACK TShellTray::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* tray = reinterpret_cast<TShellTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (msg != WM_COPYDATA || !tray || data->cbData < kBlockTip + kBlockTipChars * sizeof(wchar_t))
    return DefWindowProcA(window, msg, wParam, lParam);
  auto message = static_cast<DWORD>(data->dwData);
  auto owner = reinterpret_cast<HWND>(wParam);
  if (message == NIM_ADD) tray->icons_.insert(owner);
  if (message == NIM_DELETE) tray->icons_.erase(owner);
  // A component being destroyed has left its owner and is not found: its delete only counts.
  if (const TOrvTrayIcon* icon = FindIn(Application, owner)) {
    char tip[kBlockTipChars * 2] = {};
    const auto* wideTip = reinterpret_cast<const wchar_t*>(static_cast<const uint8_t*>(data->lpData) + kBlockTip);
    WideCharToMultiByte(CP_ACP, 0, wideTip, kBlockTipChars, tip, sizeof(tip) - 1, nullptr, nullptr);
    tray->calls.push_back(TShellCall{message, icon->GetTrayIconData(), tip});
  }
  return tray->answer;
}

void TrayTest::SetUp() {
  Application->SetOnException([this](TObject*, const Exception& e) { errors.push_back(e.Message()); });
  form = new TForm(Application);
  icon = new TOrvTrayIcon(form);
}

void TrayTest::TearDown() {
  form->Free();
  Application->ProcessMessages();
  Application->SetOnException(TExceptionEvent());
  EXPECT_EQ(0, shell.IconCount()) << "an icon is left in the tray";
}

std::vector<DWORD> TrayTest::Take() {
  std::vector<DWORD> messages;
  for (const TShellCall& call : shell.calls) messages.push_back(call.message);
  shell.calls.clear();
  return messages;
}

void TrayTest::ShellReports(UINT mouseMessage) {
  SendMessageA(icon->GetWindowHandle(), OrvTrayIconCallbackMessage, 0, mouseMessage);
}

void MakeSolidIcon(TIcon& icon, COLORREF color) {
  TBitmap bitmap;
  bitmap.SetSize(16, 16);
  bitmap.GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(color));
  bitmap.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  TImageList list(nullptr);
  list.Add(&bitmap, nullptr);
  list.GetIcon(0, icon);
}

uint32_t MiddleColor(HICON icon) {
  TIconPixels pixels = ReadIconPixels(icon);
  if (pixels.width < 16 || pixels.Transparent(8, 8)) return 0xFFFFFFFF;
  return pixels.Color(8, 8);
}

bool FullyTransparent(HICON icon) {
  TIconPixels pixels = ReadIconPixels(icon);
  return pixels.width > 0 && std::find(pixels.transparent.begin(), pixels.transparent.end(), false) ==
                                 pixels.transparent.end();
}

const COLORREF FrameColors[6] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                 RGB(255, 128, 0), RGB(255, 0, 255), RGB(0, 255, 255)};

void AddFrames(TImageList* list, int count) {
  for (int i = 0; i < count; ++i) {
    TIcon frame;
    MakeSolidIcon(frame, FrameColors[i]);
    list->AddIcon(&frame);
  }
}

int FrameOf(HICON icon) {
  uint32_t color = MiddleColor(icon);
  for (int i = 0; i < 6; ++i)
    if (color == FrameColors[i]) return i;
  return -1;
}

String TrayErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EOrvTrayIconError& e) {
    return e.Message();
  }
  return String();
}


}  // namespace Tovix::Testing
