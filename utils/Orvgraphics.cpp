#include "utils/Orvgraphics.h"

#include "framework/TypInfoBuilder.h"
#include "utils/OrvgraphicsRes.h"

namespace Tovix {

namespace {

// ReplaceColor for 24 and 32 bits per pixel: the colour is in the pixel itself.
bool ReplaceDirect(TBitmap& bitmap, int bytesPerPixel, uint32_t oldColor, uint32_t newColor) {
  bool changed = false;
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    auto* p = static_cast<uint8_t*>(bitmap.GetScanLine(y));
    for (int x = 0; x < bitmap.GetWidth(); ++x, p += bytesPerPixel) {
      if ((p[2] | (p[1] << 8) | (p[0] << 16)) != static_cast<int>(oldColor)) continue;
      p[0] = static_cast<uint8_t>(newColor >> 16);
      p[1] = static_cast<uint8_t>(newColor >> 8);
      p[2] = static_cast<uint8_t>(newColor);
      if (bytesPerPixel == 4) p[3] = 0;
      changed = true;
    }
  }
  return changed;
}

// ReplaceColor for the palette formats: a pixel's colour is its colour table entry, and the new
// colour becomes the table entry nearest to it.
bool ReplaceIndexed(TBitmap& bitmap, int bits, uint32_t oldColor, uint32_t newColor) {
  std::vector<uint32_t> table = bitmap.GetColorTable();
  std::vector<bool> matches(256, false);
  std::vector<RGBQUAD> quads;
  bool any = false;
  for (size_t i = 0; i < table.size(); ++i) {
    matches[i] = table[i] == oldColor;
    any = any || matches[i];
    quads.push_back(QuadOf(table[i]));
  }
  if (!any) return false;
  TNearestColor nearest(quads);
  uint8_t newIndex = nearest.IndexOf(newColor);
  bool changed = false;
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    auto* line = static_cast<uint8_t*>(bitmap.GetScanLine(y));
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      if (bits == 8) {
        if (!matches[line[x]]) continue;
        line[x] = newIndex;
      } else if (bits == 4) {
        int shift = (x & 1) ? 0 : 4;
        uint8_t& byte = line[x >> 1];
        if (!matches[(byte >> shift) & 0x0F]) continue;
        byte = static_cast<uint8_t>((byte & ~(0x0F << shift)) | (newIndex << shift));
      } else {
        int shift = 7 - (x & 7);
        uint8_t& byte = line[x >> 3];
        if (!matches[(byte >> shift) & 1]) continue;
        byte = static_cast<uint8_t>((byte & ~(1 << shift)) | ((newIndex & 1) << shift));
      }
      changed = true;
    }
  }
  return changed;
}

}  // namespace

TOVIX_IMPLEMENT_CLASS(TOrvBitmap, TBitmap) {}

void TOrvBitmap::AndMaskSelf() {
  Mask(GetTransparentColor());
  SetPixelFormat(pf1bit);
}

void TOrvBitmap::XorMaskSelf() {
  // The AND mask resolves a system colour through the system settings; the XOR image blackens
  // the same pixels, so that the two always agree.
  TColor transparent = GetTransparentColor();
  uint32_t rgb = transparent < 0 ? ColorToRGB(transparent) : static_cast<uint32_t>(transparent);
  ReplaceColor(static_cast<TColor>(rgb & 0xFFFFFF), clBlack);
}

void TOrvBitmap::AndMask(TBitmap* source) {
  Assign(source);
  AndMaskSelf();
}

void TOrvBitmap::XorMask(TBitmap* source) {
  Assign(source);
  XorMaskSelf();
}

std::unique_ptr<TOrvBitmap> TOrvBitmap::NewAndMask(TBitmap* source) {
  auto mask = std::make_unique<TOrvBitmap>();
  mask->AndMask(source);
  return mask;
}

std::unique_ptr<TOrvBitmap> TOrvBitmap::NewXorMask(TBitmap* source) {
  auto image = std::make_unique<TOrvBitmap>();
  image->XorMask(source);
  return image;
}

void TOrvBitmap::ReplaceColor(TColor oldColor, TColor newColor) {
  uint32_t oldValue = static_cast<uint32_t>(oldColor);
  if (Empty() || oldValue > 0xFFFFFF) return;
  uint32_t newValue = ColorToRGB(newColor) & 0xFFFFFF;
  int bits = BitsPerPixel(GetPixelFormat());
  bool changed = bits <= 8 ? ReplaceIndexed(*this, bits, oldValue, newValue)
                           : ReplaceDirect(*this, bits / 8, oldValue, newValue);
  if (changed) Changed();
}

void TOrvBitmap::FillAll() { GetCanvas()->FillRect(Rect(0, 0, GetWidth(), GetHeight())); }

void TOrvBitmap::GiveIcon(TIcon* icon, HICON handle) {
  icon->SetHandle(handle);
  if (HBITMAP cachedMask = ReleaseMaskHandle()) DeleteObject(cachedMask);
}

void TOrvBitmap::MakeIcon(TIcon* icon) {
  if (!icon)
    throw Exception(LoadStr(SOrvBitmapMakeIconNilIcon, "TOrvBitmap.MakeIcon received nil icon parameter"));
  std::unique_ptr<TOrvBitmap> mask = NewAndMask(this);
  std::unique_ptr<TOrvBitmap> image = NewXorMask(this);
  ICONINFO info{TRUE, 0, 0, mask->GetHandle(), image->GetHandle()};
  HICON handle = CreateIconIndirect(&info);
  if (!handle) throw Exception(LoadStr(SOrvBitmapMakeIconFailed, "TOrvBitmap.MakeIcon failed to create icon"));
  GiveIcon(icon, handle);
}

void TOrvBitmap::MakeNonTransparentIcon(TIcon* icon) {
  if (!icon)
    throw Exception(LoadStr(SOrvBitmapMakeNonTransparentIconNilIcon,
                                   "TOrvBitmap.MakeNonTransparentIcon received nil icon parameter"));
  std::unique_ptr<TOrvBitmap> mask = NewAndMask(this);
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->FillAll();
  ICONINFO info{TRUE, 0, 0, mask->GetHandle(), GetHandle()};
  HICON handle = CreateIconIndirect(&info);
  if (!handle) throw Exception("TOrvBitmap failed to turn bitmap into icon");
  GiveIcon(icon, handle);
}

}  // namespace Tovix
