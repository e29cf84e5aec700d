#include "framework/stdctrls/Panel.h"

#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace P = StdCtrlsPublish;

const TEnumInfo& TEnumTraits<TBevelCut>::Info() {
  static const TEnumInfo info{{"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
  return info;
}

TOVIX_IMPLEMENT_CLASS(TCustomPanel, TCustomControl) {
  c.Message(CM_TEXTCHANGED, &TCustomPanel::CMTextChanged);
  c.Message(CM_CTL3DCHANGED, &TCustomPanel::CMCtl3DChanged);
}

TOVIX_IMPLEMENT_CLASS(TPanel, TCustomPanel) {
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TPanel::GetAlign, &TPanel::SetAlign).Default(alNone);
  c.Property("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment).Default(taCenter);
  c.Property("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner).Default(bvNone);
  c.Property("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  c.Property("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth).Default(1);
  c.Property("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth).Default(0);
  c.Property("BorderStyle", &TPanel::GetBorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
  c.Property("Caption", &TPanel::GetCaption, &TPanel::SetCaption);
  c.Property("Color", &TPanel::GetColor, &TPanel::SetColor).Default(clBtnFace).Stored(&TPanel::IsColorStored);
  c.Property("Ctl3D", &TPanel::GetCtl3D, &TPanel::SetCtl3D).Stored(&TPanel::IsCtl3DStored);
  P::Dragging(c);
  c.Property("Enabled", &TPanel::GetEnabled, &TPanel::SetEnabled).Default(true);
  c.Property("Font", &TPanel::GetFont, &TPanel::SetFont).Stored(&TPanel::IsFontStored);
  c.Property("ParentColor", &TPanel::GetParentColor, &TPanel::SetParentColor).Default(false);
  c.Property("ParentCtl3D", &TPanel::GetParentCtl3D, &TPanel::SetParentCtl3D).Default(true);
  c.Property("ParentFont", &TPanel::GetParentFont, &TPanel::SetParentFont).Default(true);
  c.Property("ParentShowHint", &TPanel::GetParentShowHint, &TPanel::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &TPanel::GetPopupMenu, &TPanel::SetPopupMenu);
  c.Property("ShowHint", &TPanel::GetShowHint, &TPanel::SetShowHint).Stored(&TPanel::IsShowHintStored);
  P::TabOrder(c, false);
  c.Property("Visible", &TPanel::GetVisible, &TPanel::SetVisible).Default(true);
  c.Property("OnClick", &TPanel::GetOnClick, &TPanel::SetOnClick);
  c.Property("OnDblClick", &TPanel::GetOnDblClick, &TPanel::SetOnDblClick);
  c.Property("OnEnter", &TPanel::GetOnEnter, &TPanel::SetOnEnter);
  c.Property("OnExit", &TPanel::GetOnExit, &TPanel::SetOnExit);
  P::MouseEvents(c);
}

namespace {

// Draws width nested frames inside rect, the top and left edges in one colour and the bottom
// and right edges in the other, and shrinks rect by them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.GetPen()->SetWidth(1);
  canvas.GetPen()->SetStyle(psSolid);
  --rect.bottom;
  --rect.right;
  for (; width > 0; --width) {
    canvas.GetPen()->SetColor(topColor);
    canvas.MoveTo(rect.left, rect.bottom);
    canvas.LineTo(rect.left, rect.top);
    canvas.LineTo(rect.right, rect.top);
    canvas.GetPen()->SetColor(bottomColor);
    canvas.LineTo(rect.right, rect.bottom);
    canvas.LineTo(rect.left - 1, rect.bottom);
    InflateRect(&rect, -1, -1);
  }
  ++rect.bottom;
  ++rect.right;
}

// The highlight and shadow colours of a bevel; a space bevel is the panel's own colour.
void BevelColors(TBevelCut cut, TColor face, TColor& top, TColor& bottom) {
  switch (cut) {
    case bvLowered: top = clBtnShadow; bottom = clBtnHighlight; break;
    case bvRaised: top = clBtnHighlight; bottom = clBtnShadow; break;
    default: top = bottom = face; break;
  }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) {
    if (NewStyleControls && GetCtl3D()) params.ExStyle |= WS_EX_CLIENTEDGE;
    else params.Style |= WS_BORDER;
  }
}

void TCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
  if (HandleAllocated()) InvalidateRect(handle_, nullptr, TRUE);
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  if (HandleAllocated()) InvalidateRect(handle_, nullptr, TRUE);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  BordersChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  BordersChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (value < 1) value = 1;
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  BordersChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (value < 0) value = 0;
  if (value == borderWidth_) return;
  borderWidth_ = value;
  BordersChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value != bsSingle) value = bsNone;
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomPanel::CMCtl3DChanged(TMessage& m) {
  TCustomControl::CMCtl3DChanged(m);
  if (borderStyle_ == bsSingle) RecreateWnd();
}

void TCustomPanel::CMTextChanged(TMessage&) {
  if (HandleAllocated()) InvalidateRect(handle_, nullptr, TRUE);
}

TRect TCustomPanel::GetInnerRect() const {
  TRect rect = GetClientRect();
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&rect, -inset, -inset);
  return rect;
}

void TCustomPanel::AlignControls(TControl* control, TRect& rect) {
  TRect inner = GetInnerRect();
  rect.left += inner.left;
  rect.top += inner.top;
  rect.right -= GetClientRect().right - inner.right;
  rect.bottom -= GetClientRect().bottom - inner.bottom;
  TCustomControl::AlignControls(control, rect);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect rect = GetClientRect();
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, GetColor(), top, bottom);
    Frame3D(canvas, rect, top, bottom, bevelWidth_);
  }
  Frame3D(canvas, rect, GetColor(), GetColor(), borderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, GetColor(), top, bottom);
    Frame3D(canvas, rect, top, bottom, bevelWidth_);
  }
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(rect);

  String caption = GetCaption();
  if (caption.empty()) return;
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.GetFont()->Assign(GetFont());
  int fontHeight = canvas.TextHeight("W");
  rect.top = (rect.bottom + rect.top - fontHeight) / 2;
  rect.bottom = rect.top + fontHeight;
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid, TCanvas::csBrushValid});
  DrawTextA(canvas.GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
            DT_EXPANDTABS | DT_VCENTER | alignments[alignment_]);
}

}  // namespace Tovix
