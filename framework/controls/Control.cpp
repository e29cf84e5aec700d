#include "framework/controls/Control.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TControl, TComponent) {
  c.Property("Left", &TControl::GetLeft, &TControl::SetLeft);
  c.Property("Top", &TControl::GetTop, &TControl::SetTop);
  c.Property("Width", &TControl::GetWidth, &TControl::SetWidth);
  c.Property("Height", &TControl::GetHeight, &TControl::SetHeight);
  c.Property("Cursor", &TControl::GetCursor, &TControl::SetCursor).Default(crDefault);
  c.Property("Hint", &TControl::GetHint, &TControl::SetHint);
  c.Property("HelpContext", &TControl::GetHelpContext, &TControl::SetHelpContext).Default(0);
  c.Message(WM_LBUTTONDOWN, &TControl::WMLButtonDown);
  c.Message(WM_LBUTTONUP, &TControl::WMLButtonUp);
  c.Message(WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk);
  c.Message(WM_RBUTTONDOWN, &TControl::WMRButtonDown);
  c.Message(WM_RBUTTONUP, &TControl::WMRButtonUp);
  c.Message(WM_MOUSEMOVE, &TControl::WMMouseMove);
  c.Message(WM_CONTEXTMENU, &TControl::WMContextMenu);
  c.Message(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged);
  c.Message(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged);
  c.Message(CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged);
  c.Message(CM_PARENTCTL3DCHANGED, &TControl::CMParentCtl3DChanged);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(new TFont()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

TControl::~TControl() {
  Destroying();
  DragDetail::Forget(this);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  Application->ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
  delete font_;
}

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, static_cast<intptr_t>(lParam), 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& message) {
  if (DragDetail::Intercept(this, message)) return;
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && message.Msg != WM_MOUSEWHEEL)
    Application->HintMouseMessage(this, message);
  Dispatch(message);
}

void TControl::DefaultHandler(TMessage& message) {
  switch (message.Msg) {
    case WM_GETTEXTLENGTH:
      message.Result = static_cast<intptr_t>(text_.size());
      break;
    case WM_GETTEXT:
      if (message.WParam > 0 && message.LParam) {
        size_t n = std::min(text_.size(), static_cast<size_t>(message.WParam) - 1);
        char* out = reinterpret_cast<char*>(message.LParam);
        text_.copy(out, n);
        out[n] = '\0';
        message.Result = static_cast<intptr_t>(n);
      }
      break;
    case WM_SETTEXT:
      text_ = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
      message.Result = 1;
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Parent and bounds

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* winControl = dynamic_cast<TWinControl*>(parent)) SetParent(winControl);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (constraints_) constraints_->Apply(width, height);
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  InvalidateControl(visible_, false);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
}

TSizeConstraints* TControl::GetConstraints() const {
  if (!constraints_) {
    constraints_ = std::make_unique<TSizeConstraints>();
    constraints_->SetOnChange(TNotifyEvent(const_cast<TControl*>(this), &TControl::ConstraintsChanged));
  }
  return constraints_.get();
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(left_, top_, width_, height_); }

void TControl::SetAnchors(TAnchors v) {
  if (v == anchors_) return;
  SetArrangement(align_, v);
  UpdateAnchorRules();
}

void TControl::SetArrangement(TAlign align, TAnchors anchors) {
  bool was = IsArranged();
  align_ = align;
  anchors_ = anchors;
  if (parent_ && was != IsArranged()) parent_->arrangedChildren_ += was ? -1 : 1;
}

void TControl::UpdateAnchorRules() {
  if (followingAnchors_ || anchors_ == kDefaultAnchors || !parent_) return;
  anchorBounds_ = GetBoundsRect();
  anchorParentSize_ = parent_->AnchorReferenceSize();
}

void TControl::FollowAnchors(int parentWidth, int parentHeight) {
  if (anchors_ == kDefaultAnchors || align_ != alNone) return;
  // One axis: the start edge and length from where the control was placed by hand.
  auto follow = [](TAnchorKind start, TAnchorKind end, TAnchors anchors, int& position, int& length, int delta) {
    if (anchors.Contains(end)) {
      if (anchors.Contains(start)) length += delta;
      else position += delta;
    } else if (!anchors.Contains(start)) {
      position += delta / 2;
    }
  };
  int left = anchorBounds_.left, top = anchorBounds_.top;
  int width = anchorBounds_.right - anchorBounds_.left, height = anchorBounds_.bottom - anchorBounds_.top;
  follow(akLeft, akRight, anchors_, left, width, parentWidth - anchorParentSize_.x);
  follow(akTop, akBottom, anchors_, top, height, parentHeight - anchorParentSize_.y);
  followingAnchors_ = true;
  TScopeExit done([&] { followingAnchors_ = false; });
  SetBounds(left, top, width, height);
}

void TControl::ChangeScale(int multiply, int divide) {
  if (multiply == divide) return;
  if (constraints_) constraints_->Scale(multiply, divide);
  if (!parentFont_) font_->SetHeight(MulDiv(font_->GetHeight(), multiply, divide));
  SetBounds(MulDiv(left_, multiply, divide), MulDiv(top_, multiply, divide), MulDiv(width_, multiply, divide),
            MulDiv(height_, multiply, divide));
}

TRect TControl::GetClientRect() const { return Rect(0, 0, width_, height_); }
int TControl::GetClientWidth() const { return GetClientRect().right; }
int TControl::GetClientHeight() const { return GetClientRect().bottom; }
void TControl::SetClientWidth(int v) { SetWidth(width_ - GetClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(height_ - GetClientHeight() + v); }

TPoint TControl::GetClientOrigin() const {
  if (!parent_) return Point(left_, top_);
  TPoint origin = parent_->GetClientOrigin();
  return Point(origin.x + left_, origin.y + top_);
}

TPoint TControl::ClientToScreen(TPoint point) const {
  TPoint origin = GetClientOrigin();
  return Point(point.x + origin.x, point.y + origin.y);
}

TPoint TControl::ScreenToClient(TPoint point) const {
  TPoint origin = GetClientOrigin();
  return Point(point.x - origin.x, point.y - origin.y);
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  SetArrangement(v, anchors_);
  if (!IsLoading() && parent_) parent_->Realign();
}

// ---------------------------------------------------------------------------
// Visibility, state and appearance

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  VisibleChanging();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v, 0);
  InvalidateControl(true, false);
  RequestAlign();
}

bool TControl::Showing() const {
  if (!visible_ && !IsDesigning()) return false;
  if (parent_) return parent_->Showing();
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

// Turns following a parent's value on or off; turning it on takes the parent's value at once.
void TControl::SetFollowsParent(bool& flag, bool follows, unsigned parentChangedMessage) {
  if (follows == flag) return;
  flag = follows;
  if (follows && parent_) Perform(parentChangedMessage, 0, 0);
}

void TControl::SetColor(TColor v) {
  if (v == color_ && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) { SetFollowsParent(parentColor_, v, CM_PARENTCOLORCHANGED); }

void TControl::SetFont(TFont* v) {
  if (v) font_->Assign(v);
}

void TControl::FontChanged(TObject*) {
  parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) { SetFollowsParent(parentFont_, v, CM_PARENTFONTCHANGED); }

void TControl::SetCtl3D(bool v) {
  parentCtl3D_ = false;
  if (v == ctl3D_) return;
  ctl3D_ = v;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TControl::SetParentCtl3D(bool v) { SetFollowsParent(parentCtl3D_, v, CM_PARENTCTL3DCHANGED); }

void TControl::SetShowHint(bool v) {
  parentShowHint_ = false;
  if (v == showHint_) return;
  showHint_ = v;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool v) { SetFollowsParent(parentShowHint_, v, CM_PARENTSHOWHINTCHANGED); }

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (v == popupMenu_) return;
  popupMenu_ = v;
  if (v) v->FreeNotification(this);
}

void TControl::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetText(const String& text) {
  if (GetTextBuf() == text) return;
  SetTextBuf(text);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  // Values inherited from the parent were not applied while loading.
  if (parent_) {
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  // The parent laid its children out when it was loaded (before them); it needs to again only
  // for a child whose place depends on the parent's size.
  if (IsArranged()) RequestAlign();
}

void TControl::CMParentColorChanged(TMessage&) {
  // Nothing to tell when the colour is the parent's already (as for every control read from a
  // form file with the parent's colour): a form of a thousand controls would repaint for nothing.
  if (!parentColor_ || !parent_ || color_ == parent_->GetColor()) return;
  color_ = parent_->GetColor();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::CMParentFontChanged(TMessage&) {
  // As with the colour: a label would measure its text again for the same font.
  if (!parentFont_ || !parent_ || font_->Equals(*parent_->GetFont())) return;
  font_->SetOnChange(TNotifyEvent());
  font_->Assign(parent_->GetFont());
  font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) showHint_ = parent_->GetShowHint();
}

void TControl::CMParentCtl3DChanged(TMessage&) {
  if (!parentCtl3D_ || !parent_ || parent_->GetCtl3D() == ctl3D_) return;
  ctl3D_ = parent_->GetCtl3D();
  Perform(CM_CTL3DCHANGED, 0, 0);
}

// ---------------------------------------------------------------------------
// Painting

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  if ((isVisible || IsDesigning()) && parent_ && parent_->HandleAllocated()) {
    RECT r = GetBoundsRect();
    InvalidateRect(parent_->GetHandle(), &r, !(isOpaque || controlStyle_.Contains(csOpaque)));
  }
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

// ---------------------------------------------------------------------------
// Mouse

bool TControl::GetMouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) {
  if (capture == GetMouseCapture()) return;
  SetCaptureControl(capture ? this : nullptr);
}

void TControl::Click() { onClick_(this); }
void TControl::DblClick() { onDblClick_(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { onMouseDown_(this, button, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { onMouseUp_(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { onMouseMove_(this, shift, x, y); }

void TControl::WMLButtonDown(TMessage& m) {
  SendCancelMode(this);
  // A press on a control that drags by itself starts the drag and is nothing else.
  if (dragMode_ == dmAutomatic && !IsDesigning()) {
    BeginDrag(true);
    return;
  }
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
  controlState_.Include(csLButtonDown);
  MouseDown(mbLeft, KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
  DefaultHandler(m);
}

void TControl::WMLButtonUp(TMessage& m) {
  // The window's own handling comes first, while it still has the capture: a system control
  // decides on its click by whether it still holds the mouse.
  DefaultHandler(m);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
  bool clicked = controlState_.Contains(csClicked);
  controlState_.Exclude(csClicked).Exclude(csLButtonDown);
  if (clicked) {
    POINT p{MessageX(m), MessageY(m)};
    RECT r = GetClientRect();
    if (PtInRect(&r, p)) Click();
  }
  MouseUp(mbLeft, KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

void TControl::WMLButtonDblClk(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  if (controlStyle_.Contains(csDoubleClicks)) DblClick();
  MouseDown(mbLeft, KeysToShiftState(m.WParam) + TShiftState{ssDouble}, MessageX(m), MessageY(m));
}

void TControl::WMRButtonDown(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  MouseDown(mbRight, KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

void TControl::WMRButtonUp(TMessage& m) {
  DefaultHandler(m);
  MouseUp(mbRight, KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  MouseMove(KeysToShiftState(m.WParam), MessageX(m), MessageY(m));
}

// ---------------------------------------------------------------------------
// Drag and drop, cancel mode

void TControl::BeginDrag(bool immediate, int threshold) { DragDetail::Begin(this, immediate, threshold); }
void TControl::EndDrag(bool drop) { DragDetail::End(this, drop); }
bool TControl::Dragging() const { return DragDetail::IsDragging(this); }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = static_cast<bool>(onDragOver_);
  onDragOver_(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) { onDragDrop_(this, source, x, y); }
void TControl::DoStartDrag(TDragObject*& dragObject) { onStartDrag_(this, dragObject); }
void TControl::DoEndDrag(TObject* target, int x, int y) { onEndDrag_(this, target, x, y); }

void TControl::SendCancelMode(TControl* sender) {
  for (TControl* c = this; c; c = c->GetParent())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) form->SendCancelMode(sender);
}

void TControl::WMContextMenu(TMessage& m) {
  if (!popupMenu_ || !popupMenu_->GetAutoPopup()) {
    DefaultHandler(m);
    return;
  }
  TPoint at = Point(MessageX(m), MessageY(m));
  if (at.x == -1 && at.y == -1) at = ClientToScreen(Point(0, 0));  // from the keyboard
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(at.x, at.y);
  m.Result = 1;
}

}  // namespace Tovix
