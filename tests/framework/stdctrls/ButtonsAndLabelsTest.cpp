// TButton, TCheckBox, TLabel and TGroupBox on a form: clicks as the system reports them, states,
// accelerators and sizing.
#include <gtest/gtest.h>

#include "tests/framework/stdctrls/TestStdCtrls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class ControlsOnAForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  template <typename T>
  T* Make(int left, int top) {
    auto* control = new T(form);
    control->SetLeft(left);
    control->SetTop(top);
    control->SetParent(form);
    return control;
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(ControlsOnAForm, AButtonClickRaisesOnClickAndSetsTheFormsModalResult) {
  auto* button = Make<TButton>(10, 10);
  button->SetCaption("Retry");
  button->SetModalResult(mrRetry);
  int clicks = 0;
  TModalResult seen = mrNone;
  button->SetOnClick([&](TObject*) {
    ++clicks;
    seen = form->GetModalResult();
  });
  form->Show();
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(mrRetry, seen) << "the result is set before OnClick runs";
  EXPECT_TRUE(button->Focused()) << "a click takes the focus";
  // Space on the focused button clicks it as well.
  PressKey(VK_SPACE);
  EXPECT_EQ(2, clicks);
  // A click that cannot take the focus is lost.
  auto* keeper = Make<TEdit>(10, 50);
  keeper->SetOnExit([&](TObject*) { keeper->SetFocus(); });
  keeper->SetFocus();
  PressAt(button->GetHandle(), 5, 5);
  EXPECT_TRUE(keeper->Focused());
  EXPECT_EQ(2, clicks);
}

TEST_F(ControlsOnAForm, ACheckBoxStepsItsStateOnEachClick) {
  auto* box = Make<TCheckBox>(10, 10);
  box->SetCaption("Remember");
  std::vector<TCheckBoxState> clicked;
  box->SetOnClick([&](TObject*) { clicked.push_back(box->GetState()); });
  form->Show();
  HWND window = box->GetHandle();
  SendMessageA(window, BM_CLICK, 0, 0);
  SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<TCheckBoxState>{cbChecked, cbUnchecked}), clicked);
  box->SetAllowGrayed(true);
  clicked.clear();
  for (int i = 0; i < 3; ++i) SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}), clicked);
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(window, BM_GETCHECK, 0, 0));
  // Code changes the state the same way, and the window shows it.
  clicked.clear();
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ((std::vector<TCheckBoxState>{cbChecked}), clicked);
  EXPECT_EQ(BST_CHECKED, SendMessageA(window, BM_GETCHECK, 0, 0));
  box->SetState(cbGrayed);
  EXPECT_FALSE(box->GetChecked());
  // The caption goes left of the box in a new window that keeps the state.
  box->SetAlignment(taLeftJustify);
  EXPECT_NE(window, box->GetHandle());
  EXPECT_TRUE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(BST_INDETERMINATE, SendMessageA(box->GetHandle(), BM_GETCHECK, 0, 0));
  EXPECT_THROW(box->SetAlignment(taCenter), EInvalidOperation);
}

TEST_F(ControlsOnAForm, ALabelFitsItsTextAndKeepsItsRightEdgeWhenRightJustified) {
  auto* label = Make<TLabel>(100, 10);
  label->SetCaption("Short");
  int shortWidth = label->GetWidth();
  label->SetCaption("A much longer caption");
  EXPECT_GT(label->GetWidth(), shortWidth);
  EXPECT_EQ(100, label->GetLeft());
  label->SetAlignment(taRightJustify);
  int right = label->GetLeft() + label->GetWidth();
  label->SetCaption("Short");
  EXPECT_EQ(right, label->GetLeft() + label->GetWidth());
  EXPECT_EQ(shortWidth, label->GetWidth());
  // "&" marks the accelerator and takes no room, unless accelerators are off.
  label->SetCaption("&Short");
  EXPECT_EQ(shortWidth, label->GetWidth());
  label->SetShowAccelChar(false);
  EXPECT_GT(label->GetWidth(), shortWidth);
  // Word wrap breaks the lines within the width and grows the height.
  label->SetAutoSize(false);
  label->SetWidth(40);
  label->SetWordWrap(true);
  label->SetCaption("one two three four");
  label->SetAutoSize(true);
  EXPECT_LE(label->GetWidth(), 40);
  EXPECT_GE(label->GetHeight(), 3 * 13);
  EXPECT_FALSE(label->GetTransparent());
  label->SetTransparent(true);
  EXPECT_FALSE(label->GetControlStyle().Contains(csOpaque));
}

TEST_F(ControlsOnAForm, ALabelForgetsAFreedFocusControlAndHonoursShowAccelChar) {
  auto* label = Make<TLabel>(10, 10);
  auto* edit = Make<TEdit>(60, 10);
  auto* other = Make<TEdit>(60, 40);
  label->SetCaption("&City");
  label->SetFocusControl(edit);
  form->Show();
  other->SetFocus();
  EXPECT_EQ(1, form->Perform(CM_DIALOGCHAR, 'c', 0));
  EXPECT_TRUE(edit->Focused());
  label->SetShowAccelChar(false);
  other->SetFocus();
  EXPECT_EQ(0, form->Perform(CM_DIALOGCHAR, 'c', 0));
  EXPECT_TRUE(other->Focused());
  edit->Free();
  EXPECT_EQ(nullptr, label->GetFocusControl());
  label->SetShowAccelChar(true);
  EXPECT_EQ(0, form->Perform(CM_DIALOGCHAR, 'c', 0));
}

TEST_F(ControlsOnAForm, AGroupBoxKeepsAlignedChildrenInsideItsFrame) {
  auto* box = Make<TGroupBox>(10, 10);
  box->SetCaption("Frame");
  auto* inner = new TListBox(form);
  inner->SetParent(box);
  inner->SetAlign(alClient);
  form->Show();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, box->GetFont()->GetHandle());
  SIZE size{};
  GetTextExtentPoint32A(dc, "0", 1, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(2, inner->GetLeft());
  EXPECT_EQ(size.cy + 2, inner->GetTop());
  EXPECT_EQ(box->GetClientWidth() - 4, inner->GetWidth());
  EXPECT_EQ(box->GetClientHeight() - size.cy - 4, inner->GetHeight());
  EXPECT_TRUE(box->GetControlStyle().Contains(csAcceptsControls));
}
