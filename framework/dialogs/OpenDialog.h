// TOpenDialog: the system's file-open dialog (GetOpenFileNameA), explorer-style, with a hook
// that turns the dialog's notifications into events and an optional child template that adds
// controls of one's own.
//
// While the dialog is shown, Handle is the dialog's own window and HookHandle the child dialog
// inside it that the hook runs in (made from Template when there is one; its "stc32" static marks
// where the standard controls lie). FileName follows the selection while the dialog is shown.
//
// Events, in the order the dialog gives them: OnShow (the dialog is ready), OnFolderChange,
// OnSelectionChange (the selected file changed), OnTypeChange (another filter was chosen),
// OnCanClose (OK was pressed: the handler may keep the dialog open), OnClose (the dialog is
// closing, after OK or Cancel).
#pragma once

#include <memory>
#include <vector>

#include "framework/classes/Strings.h"
#include "framework/dialogs/CommonDialog.h"
#include "framework/forms/Forms.h"
#include "framework/stdctrls/StdTypes.h"

#include <commdlg.h>

namespace Tovix {

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
  TOVIX_DECLARE_CLASS(TOpenDialog)

 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // Shows the dialog. True with FileName (and Files) set when the user chose a file, false on
  // Cancel (FileName keeps its value). Raises ECommonDialogError when the dialog cannot be shown
  // (a Template that is not in the module, ...) or the chosen files do not fit the name buffer.
  bool Execute() override;

  // The chosen file's full path; while shown, the file (or folder) selected at the moment.
  String GetFileName() const;
  void SetFileName(const String& value) { fileName_ = value; }
  // All chosen files' full paths (several with ofAllowMultiSelect), after Execute.
  TStrings* GetFiles() const { return files_.get(); }
  // Pairs of description and pattern separated by "|": "Text files (*.txt)|*.txt|All|*.*".
  const String& GetFilter() const { return filter_; }
  void SetFilter(const String& value) { filter_ = value; }
  // The filter shown first (1 for the first pair); after Execute, the one the user chose.
  int GetFilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const String& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const String& value) { initialDir_ = value; }
  // Added to a typed name without an extension; a leading "." is allowed ("txt" or ".txt").
  const String& GetDefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& value) { defaultExt_ = value; }
  // The dialog's caption; empty shows the system's ("Open").
  const String& GetTitle() const { return title_; }
  void SetTitle(const String& value) { title_ = value; }
  // [ofHideReadOnly] by default. After Execute ofReadOnly tells whether the read-only box was
  // ticked and ofExtensionDifferent whether the name's extension differs from DefaultExt.
  TOpenOptions GetOptions() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }
  // The name of a child dialog template (a DIALOG resource with WS_CHILD and DS_CONTROL) in the
  // module of the code of this object's class; empty for none. Ignored for old-style dialogs.
  const String& GetTemplate() const { return template_; }
  void SetTemplate(const String& value) { template_ = value; }

  // The child dialog of the hook while shown (the one made from Template), else null.
  HWND GetHookHandle() const { return hookHandle_; }
  // Where the standard controls lie, in Handle's client coordinates: the template's "stc32"
  // static, or the whole client area without one. Empty while the dialog is not shown.
  TRect GetStaticRect() const;

  const TCloseQueryEvent& GetOnCanClose() const { return onCanClose_; }
  void SetOnCanClose(const TCloseQueryEvent& e) { onCanClose_ = e; }
  const TNotifyEvent& GetOnFolderChange() const { return onFolderChange_; }
  void SetOnFolderChange(const TNotifyEvent& e) { onFolderChange_ = e; }
  const TNotifyEvent& GetOnSelectionChange() const { return onSelectionChange_; }
  void SetOnSelectionChange(const TNotifyEvent& e) { onSelectionChange_ = e; }
  const TNotifyEvent& GetOnTypeChange() const { return onTypeChange_; }
  void SetOnTypeChange(const TNotifyEvent& e) { onTypeChange_ = e; }

 protected:
  // Each raises its event; descendants override them to act first.
  virtual bool DoCanClose();
  virtual void DoSelectionChange();
  virtual void DoFolderChange();
  virtual void DoTypeChange();

  // Shows the dialog through function (GetOpenFileNameA or GetSaveFileNameA).
  bool DoExecute(BOOL(WINAPI* function)(LPOPENFILENAMEA), const char* dialogName);

 private:
  friend UINT_PTR CALLBACK OpenDialogExplorerHook(HWND, UINT, WPARAM, LPARAM);
  friend UINT_PTR CALLBACK OpenDialogOldStyleHook(HWND, UINT, WPARAM, LPARAM);
  UINT_PTR ExplorerHookMessage(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);
  UINT_PTR OldStyleHookMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  void Closing();
  DWORD OptionFlags() const;
  std::vector<String> ChosenNames(const std::vector<char>& buffer, const OPENFILENAMEA& ofn) const;
  void ReadResult(const std::vector<char>& buffer, const OPENFILENAMEA& ofn);

  String fileName_;
  String selectedName_;  // an old-style dialog's selection while it is shown
  std::unique_ptr<TStringList> files_;
  String filter_;
  int filterIndex_ = 1;
  String initialDir_;
  String defaultExt_;
  String title_;
  TOpenOptions options_{ofHideReadOnly};
  String template_;
  HWND hookHandle_ = nullptr;
  bool closed_ = false;
  TCloseQueryEvent onCanClose_;
  TNotifyEvent onFolderChange_;
  TNotifyEvent onSelectionChange_;
  TNotifyEvent onTypeChange_;
};

template <>
struct TEnumTraits<TOpenOption> {
  static const TEnumInfo& Info();
};

TOVIX_LINK_CLASS(TOpenDialog)

}  // namespace Tovix
