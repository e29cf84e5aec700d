// Forms: top-level windows built from form files, the screen object and the hint window.
#pragma once

#include <functional>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/forms/DataModule.h"

namespace Tovix {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconItem { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIconItem>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
// Stay-on-top forms are topmost windows; multiple-document forms are not made by this framework.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
// The monitor a form is placed on; every choice is the one screen the framework knows.
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;

using TCloseEvent = TEvent<TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TCloseQueryEvent = TEvent<TObject* /*Sender*/, bool& /*CanClose*/>;


class TCustomForm : public TScrollingWinControl {
  TOVIX_DECLARE_CLASS(TCustomForm)

 public:
  // An empty form. A form class with a form file calls ReadFormResource at the end of its constructor.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  void BeforeDestruction() override;

  // Reads the form file stored as an RCDATA resource named after the class (in the module of the
  // class's code), binding events to this form's published methods, then runs OnCreate.
  // An ancestor's form file is read first when the ancestor's constructor has not read it.
  void ReadFormResource();

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form and runs a message loop until ModalResult is set; returns it.
  TModalResult ShowModal();
  // Asks OnCloseQuery, then closes as OnClose decides: hides, frees, minimizes or keeps the form.
  void Close();
  bool CloseQuery();
  // Frees the form once the messages being handled are done.
  void Release();

  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TFormStyle GetFormStyle() const { return formStyle_; }
  // Raises EInvalidOperation for the multiple-document styles.
  void SetFormStyle(TFormStyle v);
  TDefaultMonitor GetDefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor v) { defaultMonitor_ = v; }
  // A form read from a form file written at PixelsPerInch other than the screen's is scaled to
  // the screen when Scaled is set (positions, sizes, fonts), and then says the screen's density.
  // 0: the file did not say.
  int GetPixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int v) { pixelsPerInch_ = v > 0 ? v : 0; }
  bool GetScaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }
  // Values form designers write that change nothing at run time; kept and written back.
  int GetTextHeight() const { return textHeight_; }
  void SetTextHeight(int v) { textHeight_ = v; }
  bool GetOldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool v) { oldCreateOrder_ = v; }
  // A form that follows its "parent's" font takes the desktop's font for dialogs.
  void SetFormParentFont(bool v);
  // Visible as form files have it: a form read with Visible set is shown once it is read. What is
  // written is what was read or set here, not whether the form is showing now, so a form shown
  // from code writes the same file as before it was shown.
  bool GetFormVisible() const { return visibleInFile_; }
  void SetFormVisible(bool v);
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState v);
  TIcon* GetIcon() const { return icon_; }
  void SetIcon(TIcon* v);
  // Before the window exists, the client area is what the frame of the window to be made leaves
  // of the form's size, so ClientWidth/ClientHeight set then (as form files do) mean the same.
  TRect GetClientRect() const override;
  // The client size read from a form file is applied again once the form is read, so that it
  // holds also when the window (and its frame) was made while the form was being read.
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TWinControl* GetActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  TFormState GetFormState() const { return formState_; }
  bool GetActive() const { return active_; }

  // Focus management, used by the controls on the form.
  void FocusControl(TWinControl* control);
  bool SetFocusedControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  // While the form is active, sends CM_CANCELMODE with sender (null when the form or the
  // application is deactivated) to its active control.
  void SendCancelMode(TControl* sender);
  bool CanFocus() const override;
  void SetFocus() override;

  // Keyboard events of the form itself, also run first for its controls when KeyPreview is set.
  void KeyDown(uint16_t& key, TShiftState shift) override { TWinControl::KeyDown(key, shift); }
  void KeyUp(uint16_t& key, TShiftState shift) override { TWinControl::KeyUp(key, shift); }
  void KeyPress(char& key) override { TWinControl::KeyPress(key); }

  const TNotifyEvent& GetOnCreate() const { return onCreate_; }
  void SetOnCreate(const TNotifyEvent& e) { onCreate_ = e; }
  const TNotifyEvent& GetOnDestroy() const { return onDestroy_; }
  void SetOnDestroy(const TNotifyEvent& e) { onDestroy_ = e; }
  const TNotifyEvent& GetOnShow() const { return onShow_; }
  void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
  const TNotifyEvent& GetOnHide() const { return onHide_; }
  void SetOnHide(const TNotifyEvent& e) { onHide_ = e; }
  const TNotifyEvent& GetOnActivate() const { return onActivate_; }
  void SetOnActivate(const TNotifyEvent& e) { onActivate_ = e; }
  const TNotifyEvent& GetOnDeactivate() const { return onDeactivate_; }
  void SetOnDeactivate(const TNotifyEvent& e) { onDeactivate_ = e; }
  const TCloseEvent& GetOnClose() const { return onClose_; }
  void SetOnClose(const TCloseEvent& e) { onClose_ = e; }
  const TCloseQueryEvent& GetOnCloseQuery() const { return onCloseQuery_; }
  void SetOnCloseQuery(const TCloseQueryEvent& e) { onCloseQuery_ = e; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  void Notification(TComponent* component, TOperation operation) override;
  void PlaceOnScreen();
  void ScaleToScreen();
  void WMGetMinMaxInfo(TMessage& m);

  void WMClose(TMessage& m);
  void WMActivate(TMessage& m);
  void WMActivateApp(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMRelease(TMessage& m);
  void CMActivate(TMessage& m);
  void CMDeactivate(TMessage& m);

 private:
  int loadedClientWidth_ = -1;
  int loadedClientHeight_ = -1;

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TDefaultMonitor defaultMonitor_ = dmActiveForm;
  int pixelsPerInch_ = 0;
  bool scaled_ = true;
  int textHeight_ = 0;
  bool oldCreateOrder_ = false;
  bool showWhenLoaded_ = false;
  bool visibleInFile_ = false;
  TWindowState windowState_ = wsNormal;
  TIcon* icon_;
  TModalResult modalResult_ = mrNone;
  bool keyPreview_ = false;
  bool active_ = false;
  bool destroyRan_ = false;
  // The class whose form file was read last (by this class's constructor or an ancestor's).
  const TClassInfo* resourceRead_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TFormState formState_;
  TNotifyEvent onCreate_;
  TNotifyEvent onDestroy_;
  TNotifyEvent onShow_;
  TNotifyEvent onHide_;
  TNotifyEvent onActivate_;
  TNotifyEvent onDeactivate_;
  TCloseEvent onClose_;
  TCloseQueryEvent onCloseQuery_;
};

// A form with the usual properties published, the class form files of applications derive from.
class TForm : public TCustomForm {
  TOVIX_DECLARE_CLASS(TForm)

 public:
  using TCustomForm::TCustomForm;
};

// A small window that shows a control's hint text near the mouse.
class THintWindow : public TCustomControl {
  TOVIX_DECLARE_CLASS(THintWindow)

 public:
  explicit THintWindow(TComponent* owner);
  // Shows the window with that text, its top-left corner at a screen position.
  void ActivateHint(TRect rect, const String& hint);
  TRect CalcHintRect(int maxWidth, const String& hint);
  void ReleaseHandle() { DestroyHandle(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
};

class TScreen : public TComponent {
  TOVIX_DECLARE_CLASS(TScreen)

 public:
  explicit TScreen(TComponent* owner);
  int GetWidth() const;
  int GetHeight() const;
  int GetPixelsPerInch() const;
  int GetFormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* GetForms(int index) const;
  TCustomForm* GetActiveForm() const { return activeForm_; }
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  // Used by forms.
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form) { activeForm_ = form; }

 private:
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCursor cursor_ = crDefault;
};

// The program's screen object, made when the framework starts.
extern TScreen* Screen;

TCustomForm* GetParentForm(const TControl* control);
// Shows icon (none when it is empty) on a top-level window in both sizes: with only the large one
// set, the title bar and the task switcher would show the window class's icon.
void SetWindowIcon(HWND window, TIcon* icon);

template <> struct TEnumTraits<TFormBorderStyle> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TBorderIconItem> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TPosition> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TWindowState> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TFormStyle> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TDefaultMonitor> { static const TEnumInfo& Info(); };

}  // namespace Tovix
