#include "framework/graphics/Dib.h"

#include <cstring>
#include <utility>

namespace Tovix {

BITMAPINFOHEADER TDibSection::HeaderOf(int width, int height, int bitCount) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = BI_RGB;
  return header;
}

namespace {

// The largest picture a bitmap may hold: 32767 pixels a side and 256 MB of bits, which keeps all
// size arithmetic far from overflow, also on 32 bits.
const int kMaxSide = 32767;
const uint64_t kMaxImageBytes = 256u * 1024u * 1024u;

bool IsSupportedBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// A BITMAPINFO with room for a full colour table.
struct TDibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

TDibSection::TDibSection(int width, int height, int bitCount, std::vector<RGBQUAD> colors) {
  if (!IsSupportedBitCount(bitCount))
    throw EInvalidGraphicOperation(Format("Unsupported bitmap format: %d bits per pixel", bitCount));
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      static_cast<uint64_t>(StrideOf(width, bitCount)) * static_cast<uint64_t>(height) > kMaxImageBytes)
    throw EInvalidGraphicOperation(Format("Invalid bitmap size %d x %d", width, height));
  if (bitCount <= 8) colors.resize(size_t{1} << bitCount, RGBQUAD{0, 0, 0, 0});
  else colors.clear();

  TDibInfo info{};
  info.header = HeaderOf(width, height, bitCount);
  info.header.biClrUsed = static_cast<DWORD>(colors.size());
  if (!colors.empty()) memcpy(info.colors, colors.data(), colors.size() * sizeof(RGBQUAD));
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle || !bits) {
    if (handle) DeleteObject(handle);
    throw EOutOfResources(Format("Out of system resources: cannot create a %d x %d bitmap", width, height));
  }
  handle_ = handle;
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  colors_ = std::move(colors);
}

TDibSection& TDibSection::operator=(TDibSection&& other) noexcept {
  if (this == &other) return *this;
  Reset();
  handle_ = std::exchange(other.handle_, nullptr);
  bits_ = std::exchange(other.bits_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  bitCount_ = std::exchange(other.bitCount_, 0);
  colors_ = std::move(other.colors_);
  other.colors_.clear();
  return *this;
}

void TDibSection::Reset() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = bitCount_ = 0;
  colors_.clear();
}

HBITMAP TDibSection::Release() {
  HBITMAP handle = std::exchange(handle_, nullptr);
  Reset();
  return handle;
}

TDibSection TDibSection::CopyOf(HBITMAP source) {
  BITMAP bm{};
  if (!source || !GetObjectA(source, sizeof(bm), &bm)) throw EInvalidGraphic("Invalid bitmap handle");
  int width = bm.bmWidth;
  int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  int sourceBits = bm.bmBitsPixel * bm.bmPlanes;
  DIBSECTION ds{};
  bool isDibSection = GetObjectA(source, sizeof(ds), &ds) == static_cast<int>(sizeof(ds));
  int bitCount = 32;
  if (sourceBits == 1) bitCount = 1;
  else if (isDibSection && (sourceBits == 4 || sourceBits == 8 || sourceBits == 24)) bitCount = sourceBits;

  TDibInfo info{};
  info.header = HeaderOf(width, height, bitCount);
  // Checks the size before anything is allocated.
  TDibSection probe(width, height, bitCount);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfResources("Out of system resources: cannot create a device context");
  // For the palette formats the system also fills in the source's colour table.
  int lines = GetDIBits(dc, source, 0, static_cast<UINT>(height), probe.bits_, reinterpret_cast<BITMAPINFO*>(&info),
                        DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines != height) throw EInvalidGraphic("Cannot read the bitmap's pixels");
  if (bitCount > 8) return probe;

  std::vector<RGBQUAD> colors(info.colors, info.colors + (size_t{1} << bitCount));
  TDibSection result(width, height, bitCount, colors);
  memcpy(result.bits_, probe.bits_, result.ImageSize());
  return result;
}

uint8_t* TDibSection::ScanLine(int row) const {
  if (!bits_ || row < 0 || row >= height_)
    throw EInvalidGraphicOperation(Format("Scan line index %d out of range", row));
  return bits_ + static_cast<size_t>(height_ - 1 - row) * static_cast<size_t>(Stride());
}

void TDibSection::ReadRow(int row, uint32_t* out) const {
  const uint8_t* line = ScanLine(row);
  switch (bitCount_) {
    case 1:
      for (int x = 0; x < width_; ++x) out[x] = RgbOf(colors_[(line[x >> 3] >> (7 - (x & 7))) & 1]);
      break;
    case 4:
      for (int x = 0; x < width_; ++x) out[x] = RgbOf(colors_[(x & 1) ? line[x >> 1] & 0x0F : line[x >> 1] >> 4]);
      break;
    case 8:
      for (int x = 0; x < width_; ++x) out[x] = RgbOf(colors_[line[x]]);
      break;
    case 24:
      for (int x = 0; x < width_; ++x, line += 3) out[x] = line[2] | (line[1] << 8) | (line[0] << 16);
      break;
    default:
      for (int x = 0; x < width_; ++x, line += 4) out[x] = line[2] | (line[1] << 8) | (line[0] << 16);
      break;
  }
}

uint32_t TDibSection::PixelAt(int x, int row) const {
  if (x < 0 || x >= width_) throw EInvalidGraphicOperation(Format("Pixel index %d out of range", x));
  const uint8_t* line = ScanLine(row);
  switch (bitCount_) {
    case 1:
      return RgbOf(colors_[(line[x >> 3] >> (7 - (x & 7))) & 1]);
    case 4:
      return RgbOf(colors_[(x & 1) ? line[x >> 1] & 0x0F : line[x >> 1] >> 4]);
    case 8:
      return RgbOf(colors_[line[x]]);
    case 24:
      line += 3 * x;
      return line[2] | (line[1] << 8) | (line[0] << 16);
    default:
      line += 4 * x;
      return line[2] | (line[1] << 8) | (line[0] << 16);
  }
}

TDibSection TDibSection::MaskOf(uint32_t rgb) const {
  if (Empty()) return TDibSection();
  Flush();
  TDibSection mask(width_, height_, 1, StandardColors(1));
  std::vector<uint32_t> row(static_cast<size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    ReadRow(y, row.data());
    uint8_t* line = mask.ScanLine(y);
    for (int x = 0; x < width_; ++x)
      if (row[x] == rgb) line[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
  }
  return mask;
}

void WriteDibRow(TDibSection& dib, int row, const uint32_t* colors, TNearestColor& nearest) {
  uint8_t* line = dib.ScanLine(row);
  int width = dib.Width();
  switch (dib.BitCount()) {
    case 1:
      memset(line, 0, static_cast<size_t>(dib.Stride()));
      for (int x = 0; x < width; ++x)
        if (nearest.IndexOf(colors[x])) line[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
      break;
    case 4:
      memset(line, 0, static_cast<size_t>(dib.Stride()));
      for (int x = 0; x < width; ++x) {
        uint8_t index = nearest.IndexOf(colors[x]);
        line[x >> 1] |= static_cast<uint8_t>((x & 1) ? index : index << 4);
      }
      break;
    case 8:
      for (int x = 0; x < width; ++x) line[x] = nearest.IndexOf(colors[x]);
      break;
    case 24:
      for (int x = 0; x < width; ++x, line += 3) {
        line[0] = static_cast<uint8_t>(colors[x] >> 16);
        line[1] = static_cast<uint8_t>(colors[x] >> 8);
        line[2] = static_cast<uint8_t>(colors[x]);
      }
      break;
    default:
      for (int x = 0; x < width; ++x, line += 4) {
        line[0] = static_cast<uint8_t>(colors[x] >> 16);
        line[1] = static_cast<uint8_t>(colors[x] >> 8);
        line[2] = static_cast<uint8_t>(colors[x]);
        line[3] = 0;
      }
      break;
  }
}

TDibSection TDibSection::Clone() const {
  if (Empty()) return TDibSection();
  Flush();
  TDibSection copy(width_, height_, bitCount_, colors_);
  memcpy(copy.bits_, bits_, ImageSize());
  return copy;
}

TDibSection TDibSection::Converted(int bitCount, std::vector<RGBQUAD> colors) const {
  if (Empty()) return TDibSection();
  Flush();
  TDibSection result(width_, height_, bitCount, std::move(colors));
  TNearestColor nearest(result.colors_);
  std::vector<uint32_t> row(static_cast<size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    ReadRow(y, row.data());
    WriteDibRow(result, y, row.data(), nearest);
  }
  return result;
}

uint8_t TNearestColor::IndexOf(uint32_t rgb) {
  if (colors_.empty()) return 0;
  auto known = cache_.find(rgb);
  if (known != cache_.end()) return known->second;
  int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  size_t best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < colors_.size() && i < 256; ++i) {
    long dr = colors_[i].rgbRed - r, dg = colors_[i].rgbGreen - g, db = colors_[i].rgbBlue - b;
    long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  uint8_t index = static_cast<uint8_t>(best);
  cache_.emplace(rgb, index);
  return index;
}

std::vector<RGBQUAD> StandardColors(int bitCount) {
  static const uint32_t kVga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  std::vector<RGBQUAD> colors;
  if (bitCount == 1) {
    colors = {QuadOf(0x000000), QuadOf(0xFFFFFF)};
  } else if (bitCount == 4 || bitCount == 8) {
    for (uint32_t c : kVga) colors.push_back(QuadOf(c));
  }
  if (bitCount == 8) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          colors.push_back(RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51), 0});
    for (int i = 1; i <= 24; ++i) {
      BYTE v = static_cast<BYTE>(i * 255 / 25);
      colors.push_back(RGBQUAD{v, v, v, 0});
    }
  }
  return colors;
}

}  // namespace Tovix
