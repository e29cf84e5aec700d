#include "tests/support/GraphicsSupport.h"

namespace Tovix::Testing {

std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bgra(static_cast<size_t>(width) * height);
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bgra.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  // BGRA in memory is 0xAARRGGBB as a number; swap to 0x00BBGGRR.
  for (uint32_t& p : bgra) p = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  return bgra;
}

TIconPixels ReadIconPixels(HICON icon) {
  TIconPixels pixels;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return pixels;
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof(mask), &mask);
  pixels.width = mask.bmWidth;
  pixels.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  std::vector<uint32_t> maskPixels = ReadBitmapPixels(info.hbmMask, mask.bmWidth, mask.bmHeight);
  if (info.hbmColor) {
    pixels.color = ReadBitmapPixels(info.hbmColor, pixels.width, pixels.height);
  } else {
    pixels.color.assign(maskPixels.begin() + pixels.width * pixels.height, maskPixels.end());
  }
  for (int i = 0; i < pixels.width * pixels.height; ++i) pixels.transparent.push_back(maskPixels[i] != 0);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

std::vector<uint32_t> CanvasPixels(TBitmap& bitmap) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) pixels.push_back(static_cast<uint32_t>(bitmap.GetCanvas()->GetPixels(x, y)));
  return pixels;
}

void FillBitmap(TBitmap& bitmap, int width, int height, const std::vector<uint32_t>& colors) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.GetCanvas()->SetPixels(x, y, static_cast<TColor>(colors[static_cast<size_t>(y) * width + x]));
}

bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return true;
}

}  // namespace Tovix::Testing
