// TFmMain, the demo's main window: the library's visual components at work on a row of pages,
// Previous/Next buttons to walk them, and buttons that open the help file at each component.
// The window is described by its form file (FmMain.dfm, the resource TFMMAIN).
#pragma once

#include "controls/Orvbtnedit.h"
#include "controls/Orvtime.h"
#include "controls/Orvtrayicon.h"
#include "demo/DemoPaths.h"
#include "dialogs/Orvcommdlg.h"
#include "dialogs/Orvfolderbrowser.h"
#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/Spin.h"
#include "framework/StdCtrls.h"

namespace Tovix {

// The text shown when the help file is missing; %s is its path.
extern const char* const SDemoHelpMissing;

class TFmMain : public TForm {
  TOVIX_DECLARE_CLASS(TFmMain)

 public:
  // Reads the form file; its OnCreate (FormCreate) fills the pages from the running program's folder.
  explicit TFmMain(TComponent* owner);

  TPageControl* PageControl = nullptr;
  TBitBtn* BtnHelp = nullptr;
  TButton* BtnPrevious = nullptr;
  TButton* BtnNext = nullptr;
  // Tray Icon page.
  TCheckBox* ChkShowTrayIcon = nullptr;
  TCheckBox* ChkAnimate = nullptr;
  TCheckBox* ChkHideFromTaskbar = nullptr;
  TCheckBox* ChkChangeFormIcon = nullptr;
  TCheckBox* ChkChangeAppIcon = nullptr;
  TCheckBox* ChkFlash = nullptr;
  TCheckBox* ChkTopmost = nullptr;
  TCheckBox* ChkUsePopups = nullptr;
  TEdit* EdtHint = nullptr;
  TSpinEdit* SpnFrameSpeed = nullptr;
  // Button Edits page.
  TOrvBtnEdit* OrvBtnEdit1 = nullptr;
  TOrvDirEdit* OrvDirEdit1 = nullptr;
  TOrvFileEdit* OrvFileEdit1 = nullptr;
  TOrvWaveEdit* OrvWaveEdit1 = nullptr;
  // Date/Time page.
  TOrvWeekdaysCombo* OrvWeekdaysCombo1 = nullptr;
  TCheckBox* ChkShowAmPm = nullptr;
  TCheckBox* ChkShowSeconds = nullptr;
  TButton* BtnChangeFormat = nullptr;
  TOrvTimePicker* OrvTimePicker1 = nullptr;
  // Non-visual components.
  TOrvFolderBrowser* OrvFolderBrowser1 = nullptr;
  TOrvOpenWaveDialog* OrvOpenWaveDialog1 = nullptr;
  TOrvTrayIcon* TrayIcon = nullptr;
  TImageList* ImagesIcons = nullptr;
  TPopupMenu* PopupLeft = nullptr;
  TPopupMenu* PopupRight = nullptr;

  // The help file the help buttons open (set at creation from the program's folder).
  const String& GetHelpFile() const { return helpFile_; }
  // For a host that keeps the help file elsewhere.
  void SetHelpFile(const String& path) { helpFile_ = path; }

  // Fills the pages for a program living in programDir (FormCreate passes the running one's).
  void Start(const String& programDir);
  // BtnPrevious is enabled unless the first page shows, BtnNext unless the last one does.
  void UpdateNavigation(TObject* sender);

  // Handlers bound by the form file.
  void FormCreate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void BtnPreviousClick(TObject* sender);
  void BtnNextClick(TObject* sender);
  void HelpButtonClick(TObject* sender);
  void OrvBtnEdit1ButtonClick(TObject* sender);
  void BtnFerrovaneClick(TObject* sender);
  void BtnExecuteFolderBrowserClick(TObject* sender);
  void BtnExecuteOpenWaveClick(TObject* sender);
  void ChkShowAmPmClick(TObject* sender);
  void ChkShowSecondsClick(TObject* sender);
  void BtnChangeFormatClick(TObject* sender);
  void ChkShowTrayIconClick(TObject* sender);
  void ChkChangeFormIconClick(TObject* sender);
  void ChkChangeAppIconClick(TObject* sender);
  void ChkHideFromTaskbarClick(TObject* sender);
  void ChkAnimateClick(TObject* sender);
  void ChkFlashClick(TObject* sender);
  void ChkTopmostClick(TObject* sender);
  void ChkUsePopupsClick(TObject* sender);
  void EdtHintKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void SpnFrameSpeedChange(TObject* sender);

 private:
  void CopyTrayIconSettings();

  String helpFile_;
};

}  // namespace Tovix
