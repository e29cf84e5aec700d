// TOrvOpenWaveDialog on the system's open dialog with its play strip, driven as a user would.
#include <gtest/gtest.h>

#include "dialogs/Orvcommdlg.h"
#include "framework/ClassesFiler.h"
#include "framework/Forms.h"
#include "framework/Registry.h"
#include "tests/support/ControlPictures.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ResourceCounts.h"
#include "tests/support/ScratchFolder.h"

#include <mmsystem.h>

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const char kAutoPlayCaption[] = "Play Selected File Automatically";

// What PlaySoundA was asked (the platform answers success whether or not a sound plays).
struct PlayCall {
  String sound;
  DWORD flags;
};
std::vector<PlayCall> plays;
ImportPatch* playPatch = nullptr;
BOOL WINAPI RecordPlaySound(LPCSTR sound, HMODULE module, DWORD flags) {
  plays.push_back({sound ? sound : "", flags});
  return reinterpret_cast<BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD)>(playPatch->Original())(sound, module, flags);
}

// A wave file of a few silent samples.
String WaveBytes() {
  String fmt("\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00", 16);
  String data(8, '\x80');
  String riff = "WAVEfmt " + String("\x10\x00\x00\x00", 4) + fmt + "data" + String("\x08\x00\x00\x00", 4) + data;
  return "RIFF" + String(1, static_cast<char>(riff.size())) + String(3, '\0') + riff;
}

bool AutoPlayKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TOrvOpenWaveDialog::RegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class OpenWaveDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    waveA = folder.WriteFile("a.wav", WaveBytes());
    waveB = folder.WriteFile("b.wav", WaveBytes());
    dialog = new TOrvOpenWaveDialog(nullptr);
    dialog->SetInitialDir(folder.Path());
    dialog->SetOnClose([this](TObject*) { log.push_back("close"); });
    Application->SetOnException([this](TObject*, const Exception& e) { log.push_back("error " + e.Message()); });
    plays.clear();
  }
  void TearDown() override {
    delete dialog;
    Application->SetOnException(TExceptionEvent());
  }

  ScratchFolder folder;
  String waveA, waveB;
  TOrvOpenWaveDialog* dialog = nullptr;
  std::vector<String> log;
};

}  // namespace

TEST_F(OpenWaveDialogTest, NewDialogStartsOnWaveFilesAndWritesNoneOfItsDefaults) {
  EXPECT_EQ(".wav", dialog->GetDefaultExt());
  EXPECT_EQ("Wave Files (*.wav)|*.WAV", dialog->GetFilter());
  EXPECT_EQ("Select Wave File", dialog->GetTitle());
  EXPECT_EQ((TOpenOptions{ofHideReadOnly, ofPathMustExist, ofFileMustExist}), dialog->GetOptions());
  EXPECT_FALSE(dialog->GetAutoPlay());
  EXPECT_FALSE(dialog->GetUseRegistry());

  TForm* form = new TForm(Application);
  form->SetName("WaveForm");
  auto* designed = new TOrvOpenWaveDialog(form);
  designed->SetName("Wave");
  String defaults = WriteComponentToText(form);
  EXPECT_EQ(String::npos, defaults.find("DefaultExt")) << defaults;
  EXPECT_EQ(String::npos, defaults.find("Filter")) << defaults;
  EXPECT_EQ(String::npos, defaults.find("Title")) << defaults;
  designed->SetTitle("Select wave file");  // the comparison is case-sensitive
  designed->SetAutoPlay(true);
  String changed = WriteComponentToText(form);
  form->Free();
  EXPECT_NE(String::npos, changed.find("Title = 'Select wave file'")) << changed;
  EXPECT_LT(changed.find("Title ="), changed.find("AutoPlay = True")) << "the dialog's own properties come last";
}

TEST_F(OpenWaveDialogTest, StripPlaysTheSelectedWaveAndFollowsTheSelection) {
  ImportPatch patch("winmm.dll", "PlaySoundA", reinterpret_cast<void*>(&RecordPlaySound));
  playPatch = &patch;
  bool disabledAtFirst = false, enabledOnAWave = false, disabledWhenGone = false;
  TRect strip{}, standard{};
  HWND stripParent = nullptr, hook = nullptr;
  size_t playsBeforeTick = 0;
  DialogDriver driver;
  driver.Expect("Select Wave File")
      .Do([&](HWND) {
        ASSERT_NE(nullptr, dialog->GetPanel());
        disabledAtFirst = !dialog->GetBtnPlay()->GetEnabled();
        stripParent = GetParent(dialog->GetPanel()->GetHandle());
        hook = dialog->GetHookHandle();
        strip = dialog->GetPanel()->GetBoundsRect();
        standard = dialog->GetStaticRect();
      })
      .SelectFile("a.wav")
      .Do([&](HWND) {
        enabledOnAWave = dialog->GetBtnPlay()->GetEnabled();
        playsBeforeTick = plays.size();
      })
      .Do([&](HWND) {
        // The selected file goes away: playing it fails and disables the button.
        DeleteFileA(waveA.c_str());
        TSpeedButton* button = dialog->GetBtnPlay();
        ClickAt(dialog->GetPanel()->GetHandle(), button->GetLeft() + 5, button->GetTop() + 5);
        disabledWhenGone = !button->GetEnabled();
      })
      .Tick(kAutoPlayCaption)
      .SelectFile("b.wav")
      .PressCancel();
  EXPECT_FALSE(dialog->Execute());
  EXPECT_TRUE(driver.AllDone());

  EXPECT_TRUE(disabledAtFirst);
  EXPECT_TRUE(enabledOnAWave);
  EXPECT_TRUE(disabledWhenGone);
  EXPECT_EQ(0u, playsBeforeTick) << "nothing plays before the box is ticked";
  ASSERT_EQ(1u, plays.size());
  EXPECT_TRUE(SameText(waveB, plays[0].sound)) << plays[0].sound;
  EXPECT_EQ(DWORD(SND_FILENAME | SND_ASYNC | SND_NODEFAULT), plays[0].flags);
  EXPECT_TRUE(dialog->GetAutoPlay()) << "AutoPlay follows the check box";
  // The strip lies in the template's child dialog, 4 pixels below the standard controls.
  EXPECT_NE(nullptr, hook);
  EXPECT_EQ(hook, stripParent);
  EXPECT_EQ(standard.bottom + 4, strip.top);
  EXPECT_GT(strip.right, 300);
  // Afterwards the strip is gone.
  EXPECT_EQ(nullptr, dialog->GetPanel());
  EXPECT_EQ(nullptr, dialog->GetBtnPlay());
  EXPECT_EQ(nullptr, dialog->GetChkAutoPlay());
  EXPECT_EQ(0, dialog->GetComponentCount());
  EXPECT_EQ(std::vector<String>{"close"}, log);
}

TEST_F(OpenWaveDialogTest, AutoPlayIsKeptForTheUserWithUseRegistryOnly) {
  RegistrySandbox sandbox;
  dialog->SetUseRegistry(true);
  bool keyWhileShown = true;
  {
    DialogDriver driver;
    driver.Expect("Select Wave File").Do([&](HWND) { keyWhileShown = AutoPlayKeyExists(); }).Tick(kAutoPlayCaption).PressCancel();
    dialog->Execute();
    EXPECT_TRUE(driver.AllDone());
  }
  EXPECT_FALSE(keyWhileShown) << "reading does not create the key";
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(TOrvOpenWaveDialog::RegistryKey, false));
  EXPECT_TRUE(registry.ReadBool("Auto Play"));

  // The stored state wins over the property at the next Execute.
  dialog->SetAutoPlay(false);
  bool tickedAtShow = false;
  {
    DialogDriver driver;
    driver.Expect("Select Wave File").Do([&](HWND) { tickedAtShow = dialog->GetChkAutoPlay()->GetChecked(); }).PressCancel();
    dialog->Execute();
  }
  EXPECT_TRUE(tickedAtShow);

  // A value of the wrong type counts as absent instead of stopping every Execute.
  registry.WriteString("Auto Play", "yes");
  dialog->SetAutoPlay(false);
  {
    DialogDriver driver;
    driver.Expect("Select Wave File").PressCancel();
    EXPECT_NO_THROW(dialog->Execute());
  }
  EXPECT_FALSE(dialog->GetAutoPlay());
  EXPECT_EQ(rdInteger, registry.GetDataType("Auto Play")) << "rewritten as a number on close";

  // Without UseRegistry nothing is read or written.
  ASSERT_TRUE(registry.DeleteKey(String("\\") + TOrvOpenWaveDialog::RegistryKey));
  dialog->SetUseRegistry(false);
  {
    DialogDriver driver;
    driver.Expect("Select Wave File").Tick(kAutoPlayCaption).PressCancel();
    dialog->Execute();
  }
  EXPECT_FALSE(AutoPlayKeyExists());
}

// A strip that cannot be built whole is not built at all: here its panel's name is taken.
TEST_F(OpenWaveDialogTest, AStripThatCannotBeBuiltLeavesNothingHalfBuilt) {
  auto* squatter = new TComponent(dialog);
  squatter->SetName("Panel");
  for (int show = 0; show < 2; ++show) {
    DialogDriver driver;
    driver.Expect("Select Wave File").SelectFile("a.wav").PressCancel();
    EXPECT_FALSE(dialog->Execute());
    EXPECT_TRUE(driver.AllDone());
  }
  EXPECT_EQ(1, dialog->GetComponentCount());
  ASSERT_EQ(4u, log.size());
  EXPECT_EQ(0u, log[0].find("error ")) << log[0];
  EXPECT_EQ("close", log[1]);
}

TEST_F(OpenWaveDialogTest, OpenAndCancelCyclesLeaveNothingBehind) {
  auto cycle = [&] {
    DialogDriver driver;
    driver.Expect("Select Wave File").PressCancel();
    dialog->Execute();
  };
  cycle();
  int gdi = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < 200; ++i) cycle();
  EXPECT_EQ(gdi, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
}
