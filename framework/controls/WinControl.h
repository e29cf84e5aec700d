// TWinControl: a control with a window of its own, which can hold other controls and take the
// focus. TGraphicControl paints on its parent's window; TCustomControl is a windowed control that
// paints itself on a canvas.
#pragma once

#include <vector>

#include "framework/controls/Control.h"
#include "framework/controls/Ime.h"

namespace Tovix {

class TWinControl : public TControl {
  TOVIX_DECLARE_CLASS(TWinControl)

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  // The window, created on first demand (with the parent's first).
  HWND GetHandle();
  HWND Handle() { return GetHandle(); }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes it again from CreateParams, keeping the control's state.
  void RecreateWnd();
  // For a control without a parent control: the window to create it in.
  HWND GetParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);

  int GetControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* GetControls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;
  // The visible child (graphic or windowed) at a client point, or null.
  TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = false) const;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Broadcast(TMessage& message);
  void NotifyChildren(unsigned message) override;
  // The client size anchored children keep their distances from: the size the form file was
  // designed at while it is read (DesignSize), the client area otherwise.
  TPoint AnchorReferenceSize() const;
  void ChangeScale(int multiply, int divide) override;
  void DefineProperties(TFiler& filer) override;
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();
  void Realign();

  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  int GetTabOrder() const;
  void SetTabOrder(int order);
  // The windowed children in tab order.
  std::vector<TWinControl*> GetTabOrderList() const;
  // Moves the focus to the next (or previous) control after current in tab order.
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;

  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  TRect GetClientRect() const override;
  TPoint GetClientOrigin() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void PaintTo(HDC dc, int x, int y);

  TBrush* GetBrush() const { return brush_; }

  // The input method while the control has the focus (see Ime.h); stored and streamed whether
  // or not the system has input methods.
  TImeMode GetImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode v);
  const TImeName& GetImeName() const { return imeName_; }
  void SetImeName(const TImeName& v);

  const TNotifyEvent& GetOnEnter() const { return onEnter_; }
  void SetOnEnter(const TNotifyEvent& e) { onEnter_ = e; }
  const TNotifyEvent& GetOnExit() const { return onExit_; }
  void SetOnExit(const TNotifyEvent& e) { onExit_ = e; }
  const TKeyEvent& GetOnKeyDown() const { return onKeyDown_; }
  void SetOnKeyDown(const TKeyEvent& e) { onKeyDown_ = e; }
  const TKeyPressEvent& GetOnKeyPress() const { return onKeyPress_; }
  void SetOnKeyPress(const TKeyPressEvent& e) { onKeyPress_ = e; }
  const TKeyEvent& GetOnKeyUp() const { return onKeyUp_; }
  void SetOnKeyUp(const TKeyEvent& e) { onKeyUp_ = e; }

  // The framework control that owns a window, or null.
  static TWinControl* FindControl(HWND window);

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Bases the window class on a predefined one ("EDIT", "BUTTON", ...): its window procedure
  // becomes the default handling of every message the control does not handle itself.
  void CreateSubClass(TCreateParams& params, const char* className);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Puts the window where the control list says among its siblings' windows.
  void PlaceInZOrder();
  // Lays out the aligned children inside rect.
  virtual void AlignControls(TControl* control, TRect& rect);
  void AlignControl(TControl* control);
  // Lays the children out, once they and this control are read (alignment waits while loading).
  void Loaded() override;
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, TControl* first);
  void PaintHandler(TMessage& m);

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  bool DoKeyEvent(TMessage& m, void (TWinControl::*handler)(uint16_t&, TShiftState));
  bool DoKeyDown(TMessage& m);
  bool DoKeyUp(TMessage& m);
  bool DoKeyPress(TMessage& m);
  virtual void DoEnter();
  virtual void DoExit();
  void UpdateBounds();
  String GetTextBuf() const override;
  void SetTextBuf(const String& text) override;

  void WMPaint(TMessage& m);
  void WMPrintClient(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMCommand(TMessage& m);
  void WMNotify(TMessage& m);
  void WMSize(TMessage& m);
  void WMMove(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMKeyUp(TMessage& m);
  void WMChar(TMessage& m);
  void WMSysKeyDown(TMessage& m);
  void WMNCDestroy(TMessage& m);
  void WMMouseLeave(TMessage& m);
  void CNKeyDown(TMessage& m);
  void CNChar(TMessage& m);
  void CNCtlColor(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMShowingChanged(TMessage& m);
  void CMRecreateWnd(TMessage& m);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;

 private:
  friend class TControl;
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
  void AttachHandle(HWND window);
  void DetachHandle();
  bool IsControlMouseMsg(TMessage& m);
  void TrackMouse(TMessage& m);

  std::vector<TControl*> controls_;       // children in z-order, bottom first
  std::vector<TWinControl*> tabList_;     // windowed children in tab order
  int arrangedChildren_ = 0;              // children aligned or anchored other than top-left
  TPoint designSize_{-1, -1};             // DesignSize of the form file being read
  HWND parentWindow_ = nullptr;
  TBrush* brush_;
  bool tabStop_ = false;
  int alignDisabled_ = 0;
  bool mouseTracked_ = false;
  TWinControl* childInTurn_ = nullptr;    // the child whose window CreateHandle is making in turn
  bool childrenOutOfTurn_ = false;        // a child's window was made out of turn meanwhile
  TImeMode imeMode_ = imDontCare;
  TImeName imeName_;
  TNotifyEvent onEnter_;
  TNotifyEvent onExit_;
  TKeyEvent onKeyDown_;
  TKeyPressEvent onKeyPress_;
  TKeyEvent onKeyUp_;
};

class TGraphicControl : public TControl {
  TOVIX_DECLARE_CLASS(TGraphicControl)

 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  // A canvas on the parent's window, clipped to and positioned at this control.
  TCanvas* GetCanvas() const { return canvas_; }

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& m);

 private:
  TCanvas* canvas_;
};

class TCustomControl : public TWinControl {
  TOVIX_DECLARE_CLASS(TCustomControl)

 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TCanvas* canvas_;
};

// The form (or other top-level control) that contains control, or null.
class TCustomForm;
TCustomForm* GetParentForm(const TControl* control);

// The control that has the mouse captured, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

}  // namespace Tovix
