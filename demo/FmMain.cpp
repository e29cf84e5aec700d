#include "demo/FmMain.h"

#include "controls/Orvbtn.h"
#include "demo/DemoHelp.h"
#include "framework/Dialogs.h"
#include "framework/TypInfoBuilder.h"
#include "utils/Orvutils.h"

namespace Tovix {

const char* const SDemoHelpMissing = "Help file not present at '%s'";

TOVIX_IMPLEMENT_CLASS(TFmMain, TForm) {
  c.Field("PageControl", &TFmMain::PageControl);
  c.Field("BtnHelp", &TFmMain::BtnHelp);
  c.Field("BtnPrevious", &TFmMain::BtnPrevious);
  c.Field("BtnNext", &TFmMain::BtnNext);
  c.Field("ChkShowTrayIcon", &TFmMain::ChkShowTrayIcon);
  c.Field("ChkAnimate", &TFmMain::ChkAnimate);
  c.Field("ChkHideFromTaskbar", &TFmMain::ChkHideFromTaskbar);
  c.Field("ChkChangeFormIcon", &TFmMain::ChkChangeFormIcon);
  c.Field("ChkChangeAppIcon", &TFmMain::ChkChangeAppIcon);
  c.Field("ChkFlash", &TFmMain::ChkFlash);
  c.Field("ChkTopmost", &TFmMain::ChkTopmost);
  c.Field("ChkUsePopups", &TFmMain::ChkUsePopups);
  c.Field("EdtHint", &TFmMain::EdtHint);
  c.Field("SpnFrameSpeed", &TFmMain::SpnFrameSpeed);
  c.Field("OrvBtnEdit1", &TFmMain::OrvBtnEdit1);
  c.Field("OrvDirEdit1", &TFmMain::OrvDirEdit1);
  c.Field("OrvFileEdit1", &TFmMain::OrvFileEdit1);
  c.Field("OrvWaveEdit1", &TFmMain::OrvWaveEdit1);
  c.Field("OrvWeekdaysCombo1", &TFmMain::OrvWeekdaysCombo1);
  c.Field("ChkShowAmPm", &TFmMain::ChkShowAmPm);
  c.Field("ChkShowSeconds", &TFmMain::ChkShowSeconds);
  c.Field("BtnChangeFormat", &TFmMain::BtnChangeFormat);
  c.Field("OrvTimePicker1", &TFmMain::OrvTimePicker1);
  c.Field("OrvFolderBrowser1", &TFmMain::OrvFolderBrowser1);
  c.Field("OrvOpenWaveDialog1", &TFmMain::OrvOpenWaveDialog1);
  c.Field("TrayIcon", &TFmMain::TrayIcon);
  c.Field("ImagesIcons", &TFmMain::ImagesIcons);
  c.Field("PopupLeft", &TFmMain::PopupLeft);
  c.Field("PopupRight", &TFmMain::PopupRight);
  c.Method("FormCreate", &TFmMain::FormCreate);
  c.Method("FormCloseQuery", &TFmMain::FormCloseQuery);
  c.Method("BtnPreviousClick", &TFmMain::BtnPreviousClick);
  c.Method("BtnNextClick", &TFmMain::BtnNextClick);
  c.Method("HelpButtonClick", &TFmMain::HelpButtonClick);
  c.Method("OrvBtnEdit1ButtonClick", &TFmMain::OrvBtnEdit1ButtonClick);
  c.Method("BtnFerrovaneClick", &TFmMain::BtnFerrovaneClick);
  c.Method("BtnExecuteFolderBrowserClick", &TFmMain::BtnExecuteFolderBrowserClick);
  c.Method("BtnExecuteOpenWaveClick", &TFmMain::BtnExecuteOpenWaveClick);
  c.Method("ChkShowAmPmClick", &TFmMain::ChkShowAmPmClick);
  c.Method("ChkShowSecondsClick", &TFmMain::ChkShowSecondsClick);
  c.Method("BtnChangeFormatClick", &TFmMain::BtnChangeFormatClick);
  c.Method("ChkShowTrayIconClick", &TFmMain::ChkShowTrayIconClick);
  c.Method("ChkChangeFormIconClick", &TFmMain::ChkChangeFormIconClick);
  c.Method("ChkChangeAppIconClick", &TFmMain::ChkChangeAppIconClick);
  c.Method("ChkHideFromTaskbarClick", &TFmMain::ChkHideFromTaskbarClick);
  c.Method("ChkAnimateClick", &TFmMain::ChkAnimateClick);
  c.Method("ChkFlashClick", &TFmMain::ChkFlashClick);
  c.Method("ChkTopmostClick", &TFmMain::ChkTopmostClick);
  c.Method("ChkUsePopupsClick", &TFmMain::ChkUsePopupsClick);
  c.Method("EdtHintKeyUp", &TFmMain::EdtHintKeyUp);
  c.Method("SpnFrameSpeedChange", &TFmMain::SpnFrameSpeedChange);
}

TFmMain::TFmMain(TComponent* owner) : TForm(owner) { ReadFormResource(); }

void TFmMain::FormCreate(TObject*) { Start(RunningProgramDir()); }

void TFmMain::Start(const String& programDir) {
  TDemoPaths paths = DemoPathsFor(programDir);
  helpFile_ = paths.HelpFile;

  PageControl->SetOnChange(TNotifyEvent(this, &TFmMain::UpdateNavigation));
  PageControl->SetActivePageIndex(0);
  UpdateNavigation(this);

  CopyTrayIconSettings();

  OrvDirEdit1->SetDirectory(programDir);
  OrvFileEdit1->SetFilePath(paths.ReadMeFile);
  OrvWaveEdit1->SetFilePath(paths.SampleWave);

  OrvFolderBrowser1->SetFolderPath(programDir);
  OrvOpenWaveDialog1->SetFileName(paths.SampleWave);

  OrvTimePicker1->SetTime(Time());
}

// The check boxes' click handlers write back what they are given here, which changes nothing.
void TFmMain::CopyTrayIconSettings() {
  ChkShowTrayIcon->SetChecked(TrayIcon->GetShowTrayIcon());
  ChkChangeFormIcon->SetChecked(TrayIcon->GetChangeFormIcon());
  ChkChangeAppIcon->SetChecked(TrayIcon->GetChangeAppIcon());
  ChkAnimate->SetChecked(TrayIcon->GetAnimate());
  ChkFlash->SetChecked(TrayIcon->GetFlash());
  SpnFrameSpeed->SetValue(TrayIcon->GetFrameSpeed());
  EdtHint->SetText(TrayIcon->GetHint());
  ChkHideFromTaskbar->SetChecked(TrayIcon->GetHideFromTaskbar());
  ChkTopmost->SetChecked(TrayIcon->GetLeftClickTopmost());
  ChkUsePopups->SetChecked(TrayIcon->GetLeftClickPopup() != nullptr);
}

// ---------------------------------------------------------------------------
// Navigation

void TFmMain::UpdateNavigation(TObject*) {
  int index = PageControl->GetActivePageIndex();
  BtnPrevious->SetEnabled(index > 0);
  BtnNext->SetEnabled(index < PageControl->GetPageCount() - 1);
}

// No wrap-around: at the ends the buttons are disabled, and a click that comes anyway does nothing.
void TFmMain::BtnPreviousClick(TObject*) {
  int index = PageControl->GetActivePageIndex();
  if (index > 0) PageControl->SetActivePageIndex(index - 1);
  UpdateNavigation(this);
}

void TFmMain::BtnNextClick(TObject*) {
  int index = PageControl->GetActivePageIndex();
  if (index < PageControl->GetPageCount() - 1) PageControl->SetActivePageIndex(index + 1);
  UpdateNavigation(this);
}

// ---------------------------------------------------------------------------
// Help

// A speed button named after a class ("TOrv...") opens its topic; every other help button the
// contents. WinHelp is asked only when the file exists: with a missing file it may never return.
void TFmMain::HelpButtonClick(TObject* sender) {
  unsigned command = DemoHelpContents;
  String keyword;
  if (auto* button = dynamic_cast<TSpeedButton*>(sender); button && button->GetCaption().starts_with("TOrv")) {
    command = DemoHelpKey;
    keyword = button->GetCaption();
  }
  if (!FileExists(helpFile_)) {
    ShowMessage(Format(SDemoHelpMissing, helpFile_));
    return;
  }
  uintptr_t data = command == DemoHelpKey ? reinterpret_cast<uintptr_t>(keyword.c_str()) : 0;
  CallWinHelp(GetHandle(), helpFile_, command, data);
}

// Closing a help window that is not open returns at once, so the quit needs no check.
void TFmMain::FormCloseQuery(TObject*, bool& canClose) {
  CallWinHelp(GetHandle(), helpFile_, DemoHelpQuit, 0);
  canClose = true;
}

// ---------------------------------------------------------------------------
// Introduction, Button Edits and Dialogs pages

void TFmMain::OrvBtnEdit1ButtonClick(TObject*) { ShowMessage("You can define the button to do whatever you want"); }

void TFmMain::BtnFerrovaneClick(TObject*) { OpenUrl(OrvInternetLinkDefaultUrl); }

void TFmMain::BtnExecuteFolderBrowserClick(TObject*) { OrvFolderBrowser1->Execute(); }

void TFmMain::BtnExecuteOpenWaveClick(TObject*) { OrvOpenWaveDialog1->Execute(); }

// ---------------------------------------------------------------------------
// Date/Time page

void TFmMain::ChkShowAmPmClick(TObject*) { OrvTimePicker1->SetShowAmPm(ChkShowAmPm->GetChecked()); }

void TFmMain::ChkShowSecondsClick(TObject*) { OrvTimePicker1->SetShowSeconds(ChkShowSeconds->GetChecked()); }

// The picker refuses a format its system parser cannot hold; the user is told and the picker keeps
// the format it had.
void TFmMain::BtnChangeFormatClick(TObject*) {
  String format = OrvTimePicker1->GetFormat();
  if (!InputQuery("Change Time Format", "Enter time format.  See help file for specifications", format)) return;
  try {
    OrvTimePicker1->SetFormat(format);
  } catch (const EDateTimeError& e) {
    ShowMessage(Format("The time format was not changed: %s.", e.Message()));
  }
}

// ---------------------------------------------------------------------------
// Tray Icon page

void TFmMain::ChkShowTrayIconClick(TObject*) { TrayIcon->SetShowTrayIcon(ChkShowTrayIcon->GetChecked()); }

void TFmMain::ChkChangeFormIconClick(TObject*) { TrayIcon->SetChangeFormIcon(ChkChangeFormIcon->GetChecked()); }

void TFmMain::ChkChangeAppIconClick(TObject*) { TrayIcon->SetChangeAppIcon(ChkChangeAppIcon->GetChecked()); }

void TFmMain::ChkHideFromTaskbarClick(TObject*) { TrayIcon->SetHideFromTaskbar(ChkHideFromTaskbar->GetChecked()); }

void TFmMain::ChkAnimateClick(TObject*) { TrayIcon->SetAnimate(ChkAnimate->GetChecked()); }

void TFmMain::ChkFlashClick(TObject*) { TrayIcon->SetFlash(ChkFlash->GetChecked()); }

void TFmMain::ChkTopmostClick(TObject*) {
  TrayIcon->SetLeftClickTopmost(ChkTopmost->GetChecked());
  TrayIcon->SetRightClickTopmost(ChkTopmost->GetChecked());
}

void TFmMain::ChkUsePopupsClick(TObject*) {
  bool use = ChkUsePopups->GetChecked();
  TrayIcon->SetLeftClickPopup(use ? PopupLeft : nullptr);
  TrayIcon->SetRightClickPopup(use ? PopupRight : nullptr);
}

void TFmMain::EdtHintKeyUp(TObject*, uint16_t&, TShiftState) { TrayIcon->SetHint(EdtHint->GetText()); }

void TFmMain::SpnFrameSpeedChange(TObject*) { TrayIcon->SetFrameSpeed(SpnFrameSpeed->GetValue()); }

}  // namespace Tovix
