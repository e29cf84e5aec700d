// Message dispatch, parent notifications, alignment and hints of controls.
#include <gtest/gtest.h>

#include "framework/ClassesFiler.h"
#include "framework/TypInfoBuilder.h"
#include "tests/support/TestControls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

constexpr unsigned CM_PROBE = CM_BASE + 500;

// Three generations: the middle one handles the probe, the youngest inherits that handler.
class TProbeBase : public TTestEdit {
  TOVIX_DECLARE_CLASS(TProbeBase)

 public:
  using TTestEdit::TTestEdit;
  std::vector<String> log;

 protected:
  void CMProbe(TMessage& m) {
    log.push_back("base");
    m.Result = 1;
  }
};
TOVIX_IMPLEMENT_CLASS(TProbeBase, TTestEdit) { c.Message(CM_PROBE, &TProbeBase::CMProbe); }

class TProbeMiddle : public TProbeBase {
  TOVIX_DECLARE_CLASS(TProbeMiddle)

 public:
  using TProbeBase::TProbeBase;

 protected:
  void CMProbe(TMessage& m) {
    log.push_back("middle");
    TProbeBase::CMProbe(m);  // what "inherited" does
    m.Result = 2;
  }
};
TOVIX_IMPLEMENT_CLASS(TProbeMiddle, TProbeBase) { c.Message(CM_PROBE, &TProbeMiddle::CMProbe); }

class TProbeLeaf : public TProbeMiddle {
  TOVIX_DECLARE_CLASS(TProbeLeaf)

 public:
  using TProbeMiddle::TProbeMiddle;
};
TOVIX_IMPLEMENT_CLASS(TProbeLeaf, TProbeMiddle) {}

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    form->Free();
    Application->ProcessMessages();
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(ControlTest, MessagesGoToTheNearestHandlerThenToTheOriginalWindowProcedure) {
  auto* leaf = new TProbeLeaf(form);
  leaf->SetParent(form);
  EXPECT_EQ(2, leaf->Perform(CM_PROBE, 0, 0));
  EXPECT_EQ((std::vector<String>{"middle", "base"}), leaf->log);
  // No handler in the class tree: the superclassed EDIT procedure answers.
  SetWindowTextA(leaf->GetHandle(), "four");
  EXPECT_EQ(4, leaf->Perform(WM_GETTEXTLENGTH, 0, 0));
  EXPECT_EQ("four", leaf->GetText());
  char className[64] = {};
  GetClassNameA(leaf->GetHandle(), className, sizeof className);
  EXPECT_STREQ("TProbeLeaf", className) << "each control class has its own window class";
}

TEST_F(ControlTest, WindowProcCanBeReplacedToWatchMessages) {
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->HandleNeeded();
  std::vector<unsigned> seen;
  auto original = edit->WindowProc;
  edit->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SETTEXT || m.Msg == CM_TEXTCHANGED) seen.push_back(m.Msg);
    original(m);
  };
  edit->SetText("x");
  EXPECT_EQ((std::vector<unsigned>{WM_SETTEXT, CM_TEXTCHANGED}), seen);
  edit->WindowProc = original;
}

TEST_F(ControlTest, ParentFontAndColorFlowToChildrenThatFollowThem) {
  auto* follows = new TTestPanel(form);
  follows->SetParent(form);
  auto* own = new TTestPanel(form);
  own->SetParent(form);
  own->GetFont()->SetName("Courier New");  // setting its own font stops following
  own->SetColor(clYellow);
  EXPECT_FALSE(own->GetParentFont());
  EXPECT_FALSE(own->GetParentColor());

  form->GetFont()->SetHeight(-20);
  form->SetColor(clTeal);
  EXPECT_EQ(-20, follows->GetFont()->GetHeight());
  EXPECT_EQ(clTeal, follows->GetColor());
  EXPECT_NE(-20, own->GetFont()->GetHeight());
  EXPECT_EQ(clYellow, own->GetColor());
  EXPECT_TRUE(follows->GetParentFont()) << "following the parent does not count as a change of its own";

  own->SetParentFont(true);
  EXPECT_EQ(-20, own->GetFont()->GetHeight());
}

namespace {

// The controls whose windows are the form's children, top first, each found back from its window.
std::vector<TControl*> WindowsTopFirst(TWinControl* parent) {
  std::vector<TControl*> found;
  for (HWND w = GetWindow(parent->GetHandle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    found.push_back(TWinControl::FindControl(w));
  return found;
}

// A panel that needs another control's window before its own (as a control bound to a sibling).
class TPanelNeedingSibling : public TTestPanel {
 public:
  using TTestPanel::TTestPanel;
  TWinControl* sibling = nullptr;

 protected:
  void CreateWnd() override {
    if (sibling) sibling->HandleNeeded();
    TTestPanel::CreateWnd();
  }
};

}  // namespace

TEST_F(ControlTest, WindowsStackAsTheControlListWhenMadeTogetherLaterOrAgain) {
  TTestPanel* panels[4];
  for (auto*& p : panels) {
    p = new TTestPanel(form);
    p->SetParent(form);
  }
  panels[2]->HandleNeeded();  // the parent's window comes first, then all its children's
  EXPECT_EQ((std::vector<TControl*>{panels[3], panels[2], panels[1], panels[0]}), WindowsTopFirst(form));
  auto* later = new TTestPanel(form);
  later->SetParent(form);
  later->HandleNeeded();
  EXPECT_EQ(later, WindowsTopFirst(form).front());
  panels[1]->RecreateWnd();
  EXPECT_EQ((std::vector<TControl*>{later, panels[3], panels[2], panels[1], panels[0]}), WindowsTopFirst(form));

  // A window made out of turn, while the parent makes its children's, still ends up in place.
  auto* box = new TTestPanel(form);
  auto* needing = new TPanelNeedingSibling(form);
  TTestPanel* inside[4] = {new TTestPanel(form), new TTestPanel(form), needing, new TTestPanel(form)};
  for (TTestPanel* p : inside) p->SetParent(box);
  needing->sibling = inside[0];
  box->SetParent(form);
  box->HandleNeeded();
  EXPECT_EQ((std::vector<TControl*>{inside[3], inside[2], inside[1], inside[0]}), WindowsTopFirst(box));
}

TEST_F(ControlTest, EnablingAndHidingReachTheWindow) {
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  HWND window = edit->GetHandle();
  edit->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(window));
  edit->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(window));
  form->Show();
  edit->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(window));
  edit->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(ControlTest, AlignedControlsShareTheClientArea) {
  form->SetClientWidth(300);
  form->SetClientHeight(200);
  auto make = [&](TAlign align, int size) {
    auto* p = new TTestPanel(form);
    p->SetParent(form);
    p->SetBounds(0, 0, size, size);
    p->SetAlign(align);
    return p;
  };
  TTestPanel* top = make(alTop, 40);
  TTestPanel* bottom = make(alBottom, 30);
  TTestPanel* left = make(alLeft, 50);
  TTestPanel* client = make(alClient, 10);
  auto bounds = [](TControl* c) {
    TRect r = c->GetBoundsRect();
    return Format("%d,%d,%d,%d", static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                  static_cast<int>(r.bottom));
  };
  EXPECT_EQ("0,0,300,40", bounds(top));
  EXPECT_EQ("0,170,300,200", bounds(bottom));
  EXPECT_EQ("0,40,50,170", bounds(left));
  EXPECT_EQ("50,40,300,170", bounds(client));
  form->SetClientHeight(300);  // resizing lays them out again
  EXPECT_EQ("0,270,300,300", bounds(bottom));
  EXPECT_EQ("50,40,300,270", bounds(client));
  top->SetVisible(false);
  EXPECT_EQ("50,0,300,270", bounds(client));
}

TEST(FormRoundTrip, ALoadedFormWritesTheTextThatLoadsIt) {
  auto* form = new TTestMainForm(Application);
  String written = WriteComponentToText(form);
  EXPECT_EQ(0u, written.find("object TestMainForm: TTestMainForm\r\n"));
  EXPECT_NE(String::npos, written.find("  OnCreate = FormCreate\r\n"));
  EXPECT_NE(String::npos, written.find("  object Header: TTestPanel\r\n"));
  EXPECT_NE(String::npos, written.find("    object Badge: TTestShape\r\n")) << "children are written inside their parent";
  EXPECT_NE(String::npos, written.find("      OnClick = BadgeClick\r\n"));
  EXPECT_EQ(String::npos, written.find("\r\n  Width = ")) << "a form keeps its client size, not its outer size";
  EXPECT_NE(String::npos, written.find("\r\n  ClientWidth = 300\r\n"));
  // Read back into an emptied second instance of the same class, it writes the same text again;
  // only the second form's name differs, made unique beside the first.
  auto* again = new TTestMainForm(Application);
  again->DestroyComponents();
  ReadComponentFromText(written, again);
  EXPECT_EQ("TestMainForm_1", again->GetName());
  String rewritten = WriteComponentToText(again);
  rewritten.replace(rewritten.find("TestMainForm_1"), 14, "TestMainForm");
  EXPECT_EQ(written, rewritten);
  form->Free();
  again->Free();
}

TEST(Hints, AControlsHintShowsAfterThePause) {
  TForm* form = new TForm(Application);
  form->SetBounds(0, 0, 200, 100);
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetHint("Your name|The name printed on the report");
  edit->SetShowHint(true);
  form->Show();
  Application->SetHintPause(10);
  SendMessageA(edit->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ("The name printed on the report", Application->GetHint());
  DWORD until = GetTickCount() + 2000;
  while (!(Application->GetHintWindow() && IsWindowVisible(Application->GetHintWindow()->GetHandle())) &&
         GetTickCount() < until) {
    Application->ProcessMessages();
    Sleep(5);
  }
  ASSERT_NE(nullptr, Application->GetHintWindow());
  EXPECT_TRUE(IsWindowVisible(Application->GetHintWindow()->GetHandle()));
  EXPECT_EQ("Your name", Application->GetHintWindow()->GetCaption());
  Application->CancelHint();
  EXPECT_FALSE(IsWindowVisible(Application->GetHintWindow()->GetHandle()));
  form->Free();
  Application->SetHintPause(500);
}

TEST(ControlLifetime, AFreedControlLeavesItsParentsListsAndTabOrder) {
  TForm* form = new TForm(Application);
  auto* a = new TTestEdit(form);
  a->SetParent(form);
  auto* b = new TTestEdit(form);
  b->SetParent(form);
  auto* shape = new TTestShape(form);
  shape->SetParent(form);
  form->Show();
  a->SetFocus();
  delete a;
  delete shape;
  EXPECT_EQ(1, form->GetControlCount());
  EXPECT_EQ((std::vector<TWinControl*>{b}), form->GetTabOrderList());
  EXPECT_EQ(nullptr, form->GetActiveControl()) << "the form forgets a freed active control";
  EXPECT_EQ(b, form->FindNextControl(nullptr, true, true, false));
  form->Free();
  Application->ProcessMessages();
}

TEST(FormStyle, BorderStyleAndIconsBecomeWindowStyles) {
  TForm* form = new TForm(Application);
  LONG style = GetWindowLongA(form->GetHandle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  form->SetBorderIcons(TBorderIcons{biSystemMenu});
  form->SetBorderStyle(bsSingle);
  style = GetWindowLongA(form->GetHandle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(style & WS_SYSMENU);
  form->SetBorderStyle(bsDialog);
  EXPECT_TRUE(GetWindowLongA(form->GetHandle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  form->SetBorderStyle(bsSizeable);
  form->SetWindowState(wsMaximized);
  form->Show();
  EXPECT_TRUE(IsZoomed(form->GetHandle()));
  EXPECT_EQ(wsMaximized, form->GetWindowState());
  form->SetWindowState(wsNormal);
  EXPECT_FALSE(IsZoomed(form->GetHandle()));
  form->Free();
}

TEST(FormStyle, TheIconShowsInBothSizesAndGoesWhenEmptied) {
  TForm* form = new TForm(Application);
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
  form->SetIcon(&icon);
  HWND window = form->GetHandle();
  HICON shown = form->GetIcon()->GetHandle();
  EXPECT_EQ(shown, reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
  EXPECT_EQ(shown, reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
  form->RecreateWnd();
  EXPECT_EQ(shown, reinterpret_cast<HICON>(SendMessageA(form->GetHandle(), WM_GETICON, ICON_SMALL, 0)))
      << "a new window gets the icon again";
  TIcon none;
  form->SetIcon(&none);
  EXPECT_EQ(nullptr, reinterpret_cast<HICON>(SendMessageA(form->GetHandle(), WM_GETICON, ICON_SMALL, 0)));
  form->Free();
}

TEST(Geometry, ClientCoordinatesMapToTheScreen) {
  TForm* form = new TForm(Application);
  form->SetBounds(100, 80, 300, 200);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 20, 50, 50);
  auto* shape = new TTestShape(form);
  shape->SetParent(panel);
  shape->SetBounds(5, 6, 10, 10);
  POINT origin{0, 0};
  ClientToScreen(panel->GetHandle(), &origin);
  TPoint p = shape->ClientToScreen(Point(1, 2));
  EXPECT_EQ(origin.x + 5 + 1, p.x) << "a graphic control maps through its parent";
  EXPECT_EQ(origin.y + 6 + 2, p.y);
  TPoint back = shape->ScreenToClient(p);
  EXPECT_EQ(1, back.x);
  EXPECT_EQ(2, back.y);
  form->Free();
}

TEST(ShortCuts, PackKeyAndShiftStateIntoSixteenBits) {
  EXPECT_EQ(0x4053, ShortCut('S', TShiftState{ssCtrl}));
  EXPECT_EQ(0xE000 | VK_F5, ShortCut(VK_F5, TShiftState{ssShift, ssCtrl, ssAlt}));
  EXPECT_EQ(0, ShortCut(0x1FF, TShiftState{}));
  uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(0xA000 | VK_DOWN, key, shift);
  EXPECT_EQ(VK_DOWN, key);
  EXPECT_EQ((TShiftState{ssShift, ssAlt}), shift);
}
