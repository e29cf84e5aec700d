#include "dialogs/Orvfolderbrowser.h"

#include <cstring>
#include <iterator>

#include "framework/Forms.h"
#include "framework/system/Beep.h"
#include "framework/TypInfoBuilder.h"
#include "framework/design/Registration.h"
#include "utils/Orvutils.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TOrvFolderType>::Info() {
  static const TEnumInfo info{{"ftComputers", "ftPrinters", "ftDirectories"}};
  return info;
}

const TEnumInfo& TEnumTraits<TOrvSpecialFolder>::Info() {
  static const TEnumInfo info{{"sfAppData", "sfCommonPrograms", "sfCommonStartMenu", "sfCommonStartup", "sfControls",
                               "sfDesktop", "sfDesktopDir", "sfDrives", "sfFavorites", "sfFonts", "sfNethood",
                               "sfNetwork", "sfPersonal", "sfPrinters", "sfPrintHood", "sfPrograms", "sfRecent",
                               "sfRecycle", "sfSendTo", "sfStartMenu", "sfStartup", "sfTemplates"}};
  return info;
}

TOVIX_IMPLEMENT_CLASS(TOrvFolderBrowser, TComponent) {
  c.Property("Caption", &TOrvFolderBrowser::GetCaption, &TOrvFolderBrowser::SetCaption);
  c.Property("FolderPath", &TOrvFolderBrowser::GetFolderPath, &TOrvFolderBrowser::SetFolderPath);
  c.Property("FolderType", &TOrvFolderBrowser::GetFolderType, &TOrvFolderBrowser::SetFolderType).Default(ftDirectories);
  c.Property("NotBelowDomain", &TOrvFolderBrowser::GetNotBelowDomain, &TOrvFolderBrowser::SetNotBelowDomain).Default(false);
  c.Property("ReturnAncestors", &TOrvFolderBrowser::GetReturnAncestors, &TOrvFolderBrowser::SetReturnAncestors)
      .Default(false);
  c.Property("RootFolder", &TOrvFolderBrowser::GetRootFolder, &TOrvFolderBrowser::SetRootFolder).Default(sfDrives);
  c.Property("StatusText", &TOrvFolderBrowser::GetStatusText, &TOrvFolderBrowser::SetStatusText);
  c.Property("StatusTextShown", &TOrvFolderBrowser::GetStatusTextShown, &TOrvFolderBrowser::SetStatusTextShown)
      .Default(false);
  c.Property("Title", &TOrvFolderBrowser::GetTitle, &TOrvFolderBrowser::SetTitle);
  c.Property("OnOk", &TOrvFolderBrowser::GetOnOk, &TOrvFolderBrowser::SetOnOk);
  c.Property("OnCancel", &TOrvFolderBrowser::GetOnCancel, &TOrvFolderBrowser::SetOnCancel);
  c.Property("OnSelChange", &TOrvFolderBrowser::GetOnSelChange, &TOrvFolderBrowser::SetOnSelChange);
}

namespace {

const char kNoMalloc[] = "Folder browser unable to obtain shell IMalloc";
const char kNoBuffer[] = "Folder browser unable to allocate shell buffer memory";
const char kAdminsOnly[] = "Common folders are available only to system administrators";
const char kNoRoot[] = "Folder browser unable to obtain root folder";
const char kNoDesktop[] = "Folder browser unable to obtain desktop folder's interface";
const char kAlreadyOpen[] = "Folder browser is already open";

// The shell's display-name and path buffers hold MAX_PATH characters.
const size_t kShellBufferSize = MAX_PATH;

const int kSpecialFolders[] = {
    CSIDL_APPDATA,   CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_STARTUP, CSIDL_CONTROLS,
    CSIDL_DESKTOP,   CSIDL_DESKTOPDIRECTORY, CSIDL_DRIVES,          CSIDL_FAVORITES,      CSIDL_FONTS,
    CSIDL_NETHOOD,   CSIDL_NETWORK,         CSIDL_PERSONAL,         CSIDL_PRINTERS,       CSIDL_PRINTHOOD,
    CSIDL_PROGRAMS,  CSIDL_RECENT,          CSIDL_BITBUCKET,        CSIDL_SENDTO,         CSIDL_STARTMENU,
    CSIDL_STARTUP,   CSIDL_TEMPLATES};
static_assert(std::size(kSpecialFolders) == sfTemplates + 1);

bool IsCommonFolder(TOrvSpecialFolder folder) {
  return folder == sfCommonPrograms || folder == sfCommonStartMenu || folder == sfCommonStartup;
}

// Clears a flag when the scope ends, however it ends.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagGuard() { flag_ = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& flag_;
};

// The shell's desktop folder, released when the object goes.
class TDesktopFolder {
 public:
  TDesktopFolder() {
    if (FAILED(SHGetDesktopFolder(&folder_))) folder_ = nullptr;
  }
  ~TDesktopFolder() {
    if (folder_) folder_->Release();
  }
  TDesktopFolder(const TDesktopFolder&) = delete;
  TDesktopFolder& operator=(const TDesktopFolder&) = delete;
  IShellFolder* operator->() const { return folder_; }
  bool Assigned() const { return folder_ != nullptr; }

 private:
  IShellFolder* folder_ = nullptr;
};

}  // namespace

int CALLBACK OrvFolderBrowserCallback(HWND dialog, UINT message, LPARAM param, LPARAM data) {
  auto* browser = reinterpret_cast<TOrvFolderBrowser*>(data);
  // A handler's exception must not unwind through the shell's dialog code.
  Application->HandleExceptionsOf(browser, [&] { browser->BrowseMessage(dialog, message, param); });
  return 0;
}

TOrvFolderBrowser::TOrvFolderBrowser(TComponent* owner) : TComponent(owner) {}

TOrvFolderBrowser::~TOrvFolderBrowser() { FreeFolderObject(); }

int TOrvFolderBrowser::SpecialFolderWinVal(TOrvSpecialFolder folder) {
  size_t index = static_cast<size_t>(folder);
  return index < std::size(kSpecialFolders) ? kSpecialFolders[index] : CSIDL_DRIVES;
}

UINT TOrvFolderBrowser::BrowseFlags() const {
  UINT flags = statusTextShown_ ? BIF_STATUSTEXT : 0;
  switch (folderType_) {
    case ftPrinters: flags |= BIF_BROWSEFORPRINTER; break;
    case ftDirectories: flags |= BIF_RETURNONLYFSDIRS; break;
    default: flags |= BIF_BROWSEFORCOMPUTER; break;
  }
  if (notBelowDomain_) flags |= BIF_DONTGOBELOWDOMAIN;
  if (returnAncestors_) flags |= BIF_RETURNFSANCESTORS;
  return flags;
}

bool TOrvFolderBrowser::Execute() {
  if (executing_) throw EFolderBrowserError(kAlreadyOpen);
  HWND ownerWindow = GetComponentFormHandle(this);
  TShellMalloc malloc;
  if (!malloc.Assigned()) throw EFolderBrowserError(kNoMalloc);
  TShellBuffer displayName(malloc, kShellBufferSize);
  if (!displayName.Data()) throw EFolderBrowserError(kNoBuffer);
  HRESULT located = S_OK;
  TItemIdList root = ShellSpecialFolder(ownerWindow, SpecialFolderWinVal(rootFolder_), &located);
  if (located != S_OK || !root) throw EFolderBrowserError(IsCommonFolder(rootFolder_) ? kAdminsOnly : kNoRoot);

  BROWSEINFOA info = {};
  info.hwndOwner = ownerWindow;
  info.pidlRoot = root.Get();
  info.pszDisplayName = displayName.Data();
  info.lpszTitle = title_.c_str();
  info.ulFlags = BrowseFlags();
  info.lpfn = OrvFolderBrowserCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  TItemIdList chosen;
  {
    TFlagGuard executing(executing_);
    chosen = TItemIdList(SHBrowseForFolderA(&info));
    dialogHandle_ = nullptr;
  }
  FreeFolderObject();
  folderObject_ = std::move(chosen);
  bool result = static_cast<bool>(folderObject_);
  UpdateFolderPath();
  if (result) onOk_(this);
  else onCancel_(this);
  return result;
}

void TOrvFolderBrowser::BrowseMessage(HWND dialog, UINT message, LPARAM param) {
  if (message == BFFM_INITIALIZED) {
    // Recorded first: selecting fires a selection change at once, whose handler may already
    // steer the open dialog.
    dialogHandle_ = dialog;
    if (folderObject_) SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(folderObject_.Get()));
    if (!caption_.empty()) SetWindowTextA(dialog, caption_.c_str());
    if (statusTextShown_) SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(statusText_.c_str()));
  } else if (message == BFFM_SELCHANGED && onSelChange_) {
    // The list belongs to the dialog: only its path is kept.
    folderPath_ = PathOf(reinterpret_cast<LPCITEMIDLIST>(param));
    Beep();
    onSelChange_(this);
  }
}

String TOrvFolderBrowser::PathOf(LPCITEMIDLIST item) {
  if (!item) return String();
  TShellMalloc malloc;
  if (!malloc.Assigned()) throw EFolderBrowserError(kNoMalloc);
  TShellBuffer buffer(malloc, kShellBufferSize);
  if (!buffer.Data()) throw EFolderBrowserError(kNoBuffer);
  if (!SHGetPathFromIDListA(item, buffer.Data())) return String();
  return String(buffer.Data(), strnlen(buffer.Data(), kShellBufferSize));
}

void TOrvFolderBrowser::UpdateFolderPath() { folderPath_ = PathOf(folderObject_.Get()); }

void TOrvFolderBrowser::UpdateFolderObject() {
  FreeFolderObject();
  TDesktopFolder desktop;
  if (!desktop.Assigned()) throw EFolderBrowserError(kNoDesktop);
  // A path that does not fit the shell's buffer is not cut: a cut path may name another folder.
  wchar_t wide[kShellBufferSize];
  if (folderPath_.empty() ||
      !MultiByteToWideChar(CP_ACP, 0, folderPath_.c_str(), -1, wide, static_cast<int>(kShellBufferSize)))
    return;
  LPITEMIDLIST parsed = nullptr;
  HRESULT result = desktop->ParseDisplayName(dialogHandle_, nullptr, wide, nullptr, &parsed, nullptr);
  TItemIdList folder(parsed);
  if (SUCCEEDED(result)) folderObject_ = std::move(folder);
}

void TOrvFolderBrowser::FreeFolderObject() { folderObject_.Free(); }

void TOrvFolderBrowser::SetFolderPath(const String& value) {
  if (dialogHandle_) {
    SendMessageA(dialogHandle_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
    return;
  }
  folderPath_ = value;
  UpdateFolderObject();
}

void TOrvFolderBrowser::SetCaption(const String& value) {
  caption_ = value;
  if (dialogHandle_ && !caption_.empty()) SetWindowTextA(dialogHandle_, caption_.c_str());
}

void TOrvFolderBrowser::SetStatusText(const String& value) {
  statusText_ = value;
  if (dialogHandle_ && statusTextShown_)
    SendMessageA(dialogHandle_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(statusText_.c_str()));
}

void Orvfolderbrowser::Register() {
  RegisterComponents("Tovix", {&TOrvFolderBrowser::StaticClassInfo()});
}

}  // namespace Tovix
