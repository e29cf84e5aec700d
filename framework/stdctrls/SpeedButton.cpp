#include "framework/stdctrls/SpeedButton.h"

#include <cctype>

#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace P = StdCtrlsPublish;

TOVIX_IMPLEMENT_CLASS(TSpeedButton, TGraphicControl) {
  StdCtrlsPublish::Placement(c);
  c.Property("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  c.Property("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  c.Property("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown).Default(false);
  c.Property("Caption", &TSpeedButton::GetCaption, &TSpeedButton::SetCaption);
  c.Property("Enabled", &TSpeedButton::GetEnabled, &TSpeedButton::SetEnabled).Default(true);
  c.Property("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat).Default(false);
  c.Property("Font", &TSpeedButton::GetFont, &TSpeedButton::SetFont).Stored(&TSpeedButton::IsFontStored);
  c.Property("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph);
  c.Property("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  c.Property("Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin).Default(-1);
  c.Property("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  c.Property("ParentFont", &TSpeedButton::GetParentFont, &TSpeedButton::SetParentFont).Default(true);
  c.Property("ParentShowHint", &TSpeedButton::GetParentShowHint, &TSpeedButton::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &TSpeedButton::GetPopupMenu, &TSpeedButton::SetPopupMenu);
  c.Property("ShowHint", &TSpeedButton::GetShowHint, &TSpeedButton::SetShowHint).Stored(&TSpeedButton::IsShowHintStored);
  c.Property("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing).Default(4);
  c.Property("Visible", &TSpeedButton::GetVisible, &TSpeedButton::SetVisible).Default(true);
  c.Property("OnClick", &TSpeedButton::GetOnClick, &TSpeedButton::SetOnClick);
  c.Property("OnDblClick", &TSpeedButton::GetOnDblClick, &TSpeedButton::SetOnDblClick);
  P::MouseEvents(c);
  c.Message(CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed);
  c.Message(CM_ENABLEDCHANGED, &TSpeedButton::CMEnabledChanged);
  c.Message(CM_MOUSEENTER, &TSpeedButton::CMMouseEnter);
  c.Message(CM_MOUSELEAVE, &TSpeedButton::CMMouseLeave);
  c.Message(CM_TEXTCHANGED, &TSpeedButton::CMTextChanged);
  c.Message(CM_FONTCHANGED, &TSpeedButton::CMFontChanged);
  c.Message(CM_DIALOGCHAR, &TSpeedButton::CMDialogChar);
}

namespace {

// Whether caption marks key as its accelerator with "&" ("&Open" answers O), ignoring case.
bool HasAccelerator(uintptr_t key, const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<int>(key & 0xFF));
  }
  return false;
}

// A brush of alternating pixels of two colours, the look of a button held down in a group.
HBRUSH CreateCheckerBrush(COLORREF first, COLORREF second) {
  struct {
    BITMAPINFOHEADER header;
    uint32_t pixels[64];
  } dib = {};
  dib.header.biSize = sizeof dib.header;
  dib.header.biWidth = 8;
  dib.header.biHeight = 8;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 32;
  dib.header.biCompression = BI_RGB;
  auto pixel = [](COLORREF c) { return static_cast<uint32_t>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) dib.pixels[y * 8 + x] = pixel(((x + y) & 1) ? second : first);
  return CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  controlStyle_ = TControlStyle{csCaptureMouse, csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
  SetParentColor(true);
  glyph_->SetOnChange(TNotifyEvent(this, &TSpeedButton::GlyphChanged));
}

TSpeedButton::~TSpeedButton() {
  Destroying();
  glyph_->SetOnChange(TNotifyEvent());
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }

void TSpeedButton::SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Groups

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  // The down button of a group stays down unless the group allows all buttons up.
  if (down_ && !allowAllUp_) return;
  down_ = value;
  if (value) {
    if (state_ == bsUp) Invalidate();
    state_ = bsExclusive;
    UpdateExclusive();
  } else {
    state_ = bsUp;
    Repaint();
  }
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !parent_) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<uintptr_t>(groupIndex_), reinterpret_cast<intptr_t>(static_cast<TObject*>(this)), 0};
  parent_->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& m) {
  if (static_cast<int>(m.WParam) != groupIndex_) return;
  auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(m.LParam));
  if (!sender || sender == this) return;
  if (sender->down_ && down_) {
    down_ = false;
    state_ = bsUp;
    Invalidate();
  }
  allowAllUp_ = sender->allowAllUp_;
}

// ---------------------------------------------------------------------------
// Mouse and keyboard

bool TSpeedButton::ContainsPoint(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !GetEnabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  // While the button is held, it shows pressed only with the mouse over it.
  TButtonState next = down_ ? bsExclusive : (ContainsPoint(x, y) ? bsDown : bsUp);
  if (next == state_) return;
  state_ = next;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_) return;
  dragging_ = false;
  bool doClick = ContainsPoint(x, y);
  if (groupIndex_ == 0) {
    state_ = bsUp;
    Invalidate();
  } else if (doClick) {
    SetDown(!down_);
    if (down_) Repaint();
  } else {
    if (down_) state_ = bsExclusive;
    Repaint();
  }
  if (doClick) Click();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::CMDialogChar(TMessage& m) {
  if (HasAccelerator(m.WParam, GetCaption()) && GetEnabled() && GetVisible() && parent_ && parent_->Showing()) {
    Click();
    m.Result = 1;
  }
}

void TSpeedButton::CMMouseEnter(TMessage&) {
  if (mouseInControl_ || !GetEnabled()) return;
  mouseInControl_ = true;
  if (flat_) Repaint();
}

void TSpeedButton::CMMouseLeave(TMessage&) {
  if (!mouseInControl_) return;
  mouseInControl_ = false;
  if (flat_) Invalidate();
}

// ---------------------------------------------------------------------------
// State and painting

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  state_ = !GetEnabled() ? bsDisabled : (down_ ? bsExclusive : bsUp);
}

void TSpeedButton::CMEnabledChanged(TMessage&) {
  if (!GetEnabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ ? bsExclusive : bsUp;
  }
  Repaint();
}

void TSpeedButton::CMTextChanged(TMessage&) { Invalidate(); }
void TSpeedButton::CMFontChanged(TMessage&) { Invalidate(); }

void TSpeedButton::Paint() {
  if (!GetEnabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ ? bsExclusive : bsUp;
  }
  TCanvas& canvas = *GetCanvas();
  HDC dc = canvas.GetHandle();
  bool pressed = state_ == bsDown || state_ == bsExclusive;
  TRect paintRect = Rect(0, 0, width_, height_);
  if (!flat_) {
    DrawFrameControl(dc, &paintRect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  } else {
    // A flat button shows its frame only while pressed or under the mouse.
    if (pressed || (mouseInControl_ && state_ != bsDisabled) || IsDesigning()) {
      DrawEdge(dc, &paintRect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    } else {
      canvas.GetBrush()->SetColor(GetColor());
      canvas.GetBrush()->SetStyle(bsSolid);
      canvas.FillRect(paintRect);
    }
    InflateRect(&paintRect, -1, -1);
  }
  TPoint offset = Point(0, 0);
  if (pressed) {
    if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) {
      HBRUSH pattern = CreateCheckerBrush(ColorToRGB(clBtnFace), ColorToRGB(clBtnHighlight));
      if (pattern) {
        FillRect(dc, &paintRect, pattern);
        DeleteObject(pattern);
      }
    }
    offset = Point(1, 1);
  }
  glyph_->Draw(canvas, paintRect, offset, GetCaption(), layout_, margin_, spacing_, state_);
}

}  // namespace Tovix
