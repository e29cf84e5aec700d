// The dialog edits: their dialogs driven as a user would, their settings and their form files.
#include <gtest/gtest.h>

#include "controls/Orvbtnedit.h"
#include "dialogs/Orvcommdlg.h"
#include "framework/ClassesFiler.h"
#include "framework/Forms.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class DialogEditsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetName("EditsForm");
    form->SetBounds(100, 100, 500, 300);
    form->Show();
  }
  void TearDown() override {
    if (form) form->Free();
    Application->ProcessMessages();
  }
  template <typename T>
  T* Place(const char* name) {
    auto* edit = new T(form);
    edit->SetName(name);
    edit->SetParent(form);
    edit->SetOnBeforeDialog([this](TObject* sender) { log.push_back("before " + dynamic_cast<TComponent*>(sender)->GetName()); });
    edit->SetOnChange([this](TObject*) { log.push_back("change"); });
    edit->SetOnAfterDialog([this](TObject*) { log.push_back("after"); });
    return edit;
  }

  ScratchFolder folder;
  TForm* form = nullptr;
  std::vector<String> log;
};

}  // namespace

// The typical request: Alt+Down in a directory edit opens the folder browser on the edit's
// directory; the chosen folder becomes Directory and shows shortened; the events come in order.
TEST_F(DialogEditsTest, DirectoryEditChoosesAFolderAndShowsItShortened) {
  String deep = folder.File("a rather long folder name that cannot fit");
  CreateDirectoryA(deep.c_str(), nullptr);
  auto* edit = Place<TOrvDirEdit>("Dir");
  EXPECT_EQ(200, edit->GetWidth());
  EXPECT_EQ(btDirectory, edit->GetBtnType());
  edit->SetDirectory(folder.Path());
  int owned = edit->GetComponentCount();
  log.clear();
  DialogDriver driver;
  driver.Expect("").ChooseFolder(deep).PressOk();
  edit->SetFocus();
  SendMessageA(edit->GetHandle(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  EXPECT_TRUE(driver.AllDone());

  EXPECT_TRUE(SameText(deep, edit->GetDirectory())) << edit->GetDirectory();
  // Shortened to fit: directory names give way first, the folder's own name stays.
  EXPECT_LT(edit->GetText().size(), deep.size());
  EXPECT_EQ(deep.substr(deep.size() - 8), edit->GetText().substr(edit->GetText().size() - 8)) << edit->GetText();
  EXPECT_EQ((std::vector<String>{"before Dir", "change", "after"}), log);
  EXPECT_EQ(owned, edit->GetComponentCount()) << "the browser is freed";

  // Typing changes nothing.
  SendMessageA(edit->GetHandle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(String::npos, edit->GetText().find('x'));
}

TEST_F(DialogEditsTest, FileEditStartsTheDialogOnItsPathAndTakesTheChosenFile) {
  String current = folder.WriteFile("current.txt", "c");
  String chosen = folder.WriteFile("next.txt", "n");
  auto* edit = Place<TOrvFileEdit>("File");
  EXPECT_EQ(btOpenFile, edit->GetBtnType());
  EXPECT_EQ((TOpenOptions{ofHideReadOnly, ofPathMustExist, ofFileMustExist}), edit->GetDialogOptions());
  EXPECT_EQ("All Files (*.*)|*.*", edit->GetDialogFilter());
  edit->SetDialogTitle("Pick a file");
  edit->SetFilePath(current);
  log.clear();
  edit->SetFilePath(current);
  EXPECT_TRUE(log.empty()) << "the same path again touches nothing";

  String startName;
  DialogDriver driver;
  driver.Expect("Pick a file")
      .Do([&](HWND dialog) {
        char text[MAX_PATH] = {};
        SendMessageA(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(text));
        startName = text;
      })
      .ChooseFile(chosen)
      .PressOk();
  edit->DoClick();
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ("current.txt", startName);
  EXPECT_TRUE(SameText(chosen, edit->GetFilePath())) << edit->GetFilePath();
  EXPECT_EQ((std::vector<String>{"before File", "change", "after"}), log);

  edit->SetFileNameOnly(true);
  EXPECT_EQ("next.txt", edit->GetText());
  edit->SetFileNameOnly(false);
  EXPECT_TRUE(SameText(chosen, edit->GetText()) || edit->GetText().find("...") != String::npos) << edit->GetText();

  // Cancel keeps the value and still raises OnAfterDialog.
  log.clear();
  DialogDriver cancel;
  cancel.Expect("Pick a file").PressCancel();
  edit->DoClick();
  EXPECT_TRUE(SameText(chosen, edit->GetFilePath()));
  EXPECT_EQ((std::vector<String>{"before File", "after"}), log);
}

// The dialog settings and the width are initial values: a font change (which re-creates the
// window) or a width from a form file is kept; a value set before there is a parent shows later.
TEST_F(DialogEditsTest, SettingsAreInitialValuesAndValuesWaitForTheWindow) {
  auto* edit = new TOrvWaveEdit(form);
  edit->SetFilePath("C:\\sounds\\ding.wav");
  EXPECT_FALSE(edit->HandleAllocated());
  edit->SetFileNameOnly(true);
  edit->SetWidth(300);
  edit->SetDialogFilter("Sounds|*.wav");
  edit->SetParent(form);
  edit->HandleNeeded();
  EXPECT_EQ("ding.wav", edit->GetText());
  EXPECT_EQ("Select Wave File", edit->GetDialogTitle());
  edit->GetFont()->SetSize(14);
  edit->HandleNeeded();
  EXPECT_EQ(300, edit->GetWidth());
  EXPECT_EQ("Sounds|*.wav", edit->GetDialogFilter());
  EXPECT_EQ(btOpenFile, edit->GetBtnType());
}

TEST_F(DialogEditsTest, WaveEditStartsItsDialogWithItsAutoPlay) {
  String wave = folder.WriteFile("ding.wav", "RIFF");
  auto* edit = Place<TOrvWaveEdit>("Wave");
  EXPECT_EQ("Wave Files (*.wav)|*.wav", edit->GetDialogFilter());
  edit->SetFilePath(wave);
  edit->SetDialogAutoPlay(true);
  bool ticked = false;
  DialogDriver driver;
  driver.Expect("Select Wave File")
      .Do([&](HWND) {
        for (int i = 0; i < form->GetComponentCount(); ++i)
          if (auto* d = dynamic_cast<TOrvOpenWaveDialog*>(form->GetComponents(i))) ticked = d->GetChkAutoPlay()->GetChecked();
      })
      .PressCancel();
  edit->DoClick();
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(ticked);
  EXPECT_TRUE(edit->GetDialogAutoPlay());
}

TEST_F(DialogEditsTest, TheThreeEditsRoundTripThroughAFormFile) {
  auto* dir = Place<TOrvDirEdit>("Dir");
  dir->SetDirectory("C:\\windows");
  auto* file = Place<TOrvFileEdit>("File");
  file->SetFilePath("C:\\windows\\win.ini");
  file->SetFileNameOnly(true);
  file->SetDialogTitle("Settings");
  auto* wave = Place<TOrvWaveEdit>("Wave");
  wave->SetDialogUseRegistry(true);
  String text = WriteComponentToText(form);
  EXPECT_EQ(String::npos, text.find("ReadOnly =")) << text;
  EXPECT_EQ(String::npos, text.find("ButtonType =")) << text;
  EXPECT_NE(String::npos, text.find("FileNameOnly = True")) << text;
  EXPECT_NE(String::npos, text.find("DialogAutoPlay = False")) << "Booleans are always written\n" << text;
  form->Free();
  form = new TForm(Application);
  ReadComponentFromText(text, form);
  EXPECT_EQ(text, WriteComponentToText(form));
  auto* read = dynamic_cast<TOrvFileEdit*>(form->FindComponent("File"));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ("C:\\windows\\win.ini", read->GetFilePath());
  EXPECT_EQ("Settings", read->GetDialogTitle());
}
