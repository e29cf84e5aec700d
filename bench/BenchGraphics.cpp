// Times the pixel loops of the graphics units against doing the same work one pixel at a time
// through the canvas (a GDI GetPixel and SetPixel per pixel), which is what they replace.
#include <cstdio>

#include "bench/BenchTimer.h"
#include "utils/Orvgraphics.h"

using namespace Tovix;
using Tovix::Bench::Compare;
using Tovix::Bench::Comparison;
using Tovix::Bench::Report;

namespace {

// A picture with a quarter of its pixels magenta, the rest in a few other colours.
void Paint(TBitmap& bitmap, int side, TPixelFormat format) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(side, side);
  const TColor colors[] = {clFuchsia, clRed, clLime, clNavy};
  for (int y = 0; y < side; ++y) {
    auto* line = static_cast<uint8_t*>(bitmap.GetScanLine(y));
    for (int x = 0; x < side; ++x) {
      uint32_t c = static_cast<uint32_t>(colors[(x / 4 + y / 4) % 4]);
      line[3 * x] = static_cast<uint8_t>(c >> 16);
      line[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      line[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
  bitmap.SetModified(true);
  bitmap.SetPixelFormat(format);
}

void ReplaceThroughTheCanvas(TBitmap& bitmap, TColor oldColor, TColor newColor) {
  TCanvas* canvas = bitmap.GetCanvas();
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x)
      if (canvas->GetPixels(x, y) == oldColor) canvas->SetPixels(x, y, newColor);
}

void MaskThroughTheCanvas(TBitmap& bitmap, TColor color) {
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(bitmap.GetWidth(), bitmap.GetHeight());
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x)
      mask.GetCanvas()->SetPixels(x, y, bitmap.GetCanvas()->GetPixels(x, y) == color ? clWhite : clBlack);
}

}  // namespace

int main() {
  std::printf("Pixel loops against a canvas GetPixel/SetPixel per pixel (ratio = routine / baseline)\n");
  const int side = 256;
  const int runs = 5;
  char label[96];
  for (TPixelFormat format : {pf8bit, pf24bit, pf32bit}) {
    TOrvBitmap picture;
    Paint(picture, side, format);
    TOrvBitmap work;
    Comparison c = Compare(
        runs,
        [&] {
          work.Assign(&picture);
          work.ReplaceColor(clFuchsia, clBlack);
        },
        [&] {
          work.Assign(&picture);
          ReplaceThroughTheCanvas(work, clFuchsia, clBlack);
        });
    std::snprintf(label, sizeof label, "ReplaceColor %dx%d %s", side, side,
                  format == pf8bit ? "8 bit" : format == pf24bit ? "24 bit" : "32 bit");
    Report(label, c);
  }

  TOrvBitmap picture;
  Paint(picture, side, pf24bit);
  TOrvBitmap work;
  Comparison c = Compare(runs, [&] { work.AndMask(&picture); }, [&] { MaskThroughTheCanvas(picture, clFuchsia); });
  std::snprintf(label, sizeof label, "AndMask %dx%d 24 bit", side, side);
  Report(label, c);
  return 0;
}
