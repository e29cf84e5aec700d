// The demo's main form, made from its form file and driven as a user would: its pages, its tray
// icon settings, its dialogs and its help buttons. WinHelp itself is never reached: a stand-in
// records what the form asks of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "demo/DemoHelp.h"
#include "demo/DemoShots.h"
#include "demo/FmMain.h"
#include "framework/SysUtils.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"

namespace Tovix {
namespace {

using Testing::DialogDriver;
using Testing::RegistrySandbox;
using Testing::ScratchFolder;

struct HelpCall {
  HWND window;
  String file;
  unsigned command;
  uintptr_t data;
  String keyword;
};
std::vector<HelpCall> helpCalls;

bool RecordWinHelp(HWND window, const String& file, unsigned command, uintptr_t data) {
  String keyword = command == DemoHelpKey && data ? String(reinterpret_cast<const char*>(data)) : String();
  helpCalls.push_back({window, file, command, data, keyword});
  return true;
}

class DemoForm : public ::testing::Test {
 protected:
  void SetUp() override {
    helpCalls.clear();
    previousHelp_ = SetWinHelpCall(&RecordWinHelp);
    form_.reset(new TFmMain(nullptr));
    form_->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    form_.reset();
    SetWinHelpCall(previousHelp_);
  }

  // Every help button: the speed buttons of the pages and "Tovix &Help".
  std::vector<TControl*> HelpButtons() const {
    std::vector<TControl*> buttons;
    for (int i = 0; i < form_->GetComponentCount(); ++i)
      if (auto* button = dynamic_cast<TSpeedButton*>(form_->GetComponents(i))) buttons.push_back(button);
    buttons.push_back(form_->BtnHelp);
    return buttons;
  }

  static String CaptionOf(TControl* button) {
    if (auto* speed = dynamic_cast<TSpeedButton*>(button)) return speed->GetCaption();
    return static_cast<TButton*>(button)->GetCaption();
  }

  static void Press(TControl* button) {
    if (auto* speed = dynamic_cast<TSpeedButton*>(button)) speed->Click();
    else static_cast<TButton*>(button)->Click();
  }

  // A user's click on a check box, through the window as the system delivers it.
  static void ClickBox(TCheckBox* box) { SendMessageA(box->GetHandle(), BM_CLICK, 0, 0); }

  std::unique_ptr<TFmMain> form_;
  TWinHelpCall previousHelp_ = nullptr;
};

// The text of the framework's message dialog that is open.
String MessageText(HWND dialog) {
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(dialog));
  auto* label = form ? dynamic_cast<TLabel*>(form->FindComponent("Message")) : nullptr;
  return label ? label->GetCaption() : String("(no message dialog)");
}

TEST(DemoPaths, DerivedFromTheProgramFolderAndPicturesNamedAfterPages) {
  TDemoPaths paths = DemoPathsFor("D:\\Lib\\Demo\\Bin\\");
  EXPECT_EQ("D:\\Lib\\Help\\Ferrovane.hlp", paths.HelpFile);
  EXPECT_EQ("D:\\Lib\\Docs\\ReadMe.txt", paths.ReadMeFile);
  EXPECT_EQ("D:\\Lib\\Demo\\Waves\\Sound1.wav", paths.SampleWave);
  EXPECT_EQ("D:\\Lib\\Demo\\Bin\\", paths.ProgramDir);
  EXPECT_EQ("06-date-time.png", PagePictureName(6, "Date/Time"));
  EXPECT_EQ("12-non-visual.png", PagePictureName(12, " Non--Visual "));
}

TEST_F(DemoForm, StartCopiesTheTrayIconAndPointsEveryPathAtTheProgramFolder) {
  // As the form file sets the tray icon up.
  EXPECT_TRUE(form_->ChkShowTrayIcon->GetChecked());
  EXPECT_TRUE(form_->ChkAnimate->GetChecked());
  EXPECT_TRUE(form_->ChkChangeFormIcon->GetChecked());
  EXPECT_TRUE(form_->ChkChangeAppIcon->GetChecked());
  EXPECT_FALSE(form_->ChkFlash->GetChecked());
  EXPECT_FALSE(form_->ChkHideFromTaskbar->GetChecked());
  EXPECT_FALSE(form_->ChkTopmost->GetChecked());
  EXPECT_TRUE(form_->ChkUsePopups->GetChecked());
  EXPECT_EQ("Your Hint Goes Here", form_->EdtHint->GetText());
  EXPECT_EQ(1000, form_->SpnFrameSpeed->GetValue());
  EXPECT_EQ(8, form_->ImagesIcons->GetCount());

  // Whatever state the tray icon is in, starting copies it.
  TOrvTrayIcon* tray = form_->TrayIcon;
  tray->SetFrameSpeed(250);
  tray->SetHint("Another hint");
  tray->SetLeftClickTopmost(true);
  tray->SetLeftClickPopup(nullptr);
  tray->SetAnimate(false);
  tray->SetFlash(true);
  form_->PageControl->SetActivePageIndex(3);
  form_->Start("D:\\Lib\\Demo\\Bin\\");
  EXPECT_EQ(250, form_->SpnFrameSpeed->GetValue());
  EXPECT_EQ("Another hint", form_->EdtHint->GetText());
  EXPECT_TRUE(form_->ChkTopmost->GetChecked());
  EXPECT_FALSE(form_->ChkUsePopups->GetChecked());
  EXPECT_FALSE(form_->ChkAnimate->GetChecked());
  EXPECT_TRUE(form_->ChkFlash->GetChecked());

  EXPECT_EQ("D:\\Lib\\Help\\Ferrovane.hlp", form_->GetHelpFile());
  EXPECT_EQ("D:\\Lib\\Demo\\Bin\\", form_->OrvDirEdit1->GetDirectory());
  EXPECT_EQ("D:\\Lib\\Docs\\ReadMe.txt", form_->OrvFileEdit1->GetFilePath());
  EXPECT_EQ("D:\\Lib\\Demo\\Waves\\Sound1.wav", form_->OrvWaveEdit1->GetFilePath());
  EXPECT_EQ("D:\\Lib\\Demo\\Bin\\", form_->OrvFolderBrowser1->GetFolderPath());
  EXPECT_EQ("D:\\Lib\\Demo\\Waves\\Sound1.wav", form_->OrvOpenWaveDialog1->GetFileName());
  double apart = std::fabs(Time() - TimeOf(form_->OrvTimePicker1->GetTime()));
  EXPECT_LT(std::min(apart, 1 - apart), 5.0 / 86400) << "the picker shows the time of day (also across midnight)";
  EXPECT_EQ("Introduction", form_->PageControl->GetActivePage()->GetCaption());
  EXPECT_FALSE(form_->BtnPrevious->GetEnabled());
}

TEST_F(DemoForm, NextAndPreviousWalkThePagesAndStopAtBothEnds) {
  TPageControl* pages = form_->PageControl;
  ASSERT_EQ(7, pages->GetPageCount());
  EXPECT_FALSE(form_->BtnPrevious->GetEnabled());
  EXPECT_TRUE(form_->BtnNext->GetEnabled());
  const char* captions[] = {"Introduction", "Tray Icon", "Internet", "Button Edits", "Dialogs", "Date/Time", "Non-Visual"};
  for (int page = 1; page < 7; ++page) {
    form_->BtnNext->Click();
    EXPECT_EQ(captions[page], pages->GetActivePage()->GetCaption());
    EXPECT_TRUE(form_->BtnPrevious->GetEnabled());
    EXPECT_EQ(page < 6, form_->BtnNext->GetEnabled()) << page;
  }
  form_->BtnNext->Click();  // one more does not wrap around
  EXPECT_EQ(6, pages->GetActivePageIndex());
  form_->BtnPrevious->Click();
  EXPECT_EQ(5, pages->GetActivePageIndex());
  EXPECT_TRUE(form_->BtnNext->GetEnabled());
  // A page chosen by its tab updates the buttons as well.
  pages->SelectNextPage(true);
  pages->SelectNextPage(true);
  EXPECT_EQ(0, pages->GetActivePageIndex());
  EXPECT_FALSE(form_->BtnPrevious->GetEnabled());
  EXPECT_TRUE(form_->BtnNext->GetEnabled());
}

TEST_F(DemoForm, EachTraySettingFollowsItsControl) {
  TOrvTrayIcon* tray = form_->TrayIcon;
  struct Setting {
    TCheckBox* box;
    bool (TOrvTrayIcon::*value)() const;
  } settings[] = {
      {form_->ChkShowTrayIcon, &TOrvTrayIcon::GetShowTrayIcon},
      {form_->ChkAnimate, &TOrvTrayIcon::GetAnimate},
      {form_->ChkHideFromTaskbar, &TOrvTrayIcon::GetHideFromTaskbar},
      {form_->ChkChangeFormIcon, &TOrvTrayIcon::GetChangeFormIcon},
      {form_->ChkChangeAppIcon, &TOrvTrayIcon::GetChangeAppIcon},
      {form_->ChkFlash, &TOrvTrayIcon::GetFlash},
      {form_->ChkTopmost, &TOrvTrayIcon::GetLeftClickTopmost},
      {form_->ChkTopmost, &TOrvTrayIcon::GetRightClickTopmost},
  };
  for (const Setting& s : settings) {
    for (int round = 0; round < 2; ++round) {
      ClickBox(s.box);
      EXPECT_EQ(s.box->GetChecked(), (tray->*s.value)()) << s.box->GetCaption() << " round " << round;
    }
  }
  EXPECT_FALSE(tray->GetLeftClickTopmost() != tray->GetRightClickTopmost());

  ClickBox(form_->ChkUsePopups);
  EXPECT_EQ(nullptr, tray->GetLeftClickPopup());
  EXPECT_EQ(nullptr, tray->GetRightClickPopup());
  ClickBox(form_->ChkUsePopups);
  EXPECT_EQ(form_->PopupLeft, tray->GetLeftClickPopup());
  EXPECT_EQ(form_->PopupRight, tray->GetRightClickPopup());

  form_->EdtHint->SetText("Typed hint");
  EXPECT_EQ("Your Hint Goes Here", tray->GetHint()) << "the hint follows key releases, not every change";
  SendMessageA(form_->EdtHint->GetHandle(), WM_KEYUP, 'T', 0);
  EXPECT_EQ("Typed hint", tray->GetHint());

  form_->SpnFrameSpeed->SetValue(350);
  EXPECT_EQ(350, tray->GetFrameSpeed());
}

TEST_F(DemoForm, BothDialogsOpenAndCancel) {
  RegistrySandbox registry;
  {
    DialogDriver driver;
    driver.Expect("Your caption goes here").PressCancel();
    static_cast<TButton*>(form_->FindComponent("BtnExecuteFolderBrowser"))->Click();
    EXPECT_TRUE(driver.AllDone());
  }
  {
    DialogDriver driver;
    driver.Expect("Your Title Goes Here").PressCancel();
    static_cast<TButton*>(form_->FindComponent("BtnExecuteOpenWave"))->Click();
    EXPECT_TRUE(driver.AllDone());
  }
}

TEST_F(DemoForm, WithoutTheHelpFileEveryHelpButtonOnlySaysWhereItShouldBe) {
  ScratchFolder folder;
  String missing = folder.File("Ferrovane.hlp");
  form_->SetHelpFile(missing);
  std::vector<TControl*> buttons = HelpButtons();
  ASSERT_EQ(12u, buttons.size());
  for (TControl* button : buttons) {
    DialogDriver driver;
    String shown;
    driver.Expect("").Do([&](HWND dialog) { shown = MessageText(dialog); }).PressOk();
    Press(button);
    EXPECT_TRUE(driver.AllDone()) << CaptionOf(button);
    EXPECT_EQ("Help file not present at '" + missing + "'", shown) << CaptionOf(button);
  }
  EXPECT_TRUE(helpCalls.empty());
}

TEST_F(DemoForm, WithAHelpFileClassButtonsSearchTheirClassAndTheOthersOpenTheContents) {
  ScratchFolder folder;
  String help = folder.WriteFile("Ferrovane.hlp", "stand-in");
  form_->SetHelpFile(help);
  std::vector<TControl*> buttons = HelpButtons();
  for (TControl* button : buttons) Press(button);
  ASSERT_EQ(buttons.size(), helpCalls.size());
  int searches = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    String caption = CaptionOf(buttons[i]);
    const HelpCall& call = helpCalls[i];
    EXPECT_EQ(form_->GetHandle(), call.window);
    EXPECT_EQ(help, call.file);
    if (caption.starts_with("TOrv")) {
      ++searches;
      EXPECT_EQ(DemoHelpKey, call.command) << caption;
      EXPECT_EQ(caption, call.keyword);
    } else {
      EXPECT_EQ(DemoHelpContents, call.command) << caption;
      EXPECT_EQ(0u, call.data) << caption;
    }
  }
  EXPECT_EQ(10, searches) << "every class on the pages has its button";

  helpCalls.clear();
  EXPECT_TRUE(form_->CloseQuery());
  ASSERT_EQ(1u, helpCalls.size());
  EXPECT_EQ(DemoHelpQuit, helpCalls[0].command);
  EXPECT_EQ(form_->GetHandle(), helpCalls[0].window);
}

TEST_F(DemoForm, TimeFormatFollowsTheSwitchesAndTheQueryAndRefusesWhatThePickerCannotHold) {
  TOrvTimePicker* picker = form_->OrvTimePicker1;
  EXPECT_EQ("h:mm tt", picker->GetFormat());
  ClickBox(form_->ChkShowSeconds);
  EXPECT_EQ("h:mm:ss tt", picker->GetFormat());
  ClickBox(form_->ChkShowAmPm);
  EXPECT_EQ("HH:mm:ss", picker->GetFormat());

  {
    DialogDriver driver;
    driver.Expect("Change Time Format").TypeText("HH").PressCancel();
    form_->BtnChangeFormat->Click();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ("HH:mm:ss", picker->GetFormat());
  }
  {
    DialogDriver driver;
    String shown;
    driver.Expect("Change Time Format").TypeText(String(300, 'h')).PressOk();
    driver.Expect("").Do([&](HWND dialog) { shown = MessageText(dialog); }).PressOk();
    form_->BtnChangeFormat->Click();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_NE(String::npos, shown.find("Format too long")) << shown;
    EXPECT_EQ("HH:mm:ss", picker->GetFormat());
  }
  {
    DialogDriver driver;
    driver.Expect("Change Time Format").TypeText("H 'h' mm").PressOk();
    form_->BtnChangeFormat->Click();
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ("H 'h' mm", picker->GetFormat());
  }
}

}  // namespace
}  // namespace Tovix
