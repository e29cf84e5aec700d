// The variables form, shown as TOrvWise::DisplayVars shows it and played by the dialog driver.
#include <gtest/gtest.h>

#include "install/Orvformwisevars.h"
#include "tests/install/WiseTestBlock.h"
#include "tests/support/DialogDriver.h"

namespace Tovix::Testing {

// The lines of the dialog's list box, read with the list box's own messages.
std::vector<String> WiseFormLines(HWND dialog) {
  HWND list = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child && !list; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (UpperCase(name).find("LISTBOX") != String::npos) list = child;
  }
  std::vector<String> lines;
  LRESULT count = list ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
  for (LRESULT i = 0; i < count; ++i) {
    String line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(line);
  }
  return lines;
}

namespace {

TEST(WiseForm, ListsTheBlockAndClosesWithEnterOrEscape) {
  WiseTestBlock block(3, 260, 20);
  block.PutSlot(0, "%MAINDIR%", "D:\\Prog");
  block.PutSlot(1, "%GROUP%", "Tools");
  block.SetParamString("/S");
  WiseTestBlock empty(3, 10, 10);
  String before = block.Bytes();

  DialogDriver driver;
  driver.Expect("Wise Parameters").Do([](HWND dialog) {
    EXPECT_EQ((std::vector<String>{"0:  %MAINDIR% = 'D:\\Prog'", "1:  %GROUP% = 'Tools'"}), WiseFormLines(dialog));
    auto* form = dynamic_cast<TOrvFmWiseVars*>(TWinControl::FindControl(dialog));
    ASSERT_NE(nullptr, form);
    EXPECT_EQ("2 Variables:", form->lblVarCount->GetCaption());
    EXPECT_EQ("String Parameter:  /S", form->lblStrParam->GetCaption());
    EXPECT_EQ("Max Variables:  3", form->lblMaxVars->GetCaption());
    EXPECT_EQ("Max width of variable names:  260", form->lblNameWidth->GetCaption());
    EXPECT_EQ("Max width of variable Values:  20", form->lblValWidth->GetCaption());
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(386, client.right);
    EXPECT_EQ(321, client.bottom);
    EXPECT_NE(0, SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
  }).PressKey(VK_RETURN);
  driver.Expect("Wise Parameters").Do([](HWND dialog) {
    EXPECT_TRUE(WiseFormLines(dialog).empty());
    EXPECT_EQ("0 Variables:", dynamic_cast<TOrvFmWiseVars*>(TWinControl::FindControl(dialog))->lblVarCount->GetCaption());
  }).PressKey(VK_ESCAPE);
  TOrvWise(block.Params()).DisplayVars();
  TOrvWise(empty.Params()).DisplayVars();
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(before, block.Bytes());
}

TEST(WiseForm, RefusesMissingOrBadBlocksWithoutShowing) {
  DialogDriver driver;  // no window may open
  WiseTestBlock block(3, 10, 10);
  TOrvWise wise(block.Params());
  block.Params()->Size = 44 + 64;
  EXPECT_EQ(0u, MessageOf([&] { wise.DisplayVars(); }).find("TOrvWise.Create - Bad Wise record length."));
  auto* form = new TOrvFmWiseVars(nullptr);
  EXPECT_EQ(SOrvFmWiseVarsNilParams, MessageOf([&] { form->SetWiseParams(nullptr); }));
  EXPECT_EQ(SOrvFmWiseVarsShowNilParams, MessageOf([&] { form->ShowModal(); }));
  form->Free();
  EXPECT_TRUE(driver.AllDone());
}

}  // namespace
}  // namespace Tovix::Testing
