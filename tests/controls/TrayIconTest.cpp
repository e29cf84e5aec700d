// TOrvTrayIcon in the notification area: what reaches the shell, hints, icons, streaming, clicks
// and popup menus, the taskbar button, icon mirroring, a restarted shell, missing resources.
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "tests/support/GraphicsSupport.h"
#include "tests/controls/TrayTestSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
using Calls = std::vector<DWORD>;

bool ShowsDefaultIcon(HICON icon) {
  TIcon resource;
  resource.LoadFromResourceName(GetModuleHandleA(nullptr), "TORVTRAYICON_DEFAULTICON");
  TIconPixels shown = ReadIconPixels(icon), expected = ReadIconPixels(resource.GetHandle());
  return shown.width == 16 && shown.color == expected.color && shown.transparent == expected.transparent;
}

}  // namespace

TEST_F(TrayTest, TheShellGetsTheComponentsRecordOnAddModifyAndDelete) {
  icon->SetHint("Tovix");
  EXPECT_TRUE(Take().empty()) << "nothing is sent before the icon is in the tray";
  icon->SetShowTrayIcon(true);
  icon->SetShowTrayIcon(true);
  EXPECT_EQ(Calls{NIM_ADD}, Take());
  Application->ProcessMessages();
  EXPECT_TRUE(Take().empty()) << "no hint refresh after adding with a hint";
  icon->SetHint("Tovix running");
  const TOrvNotifyIconData& sent = Last().record;
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Last().message);
  EXPECT_EQ(static_cast<uint32_t>(NOTIFYICONDATAA_V1_SIZE), sent.cbSize);
  EXPECT_EQ(icon->GetWindowHandle(), sent.Wnd);
  EXPECT_EQ(0u, sent.uID);
  EXPECT_EQ(7u, sent.uFlags);
  EXPECT_EQ(1025u, sent.uCallbackMessage);
  EXPECT_STREQ("Tovix running", sent.szTip);
  EXPECT_EQ("Tovix running", Last().blockTip) << "the shell really received this record";
  EXPECT_TRUE(ShowsDefaultIcon(sent.hIcon)) << "no Icon: the default icon";
  icon->SetShowTrayIcon(false);
  EXPECT_EQ((Calls{NIM_MODIFY, NIM_DELETE}), Take());
  EXPECT_FALSE(shell.Holds(icon->GetWindowHandle()));

  // The in-tray state follows the request, whatever the shell answers.
  shell.answer = FALSE;
  icon->SetHint("");
  EXPECT_FALSE(icon->AddSysTrayIcon());
  EXPECT_TRUE(icon->GetInTray());
  Application->ProcessMessages();
  EXPECT_EQ((Calls{NIM_ADD, NIM_MODIFY}), Take()) << "added without a hint: the hint is sent again";
  EXPECT_FALSE(icon->DeleteSysTrayIcon());
  EXPECT_FALSE(icon->GetInTray());
}

TEST_F(TrayTest, HintIsCutToSixtyTwoCharacters) {
  icon->SetShowTrayIcon(true);
  icon->SetHint(String(62, 'a'));
  EXPECT_EQ(String(62, 'a'), icon->GetHint());
  EXPECT_EQ(String(62, 'a'), Last().blockTip);
  icon->SetHint(String(63, 'b'));
  EXPECT_EQ(String(62, 'b'), icon->GetHint());
  icon->SetHint(String(200, 'c'));
  EXPECT_EQ(String(62, 'c'), Last().blockTip);
}

TEST_F(TrayTest, StreamedIconShowsAfterLoadingAndRunTimeIconsOnlyCoverIt) {
  // Made in the designer, where Icon holds the icon and ShowTrayIcon is only remembered.
  TForm* design = new TForm(Application);
  design->SetName("TrayForm");
  design->SetDesigning(true);
  auto* designed = new TOrvTrayIcon(design);
  designed->SetName("Tray");
  designed->SetDesigning(true);
  TIcon blue, red;
  MakeSolidIcon(blue, kBlue);
  MakeSolidIcon(red, kRed);
  designed->SetIcon(&blue);
  designed->SetHint("Streamed");
  designed->SetShowTrayIcon(true);
  designed->SetFrameSpeed(250);
  EXPECT_TRUE(Take().empty());
  String text = WriteComponentToText(design);
  design->Free();
  EXPECT_EQ(String::npos, text.find("Flash =")) << "defaults are not written:\n" << text;
  EXPECT_LT(text.find("ShowTrayIcon = True"), text.find("Icon.Data"));

  TForm* loaded = new TForm(Application);
  ReadComponentFromText(text, loaded);
  auto* tray = dynamic_cast<TOrvTrayIcon*>(loaded->FindComponent("Tray"));
  ASSERT_NE(nullptr, tray);
  int changes = 0;
  tray->SetOnIconChange([&] { ++changes; });
  // Added while reading, with the hint read before and the default icon; Loaded shows the icon.
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.calls[0].message);
  EXPECT_STREQ("Streamed", shell.calls[0].record.szTip);
  EXPECT_TRUE(ShowsDefaultIcon(shell.calls[0].record.hIcon));
  EXPECT_EQ(kBlue, MiddleColor(Last().record.hIcon));
  EXPECT_EQ(250, tray->GetFrameSpeed());

  tray->SetIcon(&red);
  EXPECT_EQ(kRed, MiddleColor(Last().record.hIcon));
  EXPECT_NE(red.GetHandle(), Last().record.hIcon) << "the component shows a copy of its own";
  EXPECT_EQ(kBlue, MiddleColor(tray->GetIcon()->GetHandle())) << "Icon is still the streamed icon";
  EXPECT_EQ(1, changes);
  tray->RevertIcon();
  EXPECT_EQ(kBlue, MiddleColor(Last().record.hIcon));
  HWND window = tray->GetWindowHandle();
  loaded->Free();
  EXPECT_FALSE(shell.Holds(window));
}

TEST_F(TrayTest, ShowDesigningActsOnlyInDesignModeAndShowTrayIconOnlyAtRunTime) {
  icon->SetShowDesigning(true);
  EXPECT_FALSE(icon->GetShowDesigning());
  icon->SetDesigning(true);
  icon->SetShowTrayIcon(true);
  EXPECT_TRUE(icon->GetShowTrayIcon());
  EXPECT_TRUE(Take().empty());
  icon->SetShowDesigning(true);
  EXPECT_TRUE(icon->GetShowDesigning());
  icon->SetShowDesigning(false);
  EXPECT_EQ((Calls{NIM_ADD, NIM_DELETE}), Take());
}

namespace {

// A popup menu that logs where it pops up and closes itself once the system shows it.
class TClosingPopupMenu : public TPopupMenu {
 public:
  TClosingPopupMenu(TComponent* owner, const char* name, std::vector<String>* log) : TPopupMenu(owner), log_(log) {
    SetName(name);
    auto* item = new TMenuItem(this);
    item->SetCaption("Open");
    GetItems()->Add(item);
  }
  void Popup(int x, int y) override {
    log_->push_back(Format("%s at %d,%d", GetName(), x, y));
    shown = false;
    SetTimer(nullptr, 0, 20, Close);
    TPopupMenu::Popup(x, y);
    log_->push_back(shown ? "menu shown and closed" : "no menu window");
  }

 private:
  static void CALLBACK Close(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menu = FindWindowA("#32768", nullptr);
    shown = menu && IsWindowVisible(menu);
    EndMenu();
  }
  static inline bool shown = false;
  std::vector<String>* log_;
};

}  // namespace

TEST_F(TrayTest, ShellCallbacksPopUpTheMenusThenRunTheEvents) {
  std::vector<String> log;
  auto mouse = [&](const char* what) {
    return [this, &log, what](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
      log.push_back(Format("%s %d %d %d,%d", what, button, static_cast<int>(shift.Bits()), x, y));
      EXPECT_EQ(static_cast<TObject*>(icon), sender);
    };
  };
  icon->SetOnClick(mouse("click"));
  icon->SetOnRightClick(mouse("right"));
  icon->SetOnDblClick([&](TObject*) { log.push_back("double"); });
  SetCursorPos(120, 340);
  for (UINT m : {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN}) ShellReports(m);
  EXPECT_EQ((std::vector<String>{"click 0 0 120,340", "right 1 0 120,340", "double"}), log);
  EXPECT_FALSE(form->GetVisible());

  log.clear();
  auto* elsewhere = new TComponent(nullptr);  // a menu of another owner is forgotten as well
  auto* left = new TClosingPopupMenu(form, "LeftMenu", &log);
  icon->SetLeftClickPopup(left);
  icon->SetRightClickPopup(new TClosingPopupMenu(elsewhere, "RightMenu", &log));
  icon->SetRightClickTopmost(true);
  SetCursorPos(200, 150);
  ShellReports(WM_LBUTTONUP);
  EXPECT_FALSE(form->GetVisible());
  ShellReports(WM_RBUTTONUP);
  EXPECT_TRUE(form->GetVisible()) << "RightClickTopmost shows the owner form";
  EXPECT_EQ((std::vector<String>{"LeftMenu at 200,150", "menu shown and closed", "click 0 0 200,150",
                                 "RightMenu at 200,150", "menu shown and closed", "right 1 0 200,150"}),
            log);

  log.clear();
  left->Free();
  elsewhere->Free();
  ASSERT_EQ(nullptr, icon->GetLeftClickPopup());
  ASSERT_EQ(nullptr, icon->GetRightClickPopup());
  ShellReports(WM_LBUTTONUP);
  ShellReports(WM_RBUTTONUP);
  EXPECT_EQ((std::vector<String>{"click 0 0 200,150", "right 1 0 200,150"}), log) << "no menu any more";
}

namespace {

int* exStyleChanges = nullptr;

LRESULT CALLBACK CountExStyleChanges(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_STYLECHANGED && wParam == static_cast<WPARAM>(GWL_EXSTYLE)) ++*exStyleChanges;
  return DefSubclassProc(window, msg, wParam, lParam);
}

}  // namespace

TEST_F(TrayTest, HideFromTaskbarMakesTheApplicationWindowAToolWindowOnce) {
  HWND app = Application->GetHandle();
  LONG originalStyle = GetWindowLongA(app, GWL_EXSTYLE);
  bool originallyVisible = IsWindowVisible(app);
  int changes = 0;
  exStyleChanges = &changes;
  SetWindowSubclass(app, CountExStyleChanges, 1, 0);
  icon->SetHideFromTaskbar(true);
  icon->SetHideFromTaskbar(true);
  EXPECT_EQ(1, changes) << "the second, equal value touches nothing";
  EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongA(app, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
  EXPECT_TRUE(IsWindowVisible(app));
  icon->SetHideFromTaskbar(false);
  EXPECT_EQ(WS_EX_APPWINDOW, GetWindowLongA(app, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
  icon->SetDesigning(true);
  icon->SetHideFromTaskbar(true);
  EXPECT_EQ(2, changes) << "not in the designer";
  RemoveWindowSubclass(app, CountExStyleChanges, 1);
  SetWindowLongA(app, GWL_EXSTYLE, originalStyle);
  ShowWindow(app, originallyVisible ? SW_SHOW : SW_HIDE);
}

TEST_F(TrayTest, MirroredFormAndApplicationIconsComeBackWhenSwitchedOff) {
  TIcon green, red, appIcon;
  MakeSolidIcon(green, kGreen);
  MakeSolidIcon(red, kRed);
  appIcon.Assign(Application->GetIcon());
  form->SetIcon(&green);
  Application->SetIcon(&green);
  EXPECT_FALSE(icon->AnyIconShown());
  icon->SetChangeFormIcon(true);
  icon->SetChangeAppIcon(true);
  EXPECT_TRUE(icon->AnyIconShown());
  EXPECT_TRUE(ShowsDefaultIcon(form->GetIcon()->GetHandle()));
  icon->SetIcon(&red);
  EXPECT_EQ(kRed, MiddleColor(form->GetIcon()->GetHandle()));
  EXPECT_EQ(kRed, MiddleColor(Application->GetIcon()->GetHandle()));
  icon->SetChangeFormIcon(false);
  icon->SetChangeAppIcon(false);
  EXPECT_EQ(kGreen, MiddleColor(form->GetIcon()->GetHandle()));
  EXPECT_EQ(kGreen, MiddleColor(Application->GetIcon()->GetHandle()));
  icon->SetChangeFormIcon(true);
  icon->Free();
  EXPECT_EQ(kRed, MiddleColor(form->GetIcon()->GetHandle())) << "destroyed, it leaves its last icon";
  Application->SetIcon(&appIcon);
}

TEST_F(TrayTest, ARestartedShellGetsTheIconAgain) {
  UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  icon->SetHint("back");
  SendMessageA(icon->GetWindowHandle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(Take().empty()) << "not in the tray";
  icon->SetShowTrayIcon(true);
  SendMessageA(icon->GetWindowHandle(), taskbarCreated, 0, 0);
  EXPECT_EQ((Calls{NIM_ADD, NIM_ADD}), Take());
}

namespace {

// A tray icon whose module has none of the icon resources.
class TTrayIconWithoutResources : public TOrvTrayIcon {
 public:
  using TOrvTrayIcon::TOrvTrayIcon;

 protected:
  HINSTANCE GetResourceModule() const override { return GetModuleHandleA("kernel32.dll"); }
};

}  // namespace

TEST_F(TrayTest, MissingIconResourcesRaiseOnce) {
  auto* bare = new TTrayIconWithoutResources(form);
  EXPECT_EQ("TOrvTrayIcon unable to load default icon resource", TrayErrorOf([&] { bare->SetShowTrayIcon(true); }));
  EXPECT_FALSE(bare->GetInTray());
  bare->SetShowTrayIcon(true);
  EXPECT_EQ(nullptr, Last().record.hIcon) << "the empty default icon, without a second error";
  EXPECT_EQ("TOrvTrayIcon unable to load blank icon resource", TrayErrorOf([&] { bare->SetFlash(true); }));
  EXPECT_EQ("", TrayErrorOf([&] { bare->HandleTimer(nullptr); }));
  EXPECT_EQ("", TrayErrorOf([&] { bare->HandleTimer(nullptr); }));
  HWND window = bare->GetWindowHandle();
  bare->SetAnimate(true);
  bare->Free();
  EXPECT_FALSE(shell.Holds(window));
}
