// Helpers of the graphics tests: counting the process's GDI objects and reading pictures back
// from the system.
#pragma once

#include <vector>

#include "framework/Graphics.h"
#include "tests/support/ResourceCounts.h"

namespace Tovix::Testing {

// The pixels of an icon as the system holds them: colour (0x00BBGGRR) and mask (true where the
// icon is see-through), row 0 at the top.
struct TIconPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> color;
  std::vector<bool> transparent;
  uint32_t Color(int x, int y) const { return color[static_cast<size_t>(y) * width + x]; }
  bool Transparent(int x, int y) const { return transparent[static_cast<size_t>(y) * width + x]; }
};
TIconPixels ReadIconPixels(HICON icon);

// The colours of a bitmap handle's pixels read with GetDIBits, row 0 at the top.
std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height);

// The colours of a bitmap as its canvas reads them (GetPixel), row by row from the top.
std::vector<uint32_t> CanvasPixels(TBitmap& bitmap);

// A 24-bit bitmap filled with colors, row by row from the top.
void FillBitmap(TBitmap& bitmap, int width, int height, const std::vector<uint32_t>& colors);

// Whether a GDI object handle still names an object.
inline bool GdiObjectAlive(HGDIOBJ object) { return GetObjectType(object) != 0; }
// Whether an icon handle still names an icon.
bool IconAlive(HICON icon);

}  // namespace Tovix::Testing
