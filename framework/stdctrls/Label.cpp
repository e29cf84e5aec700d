#include "framework/stdctrls/Label.h"

#include "framework/graphics/MeasuringDC.h"
#include "framework/stdctrls/Publish.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCustomLabel, TGraphicControl) {
  c.Message(CM_TEXTCHANGED, &TCustomLabel::CMTextChanged);
  c.Message(CM_FONTCHANGED, &TCustomLabel::CMFontChanged);
  c.Message(CM_COLORCHANGED, &TCustomLabel::CMColorChanged);
  c.Message(CM_ENABLEDCHANGED, &TCustomLabel::CMEnabledChanged);
  c.Message(CM_DIALOGCHAR, &TCustomLabel::CMDialogChar);
}

TOVIX_IMPLEMENT_CLASS(TLabel, TCustomLabel) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TLabel::GetAlign, &TLabel::SetAlign).Default(alNone);
  c.Property("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment).Default(taLeftJustify);
  c.Property("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(true);
  c.Property("Caption", &TLabel::GetCaption, &TLabel::SetCaption);
  P::GraphicAppearance(c);
  P::Dragging(c);
  c.Property("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl);
  c.Property("Layout", &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop);
  c.Property("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  P::State(c);
  c.Property("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false);
  c.Property("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false);
  c.Property("OnClick", &TLabel::GetOnClick, &TLabel::SetOnClick);
  c.Property("OnDblClick", &TLabel::GetOnDblClick, &TLabel::SetOnDblClick);
  P::MouseEvents(c);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque, csReplicatable};
  SetBounds(0, 0, 65, 17);
}

String TCustomLabel::GetLabelText() const { return GetCaption(); }

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  String text = GetLabelText();
  // An empty caption (or a lone accelerator mark) still measures one line high.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  auto draw = [&](TRect& r) {
    canvas->RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid, TCanvas::csBrushValid});
    DrawTextA(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
  };
  if (GetEnabled() || (flags & DT_CALCRECT)) {
    draw(rect);
    return;
  }
  // Disabled text is embossed: a highlight one pixel down and right, the shadow over it.
  OffsetRect(&rect, 1, 1);
  canvas->GetFont()->SetColor(clBtnHighlight);
  draw(rect);
  OffsetRect(&rect, -1, -1);
  canvas->GetFont()->SetColor(clBtnShadow);
  draw(rect);
}

void TCustomLabel::Paint() {
  static const UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
  }
  canvas->GetBrush()->SetStyle(bsClear);
  UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlignments[alignment_];
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    int free = GetHeight() - measured.bottom;
    OffsetRect(&rect, 0, layout_ == tlBottom ? free : free / 2);
  }
  DoDrawText(rect, flags);
}

// Measures the text on a screen context (or on the painting context, when asked from Paint).
void TCustomLabel::AdjustBounds() {
  if (GetComponentState().Contains(csReading) || !autoSize_) return;
  TRect rect = GetClientRect();
  TCanvas* canvas = GetCanvas();
  UINT flags = DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0);
  if (canvas->HandleAllocated()) {
    DoDrawText(rect, flags);
  } else {
    canvas->SetHandle(MeasuringDC());
    TScopeExit releaseDC([&] { canvas->SetHandle(nullptr); });
    DoDrawText(rect, flags);
  }
  int left = GetLeft();
  if (alignment_ == taRightJustify) left += GetWidth() - rect.right;
  SetBounds(left, GetTop(), rect.right, rect.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (v == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == GetTransparent()) return;
  if (v) controlStyle_.Exclude(csOpaque);
  else controlStyle_.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage&) {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMColorChanged(TMessage&) { Invalidate(); }
void TCustomLabel::CMEnabledChanged(TMessage&) { Invalidate(); }

void TCustomLabel::CMDialogChar(TMessage& m) {
  if (focusControl_ && GetEnabled() && showAccelChar_ && IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) &&
      focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
  }
}

}  // namespace Tovix
