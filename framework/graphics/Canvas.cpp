#include "framework/graphics/Canvas.h"

#include "framework/graphics/Graphic.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TCanvas, TPersistent) {}

TCanvas::TCanvas() : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
  font_->SetOnChange(TNotifyEvent(this, &TCanvas::FontChanged));
  brush_->SetOnChange(TNotifyEvent(this, &TCanvas::BrushChanged));
  pen_->SetOnChange(TNotifyEvent(this, &TCanvas::PenChanged));
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::GetHandle() {
  if (!handle_) CreateHandle();
  if (!handle_) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_) return;
  DeselectHandles();
  handle_ = dc;
  state_ = dc ? TStates{csHandleValid} : TStates{};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles() {
  if (!handle_) return;
  if (oldFont_) SelectObject(handle_, oldFont_);
  if (oldBrush_) SelectObject(handle_, oldBrush_);
  if (oldPen_) SelectObject(handle_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
  state_ = TStates{csHandleValid};
}

void TCanvas::FontChanged(TObject*) {
  if (!state_.Contains(csFontValid)) return;
  if (oldFont_) SelectObject(handle_, oldFont_);
  oldFont_ = nullptr;
  state_.Exclude(csFontValid);
}

void TCanvas::BrushChanged(TObject*) {
  if (!state_.Contains(csBrushValid)) return;
  if (oldBrush_) SelectObject(handle_, oldBrush_);
  oldBrush_ = nullptr;
  state_.Exclude(csBrushValid);
}

void TCanvas::PenChanged(TObject*) {
  if (!state_.Contains(csPenValid)) return;
  if (oldPen_) SelectObject(handle_, oldPen_);
  oldPen_ = nullptr;
  state_.Exclude(csPenValid);
}

void TCanvas::RequiredState(TStates required) {
  HDC dc = GetHandle();
  if (required.Contains(csFontValid) && !state_.Contains(csFontValid)) {
    HGDIOBJ previous = SelectObject(dc, font_->GetHandle());
    if (!oldFont_) oldFont_ = previous;
    SetTextColor(dc, ColorToRGB(font_->GetColor()));
    state_.Include(csFontValid);
  }
  if (required.Contains(csBrushValid) && !state_.Contains(csBrushValid)) {
    HBRUSH brush = brush_->GetHandle();
    UnrealizeObject(brush);
    HGDIOBJ previous = SelectObject(dc, brush);
    if (!oldBrush_) oldBrush_ = previous;
    SetBkColor(dc, ColorToRGB(brush_->GetColor()));
    SetBkMode(dc, brush_->GetStyle() == bsSolid ? OPAQUE : TRANSPARENT);
    state_.Include(csBrushValid);
  }
  if (required.Contains(csPenValid) && !state_.Contains(csPenValid)) {
    HGDIOBJ previous = SelectObject(dc, pen_->GetHandle());
    if (!oldPen_) oldPen_ = previous;
    state_.Include(csPenValid);
  }
}

void TCanvas::Changed() { onChange_(this); }

SIZE TCanvas::TextExtent(const String& text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE size{0, 0};
  GetTextExtentPoint32A(handle_, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int TCanvas::TextWidth(const String& text) { return TextExtent(text).cx; }

int TCanvas::TextHeight(const String& text) { return TextExtent(text).cy; }

void TCanvas::TextOut(int x, int y, const String& text) {
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutA(handle_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  MoveTo(x + TextWidth(text), y);
  Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED;
  if (brush_->GetStyle() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(handle_, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

void TCanvas::FillRect(const TRect& rect) {
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(handle_, &rect, brush_->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(handle_, &rect, brush_->GetHandle());
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState({csHandleValid});
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(handle_, x, y);
  Changed();
}

TPoint TCanvas::GetPenPos() {
  RequiredState({csHandleValid});
  TPoint position{0, 0};
  GetCurrentPositionEx(handle_, &position);
  return position;
}

TColor TCanvas::GetPixels(int x, int y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(static_cast<int32_t>(GetPixel(handle_, x, y)));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  SetPixel(handle_, x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Rect(x, y, x + graphic->GetWidth(), y + graphic->GetHeight()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  RequiredState({csHandleValid});
  graphic->Draw(*this, rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  if (!canvas) throw EInvalidGraphicOperation("CopyRect needs a source canvas");
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  StretchBlt(handle_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, canvas->handle_,
             source.left, source.top, source.right - source.left, source.bottom - source.top, copyMode_);
  Changed();
}

}  // namespace Tovix
