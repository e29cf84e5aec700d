// Orvcommdlg: TOrvOpenWaveDialog, the open dialog for wave files. Below the dialog's standard
// controls it adds a strip with a button that plays the selected file and a check box that plays
// each file as soon as it is selected (AutoPlay); with UseRegistry the check box's state is kept
// for the current user between runs.
#pragma once

#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Buttons.h"

namespace Tovix {

class TOrvOpenWaveDialog : public TOpenDialog {
  TOVIX_DECLARE_CLASS(TOrvOpenWaveDialog)

 public:
  // An open dialog for existing ".wav" files titled "Select Wave File".
  explicit TOrvOpenWaveDialog(TComponent* owner);
  ~TOrvOpenWaveDialog() override;

  // With UseRegistry, AutoPlay first takes the stored setting when there is a valid one.
  bool Execute() override;

  bool GetAutoPlay() const { return autoPlay_; }
  // Also ticks or clears the check box while the dialog is shown.
  void SetAutoPlay(bool value);
  bool GetUseRegistry() const { return useRegistry_; }
  void SetUseRegistry(bool value) { useRegistry_ = value; }

  // The strip's controls while the dialog is shown, else null.
  TPanel* GetPanel() const { return panel_; }
  TSpeedButton* GetBtnPlay() const { return btnPlay_; }
  TCheckBox* GetChkAutoPlay() const { return chkAutoPlay_; }

  // Where the setting lives under HKEY_CURRENT_USER, and its value.
  static const char* const RegistryKey;
  static const char* const RegistryValue;

 protected:
  // True when the dialog's current file name names an existing file (not a folder).
  bool ValidFile() const;
  // Starts playing the selected file and returns at once; plays nothing for an invalid file.
  void PlaySelected();
  void BtnPlayOnClick(TObject* sender);
  void ChkAutoPlayOnClick(TObject* sender);

  void DoShow() override;
  void DoSelectionChange() override;
  void DoClose() override;

  bool IsStoreDefaultExt() const;
  bool IsStoreFilter() const;
  bool IsStoreTitle() const;

 private:
  void BuildStrip();
  void PlaceStrip();
  void FreeStrip();
  void ReadAutoPlay();
  void WriteAutoPlay();

  bool autoPlay_ = false;
  bool useRegistry_ = false;
  TPanel* panel_ = nullptr;
  TSpeedButton* btnPlay_ = nullptr;
  TCheckBox* chkAutoPlay_ = nullptr;
};

TOVIX_LINK_CLASS(TOrvOpenWaveDialog)

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the open-wave dialog on the "Tovix" palette page.
namespace Orvcommdlg {
void Register();
}  // namespace Orvcommdlg

}  // namespace Tovix
