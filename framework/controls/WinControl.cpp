#include "framework/controls/WinControl.h"

#include <algorithm>
#include <commctrl.h>
#include <map>
#include <unordered_map>

#include "framework/forms/Application.h"
#include "framework/system/ScopeExit.h"
#include "framework/forms/Form.h"
#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

namespace {

// Children are mostly removed last first (an owner frees its components in reverse): look from the back.
template <typename T>
void EraseFromBack(std::vector<T*>& list, T* item) {
  auto found = std::find(list.rbegin(), list.rend(), item);
  if (found != list.rend()) list.erase(std::next(found).base());
}

}  // namespace

TOVIX_IMPLEMENT_CLASS(TWinControl, TControl) {
  c.Message(WM_PAINT, &TWinControl::WMPaint);
  c.Message(WM_PRINTCLIENT, &TWinControl::WMPrintClient);
  c.Message(WM_ERASEBKGND, &TWinControl::WMEraseBkgnd);
  c.Message(WM_COMMAND, &TWinControl::WMCommand);
  c.Message(WM_NOTIFY, &TWinControl::WMNotify);
  c.Message(WM_SIZE, &TWinControl::WMSize);
  c.Message(WM_MOVE, &TWinControl::WMMove);
  c.Message(WM_SETCURSOR, &TWinControl::WMSetCursor);
  c.Message(WM_KEYDOWN, &TWinControl::WMKeyDown);
  c.Message(WM_KEYUP, &TWinControl::WMKeyUp);
  c.Message(WM_CHAR, &TWinControl::WMChar);
  c.Message(WM_SYSKEYDOWN, &TWinControl::WMSysKeyDown);
  c.Message(WM_NCDESTROY, &TWinControl::WMNCDestroy);
  c.Message(WM_MOUSELEAVE, &TWinControl::WMMouseLeave);
  c.Message(CN_KEYDOWN, &TWinControl::CNKeyDown);
  c.Message(CN_SYSKEYDOWN, &TWinControl::CNKeyDown);
  c.Message(CN_CHAR, &TWinControl::CNChar);
  for (unsigned m = CN_CTLCOLORMSGBOX; m <= CN_CTLCOLORSTATIC; ++m) c.Message(m, &TWinControl::CNCtlColor);
  c.Message(CM_ENTER, &TWinControl::CMEnter);
  c.Message(CM_EXIT, &TWinControl::CMExit);
  c.Message(CM_DIALOGKEY, &TWinControl::CMDialogKey);
  c.Message(CM_DIALOGCHAR, &TWinControl::CMDialogChar);
  c.Message(CM_FONTCHANGED, &TWinControl::CMFontChanged);
  c.Message(CM_COLORCHANGED, &TWinControl::CMColorChanged);
  c.Message(CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged);
  c.Message(CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged);
  c.Message(CM_CTL3DCHANGED, &TWinControl::CMCtl3DChanged);
  c.Message(CM_TEXTCHANGED, &TWinControl::CMTextChanged);
  c.Message(CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged);
  c.Message(CM_RECREATEWND, &TWinControl::CMRecreateWnd);
}

TOVIX_IMPLEMENT_CLASS(TGraphicControl, TControl) { c.Message(WM_PAINT, &TGraphicControl::WMPaint); }

TOVIX_IMPLEMENT_CLASS(TCustomControl, TWinControl) {}

LRESULT CALLBACK FrameworkWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

const char kControlProperty[] = "TovixControl";

// Which control has which window. The window procedure looks every message's control up here: a
// hash probe, where reading the window property costs a round trip to the window server under
// Wine. The property stays, so that other modules of the process still find the control.
class TWindowControls {
 public:
  void Add(HWND window, TWinControl* control) {
    AcquireSRWLockExclusive(&lock_);
    TScopeExit release([this] { ReleaseSRWLockExclusive(&lock_); });  // also when the table cannot grow
    controls_[window] = control;
  }
  void Remove(HWND window) {
    AcquireSRWLockExclusive(&lock_);
    TScopeExit release([this] { ReleaseSRWLockExclusive(&lock_); });
    controls_.erase(window);
  }
  TWinControl* Find(HWND window) {
    AcquireSRWLockShared(&lock_);
    TScopeExit release([this] { ReleaseSRWLockShared(&lock_); });
    auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
  }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::unordered_map<HWND, TWinControl*> controls_;
};

TWindowControls& WindowControls() {
  static TWindowControls* controls = new TWindowControls();  // never freed: windows may outlive statics
  return *controls;
}

// The control whose window CreateWindowEx is making: its first messages arrive before
// CreateWindowEx returns, so the window procedure attaches them here.
thread_local TWinControl* creatingControl = nullptr;

TControl* captureControl = nullptr;

// Registered window classes and the window procedure each replaced (the default handling).
std::map<String, WNDPROC>& ClassProcs() {
  static std::map<String, WNDPROC> procs;
  return procs;
}

HINSTANCE FrameworkModule() { return static_cast<HINSTANCE>(TovixThisModule()); }

void InitCommonControlsOnce() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  done = true;
}

// Registers params' window class once, with the framework's window procedure in front.
WNDPROC RegisterWindowClass(TCreateParams& params) {
  auto it = ClassProcs().find(params.WinClassName);
  if (it != ClassProcs().end()) return it->second;
  WNDCLASSA wc = params.WindowClass;
  WNDPROC original = wc.lpfnWndProc ? wc.lpfnWndProc : DefWindowProcA;
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = FrameworkModule();
  wc.lpszClassName = params.WinClassName.c_str();
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EInvalidOperation(Format("Cannot register the window class %s: %s", params.WinClassName, SysErrorMessage(GetLastError())));
  ClassProcs()[params.WinClassName] = original;
  return original;
}

bool IsGraphic(const TControl* c) { return dynamic_cast<const TWinControl*>(c) == nullptr; }

// The control window an owner-draw message (WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM,
// WM_DELETEITEM) concerns. WM_MEASUREITEM names it only by its control identifier, which is
// 0 unless the control gave itself one; menu items are not controls.
HWND OwnerDrawItemWindow(HWND parent, const TMessage& m) {
  if (!m.LParam) return nullptr;
  switch (m.Msg) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
      return item->CtlType == ODT_MENU || item->CtlID == 0 ? nullptr : GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    case WM_COMPAREITEM: return reinterpret_cast<const COMPAREITEMSTRUCT*>(m.LParam)->hwndItem;
    case WM_DELETEITEM: return reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam)->hwndItem;
    default: return nullptr;
  }
}

}  // namespace

// Every framework window's procedure: hands the message to the control's WindowProc. Exceptions
// must not unwind through the system's code, so they end here in the application's handler.
LRESULT CALLBACK FrameworkWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = WindowControls().Find(window);
  if (!control && creatingControl) {
    control = creatingControl;
    creatingControl = nullptr;
    control->AttachHandle(window);
  }
  if (!control) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage m{msg, wParam, static_cast<intptr_t>(lParam), 0};
  Application->HandleExceptionsOf(control, [&] { control->WindowProc(m); });
  return m.Result;
}

TControl* GetCaptureControl() { return captureControl; }

void SetCaptureControl(TControl* control) {
  captureControl = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(control);
  TWinControl* owner = windowed ? windowed : control->GetParent();
  if (!owner || !owner->HandleAllocated()) return;
  SetCapture(owner->GetHandle());
  captureControl = control;
}

// ---------------------------------------------------------------------------
// Construction and the window

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(new TBrush()) {
  brush_->SetColor(GetColor());
}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while still a windowed control, so it drops this one from its tab order.
  if (parent_) parent_->RemoveControl(this);
  // Children leave first, so none of them refers back to a half-destroyed parent.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  if (handle_) DestroyHandle();
  delete brush_;
}

TWinControl* TWinControl::FindControl(HWND window) {
  if (!window) return nullptr;
  if (TWinControl* control = WindowControls().Find(window)) return control;
  return static_cast<TWinControl*>(GetPropA(window, kControlProperty));
}

void TWinControl::AttachHandle(HWND window) {
  handle_ = window;
  WindowControls().Add(window, this);
  SetPropA(window, kControlProperty, this);
}

void TWinControl::DetachHandle() {
  if (!handle_) return;
  WindowControls().Remove(handle_);
  RemovePropA(handle_, kControlProperty);
  handle_ = nullptr;
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND window) {
  if (parent_ || window == parentWindow_) return;
  if (handle_) DestroyHandle();
  parentWindow_ = window;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams();
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (controlStyle_.Contains(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
  if (GetVisible() || IsDesigning()) params.Style |= WS_VISIBLE;
  if (!GetEnabled() && !IsDesigning()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = parent_ ? parent_->GetHandle() : parentWindow_;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  // The system's shared cursor: looked up once, not in its resources for every window.
  static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  params.WindowClass.hCursor = arrow;
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* className) {
  // A system class does not change once found; asking the system again for every window made
  // costs a search through its class list.
  static std::map<String, WNDCLASSA> found;
  auto known = found.find(className);
  if (known != found.end()) {
    params.WindowClass = known->second;
    return;
  }
  InitCommonControlsOnce();
  WNDCLASSA wc;
  if (!GetClassInfoA(nullptr, className, &wc) && !GetClassInfoA(FrameworkModule(), className, &wc))
    throw EInvalidOperation(Format("Window class %s does not exist", className));
  // Keep the class's own procedure, extra bytes and cursor; a private class must not share DCs.
  wc.style &= ~(CS_OWNDC | CS_CLASSDC | CS_GLOBALCLASS | CS_PARENTDC);
  wc.hInstance = FrameworkModule();
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = nullptr;
  params.WindowClass = wc;
  found.emplace(className, wc);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  defWndProc_ = RegisterWindowClass(params);
  CreateWindowHandle(params);
  if (!handle_) RaiseLastWin32Error();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  creatingControl = this;
  HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                FrameworkModule(), params.Param);
  creatingControl = nullptr;
  if (window && !handle_) AttachHandle(window);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  controlState_.Include(csCreating);
  {
    TScopeExit created([&] { controlState_.Exclude(csCreating); });
    CreateWnd();
  }
  if (parent_) {
    // A child the parent makes in turn (see below) is in place already; one made out of turn (a
    // sibling needed another's window) is placed by asking, and so are the rest after it.
    bool inTurn = parent_->childInTurn_ == this && !parent_->childrenOutOfTurn_;
    if (!inTurn && parent_->childInTurn_) parent_->childrenOutOfTurn_ = true;
    if (!inTurn) PlaceInZOrder();
  }
  UpdateBounds();
  // Last first: a new child window starts below its siblings, so made in this order the windows
  // stack as the control list does without being moved one by one.
  std::vector<TControl*> children(controls_);
  TScopeExit made([&] {
    childInTurn_ = nullptr;
    childrenOutOfTurn_ = false;
  });
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (auto* w = dynamic_cast<TWinControl*>(*it)) {
      childInTurn_ = w;
      w->CreateHandle();
    }
  }
  childInTurn_ = nullptr;
  Realign();
}

void TWinControl::PlaceInZOrder() {
  // The windows' z-order is that of the control list (the last one on top): the window belongs
  // just below the nearest later windowed sibling that has a window, or on top when none has.
  HWND above = HWND_TOP;
  auto& siblings = parent_->controls_;
  for (auto it = std::find(siblings.begin(), siblings.end(), this); it != siblings.end(); ++it) {
    auto* w = dynamic_cast<TWinControl*>(*it);
    if (w && w != this && w->handle_) {
      above = w->handle_;
      break;
    }
  }
  // Moving a window costs the window server far more than asking where it is.
  HWND current = GetWindow(handle_, GW_HWNDPREV);
  if (above == HWND_TOP ? current == nullptr : current == above) return;
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  text_ = GetTextBuf();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  controlState_.Include(csDestroyingHandle);
  HWND window = handle_;
  if (window) DestroyWindow(window);
  DetachHandle();
  controlState_.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  bool wasFocused = Focused();
  DestroyHandle();
  HandleNeeded();
  if (wasFocused && handle_) ::SetFocus(handle_);
}

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  DetachHandle();
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) {
    TControl::DefaultHandler(m);
    return;
  }
  switch (m.Msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam))) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMPAREITEM: case WM_DELETEITEM:
      // Owner-drawn list and combo boxes draw, measure, sort and free their own items.
      if (TWinControl* child = FindControl(OwnerDrawItemWindow(handle_, m))) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    default:
      break;
  }
  m.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

String TWinControl::GetTextBuf() const {
  if (!handle_) return text_;
  int n = GetWindowTextLengthA(handle_);
  String s(static_cast<size_t>(n) + 1, '\0');
  int got = GetWindowTextA(handle_, s.data(), n + 1);
  s.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return s;
}

void TWinControl::SetTextBuf(const String& text) {
  text_ = text;
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

// ---------------------------------------------------------------------------
// Children

TControl* TWinControl::GetControls(int index) const {
  if (index < 0 || index >= GetControlCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (control->IsArranged()) ++arrangedChildren_;
  control->UpdateAnchorRules();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (handle_) w->CreateHandle();
  }
  if (!control->IsLoading()) {
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    control->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  }
  AlignControl(control);
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->parent_ != this) return;
  if (GetCaptureControl() == control) SetCaptureControl(nullptr);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
    if (w->HandleAllocated()) w->DestroyHandle();
    EraseFromBack(tabList_, w);
  }
  control->Invalidate();
  EraseFromBack(controls_, control);
  if (control->IsArranged()) --arrangedChildren_;
  control->parent_ = nullptr;
  Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->GetParent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allowWinControls && !IsGraphic(c)) continue;
    if (!(c->GetVisible() || (c->IsDesigning() && !c->GetControlStyle().Contains(csNoDesignVisible)))) continue;
    if (!allowDisabled && !c->GetEnabled()) continue;
    RECT r = c->GetBoundsRect();
    if (PtInRect(&r, point)) return c;
  }
  return nullptr;
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* c : controls_)
    if (c->GetOwner() == root) proc(c);
  TControl::GetChildren(proc, root);
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyChildren(unsigned message) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(message, 0, 0);
}

// ---------------------------------------------------------------------------
// Alignment

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::Loaded() {
  TControl::Loaded();
  if (controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControl(TControl* control) {
  if (IsDestroying()) return;
  // While a form file is read the children's values arrive one at a time; they are laid out
  // once, when this control is loaded.
  if (alignDisabled_ > 0 || IsLoading()) {
    controlState_.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TScopeExit enableAlign([&] { controlState_.Exclude(csAlignmentNeeded); --alignDisabled_; });
  TRect rect = GetClientRect();
  AlignControls(control, rect);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  // Most children are placed by hand: nothing to lay out, and no walk over every child each
  // time one of them is added or moved.
  if (arrangedChildren_ == 0) return;
  auto shown = [](TControl* c) { return c->GetVisible() || c->IsDesigning(); };
  // Which of two controls of the same alignment goes nearer the edge.
  auto before = [](TControl* a, TControl* b, TAlign align) {
    switch (align) {
      case alTop: return a->GetTop() < b->GetTop();
      case alBottom: return a->GetTop() + a->GetHeight() >= b->GetTop() + b->GetHeight();
      case alLeft: return a->GetLeft() < b->GetLeft();
      case alRight: return a->GetLeft() + a->GetWidth() >= b->GetLeft() + b->GetWidth();
      default: return false;
    }
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (control && control->GetAlign() == align && shown(control)) list.push_back(control);
    for (TControl* c : controls_) {
      if (c == control || c->GetAlign() != align || !shown(c)) continue;
      size_t j = 0;
      while (j < list.size() && !before(c, list[j], align)) ++j;
      list.insert(list.begin() + static_cast<long>(j), c);
    }
    for (TControl* c : list) {
      int left = rect.left, top = rect.top, width = rect.right - rect.left, height = rect.bottom - rect.top;
      switch (align) {
        case alTop: height = c->GetHeight(); rect.top += height; break;
        case alBottom: height = c->GetHeight(); rect.bottom -= height; top = rect.bottom; break;
        case alLeft: width = c->GetWidth(); rect.left += width; break;
        case alRight: width = c->GetWidth(); rect.right -= width; left = rect.right; break;
        default: break;
      }
      c->SetBounds(left, top, width, height);
    }
  }
  if (IsLoading()) return;  // anchors follow once the whole form file is read
  TRect client = GetClientRect();
  for (TControl* c : std::vector<TControl*>(controls_)) c->FollowAnchors(client.right, client.bottom);
}

TPoint TWinControl::AnchorReferenceSize() const {
  if (IsLoading() && designSize_.x >= 0) return designSize_;
  TRect client = GetClientRect();
  return Point(client.right, client.bottom);
}

void TWinControl::ChangeScale(int multiply, int divide) {
  if (multiply == divide) return;
  DisableAlign();
  TScopeExit enableAlign([&] { EnableAlign(); });
  TControl::ChangeScale(multiply, divide);
  if (designSize_.x >= 0) designSize_ = Point(MulDiv(designSize_.x, multiply, divide), MulDiv(designSize_.y, multiply, divide));
  for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(multiply, divide);
}

void TWinControl::DefineProperties(TFiler& filer) {
  TControl::DefineProperties(filer);
  // The client size the children's anchors were set at, for files read at another size. Written
  // where a child is anchored to the right or bottom edge, as form designers write it.
  bool anchoredFar = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
    return c->GetAnchors().Contains(akRight) || c->GetAnchors().Contains(akBottom);
  });
  filer.DefineProperty(
      "DesignSize",
      [this](const TFormValue& value) {
        if (value.type != TFormValue::vaList || value.items.size() != 2 || value.items[0].type != TFormValue::vaInteger ||
            value.items[1].type != TFormValue::vaInteger)
          throw EReadError("DesignSize must be a list of two integers");
        designSize_ = Point(static_cast<int>(value.items[0].integer), static_cast<int>(value.items[1].integer));
      },
      [this] {
        // The children's places as written belong to the client area as it is now.
        TRect client = GetClientRect();
        return TFormValue::List({TFormValue::Integer(client.right), TFormValue::Integer(client.bottom)});
      },
      anchoredFar);
}

// ---------------------------------------------------------------------------
// Bounds

TRect TWinControl::GetClientRect() const {
  if (!handle_) return TControl::GetClientRect();
  RECT r;
  ::GetClientRect(handle_, &r);
  return r;
}

TPoint TWinControl::GetClientOrigin() const {
  if (!handle_) return TControl::GetClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(handle_, &p);
  return p;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (constraints_) constraints_->Apply(width, height);
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  UpdateAnchorRules();
  if (handle_ && !IsIconic(handle_)) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  else Realign();
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  HWND parentWindow = (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) ? ::GetParent(handle_) : nullptr;
  if (parentWindow) MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TWinControl::WMSize(TMessage& m) {
  DefaultHandler(m);
  UpdateBounds();
  Realign();
  RequestAlign();
}

void TWinControl::WMMove(TMessage& m) {
  DefaultHandler(m);
  UpdateBounds();
}

// ---------------------------------------------------------------------------
// Painting

void TWinControl::PaintWindow(HDC dc) {
  // A superclassed system control paints itself into a given DC; a plain window has nothing to paint.
  if (defWndProc_ && defWndProc_ != DefWindowProcA)
    CallWindowProcA(defWndProc_, handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (!IsGraphic(c) || !(c->GetVisible() || (c->IsDesigning() && !c->GetControlStyle().Contains(csNoDesignVisible))))
      continue;
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, c->GetLeft(), c->GetTop(), nullptr);
    IntersectClipRect(dc, 0, 0, c->GetWidth(), c->GetHeight());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  PAINTSTRUCT ps;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  bool own = dc == nullptr;
  if (own) dc = BeginPaint(handle_, &ps);
  TScopeExit endPaint([&] { if (own) EndPaint(handle_, &ps); });
  PaintWindow(dc);
  PaintControls(dc, nullptr);
}

void TWinControl::WMPaint(TMessage& m) {
  bool hasGraphicChildren = std::any_of(controls_.begin(), controls_.end(), IsGraphic);
  if (!m.WParam && !hasGraphicChildren && !dynamic_cast<TCustomControl*>(this)) {
    DefaultHandler(m);
    return;
  }
  PaintHandler(m);
}

void TWinControl::WMPrintClient(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PaintWindow(dc);
  PaintControls(dc, nullptr);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  RECT r = GetClientRect();
  FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_->GetHandle());
  m.Result = 1;
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  SendMessageA(GetHandle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
  RestoreDC(dc, saved);
}

// ---------------------------------------------------------------------------
// Reflected notifications and colours

void TWinControl::WMCommand(TMessage& m) {
  if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam))) m.Result = child->Perform(CN_COMMAND, m.WParam, m.LParam);
  else DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  if (TWinControl* child = header ? FindControl(header->hwndFrom) : nullptr) m.Result = child->Perform(CN_NOTIFY, m.WParam, m.LParam);
  else DefaultHandler(m);
}

void TWinControl::CNCtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
  SetBkColor(dc, ColorToRGB(brush_->GetColor()));
  m.Result = reinterpret_cast<intptr_t>(brush_->GetHandle());
}

void TWinControl::CMFontChanged(TMessage&) {
  if (handle_) {
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
    Invalidate();
  }
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage&) {
  brush_->SetColor(GetColor());
  NotifyChildren(CM_PARENTCOLORCHANGED);
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!GetEnabled())
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  if (handle_ && !IsDesigning()) EnableWindow(handle_, GetEnabled());
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!handle_ || IsDesigning()) return;
  if (!GetVisible())
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (GetVisible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyChildren(CM_PARENTCTL3DCHANGED); }
void TWinControl::CMTextChanged(TMessage&) {}
void TWinControl::CMShowingChanged(TMessage&) {}
void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

// ---------------------------------------------------------------------------
// Focus and tab order

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c; c = c->GetParent()) {
    if (!c->GetVisible() || !c->GetEnabled()) return false;
    if (c == form) break;
  }
  return true;
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) form->FocusControl(this);
  else ::SetFocus(GetHandle());
}

void TWinControl::SetImeMode(TImeMode v) {
  imeMode_ = v;
  if (Focused()) ApplyIme(handle_, imeMode_, imeName_);
}

void TWinControl::SetImeName(const TImeName& v) {
  imeName_ = v;
  if (Focused()) ApplyIme(handle_, imeMode_, imeName_);
}

void TWinControl::SetTabStop(bool v) {
  if (v == tabStop_) return;
  tabStop_ = v;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

int TWinControl::GetTabOrder() const {
  if (!parent_) return -1;
  auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!parent_) return;
  auto& list = parent_->tabList_;
  // From the back: a control is usually given its order just after it joined the parent.
  auto found = std::find(list.rbegin(), list.rend(), this);
  if (found == list.rend()) return;
  list.erase(std::next(found).base());
  if (order < 0 || order > static_cast<int>(list.size())) order = static_cast<int>(list.size());
  list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const {
  std::vector<TWinControl*> list;
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    std::vector<TWinControl*> inner = w->GetTabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const {
  std::vector<TWinControl*> list = GetTabOrderList();
  if (list.empty()) return nullptr;
  auto found = std::find(list.begin(), list.end(), current);
  size_t start = found != list.end() ? static_cast<size_t>(found - list.begin()) : (goForward ? list.size() - 1 : 0);
  size_t i = start;
  do {
    i = goForward ? (i + 1) % list.size() : (i == 0 ? list.size() - 1 : i - 1);
    TWinControl* candidate = list[i];
    if (candidate->CanFocus() && (!checkTabStop || candidate->GetTabStop()) && (!checkParent || candidate->GetParent() == this))
      return candidate;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::DoEnter() { onEnter_(this); }
void TWinControl::DoExit() { onExit_(this); }

// ---------------------------------------------------------------------------
// Keyboard

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) { onKeyDown_(this, key, shift); }
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) { onKeyUp_(this, key, shift); }
void TWinControl::KeyPress(char& key) { onKeyPress_(this, key); }

// Runs a key event on the previewing form, then on this control; true when a handler zeroed the key.
bool TWinControl::DoKeyEvent(TMessage& m, void (TWinControl::*handler)(uint16_t&, TShiftState)) {
  TCustomForm* form = GetParentForm(this);
  uint16_t key = static_cast<uint16_t>(m.WParam);
  TShiftState shift = KeyDataToShiftState(m.LParam);
  if (form && form != this && form->GetKeyPreview()) {
    (form->*handler)(key, shift);
    m.WParam = key;
    if (key == 0) return true;
  }
  if (!controlStyle_.Contains(csNoStdEvents)) {
    (this->*handler)(key, shift);
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyDown(TMessage& m) { return DoKeyEvent(m, &TWinControl::KeyDown); }
bool TWinControl::DoKeyUp(TMessage& m) { return DoKeyEvent(m, &TWinControl::KeyUp); }

bool TWinControl::DoKeyPress(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  char ch = static_cast<char>(m.WParam);
  if (form && form != this && form->GetKeyPreview()) {
    form->KeyPress(ch);
    m.WParam = static_cast<unsigned char>(ch);
    if (ch == 0) return true;
  }
  if (!controlStyle_.Contains(csNoStdEvents)) {
    KeyPress(ch);
    m.WParam = static_cast<unsigned char>(ch);
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  if (!DoKeyPress(m)) DefaultHandler(m);
}

// The message loop sends key messages here first: keys the control does not want itself
// (Tab, arrows, Enter, Escape) go to the form as dialog keys.
void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  if (!IsDesigning()) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    LRESULT want = 0;
    switch (key) {
      case VK_TAB: want = DLGC_WANTTAB; break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: want = DLGC_WANTARROWS; break;
      case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: want = DLGC_WANTALLKEYS; break;
      default: break;
    }
    if (want && Perform(CM_WANTSPECIALKEY, m.WParam, m.LParam) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & want) == 0) {
      TCustomForm* form = GetParentForm(this);
      if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
    }
  }
  m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
  m.Result = 1;
  if (!IsDesigning() && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }
void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

// ---------------------------------------------------------------------------
// Mouse routing

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
      if (handle_) ApplyIme(handle_, imeMode_, imeName_);
      break;
    case WM_KILLFOCUS:
      if (controlState_.Contains(csFocusing)) return;
      break;
    case WM_MOUSEMOVE:
      TrackMouse(m);
      if (IsControlMouseMsg(m)) return;
      break;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      if (IsControlMouseMsg(m)) return;
      break;
    default:
      break;
  }
  TControl::WndProc(m);
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
  TControl* target = nullptr;
  if (handle_ && ::GetCapture() == handle_) {
    if (captureControl && captureControl->GetParent() == this) target = captureControl;
  } else {
    target = ControlAtPos(Point(MessageX(m), MessageY(m)), false);
  }
  if (!target) return false;
  m.Result = target->Perform(m.Msg, m.WParam, PointToLParam(MessageX(m) - target->GetLeft(), MessageY(m) - target->GetTop()));
  return true;
}

// Keeps the application's "control under the mouse" current, which sends CM_MOUSEENTER and
// CM_MOUSELEAVE; asks the system for WM_MOUSELEAVE when the pointer leaves the window.
void TWinControl::TrackMouse(TMessage& m) {
  TControl* under = ControlAtPos(Point(MessageX(m), MessageY(m)), false);
  Application->SetMouseControl(under ? under : this);
  if (!mouseTracked_ && handle_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    mouseTracked_ = TrackMouseEvent(&track) != 0;
  }
}

void TWinControl::WMMouseLeave(TMessage& m) {
  mouseTracked_ = false;
  TControl* current = Application->GetMouseControl();
  if (current == this || (current && current->GetParent() == this && IsGraphic(current))) Application->SetMouseControl(nullptr);
  DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(handle_, &p);
    TControl* under = ControlAtPos(p, false);
    TCursor cursor = under ? under->GetCursor() : GetCursor();
    if (cursor != crDefault) {
      ::SetCursor(CursorHandle(cursor));
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

// ---------------------------------------------------------------------------
// TGraphicControl and TCustomControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(new TCanvas()) {}
TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
  TScopeExit releaseHandle([&] { canvas_->SetHandle(nullptr); });
  canvas_->GetFont()->Assign(GetFont());
  Paint();
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(new TCanvas()) {}
TCustomControl::~TCustomControl() {
  Destroying();
  delete canvas_;
  canvas_ = nullptr;
}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->SetHandle(dc);
  TScopeExit releaseHandle([&] { canvas_->SetHandle(nullptr); });
  canvas_->GetFont()->Assign(GetFont());
  canvas_->GetBrush()->Assign(GetBrush());
  Paint();
}

}  // namespace Tovix
