#include "framework/dialogs/OpenDialog.h"

#include <algorithm>
#include <cderr.h>
#include <dlgs.h>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TOpenOption>::Info() {
  static const TEnumInfo info{{"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                               "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                               "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
                               "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
                               "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"}};
  return info;
}

TOVIX_IMPLEMENT_CLASS(TOpenDialog, TCommonDialog) {
  c.Property("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt);
  c.Property("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName);
  c.Property("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter);
  c.Property("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
  c.Property("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir);
  c.Property("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions).Default(TOpenOptions{ofHideReadOnly});
  c.Property("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle);
  c.Property("OnCanClose", &TOpenDialog::GetOnCanClose, &TOpenDialog::SetOnCanClose);
  c.Property("OnFolderChange", &TOpenDialog::GetOnFolderChange, &TOpenDialog::SetOnFolderChange);
  c.Property("OnSelectionChange", &TOpenDialog::GetOnSelectionChange, &TOpenDialog::SetOnSelectionChange);
  c.Property("OnTypeChange", &TOpenDialog::GetOnTypeChange, &TOpenDialog::SetOnTypeChange);
}

namespace {

// Room for many chosen files; the system reports FNERR_BUFFERTOOSMALL rather than overrunning.
const size_t kFileBufferSize = 0x8000;
const char kDialogProperty[] = "TovixOpenDialog";

// The system flag of each option, in the order of TOpenOption (ofOldStyleDialog is the absence
// of OFN_EXPLORER and has none).
const DWORD kOptionFlags[] = {
    OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP, OFN_NOVALIDATE,
    OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT,
    OFN_SHAREAWARE, OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES, 0,
    OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING};

// "Text|*.txt|All|*.*" as the system wants it: each part ended by a NUL, the list by another.
String SystemFilter(const String& filter) {
  if (filter.empty()) return String();
  String result = filter;
  std::replace(result.begin(), result.end(), '|', '\0');
  result.push_back('\0');
  result.push_back('\0');
  return result;
}

// The path of the file (or folder) the dialog has selected now.
String CurrentPath(HWND dialog) {
  std::vector<char> buffer(MAX_PATH);
  LRESULT needed = SendMessageA(dialog, CDM_GETFILEPATH, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (needed > static_cast<LRESULT>(buffer.size())) {
    buffer.assign(static_cast<size_t>(needed) + 1, '\0');
    needed = SendMessageA(dialog, CDM_GETFILEPATH, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  }
  if (needed <= 0) return String();
  buffer.back() = '\0';
  return String(buffer.data());
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

String TOpenDialog::GetFileName() const {
  if (handle_) {
    String current = hookHandle_ != handle_ ? CurrentPath(handle_) : selectedName_;
    if (!current.empty()) return current;
  }
  return fileName_;
}

TRect TOpenDialog::GetStaticRect() const {
  if (!handle_) return Rect(0, 0, 0, 0);
  RECT r;
  HWND placeholder = hookHandle_ && hookHandle_ != handle_ ? GetDlgItem(hookHandle_, stc32) : nullptr;
  if (placeholder) {
    GetWindowRect(placeholder, &r);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
  } else {
    GetClientRect(handle_, &r);
  }
  return r;
}

bool TOpenDialog::DoCanClose() {
  bool canClose = true;
  onCanClose_(this, canClose);
  return canClose;
}

void TOpenDialog::DoSelectionChange() { onSelectionChange_(this); }
void TOpenDialog::DoFolderChange() { onFolderChange_(this); }
void TOpenDialog::DoTypeChange() { onTypeChange_(this); }

void TOpenDialog::Closing() {
  if (closed_) return;
  closed_ = true;
  DoClose();
}

DWORD TOpenDialog::OptionFlags() const {
  DWORD flags = 0;
  for (size_t i = 0; i < std::size(kOptionFlags); ++i)
    if (options_.Contains(static_cast<TOpenOption>(i))) flags |= kOptionFlags[i];
  return flags;
}

// ---------------------------------------------------------------------------
// Hooks

// The explorer-style hook runs in the child dialog; its parent is the dialog itself.
UINT_PTR CALLBACK OpenDialogExplorerHook(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<TOpenDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetPropA(hook, kDialogProperty, dialog);
    dialog->hookHandle_ = hook;
    dialog->handle_ = GetParent(hook);
    return 0;
  }
  auto* dialog = static_cast<TOpenDialog*>(GetPropA(hook, kDialogProperty));
  if (!dialog) return 0;
  if (msg == WM_NCDESTROY) RemovePropA(hook, kDialogProperty);
  try {
    return dialog->ExplorerHookMessage(hook, msg, wParam, lParam);
  } catch (const std::exception& e) {
    dialog->HandleHookException(e);
  }
  return 0;
}

UINT_PTR TOpenDialog::ExplorerHookMessage(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    Closing();
    return 0;
  }
  if (msg != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<OFNOTIFYA*>(lParam);
  switch (notify->hdr.code) {
    case CDN_INITDONE:
      DoShow();
      break;
    case CDN_SELCHANGE:
      DoSelectionChange();
      break;
    case CDN_FOLDERCHANGE:
      DoFolderChange();
      break;
    case CDN_TYPECHANGE:
      filterIndex_ = static_cast<int>(notify->lpOFN->nFilterIndex);
      DoTypeChange();
      break;
    case CDN_FILEOK:
      if (!DoCanClose()) {
        SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);  // keeps the dialog open
        return 1;
      }
      break;
    default:
      break;
  }
  return 0;
}

// The old-style hook runs in the dialog itself and hears about selections and OK through
// registered messages.
UINT_PTR CALLBACK OpenDialogOldStyleHook(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<TOpenDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetPropA(window, kDialogProperty, dialog);
    dialog->hookHandle_ = window;
    dialog->handle_ = window;
  }
  auto* dialog = static_cast<TOpenDialog*>(GetPropA(window, kDialogProperty));
  if (!dialog) return 0;
  if (msg == WM_NCDESTROY) RemovePropA(window, kDialogProperty);
  try {
    return dialog->OldStyleHookMessage(window, msg, wParam, lParam);
  } catch (const std::exception& e) {
    dialog->HandleHookException(e);
  }
  return 0;
}

UINT_PTR TOpenDialog::OldStyleHookMessage(HWND window, UINT msg, WPARAM, LPARAM lParam) {
  static const UINT selectionChanged = RegisterWindowMessageA(LBSELCHSTRINGA);
  static const UINT fileOk = RegisterWindowMessageA(FILEOKSTRINGA);
  if (msg == WM_INITDIALOG) {
    DoShow();
    return TRUE;  // the system sets the focus
  }
  if (msg == WM_DESTROY) {
    Closing();
  } else if (msg == selectionChanged && HIWORD(lParam) == CD_LBSELCHANGE) {
    char name[MAX_PATH] = {};
    GetDlgItemTextA(window, edt1, name, MAX_PATH);
    selectedName_ = name;
    DoSelectionChange();
  } else if (msg == fileOk && !DoCanClose()) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
    return 1;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Execute

bool TOpenDialog::Execute() { return DoExecute(GetOpenFileNameA, "open"); }

bool TOpenDialog::DoExecute(BOOL(WINAPI* function)(LPOPENFILENAMEA), const char* dialogName) {
  files_->Clear();
  selectedName_.clear();
  if (!options_.Contains(ofOldStyleDialog) && !template_.empty() &&
      !FindResourceA(static_cast<HMODULE>(ClassInfo().Module()), template_.c_str(), MAKEINTRESOURCEA(5) /* RT_DIALOG */))
    throw ECommonDialogError(Format("Dialog template %s not found", template_));
  std::vector<char> buffer(kFileBufferSize, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), buffer.size() - 2), buffer.begin());
  String filter = SystemFilter(filter_);
  String defaultExt = !defaultExt_.empty() && defaultExt_[0] == '.' ? defaultExt_.substr(1) : defaultExt_;
  bool explorer = !options_.Contains(ofOldStyleDialog);

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ < 0 ? 0 : filterIndex_);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size() - 2);  // two NULs always end the list
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OptionFlags() | OFN_ENABLEHOOK | (explorer ? OFN_EXPLORER : 0);
  if (explorer && !template_.empty()) {
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.hInstance = static_cast<HINSTANCE>(ClassInfo().Module());
    ofn.lpTemplateName = template_.c_str();
  }
  ofn.lpfnHook = explorer ? OpenDialogExplorerHook : OpenDialogOldStyleHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  closed_ = false;
  BOOL chosen = FALSE;
  {
    TScopeExit forgetHook([&] { hookHandle_ = nullptr; });
    chosen = TaskModalDialog([&](HWND owner) {
      ofn.hwndOwner = owner;
      return function(&ofn);
    });
  }
  if (!chosen) {
    DWORD error = CommDlgExtendedError();
    if (error == FNERR_BUFFERTOOSMALL)
      throw ECommonDialogError(Format("The chosen file names do not fit in %d characters", static_cast<int>(ofn.nMaxFile)));
    if (error != 0) throw ECommonDialogError(Format("The %s dialog could not be shown (error 0x%x)", dialogName, error));
    return false;
  }
  ReadResult(buffer, ofn);
  return true;
}

// The buffer holds one full path, ended by its first NUL. Only with multi-select may it hold several
// files: the folder followed by the names, each ended by a NUL and the list by an empty one (the
// first name then starts right after a NUL), or, in an old-style dialog, all of them in the first
// string separated by spaces. Whatever follows is left over from the name the dialog started on.
std::vector<String> TOpenDialog::ChosenNames(const std::vector<char>& buffer, const OPENFILENAMEA& ofn) const {
  auto stringAt = [&](size_t start) {
    auto begin = buffer.begin() + static_cast<std::ptrdiff_t>(start);
    return String(begin, std::find(begin, buffer.end(), '\0'));
  };
  String first = stringAt(0);
  if (first.empty()) return {};
  if (!options_.Contains(ofAllowMultiSelect)) return {first};
  std::vector<String> parts;
  if (!(ofn.Flags & OFN_EXPLORER)) {
    for (size_t start = 0; start < first.size();) {
      size_t space = first.find(' ', start);
      if (space == String::npos) space = first.size();
      if (space > start) parts.push_back(first.substr(start, space - start));
      start = space + 1;
    }
    return parts;
  }
  parts.push_back(first);
  size_t offset = ofn.nFileOffset;
  if (offset == 0 || offset >= buffer.size() || buffer[offset - 1] != '\0') return parts;
  for (size_t start = first.size() + 1; start < buffer.size() && buffer[start];) {
    parts.push_back(stringAt(start));
    start += parts.back().size() + 1;
  }
  return parts;
}

void TOpenDialog::ReadResult(const std::vector<char>& buffer, const OPENFILENAMEA& ofn) {
  std::vector<String> parts = ChosenNames(buffer, ofn);
  if (parts.size() > 1) {
    String folder = IncludeTrailingBackslash(parts[0]);
    for (size_t i = 1; i < parts.size(); ++i) files_->Add(folder + parts[i]);
  } else if (parts.size() == 1) {
    files_->Add(parts[0]);
  }
  fileName_ = files_->GetCount() > 0 ? files_->GetStrings(0) : String();
  if (ofn.Flags & OFN_READONLY) options_.Include(ofReadOnly);
  else options_.Exclude(ofReadOnly);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT) options_.Include(ofExtensionDifferent);
  else options_.Exclude(ofExtensionDifferent);
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
}

}  // namespace Tovix
