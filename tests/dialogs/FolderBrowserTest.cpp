// TOrvFolderBrowser on the shell's folder dialog, driven as a user would drive it.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/Orvfolderbrowser.h"
#include "framework/Forms.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/MallocSpy.h"
#include "tests/support/ResourceCounts.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// The shell's status line in its folder dialog.
const int kStatusLine = 0x3743;

std::vector<String>* beeps = nullptr;
ImportPatch* beepPatch = nullptr;
BOOL WINAPI RecordBeep(UINT type) {
  if (beeps) beeps->push_back("beep");
  return reinterpret_cast<BOOL(WINAPI*)(UINT)>(beepPatch->Original())(type);
}

// A system without common folders: the shell finds none of them.
HRESULT WINAPI NoSpecialFolder(HWND, int, LPITEMIDLIST* list) {
  *list = nullptr;
  return E_FAIL;
}

class FolderBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    first = folder.File("first");
    second = folder.File("second");
    CreateDirectoryA(first.c_str(), nullptr);
    CreateDirectoryA(second.c_str(), nullptr);
    browser = new TOrvFolderBrowser(nullptr);
    browser->SetOnOk([this](TObject*) { log.push_back("ok"); });
    browser->SetOnCancel([this](TObject*) { log.push_back("cancel"); });
    Application->SetOnException([this](TObject*, const Exception& e) { log.push_back("error " + e.Message()); });
    beeps = &log;
  }
  void TearDown() override {
    beeps = nullptr;
    delete browser;
    Application->SetOnException(TExceptionEvent());
  }
  void LogSelections() {
    browser->SetOnSelChange([this](TObject*) { log.push_back("selected " + ExtractFileName(browser->GetFolderPath())); });
  }

  ScratchFolder folder;
  String first, second;
  TOrvFolderBrowser* browser = nullptr;
  std::vector<String> log;
};

String StatusLine(HWND dialog) {
  char text[100] = {};
  GetDlgItemTextA(dialog, kStatusLine, text, sizeof text);
  return text;
}

}  // namespace

TEST_F(FolderBrowserTest, ChoosingAFolderBeepsBeforeEachSelectionAndGivesItsPath) {
  ImportPatch patch("user32.dll", "MessageBeep", reinterpret_cast<void*>(&RecordBeep));
  beepPatch = &patch;
  LogSelections();
  browser->SetCaption("Where to?");
  browser->SetStatusTextShown(true);
  browser->SetStatusText("first status");
  String statusShown, statusChanged;
  HWND openHandle = nullptr;
  DialogDriver driver;
  driver.Expect("Where to?")
      .Do([&](HWND dialog) {
        openHandle = browser->GetDialogHandle();
        statusShown = StatusLine(dialog);
        browser->SetStatusText("second status");
        statusChanged = StatusLine(dialog);
      })
      .ChooseFolder(first)
      .PressOk();
  ASSERT_TRUE(browser->Execute());
  EXPECT_TRUE(driver.AllDone());

  EXPECT_TRUE(SameText(first, browser->GetFolderPath())) << browser->GetFolderPath();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ((std::vector<String>{"beep", "selected first", "ok"}),
            std::vector<String>(log.end() - 3, log.end()));
  EXPECT_NE(nullptr, openHandle);
  EXPECT_EQ(nullptr, browser->GetDialogHandle());
  EXPECT_EQ("first status", statusShown);
  EXPECT_EQ("second status", statusChanged);
  EXPECT_NE(nullptr, browser->GetFolderObject()) << "the chosen folder's list is kept";
}

// Opening on the preset folder selects it and reports the selection change at once. (Moving the
// selection of the open dialog through FolderPath is not tested here: Wine's shell tree now and
// then ignores a selection asked for while it is open, so such a test fails at random.)
TEST_F(FolderBrowserTest, PresetFolderIsSelectedAndReportedOnOpening) {
  browser->SetFolderPath(first);
  ASSERT_NE(nullptr, browser->GetFolderObject());
  LogSelections();
  DialogDriver driver;
  driver.Expect("").WaitUntil("the preset's selection is reported", [this] { return !log.empty(); }).PressOk();
  ASSERT_TRUE(browser->Execute());
  EXPECT_TRUE(driver.AllDone()) << ::testing::PrintToString(log);
  EXPECT_EQ((std::vector<String>{"selected first", "ok"}), log);
  EXPECT_TRUE(SameText(first, browser->GetFolderPath())) << browser->GetFolderPath();
}

TEST_F(FolderBrowserTest, CancelOnANonexistentPresetSelectsNothingAndEmptiesFolderPath) {
  // Owned by a form, the dialog is the form's; the tests' other browsers have no owner window.
  delete browser;
  TForm form(nullptr);
  form.Show();
  browser = new TOrvFolderBrowser(&form);
  browser->SetOnCancel([this](TObject*) { log.push_back("cancel"); });
  HWND owner = nullptr;
  LogSelections();
  browser->SetFolderPath(folder.File("missing"));
  EXPECT_EQ(nullptr, browser->GetFolderObject());
  EXPECT_EQ(folder.File("missing"), browser->GetFolderPath());
  DialogDriver driver;
  driver.Expect("").Do([&](HWND dialog) { owner = GetWindow(dialog, GW_OWNER); }).PressCancel();
  EXPECT_FALSE(browser->Execute());
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ(form.GetHandle(), owner);
  EXPECT_EQ(std::vector<String>{"cancel"}, log);
  EXPECT_EQ("", browser->GetFolderPath());
  EXPECT_EQ(nullptr, browser->GetFolderObject());
  delete browser;
  browser = nullptr;
}

// A path the shell's buffer cannot hold whole is not cut short: cut, this one would name an
// existing folder (its first 259 characters), which is not the folder it names.
TEST_F(FolderBrowserTest, PathLongerThanTheShellBufferGetsNoPreselection) {
  String deep = first + "\\";
  deep += String(MAX_PATH - 1 - deep.size(), 'd');
  ASSERT_EQ(size_t(MAX_PATH - 1), deep.size());
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << GetLastError();
  browser->SetFolderPath(deep);
  EXPECT_NE(nullptr, browser->GetFolderObject()) << "a 259-character path fits";
  String longer = deep + "\\missing";
  browser->SetFolderPath(longer);
  EXPECT_EQ(nullptr, browser->GetFolderObject());
  EXPECT_EQ(longer, browser->GetFolderPath());
}

TEST_F(FolderBrowserTest, FailuresRaiseTheirMessagesAndAHandlersExceptionReachesTheApplication) {
  {
    ImportPatch patch("shell32.dll", "SHGetSpecialFolderLocation", reinterpret_cast<void*>(&NoSpecialFolder));
    browser->SetRootFolder(sfCommonStartup);
    try {
      browser->Execute();
      ADD_FAILURE() << "no exception";
    } catch (const EFolderBrowserError& e) {
      EXPECT_EQ("Common folders are available only to system administrators", e.Message());
    }
    browser->SetRootFolder(sfPersonal);
    try {
      browser->Execute();
      ADD_FAILURE() << "no exception";
    } catch (const EFolderBrowserError& e) {
      EXPECT_EQ("Folder browser unable to obtain root folder", e.Message());
    }
  }
  EXPECT_TRUE(log.empty()) << "no event is raised";

  // A second Execute from a handler of the open dialog is refused; the refusal goes to the
  // application, not through the shell's dialog, which goes on.
  browser->SetRootFolder(sfDrives);
  browser->SetOnSelChange([this](TObject*) { browser->Execute(); });
  DialogDriver driver;
  driver.Expect("").ChooseFolder(first).PressOk();
  EXPECT_TRUE(browser->Execute());
  EXPECT_TRUE(driver.AllDone());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ("error Folder browser is already open", log.front());
  EXPECT_EQ("ok", log.back());
}

TEST_F(FolderBrowserTest, SpecialFoldersMapToTheShellsNumbers) {
  EXPECT_EQ(CSIDL_APPDATA, TOrvFolderBrowser::SpecialFolderWinVal(sfAppData));
  EXPECT_EQ(CSIDL_BITBUCKET, TOrvFolderBrowser::SpecialFolderWinVal(sfRecycle));
  EXPECT_EQ(CSIDL_TEMPLATES, TOrvFolderBrowser::SpecialFolderWinVal(sfTemplates));
  EXPECT_EQ(CSIDL_DRIVES, TOrvFolderBrowser::SpecialFolderWinVal(static_cast<TOrvSpecialFolder>(22)));
}

TEST_F(FolderBrowserTest, OpenAndCancelCyclesLeaveNothingBehind) {
  browser->SetFolderPath(first);
  auto cycle = [&](bool choose) {
    DialogDriver driver;
    // OK takes the preset: moving the open dialog's selection is not dependable under Wine, and
    // every other test of choosing covers it; here what counts is what each way out leaves behind.
    if (choose) driver.Expect("").PressOk();
    else driver.Expect("").PressCancel();
    browser->Execute();
    browser->SetFolderPath(first);
  };
  cycle(true);
  cycle(false);
  int gdi = CountGdiObjects();
  int windows = CountThreadWindows();
  MallocSpy spy;
  // Mostly cancelled, every tenth taken with OK.
  for (int i = 0; i < 200; ++i) cycle(i % 10 == 0);
  EXPECT_EQ(gdi, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  delete browser;
  browser = nullptr;
  EXPECT_GT(spy.Allocations(), 100) << "the spy saw the shell's lists";
  EXPECT_EQ(0, spy.Outstanding()) << "every list the browser was given is freed";
}
