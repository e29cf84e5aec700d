// Orvfolderbrowser: TOrvFolderBrowser, a non-visual component that shows the shell's folder
// dialog (SHBrowseForFolderA) and gives the chosen folder's path.
//
// The owner sets the root (a special folder), what may be chosen, the texts and optionally a
// folder to start on (FolderPath), then calls Execute. While the dialog is open DialogHandle is
// its window, and FolderPath, Caption and StatusText act on the open dialog at once, so event
// handlers can steer it.
#pragma once

#include "framework/Classes.h"
#include "framework/dialogs/ShellFolders.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EFolderBrowserError, Exception);

// What the dialog lets the user confirm.
enum TOrvFolderType : uint8_t { ftComputers, ftPrinters, ftDirectories };

// The folder the dialog's tree starts at; SpecialFolderWinVal gives the shell's number for each.
enum TOrvSpecialFolder : uint8_t {
  sfAppData, sfCommonPrograms, sfCommonStartMenu, sfCommonStartup, sfControls, sfDesktop, sfDesktopDir, sfDrives,
  sfFavorites, sfFonts, sfNethood, sfNetwork, sfPersonal, sfPrinters, sfPrintHood, sfPrograms, sfRecent, sfRecycle,
  sfSendTo, sfStartMenu, sfStartup, sfTemplates
};

class TOrvFolderBrowser : public TComponent {
  TOVIX_DECLARE_CLASS(TOrvFolderBrowser)

 public:
  explicit TOrvFolderBrowser(TComponent* owner);
  ~TOrvFolderBrowser() override;

  // Shows the dialog; true when the user chose a folder (then OnOk), false on Cancel (then
  // OnCancel). FolderPath is afterwards the chosen folder's path, empty on Cancel or for an item
  // without a file-system path (a computer, a printer). Raises EFolderBrowserError when the
  // shell's allocator or the root folder cannot be had, and when the dialog is already open.
  bool Execute();
  // The shell's CSIDL_ number of a special folder; CSIDL_DRIVES for an unknown value.
  static int SpecialFolderWinVal(TOrvSpecialFolder folder);

  // The item identifier list of FolderPath (owned by the browser), null when there is none.
  LPITEMIDLIST GetFolderObject() const { return folderObject_.Get(); }
  // The open dialog's window, null while none is open.
  HWND GetDialogHandle() const { return dialogHandle_; }

  // Published properties.
  const String& GetCaption() const { return caption_; }
  // The dialog window's title; empty keeps the shell's own.
  void SetCaption(const String& value);
  const String& GetFolderPath() const { return folderPath_; }
  // While the dialog is open: selects that folder in it (FolderPath follows through OnSelChange or
  // when Execute returns). Otherwise: the folder the next Execute starts on.
  void SetFolderPath(const String& value);
  TOrvFolderType GetFolderType() const { return folderType_; }
  void SetFolderType(TOrvFolderType value) { folderType_ = value; }
  bool GetNotBelowDomain() const { return notBelowDomain_; }
  void SetNotBelowDomain(bool value) { notBelowDomain_ = value; }
  bool GetReturnAncestors() const { return returnAncestors_; }
  void SetReturnAncestors(bool value) { returnAncestors_ = value; }
  TOrvSpecialFolder GetRootFolder() const { return rootFolder_; }
  void SetRootFolder(TOrvSpecialFolder value) { rootFolder_ = value; }
  const String& GetStatusText() const { return statusText_; }
  // Shown below the title when StatusTextShown; at once while the dialog is open.
  void SetStatusText(const String& value);
  bool GetStatusTextShown() const { return statusTextShown_; }
  void SetStatusTextShown(bool value) { statusTextShown_ = value; }
  // The text above the folder tree.
  const String& GetTitle() const { return title_; }
  void SetTitle(const String& value) { title_ = value; }
  const TNotifyEvent& GetOnOk() const { return onOk_; }
  void SetOnOk(const TNotifyEvent& e) { onOk_ = e; }
  const TNotifyEvent& GetOnCancel() const { return onCancel_; }
  void SetOnCancel(const TNotifyEvent& e) { onCancel_ = e; }
  // Raised at each selection change in the open dialog, after a beep and with FolderPath already
  // the newly selected folder's path.
  const TNotifyEvent& GetOnSelChange() const { return onSelChange_; }
  void SetOnSelChange(const TNotifyEvent& e) { onSelChange_ = e; }

 protected:
  // FolderPath := FolderObject's path (empty without one).
  void UpdateFolderPath();
  // FolderObject := the shell's list for FolderPath; null when the shell cannot parse it.
  void UpdateFolderObject();
  void FreeFolderObject();

 private:
  friend int CALLBACK OrvFolderBrowserCallback(HWND, UINT, LPARAM, LPARAM);
  void BrowseMessage(HWND dialog, UINT message, LPARAM param);
  UINT BrowseFlags() const;
  // The file-system path of an item, empty when it has none.
  static String PathOf(LPCITEMIDLIST item);

  String folderPath_;
  TItemIdList folderObject_;
  String caption_;
  TOrvFolderType folderType_ = ftDirectories;
  String title_;
  TOrvSpecialFolder rootFolder_ = sfDrives;
  String statusText_;
  bool statusTextShown_ = false;
  bool notBelowDomain_ = false;
  bool returnAncestors_ = false;
  TNotifyEvent onOk_;
  TNotifyEvent onCancel_;
  TNotifyEvent onSelChange_;
  HWND dialogHandle_ = nullptr;
  bool executing_ = false;
};

template <>
struct TEnumTraits<TOrvFolderType> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TOrvSpecialFolder> {
  static const TEnumInfo& Info();
};

TOVIX_LINK_CLASS(TOrvFolderBrowser)

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the folder browser on the "Tovix" palette page.
namespace Orvfolderbrowser {
void Register();
}  // namespace Orvfolderbrowser

}  // namespace Tovix
