// Device-independent bitmaps in memory: a bottom-up DIB section of 1, 4, 8, 24 or 32 bits per
// pixel with its colour table, direct access to its rows, and conversion between the formats.
//
// Colours here are plain RGB values 0x00BBGGRR, as the system's GetPixel gives them.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "framework/graphics/Exceptions.h"
#include "framework/system/WinApi.h"

namespace Tovix {

class TDibSection {
 public:
  TDibSection() = default;
  // A new section with its bits zero. colors is the colour table of the 1, 4 and 8 bit formats
  // (padded with black to its full length) and is ignored for 24 and 32 bits. Raises
  // EInvalidGraphicOperation for a size or format it cannot have, EOutOfResources when the
  // system refuses.
  TDibSection(int width, int height, int bitCount, std::vector<RGBQUAD> colors = {});
  ~TDibSection() { Reset(); }
  TDibSection(TDibSection&& other) noexcept { *this = std::move(other); }
  TDibSection& operator=(TDibSection&& other) noexcept;
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;

  // A section copied from any bitmap handle: a monochrome bitmap or a 4 or 8 bit DIB section
  // keeps its format and colours, a 24-bit DIB section its format, everything else becomes 32 bits.
  static TDibSection CopyOf(HBITMAP source);

  bool Empty() const { return handle_ == nullptr; }
  HBITMAP Handle() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }
  // Bytes per row, a multiple of 4.
  int Stride() const { return StrideOf(width_, bitCount_); }
  size_t ImageSize() const { return static_cast<size_t>(Stride()) * static_cast<size_t>(height_); }
  const std::vector<RGBQUAD>& Colors() const { return colors_; }
  // The bits of a row, row 0 at the top. GDI may still be drawing: call Flush before reading.
  uint8_t* ScanLine(int row) const;
  const uint8_t* Bits() const { return bits_; }
  uint8_t* Bits() { return bits_; }
  static void Flush() { GdiFlush(); }

  // The colours of a row, width values.
  void ReadRow(int row, uint32_t* out) const;
  // The colour of one pixel (row 0 at the top).
  uint32_t PixelAt(int x, int row) const;
  // A 1-bit section, black and white: white where this picture has colour rgb, black elsewhere.
  TDibSection MaskOf(uint32_t rgb) const;
  // An exact copy: format, colours and picture.
  TDibSection Clone() const;
  // The same picture in another format; palette formats take the nearest colour of colors.
  TDibSection Converted(int bitCount, std::vector<RGBQUAD> colors) const;
  // Gives up the section; the caller deletes it.
  HBITMAP Release();

  static int StrideOf(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }
  // The header of an uncompressed bitmap of that size and format (a negative height: top-down).
  static BITMAPINFOHEADER HeaderOf(int width, int height, int bitCount);

 private:
  void Reset();

  HBITMAP handle_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  std::vector<RGBQUAD> colors_;
};

// Picks, for a colour, the colour table entry the system's SetPixel would: the nearest by the
// sum of squared differences, the first of equals. Remembers its answers.
class TNearestColor {
 public:
  explicit TNearestColor(const std::vector<RGBQUAD>& colors) : colors_(colors) {}
  uint8_t IndexOf(uint32_t rgb);

 private:
  const std::vector<RGBQUAD>& colors_;
  std::unordered_map<uint32_t, uint8_t> cache_;
};

// Writes colours into a row of a section of any format.
void WriteDibRow(TDibSection& dib, int row, const uint32_t* colors, TNearestColor& nearest);

inline uint32_t RgbOf(const RGBQUAD& q) { return q.rgbRed | (q.rgbGreen << 8) | (q.rgbBlue << 16); }
inline RGBQUAD QuadOf(uint32_t rgb) {
  return RGBQUAD{static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb), 0};
}

// The colour tables of new bitmaps: black and white (1 bit); the 16 VGA colours (4 bits); the 16
// VGA colours, a 6 x 6 x 6 colour cube and 24 greys (8 bits). Empty for 24 and 32 bits.
std::vector<RGBQUAD> StandardColors(int bitCount);

}  // namespace Tovix
