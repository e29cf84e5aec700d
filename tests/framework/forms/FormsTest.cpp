// Forms loaded from form-file resources: showing, focus, keys, mouse, modal runs and closing.
#include <gtest/gtest.h>

#include "tests/support/TestControls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// Sends a key the way a user's key press arrives: posted to the focused window and taken
// through the application's message loop, whose translation makes the WM_CHAR.
void PressKey(uint16_t key) {
  HWND focus = GetFocus();
  ASSERT_NE(nullptr, focus);
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  Application->ProcessMessages();
}

TTestMainForm* modalForm = nullptr;
void CALLBACK ClickOk(HWND, UINT, UINT_PTR, DWORD) { modalForm->OkButton->Click(); }

void Click(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { form = new TTestMainForm(Application); }
  void TearDown() override {
    if (form) form->Free();
    Application->ProcessMessages();
  }
  TTestMainForm* form = nullptr;
};

}  // namespace

TEST_F(FormTest, LoadsFromItsResourceWithFieldsEventsAndLayout) {
  EXPECT_EQ("Settings", form->GetCaption());
  EXPECT_EQ(bsDialog, form->GetBorderStyle());
  EXPECT_EQ(300, form->GetClientWidth());
  EXPECT_EQ(200, form->GetClientHeight());
  ASSERT_TRUE(form->NameEdit && form->CityEdit && form->Header && form->Badge && form->OkButton);
  EXPECT_EQ(form->Header, form->Badge->GetParent());
  EXPECT_EQ(form, form->NameEdit->GetParent());
  EXPECT_EQ((std::vector<String>{"create with fields"}), form->log) << "OnCreate runs after the form file is read";
  // The header is aligned to the top: full client width.
  EXPECT_EQ(0, form->Header->GetLeft());
  EXPECT_EQ(300, form->Header->GetWidth());
  EXPECT_FALSE(form->GetVisible());
}

TEST_F(FormTest, ShowsCentredAndFocusesTheFirstControlInTabOrder) {
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
  EXPECT_TRUE(IsWindowVisible(form->NameEdit->GetHandle())) << "children are created with the form";
  RECT r;
  GetWindowRect(form->GetHandle(), &r);
  EXPECT_EQ((Screen->GetWidth() - (r.right - r.left)) / 2, r.left);
  EXPECT_EQ((Screen->GetHeight() - (r.bottom - r.top)) / 2, r.top);
  EXPECT_EQ(Application->GetHandle(), GetWindow(form->GetHandle(), GW_OWNER)) << "the application window owns forms";
  EXPECT_TRUE(form->NameEdit->Focused());
  EXPECT_EQ(form->NameEdit, form->GetActiveControl());
  EXPECT_EQ((std::vector<String>{"create with fields", "show", "enter NameEdit"}), form->log);
}

TEST_F(FormTest, TheClientSizeSetBeforeTheWindowExistsIsTheShownClientArea) {
  form->Show();
  RECT client;
  ::GetClientRect(form->GetHandle(), &client);
  EXPECT_EQ(300, client.right) << "read from the form file before the window was made";
  EXPECT_EQ(200, client.bottom);

  TForm plain(nullptr);
  plain.SetBorderStyle(bsSizeable);
  plain.SetClientWidth(240);
  plain.SetClientHeight(120);
  EXPECT_EQ(240, plain.GetClientWidth());
  EXPECT_GT(plain.GetWidth(), 240) << "the frame is added to the outer size";
  plain.HandleNeeded();
  ::GetClientRect(plain.GetHandle(), &client);
  EXPECT_EQ(240, client.right);
  EXPECT_EQ(120, client.bottom);
}

TEST_F(FormTest, TabMovesTheFocusWithExitAndEnterInOrder) {
  form->Show();
  form->log.clear();
  PressKey(VK_TAB);
  EXPECT_TRUE(form->CityEdit->Focused());
  // Tab is a dialog key: the form moves the focus and no OnKeyDown sees it.
  EXPECT_EQ((std::vector<String>{"exit NameEdit", "enter CityEdit"}), form->log);
  form->log.clear();
  form->NameEdit->SetFocus();
  EXPECT_EQ((std::vector<String>{"exit CityEdit", "enter NameEdit"}), form->log);
  // Disabling the focused control's parent chain makes it unfocusable.
  form->CityEdit->SetEnabled(false);
  EXPECT_FALSE(form->CityEdit->CanFocus());
  EXPECT_THROW(form->CityEdit->SetFocus(), EInvalidOperation);
}

TEST_F(FormTest, KeysReachThePreviewingFormThenTheControl) {
  form->Show();
  form->log.clear();
  PressKey('X');
  EXPECT_EQ((std::vector<String>{"form key 88", "press x"}), form->log);
  EXPECT_EQ("y", form->NameEdit->GetText()) << "the handler's changed key is what the edit receives";
  EXPECT_NE(0u, form->NameEdit->commands.size()) << "EN_CHANGE came back to the edit as CN_COMMAND";
  EXPECT_EQ(static_cast<unsigned>(EN_CHANGE), form->NameEdit->commands.back());
}

TEST_F(FormTest, EnterIsADialogKeyForTheDefaultButton) {
  form->Show();
  form->log.clear();
  PressKey(VK_RETURN);
  EXPECT_EQ((std::vector<String>{"ok"}), form->log) << "the button, not OnKeyDown, takes Enter";
}

TEST_F(FormTest, GraphicControlsGetTheirMouseMessagesAndEnterLeave) {
  form->Show();
  HWND header = form->Header->GetHandle();
  SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
  SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(15, 10));
  Click(header, 15, 10);
  SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
  EXPECT_EQ((std::vector<String>{"enter", "down 5,5", "leave"}), form->Badge->log);
  EXPECT_EQ("click Badge", form->log.back());
}

TEST_F(FormTest, ShowModalRunsUntilAResultIsSetAndCloseCanBeRefused) {
  // A timer clicks OK while the modal loop runs; OnCloseQuery refuses the first close.
  modalForm = form;
  int queries = 0;
  form->SetOnCloseQuery([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
  UINT_PTR timer = SetTimer(nullptr, 0, 20, ClickOk);
  ASSERT_NE(0u, timer);
  TModalResult result = form->ShowModal();
  KillTimer(nullptr, timer);
  EXPECT_EQ(mrOk, result);
  EXPECT_EQ(2, queries);
  EXPECT_FALSE(form->GetVisible());
  EXPECT_FALSE(form->GetFormState().Contains(fsModal));
}

TEST_F(FormTest, ShowModalOfAVisibleFormIsRefused) {
  form->Show();
  try {
    form->ShowModal();
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ("Cannot make a visible window modal", e.Message());
  }
}

TEST_F(FormTest, CloseHidesOrFreesAsOnCloseSays) {
  form->Show();
  form->Close();
  EXPECT_FALSE(form->GetVisible());
  EXPECT_EQ("close", form->log.back());
  form->Show();
  form->closeAction = caNone;
  form->Close();
  EXPECT_TRUE(form->GetVisible());
  form->closeAction = caFree;
  bool destroyed = false;
  form->SetOnDestroy([&](TObject*) { destroyed = true; });
  form->Close();
  EXPECT_FALSE(destroyed) << "freed only once the current messages are done";
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);
  form = nullptr;
}

TEST_F(FormTest, RecreatingAWindowKeepsTextAndState) {
  form->Show();
  form->NameEdit->SetText("kept");
  HWND before = form->NameEdit->GetHandle();
  int made = form->NameEdit->recreations;
  form->NameEdit->RecreateWnd();
  EXPECT_NE(before, form->NameEdit->GetHandle());
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(made + 1, form->NameEdit->recreations);
  EXPECT_EQ("kept", form->NameEdit->GetText());
  EXPECT_TRUE(form->NameEdit->Focused()) << "a focused control keeps the focus";
}

TEST_F(FormTest, PaintingReachesCustomAndGraphicControls) {
  form->Show();
  UpdateWindow(form->GetHandle());
  RedrawWindow(form->Header->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_GT(form->Header->paints, 0);
  EXPECT_GT(form->Badge->paints, 0);
  // The panel is navy and the badge red where they are drawn into a bitmap through WM_PRINT.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 300, 40);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageA(form->Header->GetHandle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(RGB(0, 0, 128), GetPixel(dc, 100, 30));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 15, 10));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

TEST(ParentForm, IsTheTopmostParentWhenItIsAForm) {
  TForm form(nullptr);
  auto* panel = new TTestPanel(&form);
  panel->SetParent(&form);
  auto* shape = new TTestShape(&form);
  shape->SetParent(panel);
  EXPECT_EQ(&form, GetParentForm(shape));
  TTestPanel loose(nullptr);
  EXPECT_EQ(nullptr, GetParentForm(&loose));
}
