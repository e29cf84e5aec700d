// TScrollingWinControl: a windowed control whose children may reach beyond its client area and
// are brought into view with the window's own scroll bars (forms and frames).
#pragma once

#include <memory>

#include "framework/controls/ControlScrollBar.h"
#include "framework/controls/WinControl.h"

namespace Tovix {

class TScrollingWinControl : public TWinControl {
  TOVIX_DECLARE_CLASS(TScrollingWinControl)

 public:
  explicit TScrollingWinControl(TComponent* owner);
  ~TScrollingWinControl() override;

  // With AutoScroll, each bar's range follows the extent of the visible children. Turning it
  // off (other than while a form file is read) drops the ranges, so the bars go away.
  bool GetAutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v);
  TControlScrollBar* GetHorzScrollBar() const { return horz_.get(); }
  void SetHorzScrollBar(TControlScrollBar* v) { horz_->Assign(v); }
  TControlScrollBar* GetVertScrollBar() const { return vert_.get(); }
  void SetVertScrollBar(TControlScrollBar* v) { vert_->Assign(v); }

  // Scrolls as little as needed for control (a child at any depth) to be wholly in view, or its
  // top-left corner when it is larger than the client area.
  void ScrollInView(TControl* control);
  // Moves every child by dx, dy and the window's contents with them, without changing the bars'
  // positions (the scroll bars use it and set their positions themselves).
  void ScrollBy(int dx, int dy);
  // Brings the bars up to date with the children and the client area: ranges (with AutoScroll),
  // which bars show, and positions kept within the new ranges.
  void UpdateScrollBars();
  void ChangeScale(int multiply, int divide) override;

 protected:
  // Aligned children are laid out in the scrolled client area, so that they scroll with the rest.
  void AlignControls(TControl* control, TRect& rect) override;
  void Loaded() override;
  void CreateWnd() override;

  void WMHScroll(TMessage& m);
  void WMVScroll(TMessage& m);
  void WMMouseWheel(TMessage& m);

 private:
  friend class TControlScrollBar;
  // What the window's bars were last given, so that unchanged layouts cost no system calls.
  struct TBarState {
    bool shown = false;
    int range = 0, page = 0, position = 0;
    bool operator==(const TBarState&) const = default;
  };

  // The extent of the visible children along a bar, unscrolled, plus the bar's margin; 0 without
  // children that count.
  int ChildrenExtent(const TControlScrollBar& bar) const;
  // Scrolls so that bar stands at position (kept within its range) and moves the children.
  void ScrollTo(TControlScrollBar& bar, int position);
  void ScrollMessage(TControlScrollBar& bar, TMessage& m);
  void ApplyBar(TControlScrollBar& bar, const TBarState& state, TBarState& applied);
  bool NothingToShow() const;

  std::unique_ptr<TControlScrollBar> horz_;
  std::unique_ptr<TControlScrollBar> vert_;
  bool autoScroll_ = false;
  bool updatingBars_ = false;
  int wheelRemainder_ = 0;
  TBarState appliedHorz_;
  TBarState appliedVert_;
};

}  // namespace Tovix
