#include "tests/support/ControlPictures.h"

namespace Tovix::Testing {

TBitmap* MakeSquareGlyph(int images) {
  static const TColor squares[] = {clRed, clBlue, clGreen, clYellow};
  auto* glyph = new TBitmap();
  glyph->SetSize(16 * images, 16);
  TCanvas* canvas = glyph->GetCanvas();
  canvas->GetBrush()->SetColor(clOlive);
  canvas->FillRect(Rect(0, 0, 16 * images, 16));
  for (int i = 0; i < images; ++i) {
    canvas->GetBrush()->SetColor(squares[i % 4]);
    canvas->FillRect(Rect(16 * i + 4, 4, 16 * i + 12, 12));
  }
  return glyph;
}

TRect BoundsOfColor(const TScreenshot& picture, TColor color) {
  TRect bounds = Rect(0, 0, 0, 0);
  bool any = false;
  for (int y = 0; y < picture.GetHeight(); ++y)
    for (int x = 0; x < picture.GetWidth(); ++x) {
      if (picture.GetPixel(x, y) != color) continue;
      if (!any) bounds = Rect(x, y, x + 1, y + 1);
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
      any = true;
    }
  return bounds;
}

int CountColor(const TScreenshot& picture, TColor color) {
  int count = 0;
  for (int y = 0; y < picture.GetHeight(); ++y)
    for (int x = 0; x < picture.GetWidth(); ++x)
      if (picture.GetPixel(x, y) == color) ++count;
  return count;
}

TColor SysColor(TColor systemColor) { return static_cast<TColor>(ColorToRGB(systemColor)); }

void ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void MoveMouseTo(HWND window, int x, int y) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

}  // namespace Tovix::Testing
