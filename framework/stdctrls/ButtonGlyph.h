// TButtonGlyph: the picture and caption of a button with a glyph (speed buttons, bitmap buttons).
//
// A glyph bitmap holds one to four images side by side, each GlyphWidth / NumGlyphs wide: the
// picture for the button up, disabled, down and down-and-held (exclusive). A state the bitmap has
// no image for borrows one: exclusive uses down, down uses up, and disabled is made from the up
// image as an embossed outline (dark parts in the highlight colour, offset by one pixel, under the
// same parts in the shadow colour). The bitmap's transparent colour (its bottom-left pixel unless
// set) is left out when drawing.
#pragma once

#include <array>
#include <memory>

#include "framework/graphics/Graphics.h"

namespace Tovix {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  // The whole glyph bitmap, owned here. Changes to it (drawing, loading) reach OnChange.
  TBitmap* GetGlyph() const { return original_.get(); }
  // Copies the bitmap; when its width is a multiple of its height (up to four), NumGlyphs
  // becomes that multiple.
  void SetGlyph(TBitmap* value);
  // 1 to 4; other values are taken as 1.
  int GetNumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  // The size of one image, (0, 0) without a glyph.
  SIZE GetImageSize() const;

  // Raised when the glyph or the number of images changes.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

  // Where the glyph and the caption go inside client: the layout puts the glyph on one side of
  // the caption; Margin is the distance from that edge (-1 centres both), Spacing the gap between
  // glyph and caption (-1 spreads them evenly). Offset moves both (a pressed button's one pixel).
  struct TLayoutResult {
    TPoint glyphPos;
    TRect textBounds;
  };
  TLayoutResult CalcLayout(TCanvas& canvas, const TRect& client, TPoint offset, const String& caption,
                           TButtonLayout layout, int margin, int spacing) const;

  // Draws the glyph and the caption of state into client of canvas (whose font is set). A
  // disabled caption is drawn embossed. Returns the caption's rectangle.
  TRect Draw(TCanvas& canvas, const TRect& client, TPoint offset, const String& caption, TButtonLayout layout,
             int margin, int spacing, TButtonState state);

  // The image drawn for a state (made on first use, kept until the glyph changes); null
  // without a glyph.
  TBitmap* StateImage(TButtonState state);

 private:
  void GlyphChanged(TObject* sender);
  void ClearImages();
  uint32_t TransparentRgb() const;
  std::unique_ptr<TBitmap> CropImage(int index) const;
  std::unique_ptr<TBitmap> MakeDisabledImage();
  void DrawCaption(TCanvas& canvas, const String& caption, TRect bounds, TButtonState state) const;

  std::unique_ptr<TBitmap> original_;
  int numGlyphs_ = 1;
  std::array<std::unique_ptr<TBitmap>, 4> images_;
  TNotifyEvent onChange_;
};

template <>
struct TEnumTraits<TButtonLayout> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TButtonState> {
  static const TEnumInfo& Info();
};

}  // namespace Tovix
