#include "framework/graphics/IconFile.h"

#include <cstring>
#include <vector>

#include "framework/graphics/Dib.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

const uint32_t kMaxIconFileBytes = 64u * 1024u * 1024u;

[[noreturn]] void Invalid(const char* why) { throw EInvalidGraphic(Format("Icon image is not valid: %s", why)); }

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
void Put16(TBytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(TBytes& out, uint32_t v) {
  Put16(out, v);
  Put16(out, v >> 16);
}


// Checks that one image of an icon file holds everything its header promises, so that the system
// never reads past it.
void CheckImage(const uint8_t* data, uint32_t size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 8 && memcmp(data, kPng, 8) == 0) return;  // the system's PNG reader keeps to size
  if (size < 40) Invalid("the image header is cut off");
  uint32_t headerSize = Le32(data);
  int32_t width = static_cast<int32_t>(Le32(data + 4));
  int32_t doubleHeight = static_cast<int32_t>(Le32(data + 8));
  uint32_t bitCount = Le16(data + 14);
  uint32_t compression = Le32(data + 16);
  uint32_t colorsUsed = Le32(data + 32);
  if (headerSize < 40 || headerSize > size) Invalid("unknown image header");
  if (width <= 0 || width > 1024 || doubleHeight <= 0 || doubleHeight > 2048 || doubleHeight % 2)
    Invalid("invalid image size");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    Invalid("unknown number of bits per pixel");
  if (compression != BI_RGB) Invalid("compressed images are not supported");
  if (colorsUsed > 256) Invalid("the colour table is too long");
  uint64_t colors = bitCount <= 8 ? (colorsUsed ? colorsUsed : (1u << bitCount)) : colorsUsed;
  int height = doubleHeight / 2;
  uint64_t needed = headerSize + colors * 4 + static_cast<uint64_t>(TDibSection::StrideOf(width, bitCount)) * height +
                    static_cast<uint64_t>(TDibSection::StrideOf(width, 1)) * height;
  if (needed > size) Invalid("the image data ends early");
}

// The pixels of a bitmap as a bottom-up DIB of bitCount bits (with its colour table for 1 bit).
std::vector<uint8_t> BitsOf(HDC dc, HBITMAP bitmap, int width, int height, int bitCount, RGBQUAD* colors) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header = TDibSection::HeaderOf(width, height, bitCount);
  std::vector<uint8_t> bits(static_cast<size_t>(TDibSection::StrideOf(width, bitCount)) * static_cast<size_t>(height));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS) != height)
    throw EInvalidGraphic("Cannot read the icon's pixels");
  if (colors) memcpy(colors, info.colors, sizeof(info.colors));
  return bits;
}

// The colour and mask bitmaps of an icon, deleted on every path.
struct TIconBitmaps {
  ICONINFO info{};
  explicit TIconBitmaps(HICON icon) {
    if (!icon || !GetIconInfo(icon, &info)) throw EInvalidGraphic("Invalid icon handle");
  }
  ~TIconBitmaps() {
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  TIconBitmaps(const TIconBitmaps&) = delete;
  TIconBitmaps& operator=(const TIconBitmaps&) = delete;
};

}  // namespace

TIconFile ReadIconFile(TStream& stream) {
  int64_t available = stream.GetSize() - stream.GetPosition();
  if (available < 6) Invalid("the data ends early");
  TBytes bytes(6);
  stream.ReadBuffer(bytes.data(), 6);
  uint32_t count = Le16(bytes.data() + 4);
  if (Le16(bytes.data()) != 0 || Le16(bytes.data() + 2) != 1) Invalid("no icon signature");
  if (count == 0) Invalid("the file holds no image");
  uint32_t directoryEnd = 6 + 16 * count;
  if (directoryEnd > available) Invalid("the data ends early");
  bytes.resize(directoryEnd);
  stream.ReadBuffer(bytes.data() + 6, static_cast<int>(directoryEnd - 6));

  uint64_t end = directoryEnd;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + 6 + 16 * i;
    uint64_t size = Le32(entry + 8), offset = Le32(entry + 12);
    if (size == 0 || offset < directoryEnd) Invalid("an image lies outside the file");
    if (offset + size > end) end = offset + size;
  }
  if (end > kMaxIconFileBytes || end > static_cast<uint64_t>(available)) Invalid("the data ends early");
  bytes.resize(static_cast<size_t>(end));
  stream.ReadBuffer(bytes.data() + directoryEnd, static_cast<int>(end - directoryEnd));

  const uint8_t* first = bytes.data() + 6;
  uint32_t size = Le32(first + 8), offset = Le32(first + 12);
  uint8_t* image = bytes.data() + offset;
  CheckImage(image, size);
  HICON icon = CreateIconFromResourceEx(image, size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
  if (!icon) Invalid("the system cannot make an icon of it");
  return TIconFile{icon, std::move(bytes)};
}

void WriteIconFile(TStream& stream, HICON icon) {
  TIconBitmaps bitmaps(icon);
  BITMAP mask{};
  if (!GetObjectA(bitmaps.info.hbmMask, sizeof(mask), &mask)) throw EInvalidGraphic("Invalid icon handle");
  bool monochrome = bitmaps.info.hbmColor == nullptr;
  int width = mask.bmWidth;
  int height = monochrome ? mask.bmHeight / 2 : mask.bmHeight;

  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfResources("Out of system resources: cannot create a device context");
  std::vector<uint8_t> image, andMask;
  RGBQUAD colors[2] = {};
  int bitCount = 1;
  {
    TScopeExit deleteDC([&] { DeleteDC(dc); });
    if (monochrome) {
      // A monochrome icon's mask is twice as high: the AND mask on top, the image below. Read
      // bottom-up, that is the image rows first and the mask rows after them.
      std::vector<uint8_t> both = BitsOf(dc, bitmaps.info.hbmMask, width, 2 * height, 1, colors);
      size_t half = both.size() / 2;
      image.assign(both.begin(), both.begin() + static_cast<std::ptrdiff_t>(half));
      andMask.assign(both.begin() + static_cast<std::ptrdiff_t>(half), both.end());
    } else {
      std::vector<uint8_t> argb = BitsOf(dc, bitmaps.info.hbmColor, width, height, 32, nullptr);
      bool alpha = false;
      for (size_t i = 3; i < argb.size() && !alpha; i += 4) alpha = argb[i] != 0;
      bitCount = alpha ? 32 : 24;
      if (alpha) {
        image = std::move(argb);
      } else {
        int stride = TDibSection::StrideOf(width, 24);
        image.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
        for (int y = 0; y < height; ++y)
          for (int x = 0; x < width; ++x)
            memcpy(&image[static_cast<size_t>(y) * stride + 3 * x], &argb[(static_cast<size_t>(y) * width + x) * 4], 3);
      }
      andMask = BitsOf(dc, bitmaps.info.hbmMask, width, height, 1, nullptr);
    }
  }

  uint32_t tableBytes = bitCount == 1 ? 8 : 0;
  uint32_t imageBytes = 40 + tableBytes + static_cast<uint32_t>(image.size() + andMask.size());
  TBytes out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width));
  out.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
  out.push_back(static_cast<uint8_t>(bitCount == 1 ? 2 : 0));
  out.push_back(0);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bitCount));
  Put32(out, imageBytes);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(2 * height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bitCount));
  Put32(out, BI_RGB);
  Put32(out, static_cast<uint32_t>(image.size() + andMask.size()));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  if (bitCount == 1)
    for (const RGBQUAD& c : colors) Put32(out, RGB(c.rgbBlue, c.rgbGreen, c.rgbRed));
  out.insert(out.end(), image.begin(), image.end());
  out.insert(out.end(), andMask.begin(), andMask.end());
  stream.WriteBuffer(out.data(), static_cast<int>(out.size()));
}

}  // namespace Tovix
