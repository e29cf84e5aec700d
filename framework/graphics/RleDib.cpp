#include "framework/graphics/RleDib.h"

#include <algorithm>

#include "framework/graphics/Dib.h"

namespace Tovix {

namespace {

// Writes pixels into the expanded rows, clipping at the edges of the picture.
class TRleCanvas {
 public:
  TRleCanvas(int width, int height, int bitCount)
      : width_(width), height_(height), bitCount_(bitCount), stride_(static_cast<size_t>(TDibSection::StrideOf(width, bitCount))),
        rows_(stride_ * static_cast<size_t>(height)) {}

  void Put(uint8_t index) {
    if (x_ >= 0 && x_ < width_ && y_ >= 0 && y_ < height_) {
      uint8_t* row = rows_.data() + static_cast<size_t>(y_) * stride_;
      if (bitCount_ == 8) {
        row[x_] = index;
      } else {
        uint8_t& pair = row[x_ / 2];
        pair = (x_ % 2) ? static_cast<uint8_t>((pair & 0xF0) | (index & 0x0F)) : static_cast<uint8_t>((pair & 0x0F) | (index << 4));
      }
    }
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }
  bool Finished() const { return y_ >= height_; }
  std::vector<uint8_t> Take() { return std::move(rows_); }

 private:
  int width_, height_, bitCount_;
  size_t stride_;
  std::vector<uint8_t> rows_;
  int x_ = 0, y_ = 0;
};

[[noreturn]] void Truncated() { throw EInvalidGraphic("Bitmap image is not valid: the compressed data ends early"); }

// The colour index of pixel i of a run or literal: 8-bit data has one per byte, 4-bit data two,
// high nibble first.
uint8_t PixelOf(const uint8_t* bytes, int i, int bitCount) {
  if (bitCount == 8) return bytes[i];
  uint8_t pair = bytes[i / 2];
  return (i % 2) ? (pair & 0x0F) : static_cast<uint8_t>(pair >> 4);
}

}  // namespace

std::vector<uint8_t> ExpandRleDib(const uint8_t* data, size_t size, int width, int height, int bitCount) {
  TRleCanvas canvas(width, height, bitCount);
  size_t pos = 0;
  auto need = [&](size_t count) {
    if (size - pos < count) Truncated();
  };
  // A picture whose data stops without its end marker keeps what it has.
  while (pos + 2 <= size && !canvas.Finished()) {
    uint8_t count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      // Encoded mode: count pixels of one byte (two alternating nibbles in 4-bit data).
      for (int i = 0; i < count; ++i) canvas.Put(bitCount == 8 ? value : PixelOf(&value, i % 2, bitCount));
      continue;
    }
    switch (value) {
      case 0: canvas.NextLine(); break;
      case 1: return canvas.Take();
      case 2:
        need(2);
        canvas.Move(data[pos], data[pos + 1]);
        pos += 2;
        break;
      default: {
        // Absolute mode: value pixels given one by one, padded to a whole 16-bit word.
        size_t bytes = bitCount == 8 ? value : (value + 1u) / 2;
        need(bytes);
        for (int i = 0; i < value; ++i) canvas.Put(PixelOf(data + pos, i, bitCount));
        pos = std::min(size, pos + ((bytes + 1) & ~size_t{1}));
        break;
      }
    }
  }
  return canvas.Take();
}

}  // namespace Tovix
