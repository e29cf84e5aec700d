#include "host/Designer.h"

#include <algorithm>

#include "framework/Classes.h"

namespace Tovix {

namespace {

constexpr int kIconSize = 28;
constexpr int kHandleSize = 6;
// How close to a control's bottom-right corner a press starts resizing rather than moving.
constexpr int kResizeGrip = 8;

// The designer whose form gets the thread's input; one design form at a time.
TDesigner* activeDesigner = nullptr;

LRESULT CALLBACK DesignMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && activeDesigner) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    bool taken = false;
    Application->HandleExceptionsOf(nullptr, [&] { taken = activeDesigner->HandleMessage(*msg); });
    if (taken) msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Contains(const TRect& r, TPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// A non-visual component's place on the form, kept in the component (and its form file) as its
// DesignInfo: Left in the low 16 bits, Top in the high 16 bits.
TPoint DesignPosition(const TComponent* component) {
  uint32_t info = static_cast<uint32_t>(component->GetDesignInfo());
  return Point(static_cast<int16_t>(info & 0xFFFF), static_cast<int16_t>(info >> 16));
}

void SetDesignPosition(TComponent* component, TPoint p) {
  uint32_t info = (static_cast<uint32_t>(p.y) << 16) | (static_cast<uint32_t>(p.x) & 0xFFFF);
  component->SetDesignInfo(static_cast<int32_t>(info));
}

}  // namespace

TDesigner::TDesigner(const TDesignPackage& package) : package_(package) {
  root_ = new TForm(nullptr);
  root_->SetName("Form1");
  root_->SetCaption("Form1");
  root_->SetBounds(360, 140, 480, 360);
  root_->SetDesigning(true);
  for (HWND& handle : handles_)
    handle = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | SS_BLACKRECT, 0, 0, kHandleSize, kHandleSize,
                             root_->GetHandle(), nullptr, nullptr, nullptr);
  activeDesigner = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, DesignMessageHook, nullptr, GetCurrentThreadId());
}

TDesigner::~TDesigner() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (activeDesigner == this) activeDesigner = nullptr;
  ClearDesign();
  delete root_;
}

void TDesigner::Modified() { Changed(); }

void TDesigner::Changed() {
  UpdateHandles();
  if (OnChange) OnChange();
}

String TDesigner::UniqueName(const TClassInfo& componentClass) const {
  String base = componentClass.Name();
  if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
  for (int n = 1;; ++n) {
    String name = base + IntToStr(n);
    if (!root_->FindComponent(name)) return name;
  }
}

TComponent* TDesigner::Drop(const TClassInfo& componentClass, TPoint point) {
  if (!componentClass.CanCreate())
    throw EComponentError(Format("A %s cannot be made in the designer", componentClass.Name()));
  std::unique_ptr<TComponent> made(componentClass.Create(root_));
  made->SetName(UniqueName(componentClass));
  made->SetDesigning(true);
  TComponent* component = made.release();  // the form owns it now
  if (auto* control = dynamic_cast<TControl*>(component)) {
    control->SetParent(root_);
    // As in any form designer, a new control that shows a caption starts with its name there.
    if (control->GetControlStyle().Contains(csSetCaption) && control->GetText().empty())
      control->SetText(component->GetName());
    control->SetBounds(point.x, point.y, control->GetWidth(), control->GetHeight());
  } else {
    PlaceIcon(component, point);
  }
  Select(component);
  return component;
}

void TDesigner::PlaceIcon(TComponent* component, TPoint position) {
  SetDesignPosition(component, position);
  TIconView icon{};
  icon.window = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                                position.x, position.y, kIconSize, kIconSize, root_->GetHandle(), nullptr, nullptr, nullptr);
  icon.bitmap = static_cast<HBITMAP>(package_.LoadPaletteBitmap(component->ClassInfo()));
  if (icon.bitmap) SendMessageA(icon.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon.bitmap));
  icons_[component] = icon;
}

void TDesigner::ForgetComponent(TComponent* component) {
  if (selection_ == component) selection_ = nullptr;
  auto icon = icons_.find(component);
  if (icon == icons_.end()) return;
  DestroyWindow(icon->second.window);
  if (icon->second.bitmap) DeleteObject(icon->second.bitmap);
  icons_.erase(icon);
}

void TDesigner::Select(TComponent* component) {
  selection_ = component;
  Changed();
}

TRect TDesigner::DesignBounds(TComponent* component) const {
  if (auto* control = dynamic_cast<TControl*>(component)) return control->GetBoundsRect();
  if (!icons_.count(component)) return TRect{};
  TPoint p = DesignPosition(component);
  return Rect(p.x, p.y, p.x + kIconSize, p.y + kIconSize);
}

void TDesigner::SetDesignBounds(TComponent* component, const TRect& bounds) {
  if (auto* control = dynamic_cast<TControl*>(component)) {
    control->SetBoundsRect(bounds);
    return;
  }
  auto icon = icons_.find(component);
  if (icon == icons_.end()) return;
  SetDesignPosition(component, Point(bounds.left, bounds.top));
  SetWindowPos(icon->second.window, nullptr, bounds.left, bounds.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TComponent* TDesigner::ComponentAt(TPoint point) const {
  for (int i = root_->GetComponentCount() - 1; i >= 0; --i) {
    TComponent* component = root_->GetComponents(i);
    auto* control = dynamic_cast<TControl*>(component);
    if (control && !control->GetVisible()) continue;
    if (Contains(DesignBounds(component), point)) return component;
  }
  return nullptr;
}

void TDesigner::MoveSelection(int dx, int dy) {
  if (!selection_) return;
  TRect r = DesignBounds(selection_);
  SetDesignBounds(selection_, Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy));
  Changed();
}

void TDesigner::ResizeSelection(int dw, int dh) {
  if (!dynamic_cast<TControl*>(selection_)) return;  // an icon keeps its size
  TRect r = DesignBounds(selection_);
  SetDesignBounds(selection_, Rect(r.left, r.top, std::max(r.left + 1, r.right + dw), std::max(r.top + 1, r.bottom + dh)));
  Changed();
}

void TDesigner::DeleteSelection() {
  if (!selection_) return;
  TComponent* component = selection_;
  ForgetComponent(component);
  delete component;
  Changed();
}

void TDesigner::UpdateHandles() {
  bool shown = selection_ != nullptr;
  TRect r = shown ? DesignBounds(selection_) : TRect{};
  const TPoint corners[4] = {{r.left, r.top}, {r.right, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
  for (int i = 0; i < 4; ++i) {
    if (!shown) {
      ShowWindow(handles_[i], SW_HIDE);
      continue;
    }
    SetWindowPos(handles_[i], HWND_TOP, corners[i].x - kHandleSize / 2, corners[i].y - kHandleSize / 2, kHandleSize,
                 kHandleSize, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
}

std::vector<String> TDesigner::Verbs() {
  std::vector<String> verbs;
  if (!selection_) return verbs;
  const TComponentEditorClass* editorClass = package_.EditorFor(selection_->ClassInfo());
  if (!editorClass) return verbs;
  auto editor = editorClass->Create(selection_, this);
  for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
  return verbs;
}

void TDesigner::ExecuteVerb(int index) {
  const TComponentEditorClass* editorClass = selection_ ? package_.EditorFor(selection_->ClassInfo()) : nullptr;
  if (editorClass) editorClass->Create(selection_, this)->ExecuteVerb(index);
}

void TDesigner::EditSelection() {
  const TComponentEditorClass* editorClass = selection_ ? package_.EditorFor(selection_->ClassInfo()) : nullptr;
  if (editorClass) editorClass->Create(selection_, this)->Edit();
}

void TDesigner::ShowVerbMenu(TPoint screenPoint) {
  std::vector<String> verbs = Verbs();
  if (verbs.empty()) return;
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < verbs.size(); ++i) AppendMenuA(menu, MF_STRING, i + 1, verbs[i].c_str());
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, root_->GetHandle(), nullptr);
  DestroyMenu(menu);
  if (chosen > 0) ExecuteVerb(chosen - 1);
}

String TDesigner::SaveText() const { return WriteComponentToText(root_); }

void TDesigner::ClearDesign() {
  selection_ = nullptr;
  while (root_->GetComponentCount() > 0) {
    TComponent* component = root_->GetComponents(root_->GetComponentCount() - 1);
    ForgetComponent(component);
    delete component;
  }
}

std::vector<String> TDesigner::OpenText(const String& text) {
  ClearDesign();
  // Lenient: a form file from elsewhere may name classes or properties this package lacks; each
  // skipped item is listed for the user instead of failing the whole file.
  std::vector<String> skipped;
  ReadComponentFromText(text, root_, [&skipped](TReader*, const String& message, bool& handled) {
    skipped.push_back(message);
    handled = true;
  });
  root_->SetDesigning(true);
  for (int i = 0; i < root_->GetComponentCount(); ++i) {
    TComponent* component = root_->GetComponents(i);
    if (!dynamic_cast<TControl*>(component)) PlaceIcon(component, DesignPosition(component));
  }
  Changed();
  return skipped;
}

bool TDesigner::IsDesignWindow(HWND window) const {
  if (!root_->HandleAllocated()) return false;
  HWND rootWindow = root_->GetHandle();
  return window == rootWindow || IsChild(rootWindow, window);
}

TPoint TDesigner::RootPoint(HWND window, LPARAM lParam) const {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(window, root_->GetHandle(), &p, 1);
  return Point(p.x, p.y);
}

bool TDesigner::HandleMessage(MSG& msg) {
  if (!IsDesignWindow(msg.hwnd)) return false;
  switch (msg.message) {
    case WM_LBUTTONDOWN: {
      TPoint p = RootPoint(msg.hwnd, msg.lParam);
      SetFocus(root_->GetHandle());
      if (pending_) {
        const TClassInfo* componentClass = pending_;
        pending_ = nullptr;
        Drop(*componentClass, p);
        return true;
      }
      Select(ComponentAt(p));
      if (!selection_) return true;
      dragging_ = true;
      dragStart_ = p;
      dragBounds_ = DesignBounds(selection_);
      resizing_ = dynamic_cast<TControl*>(selection_) && p.x >= dragBounds_.right - kResizeGrip &&
                  p.y >= dragBounds_.bottom - kResizeGrip;
      SetCapture(root_->GetHandle());
      return true;
    }
    case WM_MOUSEMOVE:
      if (dragging_ && selection_) {
        TPoint p = RootPoint(msg.hwnd, msg.lParam);
        int dx = p.x - dragStart_.x, dy = p.y - dragStart_.y;
        TRect r = dragBounds_;
        if (resizing_) SetDesignBounds(selection_, Rect(r.left, r.top, std::max(r.left + 1, r.right + dx), std::max(r.top + 1, r.bottom + dy)));
        else SetDesignBounds(selection_, Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy));
        UpdateHandles();
      }
      return msg.hwnd != root_->GetHandle() || dragging_;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        Changed();
      }
      return true;
    case WM_LBUTTONDBLCLK:
      Select(ComponentAt(RootPoint(msg.hwnd, msg.lParam)));
      EditSelection();
      return true;
    case WM_RBUTTONDOWN:
      Select(ComponentAt(RootPoint(msg.hwnd, msg.lParam)));
      return true;
    case WM_RBUTTONUP: {
      POINT screen{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ClientToScreen(msg.hwnd, &screen);
      ShowVerbMenu(Point(screen.x, screen.y));
      return true;
    }
    case WM_KEYDOWN: {
      bool shift = GetKeyState(VK_SHIFT) < 0;
      int dx = msg.wParam == VK_LEFT ? -1 : msg.wParam == VK_RIGHT ? 1 : 0;
      int dy = msg.wParam == VK_UP ? -1 : msg.wParam == VK_DOWN ? 1 : 0;
      if (dx || dy) {
        if (shift) ResizeSelection(dx, dy);
        else MoveSelection(dx, dy);
      } else if (msg.wParam == VK_DELETE) {
        DeleteSelection();
      }
      return true;
    }
    case WM_CHAR:
    case WM_KEYUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

}  // namespace Tovix
