// Orvgraphics: a bitmap that makes icon masks and icons of itself.
//
// An icon is built from two bitmaps: the AND mask (white where the icon is see-through, black
// where it is opaque) and the XOR image (the colours, black where see-through). TOrvBitmap makes
// both from its picture and its transparent colour, and from them an icon.
#pragma once

#include <memory>

#include "framework/Graphics.h"

namespace Tovix {

class TOrvBitmap : public TBitmap {
  TOVIX_DECLARE_CLASS(TOrvBitmap)

 public:
  // Turns this bitmap into its AND mask: pixels of the transparent colour become white, all others
  // black, and the pixel format becomes pf1bit.
  void AndMaskSelf();
  // Turns this bitmap into its XOR image: pixels of the transparent colour become black.
  void XorMaskSelf();
  // Copies source (picture and transparent colour) into this bitmap, then makes the mask of it.
  void AndMask(TBitmap* source);
  void XorMask(TBitmap* source);
  // A new bitmap holding source's AND mask or XOR image; source is not changed.
  static std::unique_ptr<TOrvBitmap> NewAndMask(TBitmap* source);
  static std::unique_ptr<TOrvBitmap> NewXorMask(TBitmap* source);

  // Sets every pixel whose colour (0x00BBGGRR, as the canvas reads it) equals oldColor exactly to
  // newColor (system colours resolved; palette formats take the nearest colour of their table,
  // as the canvas would). An oldColor with any top-byte flag never equals a pixel.
  void ReplaceColor(TColor oldColor, TColor newColor);
  // Fills the whole bitmap with the canvas's current brush.
  void FillAll();

  // Gives icon a new system icon made of this bitmap with its transparent colour see-through.
  // Raises Exception "TOrvBitmap.MakeIcon received nil icon parameter" for a null icon and
  // "TOrvBitmap.MakeIcon failed to create icon" when the system makes none.
  void MakeIcon(TIcon* icon);
  // The same with every pixel opaque. Raises Exception "TOrvBitmap.MakeNonTransparentIcon received
  // nil icon parameter" or "TOrvBitmap failed to turn bitmap into icon".
  void MakeNonTransparentIcon(TIcon* icon);

 private:
  // Hands the icon its new handle and lets go of the cached mask of the transparent colour.
  void GiveIcon(TIcon* icon, HICON handle);
};

}  // namespace Tovix
