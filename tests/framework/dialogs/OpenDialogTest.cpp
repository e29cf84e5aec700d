// TOpenDialog on the system's open dialog, driven as a user would drive it.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/ClassesFiler.h"
#include "framework/Dialogs.h"
#include "tests/support/ControlPictures.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const int kRememberBox = 200;  // the extra check box of TESTOPENTEMPLATE

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pathA = folder.WriteFile("a.txt", "a");
    pathB = folder.WriteFile("b.txt", "b");
    folder.WriteFile("c.dat", "c");
    dialog = new TOpenDialog(nullptr);
    dialog->SetInitialDir(folder.Path());
    dialog->SetFilter("Text files (*.txt)|*.txt|All files|*.*");
    dialog->SetOnShow([this](TObject*) { log.push_back("show"); });
    dialog->SetOnSelectionChange([this](TObject*) { log.push_back("selection " + ExtractFileName(dialog->GetFileName())); });
    dialog->SetOnClose([this](TObject*) { log.push_back("close"); });
  }
  void TearDown() override {
    delete dialog;
    Application->SetOnException(TExceptionEvent());
  }

  ScratchFolder folder;
  String pathA, pathB;
  TOpenDialog* dialog = nullptr;
  std::vector<String> log;
};

}  // namespace

TEST_F(OpenDialogTest, TemplateExtendsTheDialogAndTheHooksReportShowSelectionAndClose) {
  dialog->SetTemplate("TESTOPENTEMPLATE");
  TForm owner(nullptr);
  owner.Show();
  HWND shownHandle = nullptr;
  TRect staticRect{}, client{};
  bool ownerEnabled = true, remembered = false;
  DialogDriver driver;
  driver.Expect("Open")
      .Do([&](HWND window) {
        shownHandle = dialog->GetHandle();
        staticRect = dialog->GetStaticRect();
        GetClientRect(window, &client);
        ownerEnabled = IsWindowEnabled(owner.GetHandle()) != 0;
      })
      .SelectFile("b.txt")
      .Tick("Remember")
      .Do([&](HWND) { remembered = IsDlgButtonChecked(dialog->GetHookHandle(), kRememberBox) == BST_CHECKED; })
      .ChooseFile(pathA)
      .PressOk();
  EXPECT_TRUE(dialog->Execute());
  EXPECT_TRUE(driver.AllDone());

  EXPECT_EQ(pathA, dialog->GetFileName());
  ASSERT_EQ(1, dialog->GetFiles()->GetCount());
  EXPECT_EQ(pathA, dialog->GetFiles()->GetStrings(0));
  // The system may also report the folder as selected at first; the file's selection must come.
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ("show", log.front());
  EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "selection b.txt"));
  EXPECT_EQ("close", log.back());

  // While shown: Handle was the dialog itself, the template's child dialog inside it.
  EXPECT_NE(nullptr, shownHandle);
  EXPECT_FALSE(ownerEnabled) << "the owner is disabled while the dialog is shown";
  EXPECT_TRUE(remembered) << "the template's own check box was there to tick";
  // The standard controls lie in the top part; the template's controls take the rest below.
  EXPECT_EQ(0, staticRect.left);
  EXPECT_EQ(0, staticRect.top);
  EXPECT_GT(staticRect.bottom, 100);
  EXPECT_LT(staticRect.bottom, client.bottom);
  // Afterwards everything is back.
  EXPECT_EQ(nullptr, dialog->GetHandle());
  EXPECT_EQ(nullptr, dialog->GetHookHandle());
  EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
  EXPECT_EQ(0, dialog->GetStaticRect().right);
}

TEST_F(OpenDialogTest, CancelReturnsFalseAndKeepsTheFileName) {
  dialog->SetFileName("C:\\kept.txt");
  dialog->SetTitle("Pick one");
  DialogDriver driver;
  driver.Expect("Pick one").PressCancel();
  EXPECT_FALSE(dialog->Execute());
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ("C:\\kept.txt", dialog->GetFileName());
  EXPECT_EQ(0, dialog->GetFiles()->GetCount());
  EXPECT_EQ("close", log.back());
  EXPECT_EQ(nullptr, dialog->GetHandle());
}

TEST_F(OpenDialogTest, OnCanCloseKeepsTheDialogOpen) {
  int asked = 0;
  dialog->SetOnCanClose([&](TObject*, bool& canClose) { canClose = ++asked > 1; });
  bool stillOpen = false;
  DialogDriver driver;
  driver.Expect("Open")
      .ChooseFile(pathB)
      .PressOk()
      .Do([&](HWND window) { stillOpen = IsWindowVisible(window) && dialog->GetHandle() == window; })
      .PressOk();
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(2, asked);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(pathB, dialog->GetFileName());
}

TEST_F(OpenDialogTest, SeveralFilesWithMultiSelect) {
  dialog->SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  DialogDriver driver;
  driver.Expect("Open").ChooseFile("\"a.txt\" \"b.txt\"").PressOk();
  ASSERT_TRUE(dialog->Execute());
  ASSERT_EQ(2, dialog->GetFiles()->GetCount());
  EXPECT_TRUE(SameText(pathA, dialog->GetFiles()->GetStrings(0)));
  EXPECT_TRUE(SameText(pathB, dialog->GetFiles()->GetStrings(1)));
  EXPECT_EQ(dialog->GetFiles()->GetStrings(0), dialog->GetFileName());
}

// The dialog writes the chosen name over the one it started on: what is left of a longer start
// name behind the chosen name's end is not part of the result, with or without multi-select.
TEST_F(OpenDialogTest, AShorterChosenNameThanTheStartingOneComesBackWhole) {
  String current = folder.WriteFile("current.txt", "c");
  String next = folder.WriteFile("next.txt", "n");
  for (bool multiSelect : {false, true}) {
    if (multiSelect) dialog->SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
    dialog->SetFileName(current);
    DialogDriver driver;
    driver.Expect("Open").ChooseFile(next).PressOk();
    ASSERT_TRUE(dialog->Execute()) << multiSelect;
    EXPECT_TRUE(SameText(next, dialog->GetFileName())) << dialog->GetFileName();
    ASSERT_EQ(1, dialog->GetFiles()->GetCount()) << multiSelect;
    EXPECT_EQ(dialog->GetFileName(), dialog->GetFiles()->GetStrings(0));
  }
}

TEST_F(OpenDialogTest, DefaultExtensionIsAddedWithOrWithoutItsDot) {
  for (const char* extension : {".txt", "txt"}) {
    dialog->SetDefaultExt(extension);
    DialogDriver driver;
    driver.Expect("Open").ChooseFile(folder.File("a")).PressOk();
    ASSERT_TRUE(dialog->Execute()) << extension;
    EXPECT_TRUE(SameText(pathA, dialog->GetFileName())) << extension;
  }
}

TEST_F(OpenDialogTest, FilterIndexComesBackAsChosen) {
  dialog->SetFilterIndex(2);
  DialogDriver driver;
  driver.Expect("Open").SelectFile("c.dat").PressOk();
  ASSERT_TRUE(dialog->Execute()) << "c.dat is listed only under the second filter";
  EXPECT_EQ(2, dialog->GetFilterIndex());
  EXPECT_EQ("c.dat", ExtractFileName(dialog->GetFileName()));
}

TEST_F(OpenDialogTest, ATemplateThatIsNotThereIsAClearError) {
  dialog->SetTemplate("NOSUCHTEMPLATE");
  TForm owner(nullptr);
  owner.Show();
  DialogDriver driver(2000);
  try {
    dialog->Execute();
    FAIL() << "no error";
  } catch (const ECommonDialogError& e) {
    EXPECT_EQ("Dialog template NOSUCHTEMPLATE not found", e.Message());
  }
  EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

TEST_F(OpenDialogTest, WithoutTemplateTheStaticRectIsTheClientArea) {
  TRect staticRect{}, client{};
  DialogDriver driver;
  driver.Expect("Open")
      .Do([&](HWND window) {
        staticRect = dialog->GetStaticRect();
        GetClientRect(window, &client);
      })
      .PressCancel();
  dialog->Execute();
  EXPECT_TRUE(EqualRect(&staticRect, &client));
  EXPECT_GT(client.right, 0);
}

TEST_F(OpenDialogTest, OldStyleDialogHasNoTemplateAndItsClientAreaAsStaticRect) {
  dialog->SetOptions(TOpenOptions{ofOldStyleDialog, ofFileMustExist});
  dialog->SetTemplate("TESTOPENTEMPLATE");  // ignored by an old-style dialog
  dialog->SetTitle("Old style");
  TRect staticRect{}, client{};
  HWND hook = nullptr, handle = nullptr;
  DialogDriver driver;
  driver.Expect("Old style")
      .Do([&](HWND window) {
        staticRect = dialog->GetStaticRect();
        GetClientRect(window, &client);
        hook = dialog->GetHookHandle();
        handle = dialog->GetHandle();
      })
      .ChooseFile(pathB)
      .PressOk();
  EXPECT_TRUE(dialog->Execute());
  EXPECT_TRUE(SameText(pathB, dialog->GetFileName()));
  EXPECT_EQ(handle, hook) << "the hook runs in the dialog itself";
  EXPECT_TRUE(EqualRect(&staticRect, &client));
  EXPECT_EQ("show", log.front());
  EXPECT_EQ("close", log.back());
}

TEST_F(OpenDialogTest, AnExceptionInAHandlerGoesToTheApplicationAndTheDialogCarriesOn) {
  std::vector<String> reported;
  Application->SetOnException([&](TObject*, const Exception& e) { reported.push_back(e.Message()); });
  dialog->SetOnShow([](TObject*) { throw EConvertError("bad show"); });
  DialogDriver driver;
  driver.Expect("Open").ChooseFile(pathA).PressOk();
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ((std::vector<String>{"bad show"}), reported);
}

TEST_F(OpenDialogTest, OptionsAreWrittenToFormFilesAndReadBack) {
  dialog->SetName("OpenDialog1");
  dialog->SetOptions(TOpenOptions{ofHideReadOnly, ofFileMustExist});
  dialog->SetTitle("Choose");
  String text = WriteComponentToText(dialog);
  EXPECT_NE(String::npos, text.find("Options = [ofHideReadOnly, ofFileMustExist]")) << text;
  EXPECT_EQ(String::npos, text.find("FilterIndex")) << "the default is not written";
  TOpenDialog copy(nullptr);
  ReadComponentFromText(text, &copy);
  EXPECT_EQ(dialog->GetOptions(), copy.GetOptions());
  EXPECT_EQ("Choose", copy.GetTitle());
  EXPECT_EQ(dialog->GetFilter(), copy.GetFilter());
}
