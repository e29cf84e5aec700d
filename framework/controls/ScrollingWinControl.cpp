#include "framework/controls/ScrollingWinControl.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TScrollingWinControl, TWinControl) {
  c.Message(WM_HSCROLL, &TScrollingWinControl::WMHScroll);
  c.Message(WM_VSCROLL, &TScrollingWinControl::WMVScroll);
  c.Message(WM_MOUSEWHEEL, &TScrollingWinControl::WMMouseWheel);
}

namespace {

int BarCode(const TControlScrollBar& bar) { return bar.GetKind() == sbHorizontal ? SB_HORZ : SB_VERT; }

}  // namespace

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool v) {
  if (v == autoScroll_) return;
  autoScroll_ = v;
  // Older form files say "AutoScroll = False" after the ranges they set: keep those.
  if (!v && !IsLoading()) horz_->range_ = vert_->range_ = 0;
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  // A new window has no scroll bars yet, whatever the old one had.
  appliedHorz_ = appliedVert_ = TBarState();
}

void TScrollingWinControl::ChangeScale(int multiply, int divide) {
  TWinControl::ChangeScale(multiply, divide);
  if (multiply == divide) return;
  horz_->Scale(multiply, divide);
  vert_->Scale(multiply, divide);
  UpdateScrollBars();
}

void TScrollingWinControl::Loaded() {
  TWinControl::Loaded();
  UpdateScrollBars();
}

// ---------------------------------------------------------------------------
// Ranges and bars

int TScrollingWinControl::ChildrenExtent(const TControlScrollBar& bar) const {
  bool horizontal = bar.kind_ == sbHorizontal;
  bool found = false;
  int extent = 0;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (!c->GetVisible() && !c->IsDesigning()) continue;
    // Aligned children stretch or stick to the client area along some axes; there they never
    // reach past it, and counting them would make the range chase the client area.
    TAlign align = c->GetAlign();
    bool followsClient = align == alClient || align == alRight || align == alBottom ||
                         (horizontal ? align == alTop : align == alLeft);
    if (followsClient) continue;
    int end = horizontal ? c->GetLeft() + c->GetWidth() : c->GetTop() + c->GetHeight();
    extent = found ? std::max(extent, end) : end;
    found = true;
  }
  return found ? std::max(extent + bar.position_ + bar.margin_, 0) : 0;
}

bool TScrollingWinControl::NothingToShow() const {
  return !horz_->range_ && !vert_->range_ && !horz_->position_ && !vert_->position_ && !appliedHorz_.shown &&
         !appliedVert_.shown;
}

void TScrollingWinControl::UpdateScrollBars() {
  if (updatingBars_ || IsLoading() || IsDestroying()) return;
  updatingBars_ = true;
  TScopeExit done([&] { updatingBars_ = false; });
  // Showing a bar narrows the client area, which moves anchored children and so may change the
  // extent again: a few rounds settle it.
  for (int round = 0; round < 3; ++round) {
    if (autoScroll_) {
      horz_->range_ = ChildrenExtent(*horz_);
      vert_->range_ = ChildrenExtent(*vert_);
    }
    // Before the window exists nothing scrolls; default forms make no scroll-bar calls at all.
    if (!HandleAllocated() || NothingToShow()) return;

    TRect client = GetClientRect();
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    int fullWidth = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
    int fullHeight = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
    bool showHorz = horz_->visible_ && horz_->range_ > fullWidth;
    bool showVert = vert_->visible_ && vert_->range_ > fullHeight;
    // Each bar takes room from the other's direction.
    if (showVert && !showHorz) showHorz = horz_->visible_ && horz_->range_ > fullWidth - barWidth;
    if (showHorz && !showVert) showVert = vert_->visible_ && vert_->range_ > fullHeight - barHeight;

    auto stateOf = [](const TControlScrollBar& bar, bool shown, int page) {
      TBarState state{shown, bar.range_, page, 0};
      // A bar that goes away scrolls back to the start.
      if (shown) state.position = std::clamp(bar.position_, 0, bar.range_ - page);
      return state;
    };
    TBarState horz = stateOf(*horz_, showHorz, fullWidth - (showVert ? barWidth : 0));
    TBarState vert = stateOf(*vert_, showVert, fullHeight - (showHorz ? barHeight : 0));
    int dx = horz_->position_ - horz.position, dy = vert_->position_ - vert.position;
    horz_->position_ = horz.position;
    vert_->position_ = vert.position;
    ScrollBy(dx, dy);
    ApplyBar(*horz_, horz, appliedHorz_);
    ApplyBar(*vert_, vert, appliedVert_);
    if (!autoScroll_ || (ChildrenExtent(*horz_) == horz_->range_ && ChildrenExtent(*vert_) == vert_->range_)) return;
  }
}

void TScrollingWinControl::ApplyBar(TControlScrollBar& bar, const TBarState& state, TBarState& applied) {
  if (state == applied) return;
  applied = state;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (state.shown) {
    info.nMax = state.range - 1;
    info.nPage = static_cast<UINT>(state.page);
    info.nPos = state.position;
  }
  // The system shows the bar exactly when the page is smaller than the range given.
  SetScrollInfo(handle_, BarCode(bar), &info, TRUE);
  LONG flag = bar.kind_ == sbHorizontal ? WS_HSCROLL : WS_VSCROLL;
  if (((GetWindowLongA(handle_, GWL_STYLE) & flag) != 0) != state.shown)
    ShowScrollBar(handle_, BarCode(bar), state.shown);
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
  TRect scrolled = rect;
  OffsetRect(&scrolled, -horz_->position_, -vert_->position_);
  TWinControl::AlignControls(control, scrolled);
  bool hadHorz = appliedHorz_.shown, hadVert = appliedVert_.shown;
  UpdateScrollBars();
  // A bar that came or went changed the client area while alignment was held: lay out again.
  if (hadHorz == appliedHorz_.shown && hadVert == appliedVert_.shown) return;
  TRect now = GetClientRect();
  OffsetRect(&now, -horz_->position_, -vert_->position_);
  TWinControl::AlignControls(control, now);
}

// ---------------------------------------------------------------------------
// Scrolling

void TScrollingWinControl::ScrollBy(int dx, int dy) {
  if (!dx && !dy) return;
  DisableAlign();
  TScopeExit enableAlign([&] { EnableAlign(); });
  if (HandleAllocated()) ScrollWindowEx(handle_, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
  }
}

void TScrollingWinControl::ScrollTo(TControlScrollBar& bar, int position) {
  if (!HandleAllocated() || IsLoading()) {
    bar.position_ = std::max(position, 0);
    return;
  }
  position = std::clamp(position, 0, bar.IsScrollBarVisible() ? bar.range_ - bar.ClientExtent() : 0);
  int delta = position - bar.position_;
  if (!delta) return;
  bar.position_ = position;
  TBarState& applied = bar.kind_ == sbHorizontal ? appliedHorz_ : appliedVert_;
  applied.position = position;
  if (applied.shown) SetScrollPos(handle_, BarCode(bar), position, TRUE);
  if (bar.kind_ == sbHorizontal) ScrollBy(-delta, 0);
  else ScrollBy(0, -delta);
}

void TScrollingWinControl::ScrollInView(TControl* control) {
  if (!control || control == this || !ContainsControl(control)) return;
  TPoint topLeft = ScreenToClient(control->GetParent()->ClientToScreen(Point(control->GetLeft(), control->GetTop())));
  auto bringIn = [this](TControlScrollBar& bar, int start, int length) {
    int extent = bar.ClientExtent();
    if (start < 0) ScrollTo(bar, bar.position_ + start);
    else if (start + length > extent) ScrollTo(bar, bar.position_ + std::min(start, start + length - extent));
  };
  bringIn(*horz_, topLeft.x, control->GetWidth());
  bringIn(*vert_, topLeft.y, control->GetHeight());
}

void TScrollingWinControl::ScrollMessage(TControlScrollBar& bar, TMessage& m) {
  // From a scroll-bar control among the children, not from the window's own bar.
  if (m.LParam) return DefaultHandler(m);
  m.Result = 0;
  int position = bar.position_;
  switch (LOWORD(m.WParam)) {
    case SB_LINEUP: position -= bar.increment_; break;
    case SB_LINEDOWN: position += bar.increment_; break;
    case SB_PAGEUP: position -= bar.ClientExtent(); break;
    case SB_PAGEDOWN: position += bar.ClientExtent(); break;
    case SB_THUMBTRACK:
      if (!bar.tracking_) return;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      position = HIWORD(m.WParam);
      // The message carries 16 bits; larger ranges ask the bar where its thumb is.
      if (bar.range_ > 0xFFFF) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(handle_, BarCode(bar), &info)) position = info.nTrackPos;
      }
      break;
    }
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = bar.range_; break;
    default: return;
  }
  ScrollTo(bar, position);
}

void TScrollingWinControl::WMHScroll(TMessage& m) { ScrollMessage(*horz_, m); }
void TScrollingWinControl::WMVScroll(TMessage& m) { ScrollMessage(*vert_, m); }

void TScrollingWinControl::WMMouseWheel(TMessage& m) {
  // Without a vertical bar the wheel goes on to the parent, as the system does.
  if (!appliedVert_.shown) return DefaultHandler(m);
  wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(m.WParam);
  int notches = wheelRemainder_ / WHEEL_DELTA;
  wheelRemainder_ %= WHEEL_DELTA;
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  int step = lines == WHEEL_PAGESCROLL ? vert_->ClientExtent()
                                        : static_cast<int>(std::min<UINT>(lines, 100)) * vert_->increment_;
  ScrollTo(*vert_, vert_->position_ - notches * step);
  m.Result = 0;
}

}  // namespace Tovix
