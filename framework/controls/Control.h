// TControl: a visual component with bounds, a parent, visibility, colour, font, hint, mouse and
// keyboard events. Windowed controls derive from TWinControl, painted-only ones from TGraphicControl.
#pragma once

#include <functional>
#include <memory>

#include "framework/classes/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/Drag.h"
#include "framework/controls/Layout.h"
#include "framework/graphics/Graphics.h"
#include "framework/system/Types.h"

namespace Tovix {

class TWinControl;
class TPopupMenu;

TOVIX_DECLARE_EXCEPTION(EInvalidOperation, Exception);

class TControl : public TComponent {
  TOVIX_DECLARE_CLASS(TControl)

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Every message for the control passes here; replaceable to watch or change them (subclassing).
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& message);
  LRESULT Perform(unsigned msg, WPARAM wParam, LPARAM lParam);
  void DefaultHandler(TMessage& message) override;

  TWinControl* GetParent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect GetBoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  virtual TRect GetClientRect() const;
  int GetClientWidth() const;
  int GetClientHeight() const;
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  virtual TPoint GetClientOrigin() const;
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the form visible too (or being designed).
  bool Showing() const;
  bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors GetAnchors() const { return anchors_; }
  void SetAnchors(TAnchors v);
  // The limits of the control's size, made on first use.
  TSizeConstraints* GetConstraints() const;
  void SetConstraints(TSizeConstraints* v) { GetConstraints()->Assign(v); }
  // Scales position, size, size limits and the control's own font by multiply / divide, as for
  // a form designed at another pixel density.
  virtual void ChangeScale(int multiply, int divide);

  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* GetFont() const { return font_; }
  void SetFont(TFont* v);
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  bool GetParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v);
  const String& GetHint() const { return hint_; }
  void SetHint(const String& v) { hint_ = v; }
  // The help topic of the control; 0 for none.
  int GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool GetParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  TPopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* v);
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  TDragMode GetDragMode() const { return dragMode_; }
  void SetDragMode(TDragMode v) { dragMode_ = v; }
  TCursor GetDragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor v) { dragCursor_ = v; }

  // Drag and drop (see Drag.h). BeginDrag starts at once when immediate, else once the mouse has
  // moved threshold pixels (-1: the system's drag distance).
  void BeginDrag(bool immediate, int threshold = -1);
  // Ends this control's drag, dropping it on the control under the mouse when drop is true.
  void EndDrag(bool drop);
  bool Dragging() const;
  // Asked while source is dragged over the control: accept tells whether it would take a drop.
  // Without an OnDragOver handler it refuses.
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoStartDrag(TDragObject*& dragObject);
  // target is the control that took the drop, or null.
  virtual void DoEndDrag(TObject* target, int x, int y);
  // Tells the active control of every form around this one that the user pressed the mouse
  // here (CM_CANCELMODE with this control): drop-downs and other modes end.
  void SendCancelMode(TControl* sender);

  // The caption or text: the window text of a windowed control.
  String GetText() const { return GetTextBuf(); }
  void SetText(const String& text);
  String GetCaption() const { return GetText(); }
  void SetCaption(const String& text) { SetText(text); }

  TControlStyle GetControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  TControlState GetControlState() const { return controlState_; }
  void SetControlState(TControlState v) { controlState_ = v; }
  bool GetMouseCapture() const;
  void SetMouseCapture(bool capture);

  void Invalidate();
  void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  virtual void Click();
  bool IsRightToLeft() const { return false; }
  // Stored rules of Color, Font, ShowHint and Ctl3D for the classes that publish them: a value
  // taken from the parent is not written to a form file.
  bool IsColorStored() const { return !parentColor_; }
  bool IsFontStored() const { return !parentFont_; }
  bool IsShowHintStored() const { return !parentShowHint_; }
  bool IsCtl3DStored() const { return !parentCtl3D_; }

  const TNotifyEvent& GetOnClick() const { return onClick_; }
  void SetOnClick(const TNotifyEvent& e) { onClick_ = e; }
  const TNotifyEvent& GetOnDblClick() const { return onDblClick_; }
  void SetOnDblClick(const TNotifyEvent& e) { onDblClick_ = e; }
  const TMouseEvent& GetOnMouseDown() const { return onMouseDown_; }
  void SetOnMouseDown(const TMouseEvent& e) { onMouseDown_ = e; }
  const TMouseEvent& GetOnMouseUp() const { return onMouseUp_; }
  void SetOnMouseUp(const TMouseEvent& e) { onMouseUp_ = e; }
  const TMouseMoveEvent& GetOnMouseMove() const { return onMouseMove_; }
  void SetOnMouseMove(const TMouseMoveEvent& e) { onMouseMove_ = e; }
  const TDragDropEvent& GetOnDragDrop() const { return onDragDrop_; }
  void SetOnDragDrop(const TDragDropEvent& e) { onDragDrop_ = e; }
  const TDragOverEvent& GetOnDragOver() const { return onDragOver_; }
  void SetOnDragOver(const TDragOverEvent& e) { onDragOver_ = e; }
  const TStartDragEvent& GetOnStartDrag() const { return onStartDrag_; }
  void SetOnStartDrag(const TStartDragEvent& e) { onStartDrag_ = e; }
  const TEndDragEvent& GetOnEndDrag() const { return onEndDrag_; }
  void SetOnEndDrag(const TEndDragEvent& e) { onEndDrag_ = e; }

 protected:
  virtual String GetTextBuf() const { return text_; }
  virtual void SetTextBuf(const String& text) { text_ = text; }
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Tells the children of a windowed control that a parent property changed (no-op here).
  virtual void NotifyChildren(unsigned) {}
  // Asks the parent to lay out its aligned children again.
  void RequestAlign();
  void InvalidateControl(bool isVisible, bool isOpaque);
  virtual void VisibleChanging() {}
  // Sets the visible flag alone, for controls that start hidden (forms, hint windows).
  void SetVisibleState(bool v) { visible_ = v; }
  void SetParentColorState(bool v) { parentColor_ = v; }
  void SetParentFontState(bool v) { parentFont_ = v; }
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  // Message handlers; messages reach them through Dispatch.
  void WMLButtonDown(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void WMRButtonDown(TMessage& m);
  void WMRButtonUp(TMessage& m);
  void WMMouseMove(TMessage& m);
  void WMContextMenu(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMParentFontChanged(TMessage& m);
  void CMParentShowHintChanged(TMessage& m);
  void CMParentCtl3DChanged(TMessage& m);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  String text_;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState controlState_;

 private:
  friend class TWinControl;
  void FontChanged(TObject*);
  void SetFollowsParent(bool& flag, bool follows, unsigned parentChangedMessage);
  // Whether the parent lays the control out: it is aligned or anchored other than top-left.
  bool IsArranged() const { return align_ != alNone || anchors_ != kDefaultAnchors; }
  void SetArrangement(TAlign align, TAnchors anchors);
  // Remembers where the control is and how large its parent's client area is, so that anchors
  // keep the distances as they are now.
  void UpdateAnchorRules();
  // Moves or stretches the control as its anchors ask for a parent client area of that size.
  void FollowAnchors(int parentWidth, int parentHeight);
  void ConstraintsChanged(TObject*);

  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  TAnchors anchors_ = kDefaultAnchors;
  mutable std::unique_ptr<TSizeConstraints> constraints_;
  TRect anchorBounds_{};
  TPoint anchorParentSize_{};
  bool followingAnchors_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  TFont* font_;
  bool parentFont_ = true;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  String hint_;
  int helpContext_ = 0;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  TCursor cursor_ = crDefault;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  TNotifyEvent onClick_;
  TNotifyEvent onDblClick_;
  TMouseEvent onMouseDown_;
  TMouseEvent onMouseUp_;
  TMouseMoveEvent onMouseMove_;
  TDragDropEvent onDragDrop_;
  TDragOverEvent onDragOver_;
  TStartDragEvent onStartDrag_;
  TEndDragEvent onEndDrag_;
};

}  // namespace Tovix
