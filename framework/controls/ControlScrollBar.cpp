#include "framework/controls/ControlScrollBar.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/system/WinApi.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TScrollBarStyle>::Info() {
  static const TEnumInfo info{{"ssRegular", "ssFlat", "ssHotTrack"}};
  return info;
}

TOVIX_IMPLEMENT_CLASS(TControlScrollBar, TPersistent) {
  c.Property("ButtonSize", &TControlScrollBar::GetButtonSize, &TControlScrollBar::SetButtonSize).Default(0);
  c.Property("Color", &TControlScrollBar::GetColor, &TControlScrollBar::SetColor).Default(clBtnHighlight);
  c.Property("Increment", &TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement).Default(8);
  c.Property("Margin", &TControlScrollBar::GetMargin, &TControlScrollBar::SetMargin).Default(0);
  c.Property("ParentColor", &TControlScrollBar::GetParentColor, &TControlScrollBar::SetParentColor).Default(true);
  c.Property("Position", &TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition).Default(0);
  c.Property("Range", &TControlScrollBar::GetRange, &TControlScrollBar::SetRange)
      .Default(0)
      .Stored(&TControlScrollBar::IsRangeStored);
  c.Property("Size", &TControlScrollBar::GetSize, &TControlScrollBar::SetSize).Default(0);
  c.Property("Smooth", &TControlScrollBar::GetSmooth, &TControlScrollBar::SetSmooth).Default(false);
  c.Property("Style", &TControlScrollBar::GetStyle, &TControlScrollBar::SetStyle).Default(ssRegular);
  c.Property("ThumbSize", &TControlScrollBar::GetThumbSize, &TControlScrollBar::SetThumbSize).Default(0);
  c.Property("Tracking", &TControlScrollBar::GetTracking, &TControlScrollBar::SetTracking).Default(false);
  c.Property("Visible", &TControlScrollBar::GetVisible, &TControlScrollBar::SetVisible).Default(true);
}

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : control_(control), kind_(kind) {}

void TControlScrollBar::SetColor(TColor v) {
  color_ = v;
  parentColor_ = false;
}

void TControlScrollBar::SetParentColor(bool v) {
  parentColor_ = v;
  if (v) color_ = clBtnHighlight;
}

void TControlScrollBar::SetRange(int v) {
  v = std::max(v, 0);
  if (v == range_) return;
  range_ = v;
  Changed();
}

void TControlScrollBar::SetPosition(int v) { control_->ScrollTo(*this, v); }

// An increment below one would make the arrows do nothing.
void TControlScrollBar::SetIncrement(int v) { increment_ = std::max(v, 1); }

void TControlScrollBar::SetMargin(int v) {
  v = std::max(v, 0);
  if (v == margin_) return;
  margin_ = v;
  Changed();
}

void TControlScrollBar::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}

int TControlScrollBar::ClientExtent() const {
  TRect client = control_->GetClientRect();
  return kind_ == sbHorizontal ? client.right - client.left : client.bottom - client.top;
}

bool TControlScrollBar::IsScrollBarVisible() const { return visible_ && range_ > ClientExtent(); }

bool TControlScrollBar::IsRangeStored() const { return !control_->GetAutoScroll(); }

TPersistent* TControlScrollBar::GetOwner() const { return control_; }

void TControlScrollBar::Scale(int multiply, int divide) {
  range_ = MulDiv(range_, multiply, divide);
  position_ = MulDiv(position_, multiply, divide);
  margin_ = MulDiv(margin_, multiply, divide);
}

void TControlScrollBar::Changed() { control_->UpdateScrollBars(); }

void TControlScrollBar::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TControlScrollBar*>(source);
  if (!other) return TPersistent::Assign(source);
  range_ = other->range_;
  increment_ = other->increment_;
  margin_ = other->margin_;
  visible_ = other->visible_;
  tracking_ = other->tracking_;
  smooth_ = other->smooth_;
  color_ = other->color_;
  parentColor_ = other->parentColor_;
  style_ = other->style_;
  buttonSize_ = other->buttonSize_;
  size_ = other->size_;
  thumbSize_ = other->thumbSize_;
  Changed();
  SetPosition(other->position_);
}

}  // namespace Tovix
