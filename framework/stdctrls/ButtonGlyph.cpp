#include "framework/stdctrls/ButtonGlyph.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

namespace {

// Pixels of a 32-bit picture are stored as 0x00RRGGBB; colours here are 0x00BBGGRR.
uint32_t PixelOfRgb(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }
uint32_t RgbOfPixel(uint32_t pixel) { return PixelOfRgb(pixel & 0xFFFFFF); }

// A colour for the transparent parts of a made image that none of its drawn colours can be.
uint32_t KeyColorAvoiding(uint32_t a, uint32_t b) {
  for (uint32_t candidate : {0xFF00FFu, 0x00FF00u, 0x808000u})
    if (candidate != a && candidate != b) return candidate;
  return 0x0000FFu;
}

}  // namespace

const TEnumInfo& TEnumTraits<TButtonLayout>::Info() {
  static const TEnumInfo info{{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return info;
}

const TEnumInfo& TEnumTraits<TButtonState>::Info() {
  static const TEnumInfo info{{"bsUp", "bsDisabled", "bsDown", "bsExclusive"}};
  return info;
}

TButtonGlyph::TButtonGlyph() : original_(std::make_unique<TBitmap>()) {
  original_->SetOnChange(TNotifyEvent(this, &TButtonGlyph::GlyphChanged));
}

TButtonGlyph::~TButtonGlyph() { original_->SetOnChange(TNotifyEvent()); }

void TButtonGlyph::ClearImages() {
  for (auto& image : images_) image.reset();
}

void TButtonGlyph::GlyphChanged(TObject*) {
  ClearImages();
  onChange_(nullptr);
}

void TButtonGlyph::SetGlyph(TBitmap* value) {
  original_->Assign(value);  // reports the change through GlyphChanged
  if (value && value->GetHeight() > 0 && value->GetWidth() % value->GetHeight() == 0) {
    int glyphs = value->GetWidth() / value->GetHeight();
    SetNumGlyphs(glyphs > 4 ? 1 : glyphs);
  }
}

void TButtonGlyph::SetNumGlyphs(int value) {
  if (value < 1 || value > 4) value = 1;
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  ClearImages();
  onChange_(nullptr);
}

SIZE TButtonGlyph::GetImageSize() const {
  if (original_->Empty()) return SIZE{0, 0};
  return SIZE{original_->GetWidth() / numGlyphs_, original_->GetHeight()};
}

uint32_t TButtonGlyph::TransparentRgb() const { return ColorToRGB(original_->GetTransparentColor()) & 0xFFFFFF; }

// A 32-bit copy of image index of the glyph strip, drawn with the strip's transparent colour.
std::unique_ptr<TBitmap> TButtonGlyph::CropImage(int index) const {
  SIZE size = GetImageSize();
  auto image = std::make_unique<TBitmap>();
  image->SetSize(size.cx, size.cy);
  image->GetCanvas()->CopyRect(Rect(0, 0, size.cx, size.cy), original_->GetCanvas(),
                               Rect(index * size.cx, 0, (index + 1) * size.cx, size.cy));
  image->SetTransparentColor(static_cast<TColor>(TransparentRgb()));
  image->SetTransparent(true);
  return image;
}

// The embossed outline of the up image: every opaque pixel that is not white is "ink"; ink is
// drawn in the highlight colour one pixel down and right, then in the shadow colour in place.
std::unique_ptr<TBitmap> TButtonGlyph::MakeDisabledImage() {
  std::unique_ptr<TBitmap> up = CropImage(0);
  int width = up->GetWidth(), height = up->GetHeight();
  uint32_t transparent = TransparentRgb();
  uint32_t highlight = ColorToRGB(clBtnHighlight) & 0xFFFFFF;
  uint32_t shadow = ColorToRGB(clBtnShadow) & 0xFFFFFF;
  uint32_t key = KeyColorAvoiding(highlight, shadow);

  std::vector<bool> ink(static_cast<size_t>(width) * static_cast<size_t>(height));
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<const uint32_t*>(up->GetScanLine(y));
    for (int x = 0; x < width; ++x) {
      uint32_t rgb = RgbOfPixel(row[x]);
      ink[static_cast<size_t>(y * width + x)] = rgb != transparent && rgb != 0xFFFFFF;
    }
  }
  auto image = std::make_unique<TBitmap>();
  image->SetSize(width, height);
  auto isInk = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height && ink[static_cast<size_t>(y * width + x)];
  };
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint32_t*>(image->GetScanLine(y));
    for (int x = 0; x < width; ++x) {
      uint32_t rgb = isInk(x, y) ? shadow : isInk(x - 1, y - 1) ? highlight : key;
      row[x] = PixelOfRgb(rgb);
    }
  }
  image->SetModified(true);
  image->SetTransparentColor(static_cast<TColor>(key));
  image->SetTransparent(true);
  return image;
}

TBitmap* TButtonGlyph::StateImage(TButtonState state) {
  if (original_->Empty() || GetImageSize().cx == 0) return nullptr;
  auto slot = static_cast<size_t>(state);
  if (!images_[slot]) {
    int index = static_cast<int>(state);
    if (index < numGlyphs_) images_[slot] = CropImage(index);
    else if (state == bsDisabled) images_[slot] = MakeDisabledImage();
    else if (state == bsExclusive && numGlyphs_ > 2) images_[slot] = CropImage(bsDown);
    else images_[slot] = CropImage(bsUp);
  }
  return images_[slot].get();
}

TButtonGlyph::TLayoutResult TButtonGlyph::CalcLayout(TCanvas& canvas, const TRect& client, TPoint offset,
                                                     const String& caption, TButtonLayout layout, int margin,
                                                     int spacing) const {
  TPoint clientSize = Point(client.right - client.left, client.bottom - client.top);
  SIZE glyph = GetImageSize();
  TPoint glyphSize = Point(glyph.cx, glyph.cy);
  TRect text = Rect(0, 0, clientSize.x, 0);
  TPoint textSize = Point(0, 0);
  if (!caption.empty()) {
    canvas.RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid});
    DrawTextA(canvas.GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT);
    textSize = Point(text.right - text.left, text.bottom - text.top);
  } else {
    text = Rect(0, 0, 0, 0);
  }
  bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TPoint glyphPos = Point(0, 0), textPos = Point(0, 0);
  // Beside each other both are centred vertically; above each other, horizontally.
  if (horizontal) {
    glyphPos.y = (clientSize.y - glyphSize.y + 1) / 2;
    textPos.y = (clientSize.y - textSize.y + 1) / 2;
  } else {
    glyphPos.x = (clientSize.x - glyphSize.x + 1) / 2;
    textPos.x = (clientSize.x - textSize.x + 1) / 2;
  }
  if (textSize.x == 0 || glyphSize.x == 0) spacing = 0;
  TPoint total;
  if (margin == -1) {
    if (spacing == -1) {
      total = Point(glyphSize.x + textSize.x, glyphSize.y + textSize.y);
      margin = horizontal ? (clientSize.x - total.x) / 3 : (clientSize.y - total.y) / 3;
      spacing = margin;
    } else {
      total = Point(glyphSize.x + spacing + textSize.x, glyphSize.y + spacing + textSize.y);
      margin = horizontal ? (clientSize.x - total.x + 1) / 2 : (clientSize.y - total.y + 1) / 2;
    }
  } else if (spacing == -1) {
    total = Point(clientSize.x - (margin + glyphSize.x), clientSize.y - (margin + glyphSize.y));
    spacing = horizontal ? (total.x - textSize.x) / 2 : (total.y - textSize.y) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      glyphPos.x = margin;
      textPos.x = glyphPos.x + glyphSize.x + spacing;
      break;
    case blGlyphRight:
      glyphPos.x = clientSize.x - margin - glyphSize.x;
      textPos.x = glyphPos.x - spacing - textSize.x;
      break;
    case blGlyphTop:
      glyphPos.y = margin;
      textPos.y = glyphPos.y + glyphSize.y + spacing;
      break;
    case blGlyphBottom:
      glyphPos.y = clientSize.y - margin - glyphSize.y;
      textPos.y = glyphPos.y - spacing - textSize.y;
      break;
  }
  TLayoutResult result;
  result.glyphPos = Point(glyphPos.x + client.left + offset.x, glyphPos.y + client.top + offset.y);
  result.textBounds = text;
  OffsetRect(&result.textBounds, textPos.x + client.left + offset.x, textPos.y + client.top + offset.y);
  return result;
}

void TButtonGlyph::DrawCaption(TCanvas& canvas, const String& caption, TRect bounds, TButtonState state) const {
  if (caption.empty()) return;
  canvas.RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid});
  HDC dc = canvas.GetHandle();
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = GetTextColor(dc);
  const UINT flags = DT_CENTER | DT_VCENTER;
  if (state == bsDisabled) {
    OffsetRect(&bounds, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &bounds, flags);
    OffsetRect(&bounds, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  }
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &bounds, flags);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

TRect TButtonGlyph::Draw(TCanvas& canvas, const TRect& client, TPoint offset, const String& caption,
                         TButtonLayout layout, int margin, int spacing, TButtonState state) {
  TLayoutResult where = CalcLayout(canvas, client, offset, caption, layout, margin, spacing);
  if (TBitmap* image = StateImage(state)) canvas.Draw(where.glyphPos.x, where.glyphPos.y, image);
  DrawCaption(canvas, caption, where.textBounds, state);
  return where.textBounds;
}

}  // namespace Tovix
