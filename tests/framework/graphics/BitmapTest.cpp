// Bitmaps: formats, masks, transparency, copies, BMP files and streams, resources, form files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/TypInfoBuilder.h"
#include "tests/support/GraphicsSupport.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

HINSTANCE ThisModule() { return GetModuleHandleA(nullptr); }

TBytes SaveBytes(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  const auto* data = static_cast<const uint8_t*>(stream.GetMemory());
  return TBytes(data, data + stream.GetSize());
}

void LoadBytes(TBitmap& bitmap, const TBytes& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

void Put32(TBytes& b, size_t at, uint32_t v) {
  for (size_t i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

// 3 x 2, top row red, magenta, white; bottom row magenta, green, blue.
const std::vector<uint32_t> kSample = {0x0000FF, 0xFF00FF, 0xFFFFFF, 0xFF00FF, 0x00FF00, 0xFF0000};

}  // namespace

TEST(Bitmap, NewBitmapsAreEmptyThenWhiteAndKeepTheirPictureWhenResized) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(nullptr, bitmap.GetHandle());
  EXPECT_EQ(pfDevice, bitmap.GetPixelFormat());
  bitmap.SetWidth(3);
  EXPECT_TRUE(bitmap.Empty()) << "no height yet";
  bitmap.SetHeight(2);
  ASSERT_FALSE(bitmap.Empty());
  EXPECT_EQ(std::vector<uint32_t>(6, 0xFFFFFF), CanvasPixels(bitmap));
  DIBSECTION ds{};
  EXPECT_EQ(static_cast<int>(sizeof(ds)), GetObjectA(bitmap.GetHandle(), sizeof(ds), &ds)) << "a DIB section";

  bitmap.GetCanvas()->SetPixels(2, 1, clRed);
  bitmap.GetCanvas()->GetBrush()->SetColor(clLime);
  bitmap.SetSize(4, 3);
  EXPECT_EQ(clRed, bitmap.GetCanvas()->GetPixels(2, 1)) << "the picture stays in the top left";
  EXPECT_EQ(0xFFFFFF, bitmap.GetCanvas()->GetPixels(0, 0));
  EXPECT_EQ(clLime, bitmap.GetCanvas()->GetPixels(3, 0)) << "new parts take the brush colour";
  EXPECT_EQ(clLime, bitmap.GetCanvas()->GetPixels(0, 2));
  bitmap.SetSize(2, 1);
  EXPECT_EQ(2, bitmap.GetWidth());
  EXPECT_EQ(0xFFFFFF, bitmap.GetCanvas()->GetPixels(1, 0));
  EXPECT_THROW(bitmap.SetSize(-1, 2), EInvalidGraphicOperation);
  bitmap.SetSize(0, 1);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, PixelFormatConversionsKeepThePicture) {
  // Colours every format can show survive every conversion exactly.
  const std::vector<uint32_t> vga = {0x000000, 0x0000FF, 0x800000, 0xC0C0C0, 0x008080, 0xFFFFFF};
  for (TPixelFormat format : {pf4bit, pf8bit, pf24bit, pf32bit, pfDevice}) {
    TBitmap bitmap;
    FillBitmap(bitmap, 3, 2, vga);
    bitmap.SetPixelFormat(format);
    EXPECT_EQ(format, bitmap.GetPixelFormat());
    EXPECT_EQ(vga, CanvasPixels(bitmap)) << "format " << format;
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(vga, CanvasPixels(bitmap)) << "back from format " << format;
  }

  // Other colours: exact at 24 and 32 bits, the nearest table colour in the palette formats.
  const std::vector<uint32_t> odd = {0x123456, 0x336699, 0x0A0A0A, 0xF0F0F0};
  TBitmap bitmap;
  FillBitmap(bitmap, 2, 2, odd);
  bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(odd, CanvasPixels(bitmap));
  bitmap.SetPixelFormat(pf8bit);
  EXPECT_EQ(0x336699u, CanvasPixels(bitmap)[1]) << "on the colour cube";
  std::vector<uint32_t> table = bitmap.GetColorTable();
  ASSERT_EQ(256u, table.size());
  for (uint32_t c : CanvasPixels(bitmap)) EXPECT_NE(table.end(), std::find(table.begin(), table.end(), c));

  bitmap.SetMonochrome(true);
  EXPECT_EQ(pf1bit, bitmap.GetPixelFormat());
  EXPECT_TRUE(bitmap.GetMonochrome());
  EXPECT_EQ((std::vector<uint32_t>{0x000000, 0x000000, 0x000000, 0xFFFFFF}), CanvasPixels(bitmap));
  BITMAP bm{};
  GetObjectA(bitmap.GetHandle(), sizeof(bm), &bm);
  EXPECT_EQ(1, bm.bmBitsPixel);
  bitmap.SetMonochrome(false);
  EXPECT_EQ(pfDevice, bitmap.GetPixelFormat());
  EXPECT_EQ((std::vector<uint32_t>{0x000000, 0x000000, 0x000000, 0xFFFFFF}), CanvasPixels(bitmap));
}

TEST(Bitmap, NewMonochromeBitmapIsWhiteAndTakesBlackDrawing) {
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetWidth(15);
  bitmap.SetHeight(4);
  EXPECT_EQ(std::vector<uint32_t>(60, 0xFFFFFF), CanvasPixels(bitmap));
  PatBlt(bitmap.GetCanvas()->GetHandle(), 1, 1, 2, 2, BLACKNESS);
  bitmap.GetCanvas()->Changed();
  std::vector<uint32_t> pixels = CanvasPixels(bitmap);
  EXPECT_EQ(0u, pixels[1 * 15 + 1]);
  EXPECT_EQ(0u, pixels[2 * 15 + 2]);
  EXPECT_EQ(0xFFFFFFu, pixels[2 * 15 + 3]);
}

TEST(Bitmap, MaskTurnsOneColourWhiteAndEverythingElseBlack) {
  TBitmap bitmap;
  FillBitmap(bitmap, 3, 2, kSample);
  bitmap.Mask(static_cast<TColor>(0xFF00FF));
  EXPECT_EQ(pf1bit, bitmap.GetPixelFormat());
  EXPECT_EQ((std::vector<uint32_t>{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000}), CanvasPixels(bitmap));

  // Only the low 24 bits count, and system colours are resolved.
  TBitmap flagged;
  FillBitmap(flagged, 3, 2, kSample);
  flagged.Mask(static_cast<TColor>(0x02FF00FF));
  EXPECT_EQ(CanvasPixels(bitmap), CanvasPixels(flagged));
  TBitmap system;
  uint32_t face = GetSysColor(COLOR_BTNFACE);
  FillBitmap(system, 2, 1, {face, 0x000001});
  system.Mask(clBtnFace);
  EXPECT_EQ((std::vector<uint32_t>{0xFFFFFF, 0x000000}), CanvasPixels(system));
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUntilFixed) {
  TBitmap bitmap;
  EXPECT_EQ(clDefault, bitmap.GetTransparentColor());
  EXPECT_EQ(tmAuto, bitmap.GetTransparentMode());
  FillBitmap(bitmap, 3, 2, kSample);
  EXPECT_EQ(static_cast<TColor>(0x02FF00FF), bitmap.GetTransparentColor());
  bitmap.GetCanvas()->SetPixels(0, 1, clNavy);
  EXPECT_EQ(static_cast<TColor>(0x02800000), bitmap.GetTransparentColor());

  bitmap.SetTransparentColor(clRed);
  EXPECT_EQ(tmFixed, bitmap.GetTransparentMode());
  EXPECT_EQ(clRed, bitmap.GetTransparentColor());
  bitmap.SetTransparentMode(tmAuto);
  EXPECT_EQ(static_cast<TColor>(0x02800000), bitmap.GetTransparentColor());
  bitmap.SetTransparentMode(tmFixed);
  bitmap.GetCanvas()->SetPixels(0, 1, clLime);
  EXPECT_EQ(static_cast<TColor>(0x02800000), bitmap.GetTransparentColor()) << "fixed keeps the colour it had";
  bitmap.SetTransparentColor(clDefault);
  EXPECT_EQ(tmAuto, bitmap.GetTransparentMode());
}

TEST(Bitmap, MaskHandleIsCachedUntilThePictureChanges) {
  TBitmap bitmap;
  FillBitmap(bitmap, 3, 2, kSample);
  HBITMAP mask = bitmap.GetMaskHandle();
  ASSERT_NE(nullptr, mask);
  EXPECT_EQ(mask, bitmap.GetMaskHandle());
  EXPECT_EQ((std::vector<uint32_t>{0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0}), ReadBitmapPixels(mask, 3, 2));
  BITMAP bm{};
  GetObjectA(mask, sizeof(bm), &bm);
  EXPECT_EQ(1, bm.bmBitsPixel);

  bitmap.GetCanvas()->SetPixels(2, 0, clFuchsia);
  EXPECT_FALSE(GdiObjectAlive(mask)) << "a drawing drops the stale mask";
  HBITMAP fresh = bitmap.GetMaskHandle();
  EXPECT_EQ((std::vector<uint32_t>{0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0}), ReadBitmapPixels(fresh, 3, 2));
  bitmap.SetTransparentColor(clLime);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 0, 0, 0xFFFFFF, 0}), ReadBitmapPixels(bitmap.GetMaskHandle(), 3, 2));

  HBITMAP released = bitmap.ReleaseMaskHandle();
  EXPECT_EQ(nullptr, bitmap.ReleaseMaskHandle()) << "nothing cached any more";
  bitmap.Assign(nullptr);
  EXPECT_TRUE(GdiObjectAlive(released)) << "a released mask is the caller's";
  DeleteObject(released);
}

TEST(Bitmap, TransparentDrawingLetsTheBackgroundThrough) {
  TBitmap sprite;
  FillBitmap(sprite, 3, 2, kSample);  // bottom-left magenta: transparent
  TBitmap scene;
  scene.SetPixelFormat(pf24bit);
  scene.GetCanvas()->GetBrush()->SetColor(clTeal);
  scene.SetSize(3, 2);
  scene.GetCanvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(kSample, CanvasPixels(scene)) << "opaque by default";

  scene.GetCanvas()->FillRect(Rect(0, 0, 3, 2));
  sprite.SetTransparent(true);
  scene.GetCanvas()->Draw(0, 0, &sprite);
  EXPECT_EQ((std::vector<uint32_t>{0x0000FF, 0x808000, 0xFFFFFF, 0x808000, 0x00FF00, 0xFF0000}), CanvasPixels(scene));
}

TEST(Bitmap, AssignMakesARealCopy) {
  TBitmap source;
  FillBitmap(source, 3, 2, kSample);
  source.SetPixelFormat(pf8bit);
  source.SetTransparentColor(clLime);
  source.SetTransparent(true);
  TBitmap copy;
  int changes = 0;
  copy.SetOnChange([&](TObject*) { ++changes; });
  copy.Assign(&source);
  EXPECT_EQ(1, changes);
  EXPECT_EQ(pf8bit, copy.GetPixelFormat());
  EXPECT_EQ(clLime, copy.GetTransparentColor());
  EXPECT_EQ(tmFixed, copy.GetTransparentMode());
  EXPECT_TRUE(copy.GetTransparent());
  EXPECT_EQ(CanvasPixels(source), CanvasPixels(copy));
  EXPECT_NE(source.GetHandle(), copy.GetHandle());
  copy.GetCanvas()->SetPixels(0, 0, clBlack);
  EXPECT_EQ(0x0000FF, source.GetCanvas()->GetPixels(0, 0)) << "the source is not touched";

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(Bitmap, HandlesCanBeGivenAndTakenAway) {
  TBitmap bitmap;
  // A device-dependent monochrome bitmap: taken over, copied into a DIB section, deleted.
  const WORD bits[4] = {0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP ddb = CreateBitmap(4, 4, 1, 1, bits);
  bitmap.SetHandle(ddb);
  EXPECT_FALSE(GdiObjectAlive(ddb));
  EXPECT_EQ(pf1bit, bitmap.GetPixelFormat());
  EXPECT_EQ(4, bitmap.GetWidth());
  EXPECT_EQ(0x000000, bitmap.GetCanvas()->GetPixels(0, 0));
  EXPECT_EQ(0xFFFFFF, bitmap.GetCanvas()->GetPixels(1, 0));

  HBITMAP mine = bitmap.GetHandle();
  HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
  bitmap.SetHandle(colour);
  EXPECT_FALSE(GdiObjectAlive(mine)) << "the previous picture is deleted";
  EXPECT_EQ(pfDevice, bitmap.GetPixelFormat());

  // A system bitmap, as a drop-down button's glyph takes it.
  bitmap.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32738)));  // OBM_COMBO
  EXPECT_FALSE(bitmap.Empty());
  EXPECT_GT(bitmap.GetWidth(), 0);

  HBITMAP released = bitmap.ReleaseHandle();
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_TRUE(GdiObjectAlive(released));
  DeleteObject(released);
  EXPECT_THROW(bitmap.SetHandle(reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(0x1234))), EInvalidGraphic);
}

TEST(BitmapFile, EveryFormatRoundTripsThroughAStream) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    TBitmap bitmap;
    FillBitmap(bitmap, 5, 3, {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0xC0C0C0, 0x000080,
                              0x008000, 0x800000, 0xFFFFFF, 0x000000, 0x00FFFF, 0xFF00FF, 0xFFFF00});
    bitmap.SetPixelFormat(format);
    TBytes bytes = SaveBytes(bitmap);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(bytes[2] | (bytes[3] << 8) | (bytes[4] << 16))) << "bfSize";

    TBitmap loaded;
    LoadBytes(loaded, bytes);
    EXPECT_EQ(format, loaded.GetPixelFormat());
    EXPECT_EQ(CanvasPixels(bitmap), CanvasPixels(loaded)) << "format " << format;
    EXPECT_EQ(bitmap.GetColorTable(), loaded.GetColorTable());
  }

  // The stream is left right after the picture.
  TBitmap small;
  FillBitmap(small, 1, 1, {0x123456});
  TMemoryStream stream;
  small.SaveToStream(stream);
  int64_t end = stream.GetPosition();
  stream.WriteBuffer("tail", 4);
  stream.SetPosition(0);
  TBitmap again;
  again.LoadFromStream(stream);
  EXPECT_EQ(end, stream.GetPosition());

  // An empty bitmap writes a 0 x 0 picture that reads back empty.
  TBitmap empty, emptyAgain;
  LoadBytes(emptyAgain, SaveBytes(empty));
  EXPECT_TRUE(emptyAgain.Empty());
}

TEST(BitmapFile, FilesAreWrittenAndRead) {
  ScratchFolder folder;
  TBitmap bitmap;
  FillBitmap(bitmap, 3, 2, kSample);
  String path = folder.File("picture.bmp");
  bitmap.SaveToFile(path);
  TBitmap loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(kSample, CanvasPixels(loaded));
  EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.bmp")), EFOpenError);
  EXPECT_EQ(kSample, CanvasPixels(loaded)) << "a failed load changes nothing";
}

TEST(BitmapFile, OtherWritersLayoutsAreRead) {
  // 2 x 2, top-down, 16 bits per pixel (5-5-5): red, green / blue, white.
  TBytes file(14 + 40 + 8, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<uint32_t>(file.size()));
  Put32(file, 10, 54);
  Put32(file, 14, 40);
  Put32(file, 18, 2);
  Put32(file, 22, static_cast<uint32_t>(-2));
  file[26] = 1;
  file[28] = 16;
  const uint16_t pixels[4] = {0x7C00, 0x03E0, 0x001F, 0x7FFF};
  memcpy(&file[54], pixels, 8);
  TBitmap bitmap;
  LoadBytes(bitmap, file);
  EXPECT_EQ(pf24bit, bitmap.GetPixelFormat());
  EXPECT_EQ((std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}), CanvasPixels(bitmap));

  // An OS/2 header with 3-byte colour entries, 1 bit per pixel, 2 x 1: red then blue.
  TBytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,
                 0, 0, 0xFF, 0xFF, 0, 0, 0x40, 0, 0, 0};
  Put32(core, 2, static_cast<uint32_t>(core.size()));
  LoadBytes(bitmap, core);
  EXPECT_EQ(pf1bit, bitmap.GetPixelFormat());
  EXPECT_EQ((std::vector<uint32_t>{0x0000FF, 0xFF0000}), CanvasPixels(bitmap));
}

TEST(BitmapFile, TruncatedOrLyingFilesRaiseAndChangeNothing) {
  TBitmap good;
  FillBitmap(good, 3, 2, kSample);
  good.SetPixelFormat(pf8bit);
  TBytes bytes = SaveBytes(good);

  TBitmap bitmap;
  FillBitmap(bitmap, 1, 1, {0x123456});
  for (size_t length = 0; length < bytes.size(); ++length) {
    TBytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_THROW(LoadBytes(bitmap, cut), EInvalidGraphic) << "cut at " << length;
  }
  EXPECT_EQ((std::vector<uint32_t>{0x123456}), CanvasPixels(bitmap));

  struct Lie {
    size_t offset;
    uint32_t value;
    const char* what;
  };
  const Lie lies[] = {
      {0, 0x00004D58u, "signature"},
      {10, 0xFFFFFFF0u, "pixels far past the end"},
      {10, 20, "pixels inside the header"},
      {14, 0x10000, "header size"},
      {18, 0x7FFFFFFF, "width"},
      {18, 0x80000000u, "negative width"},
      {22, 30000, "height beyond the data"},
      {28, 7, "bits per pixel"},
      {30, BI_JPEG, "compression"},
      {46, 0xFFFFFFFFu, "colours used"},
  };
  for (const Lie& lie : lies) {
    TBytes liar = bytes;
    if (lie.offset == 28) liar[28] = static_cast<uint8_t>(lie.value);
    else Put32(liar, lie.offset, lie.value);
    EXPECT_THROW(LoadBytes(bitmap, liar), EInvalidGraphic) << lie.what;
  }
  try {
    TBytes jpeg = bytes;
    Put32(jpeg, 30, BI_JPEG);
    LoadBytes(bitmap, jpeg);
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ("Bitmap image is not valid: compression 4 is not supported", e.Message());
  }
  EXPECT_EQ((std::vector<uint32_t>{0x123456}), CanvasPixels(bitmap));
}

TEST(BitmapResource, LoadsByNameAndByNumber) {
  TBitmap bitmap;
  bitmap.LoadFromResourceName(ThisModule(), "TESTGLYPH");
  EXPECT_EQ(pf4bit, bitmap.GetPixelFormat());
  ASSERT_EQ(8, bitmap.GetWidth());
  ASSERT_EQ(6, bitmap.GetHeight());
  std::vector<uint32_t> vga = bitmap.GetColorTable();
  ASSERT_EQ(16u, vga.size());
  EXPECT_EQ(0x000080u, vga[1]) << "the file's own table: maroon second";
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(vga[(x + y) % 16], static_cast<uint32_t>(bitmap.GetCanvas()->GetPixels(x, y))) << x << "," << y;
  EXPECT_EQ(static_cast<TColor>(0x02800080), bitmap.GetTransparentColor()) << "bottom-left: index 5, purple";

  TBitmap byNumber;
  byNumber.LoadFromResourceID(ThisModule(), 101);
  EXPECT_EQ(CanvasPixels(bitmap), CanvasPixels(byNumber));

  try {
    bitmap.LoadFromResourceName(ThisModule(), "NOPE");
    ADD_FAILURE() << "loaded a missing resource";
  } catch (const EResNotFound& e) {
    EXPECT_EQ("Resource NOPE not found", e.Message());
  }
  EXPECT_THROW(bitmap.LoadFromResourceID(ThisModule(), 999), EResNotFound);
  EXPECT_EQ(8, bitmap.GetWidth()) << "a failed load changes nothing";
}

namespace {

// A component with a font and a bitmap, as a button with a glyph has.
class TGlyphHolder : public TComponent {
  TOVIX_DECLARE_CLASS(TGlyphHolder)

 public:
  explicit TGlyphHolder(TComponent* owner) : TComponent(owner) {}
  TFont* GetFont() const { return &font_; }
  void SetFont(TFont* font) { font_.Assign(font); }
  TBitmap* GetGlyph() const { return &glyph_; }
  void SetGlyph(TBitmap* glyph) { glyph_.Assign(glyph); }
  TIcon* GetIcon() const { return &icon_; }
  void SetIcon(TIcon* icon) { icon_.Assign(icon); }

 private:
  mutable TFont font_;
  mutable TBitmap glyph_;
  mutable TIcon icon_;
};

TOVIX_IMPLEMENT_CLASS(TGlyphHolder, TComponent) {
  c.Property("Font", &TGlyphHolder::GetFont, &TGlyphHolder::SetFont);
  c.Property("Glyph", &TGlyphHolder::GetGlyph, &TGlyphHolder::SetGlyph);
  c.Property("Icon", &TGlyphHolder::GetIcon, &TGlyphHolder::SetIcon);
}

}  // namespace

TEST(FormFile, FontBitmapAndIconRoundTrip) {
  TGlyphHolder holder(nullptr);
  holder.SetName("Holder");
  EXPECT_EQ(
      "object Holder: TGlyphHolder\r\n"
      "  Font.Charset = DEFAULT_CHARSET\r\n"
      "  Font.Color = clWindowText\r\n"
      "  Font.Height = -11\r\n"
      "  Font.Name = 'MS Sans Serif'\r\n"
      "  Font.Style = []\r\n"
      "end\r\n",
      WriteComponentToText(&holder))
      << "Size is never written, Pitch only when not fpDefault, an empty picture not at all";

  holder.GetFont()->SetName("Courier New");
  holder.GetFont()->SetSize(12);
  holder.GetFont()->SetColor(clMaroon);
  holder.GetFont()->SetStyle({fsBold, fsStrikeOut});
  holder.GetFont()->SetCharset(RUSSIAN_CHARSET);
  holder.GetFont()->SetPitch(fpFixed);
  FillBitmap(*holder.GetGlyph(), 3, 2, kSample);
  holder.GetGlyph()->SetPixelFormat(pf4bit);
  holder.GetIcon()->LoadFromResourceName(ThisModule(), "TESTICON");
  String text = WriteComponentToText(&holder);
  EXPECT_NE(String::npos, text.find("  Font.Charset = RUSSIAN_CHARSET\r\n  Font.Color = clMaroon\r\n"
                                    "  Font.Height = -16\r\n  Font.Name = 'Courier New'\r\n"
                                    "  Font.Pitch = fpFixed\r\n  Font.Style = [fsBold, fsStrikeOut]\r\n"));
  EXPECT_NE(String::npos, text.find("  Glyph.Data = {\r\n    424D")) << text;
  EXPECT_NE(String::npos, text.find("  Icon.Data = {\r\n    0000010001001010")) << text;

  TGlyphHolder again(nullptr);
  ReadComponentFromText(text, &again);
  EXPECT_EQ("Courier New", again.GetFont()->GetName());
  EXPECT_EQ(12, again.GetFont()->GetSize());
  EXPECT_EQ(clMaroon, again.GetFont()->GetColor());
  EXPECT_EQ((TFontStyles{fsBold, fsStrikeOut}), again.GetFont()->GetStyle());
  EXPECT_EQ(RUSSIAN_CHARSET, again.GetFont()->GetCharset());
  EXPECT_EQ(fpFixed, again.GetFont()->GetPitch());
  EXPECT_EQ(pf4bit, again.GetGlyph()->GetPixelFormat());
  EXPECT_EQ(CanvasPixels(*holder.GetGlyph()), CanvasPixels(*again.GetGlyph()));
  EXPECT_EQ(ReadIconPixels(holder.GetIcon()->GetHandle()).color, ReadIconPixels(again.GetIcon()->GetHandle()).color);
  EXPECT_EQ(text, WriteComponentToText(&again));

  // Numbers are read for character sets, and bitmap data with the VCL's length in front.
  TBytes bmp = SaveBytes(*holder.GetGlyph());
  TBytes vcl(4);
  Put32(vcl, 0, static_cast<uint32_t>(bmp.size()));
  vcl.insert(vcl.end(), bmp.begin(), bmp.end());
  TGlyphHolder third(nullptr);
  ReadComponentFromText("object Holder: TGlyphHolder\r\n  Font.Charset = 238\r\n  Glyph.Data = " +
                            TFormValue::Binary(vcl).ToText(2) + "\r\nend\r\n",
                        &third);
  EXPECT_EQ(EASTEUROPE_CHARSET, third.GetFont()->GetCharset());
  EXPECT_EQ(CanvasPixels(*holder.GetGlyph()), CanvasPixels(*third.GetGlyph()));
  EXPECT_THROW(ReadComponentFromText("object Holder: TGlyphHolder\r\n  Font.Charset = 300\r\nend\r\n", &third),
               EReadError);
  EXPECT_THROW(ReadComponentFromText("object Holder: TGlyphHolder\r\n  Glyph.Data = {424D00}\r\nend\r\n", &third),
               EReadError);
}
