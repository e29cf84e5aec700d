// The dialog driver itself: it must find dialogs, act on them, and fail a test rather than hang.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"

#include <shlobj.h>

using namespace Tovix;
using namespace Tovix::Testing;

TEST(DialogDriver, ClosesAMessageBoxWithTheNamedButton) {
  DialogDriver driver;
  driver.Expect("Question").Press("&No");
  EXPECT_EQ(IDNO, MessageBoxA(nullptr, "Go on?", "Question", MB_YESNO));
  driver.Expect("Note").PressOk();
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Done.", "Note", MB_OK));
  EXPECT_TRUE(driver.AllDone());
}

TEST(DialogDriver, ChoosesAFolderInTheShellFolderDialog) {
  ScratchFolder folder;
  DialogDriver driver;
  driver.Expect("").ChooseFolder(folder.Path()).PressOk();
  BROWSEINFOA info = {};
  char name[MAX_PATH] = {};
  info.pszDisplayName = name;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  ASSERT_NE(nullptr, chosen);
  char path[MAX_PATH] = {};
  SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  EXPECT_TRUE(SameText(folder.Path(), path)) << path;
}

TEST(DialogDriver, ClosesAModalFormAsItsCloseBoxWould) {
  TForm form(nullptr);
  form.SetCaption("Modal form");
  DialogDriver driver;
  driver.Expect("Modal form").Close();
  EXPECT_EQ(mrCancel, form.ShowModal());
  EXPECT_TRUE(driver.AllDone());
}

TEST(DialogDriver, ADialogThatDoesNotComeFailsTheTestAndWhateverOpensIsCancelled) {
  // Another box opens instead of the expected one: after the timeout the driver reports it and
  // cancels the box, so the call returns.
  int result = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        DialogDriver driver(300);
        driver.Expect("Expected");
        result = MessageBoxA(nullptr, "Unexpected", "Other", MB_OKCANCEL);
      },
      "dialog 'Expected' did not open within 300 ms");
  EXPECT_EQ(IDCANCEL, result);
}

TEST(DialogDriver, AStepThatCannotBeDoneFailsTheTest) {
  int result = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        DialogDriver driver(2000);
        driver.Expect("Box").Press("Maybe");
        result = MessageBoxA(nullptr, "?", "Box", MB_YESNO);
      },
      "no button 'Maybe'");
  EXPECT_NE(0, result);
}

TEST(DialogDriver, ExpectedDialogsThatNeverOpenFailWhenTheDriverGoes) {
  EXPECT_NONFATAL_FAILURE(
      {
        DialogDriver driver;
        driver.Expect("Ghost");
      },
      "dialog 'Ghost' never opened");
}
