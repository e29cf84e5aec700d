#include "framework/stdctrls/GroupBox.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCustomGroupBox, TCustomControl) {
  c.Message(CM_DIALOGCHAR, &TCustomGroupBox::CMDialogChar);
  c.Message(CM_TEXTCHANGED, &TCustomGroupBox::CMTextChanged);
  c.Message(CM_CTL3DCHANGED, &TCustomGroupBox::CMCtl3DChanged);
  c.Message(CM_FONTCHANGED, &TCustomGroupBox::CMFontChanged);
  c.Message(WM_SIZE, &TCustomGroupBox::WMSize);
}

TOVIX_IMPLEMENT_CLASS(TGroupBox, TCustomGroupBox) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TGroupBox::GetAlign, &TGroupBox::SetAlign).Default(alNone);
  c.Property("Caption", &TGroupBox::GetCaption, &TGroupBox::SetCaption);
  P::Appearance(c, clWindow, true);
  P::Dragging(c);
  P::State(c);
  P::TabOrder(c, false);
  c.Property("OnClick", &TGroupBox::GetOnClick, &TGroupBox::SetOnClick);
  c.Property("OnDblClick", &TGroupBox::GetOnDblClick, &TGroupBox::SetOnDblClick);
  c.Property("OnEnter", &TGroupBox::GetOnEnter, &TGroupBox::SetOnEnter);
  c.Property("OnExit", &TGroupBox::GetOnExit, &TGroupBox::SetOnExit);
  P::MouseEvents(c);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable};
  SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() {
  TCanvas* canvas = GetCanvas();
  if (canvas->HandleAllocated()) {
    canvas->GetFont()->Assign(GetFont());
    return canvas->TextHeight("0");
  }
  // Outside painting: measure on a screen context.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

void TCustomGroupBox::AlignControls(TControl* control, TRect& rect) {
  rect.top += CaptionHeight();
  InflateRect(&rect, -1, -1);
  if (GetCtl3D()) InflateRect(&rect, -1, -1);
  TCustomControl::AlignControls(control, rect);
}

// An etched frame (highlight under shadow) a half line down, the caption over its top edge.
void TCustomGroupBox::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  int h = canvas->TextHeight("0");
  TRect r = Rect(0, h / 2 - 1, GetWidth(), GetHeight());
  if (GetCtl3D()) {
    ++r.left;
    ++r.top;
    canvas->GetBrush()->SetColor(clBtnHighlight);
    canvas->FrameRect(r);
    OffsetRect(&r, -1, -1);
    canvas->GetBrush()->SetColor(clBtnShadow);
  } else {
    canvas->GetBrush()->SetColor(clWindowFrame);
  }
  canvas->FrameRect(r);
  String text = GetText();
  if (text.empty()) return;
  TRect textRect = Rect(8, 0, 0, h);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid, TCanvas::csBrushValid});
  HDC dc = canvas->GetHandle();
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_CALCRECT);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE);
}

void TCustomGroupBox::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<unsigned>(m.WParam), GetText()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(m);
}

void TCustomGroupBox::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  InvalidateBox();
  Realign();
}

void TCustomGroupBox::CMCtl3DChanged(TMessage& m) {
  TCustomControl::CMCtl3DChanged(m);
  InvalidateBox();
  Realign();
}

void TCustomGroupBox::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  Realign();
}

void TCustomGroupBox::WMSize(TMessage& m) {
  TCustomControl::WMSize(m);
  InvalidateBox();
}

// The frame and caption are drawn on the box's own window.
void TCustomGroupBox::InvalidateBox() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace Tovix
