// CM_CANCELMODE for the active control, and drag and drop between controls.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "tests/support/TestControls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class CancelModeAndDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(50, 50, 400, 300);
    edit = Place<TTestEdit>(10, 10);
    left = Place<TTestPanel>(10, 100);
    right = Place<TTestPanel>(200, 100);
    form->Show();
    SetForegroundWindow(form->GetHandle());
    edit->SetFocus();
  }
  void TearDown() override {
    form->Free();
    Application->ProcessMessages();
  }
  template <typename T>
  T* Place(int x, int y) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(x, y, 80, 50);
    return c;
  }
  // Presses, moves and releases the left button as the source's window sees it, at points of
  // the form's client area.
  void DragWithMouse(TControl* source, TPoint from, TPoint to) {
    HWND window = static_cast<TWinControl*>(source)->GetHandle();
    TPoint a = source->ScreenToClient(form->ClientToScreen(from));
    TPoint b = source->ScreenToClient(form->ClientToScreen(to));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
  }
  TForm* form = nullptr;
  TTestEdit* edit = nullptr;
  TTestPanel* left = nullptr;
  TTestPanel* right = nullptr;
};

}  // namespace

TEST_F(CancelModeAndDragTest, APressElsewhereOrDeactivationSendsCancelModeToTheActiveControl) {
  ASSERT_EQ(edit, form->GetActiveControl());
  std::vector<LPARAM> senders;
  auto original = edit->WindowProc;
  edit->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_CANCELMODE) senders.push_back(m.LParam);
    original(m);
  };
  SendMessageA(left->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(left->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // As the system deactivates: the window first, then the application.
  SendMessageA(form->GetHandle(), WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageA(form->GetHandle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ((std::vector<LPARAM>{reinterpret_cast<LPARAM>(left), 0}), senders)
      << "the press names its control; deactivation names none, and only while the form is active";
  edit->WindowProc = original;
}

TEST_F(CancelModeAndDragTest, AnAutomaticDragDropsWhereTheTargetAcceptsAndEndsEmptyElsewhere) {
  std::vector<String> log;
  left->SetDragMode(dmAutomatic);
  left->SetOnStartDrag([&](TObject*, TDragObject*&) { log.push_back("start"); });
  left->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mousedown"); });
  left->SetOnEndDrag([&](TObject*, TObject* target, int, int) { log.push_back(target == right ? "end right" : "end none"); });
  right->SetOnDragOver([&](TObject*, TObject* source, int, int, TDragState, bool& accept) { accept = source == left; });
  right->SetOnDragDrop([&](TObject*, TObject* source, int x, int y) {
    log.push_back(source == left ? "drop" : "drop?");
    EXPECT_EQ(15, x) << "in the target's coordinates";
    EXPECT_EQ(25, y);
  });
  DragWithMouse(left, Point(20, 110), Point(215, 125));
  EXPECT_EQ((std::vector<String>{"start", "drop", "end right"}), log);
  EXPECT_FALSE(left->Dragging());

  log.clear();
  DragWithMouse(left, Point(20, 110), Point(300, 30));  // over the form, which has no OnDragOver
  EXPECT_EQ((std::vector<String>{"start", "end none"}), log);

  log.clear();
  right->SetOnDragOver([&](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = false; });
  DragWithMouse(left, Point(20, 110), Point(215, 125));
  EXPECT_EQ((std::vector<String>{"start", "end none"}), log) << "a refusing target gets no drop";
}
