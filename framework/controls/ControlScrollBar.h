// TControlScrollBar: one of the two scroll bars of a scrolling windowed control (a form, a frame),
// with the range the control's contents take and how far they are scrolled.
#pragma once

#include "framework/classes/Persistent.h"
#include "framework/graphics/Colors.h"

namespace Tovix {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };
template <> struct TEnumTraits<TScrollBarStyle> { static const TEnumInfo& Info(); };

class TControlScrollBar : public TPersistent {
  TOVIX_DECLARE_CLASS(TControlScrollBar)

 public:
  TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);

  TScrollBarKind GetKind() const { return kind_; }
  // The extent of the contents along the bar. With AutoScroll the control keeps it to the extent
  // of its children; without, it is what was set.
  int GetRange() const { return range_; }
  void SetRange(int v);
  // How far the contents are scrolled: the children stand that much before their unscrolled place.
  // Setting it scrolls the window, kept within [0, Range - client extent]; before the window
  // exists the value is only kept.
  int GetPosition() const { return position_; }
  void SetPosition(int v);
  // The distance one click on an arrow scrolls.
  int GetIncrement() const { return increment_; }
  void SetIncrement(int v);
  // The space kept after the farthest child when the range follows the children.
  int GetMargin() const { return margin_; }
  void SetMargin(int v);
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  // Whether the contents follow the thumb while it is dragged, or only once it is dropped.
  bool GetTracking() const { return tracking_; }
  void SetTracking(bool v) { tracking_ = v; }
  // Kept and written back; the bar scrolls the same either way.
  bool GetSmooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }
  // The look other form designers give the bar (its colour, style and the sizes of its buttons,
  // thumb and width, 0 for the system's). Kept and written back: the window's standard bars
  // take the system's look whatever they say. Setting a colour stops following the parent's.
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TScrollBarStyle GetStyle() const { return style_; }
  void SetStyle(TScrollBarStyle v) { style_ = v; }
  int GetButtonSize() const { return buttonSize_; }
  void SetButtonSize(int v) { buttonSize_ = v; }
  int GetSize() const { return size_; }
  void SetSize(int v) { size_ = v; }
  int GetThumbSize() const { return thumbSize_; }
  void SetThumbSize(int v) { thumbSize_ = v; }

  // Visible, and the range exceeds the control's client extent along the bar.
  bool IsScrollBarVisible() const;
  // The range is written only when it was set, not when it follows the children.
  bool IsRangeStored() const;
  void Assign(TPersistent* source) override;
  // Scales range, position and margin by multiply / divide along with the children (a form
  // designed at another pixel density); the control updates its bars afterwards.
  void Scale(int multiply, int divide);
  TPersistent* GetOwner() const override;

 private:
  friend class TScrollingWinControl;
  // The client extent of the control along the bar: what one page shows.
  int ClientExtent() const;
  void Changed();

  TScrollingWinControl* control_;
  TScrollBarKind kind_;
  int range_ = 0;
  int position_ = 0;
  int increment_ = 8;
  int margin_ = 0;
  bool visible_ = true;
  bool tracking_ = false;
  bool smooth_ = false;
  TColor color_ = clBtnHighlight;
  bool parentColor_ = true;
  TScrollBarStyle style_ = ssRegular;
  int buttonSize_ = 0;
  int size_ = 0;
  int thumbSize_ = 0;
};

}  // namespace Tovix
