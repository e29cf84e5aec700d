#include "framework/forms/Forms.h"

#include <algorithm>
#include <map>

#include "framework/classes/Filer.h"
#include "framework/system/ScopeExit.h"
#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

const TEnumInfo& TEnumTraits<TFormBorderStyle>::Info() {
  static const TEnumInfo info{{"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return info;
}
const TEnumInfo& TEnumTraits<TBorderIconItem>::Info() {
  static const TEnumInfo info{{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return info;
}
const TEnumInfo& TEnumTraits<TPosition>::Info() {
  static const TEnumInfo info{{"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
  return info;
}
const TEnumInfo& TEnumTraits<TFormStyle>::Info() {
  static const TEnumInfo info{{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
  return info;
}
const TEnumInfo& TEnumTraits<TDefaultMonitor>::Info() {
  static const TEnumInfo info{{"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"}};
  return info;
}
const TEnumInfo& TEnumTraits<TWindowState>::Info() {
  static const TEnumInfo info{{"wsNormal", "wsMinimized", "wsMaximized"}};
  return info;
}

TOVIX_IMPLEMENT_CLASS(TCustomForm, TScrollingWinControl) {
  c.Message(WM_CLOSE, &TCustomForm::WMClose);
  c.Message(WM_ACTIVATE, &TCustomForm::WMActivate);
  c.Message(WM_ACTIVATEAPP, &TCustomForm::WMActivateApp);
  c.Message(WM_SETFOCUS, &TCustomForm::WMSetFocus);
  c.Message(CM_DIALOGKEY, &TCustomForm::CMDialogKey);
  c.Message(CM_VISIBLECHANGED, &TCustomForm::CMVisibleChanged);
  c.Message(CM_RELEASE, &TCustomForm::CMRelease);
  c.Message(CM_ACTIVATE, &TCustomForm::CMActivate);
  c.Message(CM_DEACTIVATE, &TCustomForm::CMDeactivate);
  c.Message(WM_GETMINMAXINFO, &TCustomForm::WMGetMinMaxInfo);
}

TOVIX_IMPLEMENT_CLASS(TForm, TCustomForm) {
  c.Property("Width", &TForm::GetWidth, &TForm::SetWidth).Stored(false);
  c.Property("Height", &TForm::GetHeight, &TForm::SetHeight).Stored(false);
  c.Property("ActiveControl", &TForm::GetActiveControl, &TForm::SetActiveControl);
  c.Property("AutoScroll", &TForm::GetAutoScroll, &TForm::SetAutoScroll).Default(false);
  c.Property("BorderIcons", &TForm::GetBorderIcons, &TForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  c.Property("BorderStyle", &TForm::GetBorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
  c.Property("Caption", &TForm::GetCaption, &TForm::SetCaption);
  c.Property("ClientHeight", &TForm::GetClientHeight, &TForm::SetClientHeight);
  c.Property("ClientWidth", &TForm::GetClientWidth, &TForm::SetClientWidth);
  c.Property("Color", &TForm::GetColor, &TForm::SetColor).Default(clBtnFace);
  c.Property("Constraints", &TForm::GetConstraints, &TForm::SetConstraints);
  c.Property("Ctl3D", &TForm::GetCtl3D, &TForm::SetCtl3D).Default(true);
  c.Property("DefaultMonitor", &TForm::GetDefaultMonitor, &TForm::SetDefaultMonitor).Default(dmActiveForm);
  c.Property("Enabled", &TForm::GetEnabled, &TForm::SetEnabled).Default(true);
  c.Property("Font", &TForm::GetFont, &TForm::SetFont).Stored(&TForm::IsFontStored);
  c.Property("FormStyle", &TForm::GetFormStyle, &TForm::SetFormStyle).Default(fsNormal);
  c.Property("HorzScrollBar", &TForm::GetHorzScrollBar, &TForm::SetHorzScrollBar);
  c.Property("Icon", &TForm::GetIcon, &TForm::SetIcon);
  c.Property("KeyPreview", &TForm::GetKeyPreview, &TForm::SetKeyPreview).Default(false);
  c.Property("OldCreateOrder", &TForm::GetOldCreateOrder, &TForm::SetOldCreateOrder).Default(false);
  c.Property("ParentFont", &TForm::GetParentFont, &TForm::SetFormParentFont).Default(false);
  c.Property("PixelsPerInch", &TForm::GetPixelsPerInch, &TForm::SetPixelsPerInch).Default(0);
  c.Property("PopupMenu", &TForm::GetPopupMenu, &TForm::SetPopupMenu);
  c.Property("Position", &TForm::GetPosition, &TForm::SetPosition).Default(poDesigned);
  c.Property("Scaled", &TForm::GetScaled, &TForm::SetScaled).Default(true);
  c.Property("ShowHint", &TForm::GetShowHint, &TForm::SetShowHint).Default(false);
  c.Property("TextHeight", &TForm::GetTextHeight, &TForm::SetTextHeight).Default(0);
  c.Property("VertScrollBar", &TForm::GetVertScrollBar, &TForm::SetVertScrollBar);
  c.Property("Visible", &TForm::GetFormVisible, &TForm::SetFormVisible).Default(false);
  c.Property("WindowState", &TForm::GetWindowState, &TForm::SetWindowState).Default(wsNormal);
  c.Property("OnActivate", &TForm::GetOnActivate, &TForm::SetOnActivate);
  c.Property("OnClick", &TForm::GetOnClick, &TForm::SetOnClick);
  c.Property("OnClose", &TForm::GetOnClose, &TForm::SetOnClose);
  c.Property("OnCloseQuery", &TForm::GetOnCloseQuery, &TForm::SetOnCloseQuery);
  c.Property("OnCreate", &TForm::GetOnCreate, &TForm::SetOnCreate);
  c.Property("OnDblClick", &TForm::GetOnDblClick, &TForm::SetOnDblClick);
  c.Property("OnDeactivate", &TForm::GetOnDeactivate, &TForm::SetOnDeactivate);
  c.Property("OnDestroy", &TForm::GetOnDestroy, &TForm::SetOnDestroy);
  c.Property("OnHide", &TForm::GetOnHide, &TForm::SetOnHide);
  c.Property("OnKeyDown", &TForm::GetOnKeyDown, &TForm::SetOnKeyDown);
  c.Property("OnKeyPress", &TForm::GetOnKeyPress, &TForm::SetOnKeyPress);
  c.Property("OnKeyUp", &TForm::GetOnKeyUp, &TForm::SetOnKeyUp);
  c.Property("OnMouseDown", &TForm::GetOnMouseDown, &TForm::SetOnMouseDown);
  c.Property("OnMouseMove", &TForm::GetOnMouseMove, &TForm::SetOnMouseMove);
  c.Property("OnMouseUp", &TForm::GetOnMouseUp, &TForm::SetOnMouseUp);
  c.Property("OnShow", &TForm::GetOnShow, &TForm::SetOnShow);
}

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* top = control;
  while (top && top->GetParent()) top = top->GetParent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), icon_(new TIcon()) {
  SetVisibleState(false);
  controlStyle_ = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetColor(clBtnFace);
  SetParentFontState(false);
  left_ = 0;
  top_ = 0;
  width_ = 320;
  height_ = 240;
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  Screen->RemoveForm(this);
  Application->FormDestroyed(this);
  delete icon_;
  icon_ = nullptr;
}

void TCustomForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  if (destroyRan_) return;
  destroyRan_ = true;
  onDestroy_(this);
}

void TCustomForm::ReadFormResource() {
  formState_.Include(fsCreating);
  {
    TScopeExit created([&] { formState_.Exclude(fsCreating); });
    resourceRead_ = ReadFormResources(this, resourceRead_);
  }
  DoCreate();
  if (showWhenLoaded_) Show();
  showWhenLoaded_ = false;
}

void TCustomForm::DoCreate() { onCreate_(this); }
void TCustomForm::DoShow() { onShow_(this); }
void TCustomForm::DoHide() { onHide_(this); }
void TCustomForm::DoClose(TCloseAction& action) { onClose_(this, action); }

void TCustomForm::SetClientWidth(int v) {
  if (IsLoading()) loadedClientWidth_ = v;
  TWinControl::SetClientWidth(v);
}

void TCustomForm::SetClientHeight(int v) {
  if (IsLoading()) loadedClientHeight_ = v;
  TWinControl::SetClientHeight(v);
}

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  if (loadedClientWidth_ >= 0) TWinControl::SetClientWidth(loadedClientWidth_);
  if (loadedClientHeight_ >= 0) TWinControl::SetClientHeight(loadedClientHeight_);
  loadedClientWidth_ = loadedClientHeight_ = -1;
  ScaleToScreen();
  // A form made from its own resource shows after OnCreate (see ReadFormResource).
  if (showWhenLoaded_ && !formState_.Contains(fsCreating)) {
    showWhenLoaded_ = false;
    Show();
  }
  if (activeControl_ && !activeControl_->CanFocus() && GetVisible()) activeControl_ = nullptr;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == activeControl_) activeControl_ = nullptr;
  if (component == focusedControl_) focusedControl_ = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = 0;
  if (!GetEnabled()) params.Style |= WS_DISABLED;
  switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    bool minMaxAllowed = borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin;
    if (minMaxAllowed && borderIcons_.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (minMaxAllowed && borderIcons_.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    if (borderIcons_.Contains(biHelp) && (borderStyle_ == bsDialog || !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
      params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (position_ == poDefault || position_ == poDefaultPosOnly) params.X = params.Y = static_cast<int>(CW_USEDEFAULT);
  params.WndParent = Application->GetHandle();
}

void SetWindowIcon(HWND window, TIcon* icon) {
  auto handle = reinterpret_cast<LPARAM>(icon->Empty() ? nullptr : icon->GetHandle());
  SendMessageA(window, WM_SETICON, ICON_BIG, handle);
  SendMessageA(window, WM_SETICON, ICON_SMALL, handle);
}

TRect TCustomForm::GetClientRect() const {
  if (handle_) return TWinControl::GetClientRect();
  // The frame depends on the border style and icons alone. Children ask for the client area each
  // time they are placed, so the frame of each kind is worked out once.
  static std::map<std::pair<int, uint64_t>, RECT> frames;
  auto key = std::make_pair(static_cast<int>(borderStyle_), borderIcons_.Bits());
  auto known = frames.find(key);
  if (known == frames.end()) {
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT measured{0, 0, 0, 0};
    AdjustWindowRectEx(&measured, params.Style, FALSE, params.ExStyle);
    known = frames.emplace(key, measured).first;
  }
  const RECT& frame = known->second;
  int width = GetWidth() - (frame.right - frame.left);
  int height = GetHeight() - (frame.bottom - frame.top);
  return Rect(0, 0, width > 0 ? width : 0, height > 0 ? height : 0);
}

void TCustomForm::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  if (!icon_->Empty()) SetWindowIcon(handle_, icon_);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (v == borderIcons_) return;
  borderIcons_ = v;
  RecreateWnd();
}

TWindowState TCustomForm::GetWindowState() const {
  if (handle_ && IsWindowVisible(handle_)) {
    if (IsIconic(handle_)) return wsMinimized;
    if (IsZoomed(handle_)) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
  windowState_ = v;
  if (IsLoading() || !handle_ || !IsWindowVisible(handle_)) return;
  static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  ShowWindow(handle_, commands[v]);
}

void TCustomForm::SetIcon(TIcon* v) {
  icon_->Assign(v);
  if (handle_) SetWindowIcon(handle_, icon_);
}

void TCustomForm::PlaceOnScreen() {
  // The rectangle to centre on: the screen, or the form the position names when it is showing.
  TRect area = Rect(0, 0, Screen->GetWidth(), Screen->GetHeight());
  TCustomForm* around = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: break;
    case poMainFormCenter: around = Application->GetMainForm(); break;
    case poOwnerFormCenter: around = dynamic_cast<TCustomForm*>(GetOwner()); break;
    default: return;
  }
  if (around && around != this && around->HandleAllocated() && IsWindowVisible(around->GetHandle())) {
    RECT r;
    GetWindowRect(around->GetHandle(), &r);
    area = r;
  }
  int x = area.left + (area.right - area.left - GetWidth()) / 2;
  int y = area.top + (area.bottom - area.top - GetHeight()) / 2;
  // Kept on the screen, its top-left corner first.
  x = std::max(0, std::min(x, Screen->GetWidth() - GetWidth()));
  y = std::max(0, std::min(y, Screen->GetHeight() - GetHeight()));
  SetBounds(x, y, GetWidth(), GetHeight());
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == fsMDIChild || v == fsMDIForm) throw EInvalidOperation("Multiple-document forms are not supported");
  if (v == formStyle_) return;
  formStyle_ = v;
  // Made again from CreateParams: not every window manager takes a topmost change on a live window.
  RecreateWnd();
}

void TCustomForm::SetFormParentFont(bool v) {
  if (v) {
    // The system's font for dialogs stands for the parent a top-level form does not have.
    LOGFONTA desktop{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(desktop), &desktop)) {
      GetFont()->SetName(desktop.lfFaceName);
      GetFont()->SetHeight(desktop.lfHeight);
    }
  }
  SetParentFontState(v);
}

void TCustomForm::SetFormVisible(bool v) {
  visibleInFile_ = v;
  if (IsLoading()) showWhenLoaded_ = v;
  else SetVisible(v);
}

void TCustomForm::ScaleToScreen() {
  int screen = Screen->GetPixelsPerInch();
  if (!scaled_ || pixelsPerInch_ == 0 || pixelsPerInch_ == screen) return;
  int designed = pixelsPerInch_;
  DisableAlign();
  TScopeExit enableAlign([&] { EnableAlign(); });
  // The form keeps its place; its client area, font, limits and children scale.
  TRect client = GetClientRect();
  if (GetConstraints()) GetConstraints()->Scale(screen, designed);
  TWinControl::SetClientWidth(MulDiv(client.right, screen, designed));
  TWinControl::SetClientHeight(MulDiv(client.bottom, screen, designed));
  if (!GetParentFont()) GetFont()->SetHeight(MulDiv(GetFont()->GetHeight(), screen, designed));
  GetHorzScrollBar()->Scale(screen, designed);
  GetVertScrollBar()->Scale(screen, designed);
  for (int i = 0; i < GetControlCount(); ++i) GetControls(i)->ChangeScale(screen, designed);
  if (textHeight_) textHeight_ = MulDiv(textHeight_, screen, designed);
  pixelsPerInch_ = screen;
}

void TCustomForm::WMGetMinMaxInfo(TMessage& m) {
  DefaultHandler(m);
  TSizeConstraints* limits = GetConstraints();
  auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
  if (limits->GetMinWidth()) info->ptMinTrackSize.x = limits->GetMinWidth();
  if (limits->GetMinHeight()) info->ptMinTrackSize.y = limits->GetMinHeight();
  if (limits->GetMaxWidth()) info->ptMaxTrackSize.x = limits->GetMaxWidth();
  if (limits->GetMaxHeight()) info->ptMaxTrackSize.y = limits->GetMaxHeight();
}

// ---------------------------------------------------------------------------
// Showing and closing

void TCustomForm::Show() {
  SetVisible(true);
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  if (IsDesigning()) return;
  if (GetVisible()) {
    HandleNeeded();
    DoShow();
    if (!formState_.Contains(fsVisible)) PlaceOnScreen();
    formState_.Include(fsVisible);
    if (Application->GetMainForm() == this) ShowWindow(Application->GetHandle(), SW_SHOWNORMAL);
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[windowState_]);
    SetForegroundWindow(handle_);
    // Focus the active control, or the first one in tab order.
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FindNextControl(nullptr, true, true, false);
    if (target) target->SetFocus();
  } else {
    formState_.Exclude(fsVisible);
    if (handle_) {
      windowState_ = GetWindowState();
      DoHide();
      ShowWindow(handle_, SW_HIDE);
    }
  }
}

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || !GetEnabled() || formState_.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) ReleaseCapture();
  formState_.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  // Every other window of the program is disabled while the form is modal.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  HandleNeeded();
  disabled.erase(std::remove(disabled.begin(), disabled.end(), handle_), disabled.end());
  for (HWND w : disabled) EnableWindow(w, FALSE);
  modalResult_ = mrNone;
  TModalResult result = mrNone;
  auto restore = [&] {
    for (HWND w : disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    formState_.Exclude(fsModal);
  };
  {
    TScopeExit restoreOnExit([&] { restore(); });
    Show();
    SendMessageA(handle_, CM_ACTIVATE, 0, 0);
    do {
      Application->HandleMessage();
      if (Application->GetTerminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        // Closing may be refused: OnCloseQuery or OnClose can keep the form open.
        TCloseAction action = caNone;
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
        if (action == caNone) modalResult_ = mrNone;
        else if (action == caFree) Release();
      }
    } while (modalResult_ == mrNone);
    result = modalResult_;
    SendMessageA(handle_, CM_DEACTIVATE, 0, 0);
    Hide();
  }
  return result;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  onCloseQuery_(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->GetMainForm() == this) {
    Application->Terminate();
    Hide();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  if (handle_) PostMessageA(handle_, CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::WMClose(TMessage&) { Close(); }

// ---------------------------------------------------------------------------
// Activation and focus

void TCustomForm::WMActivate(TMessage& m) {
  DefaultHandler(m);
  bool activating = LOWORD(m.WParam) != WA_INACTIVE;
  if (activating == active_) return;
  if (activating) {
    active_ = true;
    Screen->SetActiveForm(this);
    onActivate_(this);
    if (activeControl_ && activeControl_->CanFocus() && !activeControl_->Focused()) ::SetFocus(activeControl_->GetHandle());
  } else {
    SendCancelMode(nullptr);
    active_ = false;
    onDeactivate_(this);
  }
}

void TCustomForm::WMActivateApp(TMessage& m) {
  DefaultHandler(m);
  if (!m.WParam) SendCancelMode(nullptr);
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (active_ && activeControl_) activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

void TCustomForm::CMActivate(TMessage&) {}
void TCustomForm::CMDeactivate(TMessage&) {}

void TCustomForm::WMSetFocus(TMessage& m) {
  // The form passes the focus on to its active control, as a dialog does.
  if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated()) ::SetFocus(activeControl_->GetHandle());
  else DefaultHandler(m);
}

bool TCustomForm::CanFocus() const { return GetVisible() && GetEnabled(); }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->GetHandle());
  else ::SetFocus(GetHandle());
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && (control == this || GetParentForm(control) != this || (!IsLoading() && !control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  activeControl_ = control;
  if (control) control->FreeNotification(this);
  if (!IsLoading() && handle_ && IsWindowVisible(handle_)) {
    if (control) ::SetFocus(control->GetHandle());
    else ::SetFocus(handle_);
  }
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (control == this) {
    SetFocus();
    return;
  }
  // A newly active control is given the focus by SetActiveControl; when the control that had it
  // takes it back (a failed validation on exit), that answer stands and is not asked again.
  bool wasActive = control == activeControl_;
  SetActiveControl(control);
  if (wasActive && control && handle_ && IsWindowVisible(handle_) && !control->Focused()) ::SetFocus(control->GetHandle());
}

// Called when a control's window gets the focus: tells the controls that lose and gain it.
bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control != this) activeControl_ = control;
  if (!focusedControl_) focusedControl_ = this;
  if (focusedControl_ == control) return true;
  while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
    TWinControl* leaving = focusedControl_;
    focusedControl_ = leaving->GetParent();
    leaving->Perform(CM_EXIT, 0, 0);
  }
  while (focusedControl_ && focusedControl_ != control) {
    TWinControl* step = control;
    while (step->GetParent() != focusedControl_) step = step->GetParent();
    focusedControl_ = step;
    step->Perform(CM_ENTER, 0, 0);
  }
  // Tabbing to a control scrolled out of sight brings it into view.
  if (GetAutoScroll()) ScrollInView(control);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && focusedControl_ && control->ContainsControl(focusedControl_)) focusedControl_ = control->GetParent();
  if (activeControl_ && control->ContainsControl(activeControl_)) {
    activeControl_ = nullptr;
    if (handle_ && IsWindowVisible(handle_) && !IsDestroying()) ::SetFocus(handle_);
  }
}

void TCustomForm::CMDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (m.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (activeControl_ && activeControl_->GetParent()) {
          activeControl_->GetParent()->SelectNext(activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
          m.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(m);
}

// ---------------------------------------------------------------------------
// THintWindow

TOVIX_IMPLEMENT_CLASS(THintWindow, TCustomControl) {}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisibleState(false);
  SetColor(clInfoBk);
  GetFont()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.WindowClass.style |= CS_SAVEBITS;
  params.WndParent = Application->GetHandle();
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint) {
  RECT r{0, 0, maxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  DrawTextA(dc, hint.c_str(), static_cast<int>(hint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect rect, const String& hint) {
  SetCaption(hint);
  HandleNeeded();
  left_ = rect.left;
  top_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
  SetWindowPos(handle_, HWND_TOPMOST, left_, top_, width_, height_, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, TRUE);
}

void THintWindow::Paint() {
  RECT r = GetClientRect();
  r.left += 2;
  r.top += 2;
  HDC dc = GetCanvas()->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  String text = GetCaption();
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, old);
}

// ---------------------------------------------------------------------------
// TScreen

TOVIX_IMPLEMENT_CLASS(TScreen, TComponent) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

int TScreen::GetPixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

TCustomForm* TScreen::GetForms(int index) const {
  if (index < 0 || index >= GetFormCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return forms_[static_cast<size_t>(index)];
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

}  // namespace Tovix
