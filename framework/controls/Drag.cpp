#include "framework/controls/Drag.h"

#include <cstdlib>

#include "framework/controls/WinControl.h"

namespace Tovix {

namespace {

// The one drag in progress.
struct DragState {
  TControl* source = nullptr;
  TControl* target = nullptr;  // the control under the mouse that was last asked
  bool accepted = false;
  bool started = false;        // false while waiting for the mouse to pass the threshold
  TPoint origin{};
  int threshold = 0;
  TDragObject* dragObject = nullptr;
  HWND captureWindow = nullptr;  // the window that holds the mouse for the drag
};

DragState drag;

// The first framework control that owns the window or one of its parents.
TWinControl* ControlOfWindow(HWND window) {
  for (; window; window = GetParent(window))
    if (TWinControl* control = TWinControl::FindControl(window)) return control;
  return nullptr;
}

TPoint ClientPoint(const TControl* control, TPoint screenPos) { return control->ScreenToClient(screenPos); }

void AskTarget(TControl* target, TPoint screenPos, TDragState state) {
  TPoint p = ClientPoint(target, screenPos);
  bool accept = false;
  target->DragOver(drag.source, p.x, p.y, state, accept);
  if (state != dsDragLeave) drag.accepted = accept;
}

void Start() {
  drag.started = true;
  drag.dragObject = nullptr;
  drag.source->DoStartDrag(drag.dragObject);
}

void MoveTo(TPoint screenPos) {
  if (!drag.started) {
    if (std::abs(screenPos.x - drag.origin.x) < drag.threshold && std::abs(screenPos.y - drag.origin.y) < drag.threshold) return;
    Start();
  }
  TControl* under = FindDragTarget(screenPos, false);
  if (under != drag.target) {
    if (drag.target) AskTarget(drag.target, screenPos, dsDragLeave);
    drag.target = under;
    drag.accepted = false;
    if (under) AskTarget(under, screenPos, dsDragEnter);
  } else if (under) {
    AskTarget(under, screenPos, dsDragMove);
  }
  ::SetCursor(CursorHandle(drag.target && drag.accepted ? drag.source->GetDragCursor() : crNoDrop));
}

// Ends the drag: drops on the target when asked to and it accepts, then tells the source.
void Finish(bool drop, TPoint screenPos) {
  DragState ended = drag;
  drag = DragState();
  if (GetCaptureControl() == ended.source) SetCaptureControl(nullptr);
  if (!ended.started) return;
  TControl* target = drop && ended.accepted ? ended.target : nullptr;
  if (ended.target && !target) AskTarget(ended.target, screenPos, dsDragLeave);
  TPoint p = target ? ClientPoint(target, screenPos) : TPoint{0, 0};
  if (target) target->DragDrop(ended.source, p.x, p.y);
  ended.source->DoEndDrag(target, p.x, p.y);
}

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return Point(p.x, p.y);
}

}  // namespace

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
  TWinControl* window = ControlOfWindow(WindowFromPoint(POINT{screenPos.x, screenPos.y}));
  if (!window) return nullptr;
  if (TControl* graphic = window->ControlAtPos(window->ScreenToClient(screenPos), allowDisabled)) return graphic;
  return window;
}

namespace DragDetail {

void Begin(TControl* source, bool immediate, int threshold) {
  if (drag.source) Finish(false, CursorPos());
  drag.source = source;
  drag.origin = CursorPos();
  drag.threshold = threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : threshold;
  SetCaptureControl(source);
  drag.captureWindow = GetCapture();
  if (immediate) Start();
}

void End(TControl* source, bool drop) {
  if (drag.source == source) Finish(drop, CursorPos());
}

bool IsDragging(const TControl* control) { return drag.source == control && drag.started; }

bool Intercept(TControl* control, TMessage& m) {
  if (!drag.source) return false;
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (control != drag.source) return false;
      MoveTo(control->ClientToScreen(Point(MessageX(m), MessageY(m))));
      return true;
    case WM_LBUTTONUP:
      if (control != drag.source) return false;
      Finish(true, control->ClientToScreen(Point(MessageX(m), MessageY(m))));
      return true;
    case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      if (control != drag.source) return false;
      Finish(false, CursorPos());
      return true;
    case WM_KEYDOWN:
      if (m.WParam != VK_ESCAPE) return false;
      Finish(false, CursorPos());
      return true;
    case WM_CANCELMODE:
      Finish(false, CursorPos());
      return false;
    case WM_CAPTURECHANGED:
      // Another window took the mouse away.
      if (reinterpret_cast<HWND>(m.LParam) != drag.captureWindow) Finish(false, CursorPos());
      return false;
    default:
      return false;
  }
}

void Forget(TControl* control) {
  if (drag.target == control) drag.target = nullptr;
  if (drag.source == control) drag = DragState();
}

}  // namespace DragDetail

}  // namespace Tovix
