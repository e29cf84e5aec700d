// Run-length compressed bitmaps in form files give the pixels of their uncompressed versions.
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/TypInfoBuilder.h"
#include "tests/support/GraphicsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class TRleGlyphHolder : public TComponent {
  TOVIX_DECLARE_CLASS(TRleGlyphHolder)

 public:
  explicit TRleGlyphHolder(TComponent* owner) : TComponent(owner) {}
  TBitmap* GetGlyph() const { return &glyph_; }
  void SetGlyph(TBitmap* glyph) { glyph_.Assign(glyph); }

 private:
  mutable TBitmap glyph_;
};

TOVIX_IMPLEMENT_CLASS(TRleGlyphHolder, TComponent) { c.Property("Glyph", &TRleGlyphHolder::GetGlyph, &TRleGlyphHolder::SetGlyph); }

void PutLe(TBytes& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A BMP file of four colours (black, red, green, blue) with the given pixel data.
TBytes BmpFile(int width, int height, int bitCount, uint32_t compression, const TBytes& pixels, bool sizeInHeader = true) {
  TBytes b = {'B', 'M'};
  PutLe(b, static_cast<uint32_t>(14 + 40 + 16 + pixels.size()), 4);
  PutLe(b, 0, 4);
  PutLe(b, 14 + 40 + 16, 4);
  for (uint32_t v : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)}) PutLe(b, v, 4);
  PutLe(b, 1, 2);
  PutLe(b, static_cast<uint32_t>(bitCount), 2);
  PutLe(b, compression, 4);
  PutLe(b, sizeInHeader ? static_cast<uint32_t>(pixels.size()) : 0, 4);
  for (uint32_t v : {0u, 0u, 4u, 0u}) PutLe(b, v, 4);
  for (uint32_t rgbQuad : {0x000000u, 0xFF0000u /* red */, 0x00FF00u, 0x0000FFu /* blue */}) PutLe(b, rgbQuad, 4);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// The bitmap a form file gives for that BMP file as the glyph's data.
std::unique_ptr<TRleGlyphHolder> LoadGlyph(const TBytes& file) {
  String hex;
  for (uint8_t byte : file) {
    hex += "0123456789ABCDEF"[byte >> 4];
    hex += "0123456789ABCDEF"[byte & 15];
  }
  auto holder = std::make_unique<TRleGlyphHolder>(nullptr);
  ReadComponentFromText("object H: TRleGlyphHolder\r\n  Glyph.Data = {" + hex + "}\r\nend\r\n", holder.get());
  return holder;
}

}  // namespace

TEST(RleBitmap, Rle8AndRle4DecodeToTheSamePixelsAsUncompressedData) {
  // 7 x 3, rows bottom-up: "2 1" then an early end of line; a delta over two pixels, then a run
  // that overruns the right edge; a run of three, three literal pixels (padded), end of picture.
  TBytes plain8 = {2, 1, 0, 0, 0, 0, 0, 0, /**/ 0, 0, 3, 3, 3, 3, 3, 0, /**/ 1, 1, 1, 2, 3, 2, 0, 0};
  TBytes rle8 = {1, 2, 1, 1, 0, 0, /**/ 0, 2, 2, 0, 6, 3, 0, 0, /**/ 3, 1, 0, 3, 2, 3, 2, 0, 0, 1};
  auto expected8 = LoadGlyph(BmpFile(7, 3, 8, BI_RGB, plain8));
  auto decoded8 = LoadGlyph(BmpFile(7, 3, 8, BI_RLE8, rle8));
  EXPECT_EQ(pf8bit, decoded8->GetGlyph()->GetPixelFormat());
  std::vector<uint32_t> pixels8 = CanvasPixels(*decoded8->GetGlyph());
  EXPECT_EQ(CanvasPixels(*expected8->GetGlyph()), pixels8);
  EXPECT_EQ((std::vector<uint32_t>{0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00, 0}),
            std::vector<uint32_t>(pixels8.begin(), pixels8.begin() + 7))
      << "top row: red run, green/blue/green literals, an untouched black pixel";

  // 5 x 2: five literal nibbles (three bytes, padded to four), then a run of alternating nibbles.
  TBytes plain4 = {0x30, 0x01, 0x20, 0, /**/ 0x12, 0x12, 0x10, 0};
  TBytes rle4 = {0, 5, 0x30, 0x01, 0x20, 0, 0, 0, /**/ 5, 0x12, 0, 1};
  auto expected4 = LoadGlyph(BmpFile(5, 2, 4, BI_RGB, plain4));
  auto decoded4 = LoadGlyph(BmpFile(5, 2, 4, BI_RLE4, rle4, false));
  EXPECT_EQ(pf4bit, decoded4->GetGlyph()->GetPixelFormat());
  EXPECT_EQ(CanvasPixels(*expected4->GetGlyph()), CanvasPixels(*decoded4->GetGlyph()));
  EXPECT_EQ(0x0000FFu, CanvasPixels(*decoded4->GetGlyph())[2]);

  // Written back, the picture is stored uncompressed and reads to the same pixels again.
  TRleGlyphHolder again(nullptr);
  ReadComponentFromText(WriteComponentToText(decoded8.get()), &again);
  EXPECT_EQ(pixels8, CanvasPixels(*again.GetGlyph()));

  // Literal pixels cut off by the end of the data, or a run that claims more bytes than the file has.
  EXPECT_THROW(LoadGlyph(BmpFile(7, 3, 8, BI_RLE8, TBytes{0, 5, 1, 2})), EReadError);
  TBytes lying = BmpFile(7, 3, 8, BI_RLE8, rle8);
  lying[14 + 20] = 200;
  EXPECT_THROW(LoadGlyph(lying), EReadError);
}
