// TOrvBitmap: masks, colour replacement and icons made of bitmaps.
#include <gtest/gtest.h>

#include "tests/support/GraphicsSupport.h"
#include "utils/Orvgraphics.h"
#include "utils/OrvgraphicsRes.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const uint32_t kMagenta = 0xFF00FF;

// 16 x 16: a magenta background (bottom-left included) with a red square, a green bar and a
// blue pixel on it.
std::vector<uint32_t> SpritePixels() {
  std::vector<uint32_t> pixels(256, kMagenta);
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 8; ++x) pixels[y * 16 + x] = 0x0000FF;
  for (int x = 0; x < 16; ++x) pixels[12 * 16 + x] = 0x00FF00;
  pixels[15 * 16 + 15] = 0xFF0000;
  return pixels;
}

// A picture that uses each colour of a palette format and some that are not in it.
std::vector<uint32_t> MixedPixels() {
  std::vector<uint32_t> pixels;
  const uint32_t colors[] = {0xFF00FF, 0x000000, 0xFFFFFF, 0x0000FF, 0x123456, 0xFF00FF, 0x808080, 0x00FF00};
  for (int i = 0; i < 6 * 5; ++i) pixels.push_back(colors[(i * 7 + i / 6) % 8]);
  return pixels;
}

// What ReplaceColor must give: the canvas's own GetPixel and SetPixel, one pixel at a time.
std::vector<uint32_t> ReplaceThroughTheCanvas(TBitmap& source, TColor oldColor, TColor newColor) {
  TBitmap reference;
  reference.Assign(&source);
  for (int y = 0; y < reference.GetHeight(); ++y)
    for (int x = 0; x < reference.GetWidth(); ++x)
      if (reference.GetCanvas()->GetPixels(x, y) == oldColor) reference.GetCanvas()->SetPixels(x, y, newColor);
  return CanvasPixels(reference);
}

}  // namespace

TEST(OrvBitmap, MakeIconLeavesTheTransparentColourSeeThrough) {
  TOrvBitmap bitmap;
  FillBitmap(bitmap, 16, 16, SpritePixels());
  ASSERT_EQ(tmAuto, bitmap.GetTransparentMode());
  TIcon icon;
  bitmap.MakeIcon(&icon);
  ASSERT_FALSE(icon.Empty());
  TIconPixels pixels = ReadIconPixels(icon.GetHandle());
  ASSERT_EQ(16, pixels.width);
  std::vector<uint32_t> expected = SpritePixels();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool magenta = expected[y * 16 + x] == kMagenta;
      EXPECT_EQ(magenta, pixels.Transparent(x, y)) << x << "," << y;
      EXPECT_EQ(magenta ? 0u : expected[y * 16 + x], pixels.Color(x, y)) << x << "," << y;
    }
  EXPECT_EQ(expected, CanvasPixels(bitmap)) << "the bitmap itself is unchanged";
  EXPECT_EQ(nullptr, bitmap.ReleaseMaskHandle()) << "no cached mask is left behind";

  // Drawn on a background, the magenta parts show it.
  TBitmap scene;
  scene.SetPixelFormat(pf24bit);
  scene.GetCanvas()->GetBrush()->SetColor(clYellow);
  scene.SetSize(16, 16);
  scene.GetCanvas()->Draw(0, 0, &icon);
  EXPECT_EQ(clYellow, scene.GetCanvas()->GetPixels(0, 0));
  EXPECT_EQ(clRed, scene.GetCanvas()->GetPixels(3, 3));
}

TEST(OrvBitmap, MakeNonTransparentIconKeepsEveryPixel) {
  TOrvBitmap bitmap;
  FillBitmap(bitmap, 16, 16, SpritePixels());
  TIcon icon;
  bitmap.MakeNonTransparentIcon(&icon);
  TIconPixels pixels = ReadIconPixels(icon.GetHandle());
  EXPECT_EQ(SpritePixels(), pixels.color) << "magenta stays magenta";
  EXPECT_EQ(std::vector<bool>(256, false), pixels.transparent);
  EXPECT_EQ(SpritePixels(), CanvasPixels(bitmap));
}

TEST(OrvBitmap, MasksOfAFixedOrSystemTransparentColour) {
  TOrvBitmap bitmap;
  uint32_t face = GetSysColor(COLOR_BTNFACE);
  uint32_t lowBits = static_cast<uint32_t>(clBtnFace) & 0xFFFFFF;  // 0x00000F, a dark red
  FillBitmap(bitmap, 3, 1, {face, 0x0000FF, lowBits});
  bitmap.SetTransparentColor(clBtnFace);
  auto mask = TOrvBitmap::NewAndMask(&bitmap);
  EXPECT_EQ(pf1bit, mask->GetPixelFormat());
  EXPECT_EQ((std::vector<uint32_t>{0xFFFFFF, 0, 0}), CanvasPixels(*mask));
  // The image blackens exactly the pixels the mask makes see-through: the system colour resolved,
  // not its number with the top byte cleared, which would be another colour.
  auto image = TOrvBitmap::NewXorMask(&bitmap);
  EXPECT_EQ((std::vector<uint32_t>{0, 0x0000FF, lowBits}), CanvasPixels(*image));

  bitmap.SetTransparentColor(clRed);
  EXPECT_EQ((std::vector<uint32_t>{0, 0xFFFFFF, 0}), CanvasPixels(*TOrvBitmap::NewAndMask(&bitmap)));
  EXPECT_EQ((std::vector<uint32_t>{face, 0, lowBits}), CanvasPixels(*TOrvBitmap::NewXorMask(&bitmap)));
}

TEST(OrvBitmap, NewMasksLeaveTheSourceAlone) {
  TOrvBitmap source;
  FillBitmap(source, 16, 16, SpritePixels());
  source.SetPixelFormat(pf8bit);
  std::vector<uint32_t> before = CanvasPixels(source);
  TColor transparent = source.GetTransparentColor();

  auto mask = TOrvBitmap::NewAndMask(&source);
  auto image = TOrvBitmap::NewXorMask(&source);
  EXPECT_EQ(before, CanvasPixels(source));
  EXPECT_EQ(pf8bit, source.GetPixelFormat());
  EXPECT_EQ(transparent, source.GetTransparentColor());
  EXPECT_EQ(tmAuto, source.GetTransparentMode());

  std::vector<uint32_t> maskPixels = CanvasPixels(*mask), imagePixels = CanvasPixels(*image);
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(before[i] == kMagenta ? 0xFFFFFFu : 0u, maskPixels[i]) << i;
    EXPECT_EQ(before[i] == kMagenta ? 0u : before[i], imagePixels[i]) << i;
  }
  EXPECT_EQ(pf8bit, image->GetPixelFormat()) << "the image keeps the source's format";

  // AndMask and XorMask of the bitmap itself.
  TOrvBitmap self;
  self.XorMask(&source);
  EXPECT_EQ(imagePixels, CanvasPixels(self));
  self.AndMask(&source);
  EXPECT_EQ(maskPixels, CanvasPixels(self));
  EXPECT_TRUE(self.GetMonochrome());
}

TEST(OrvBitmap, ReplaceColorGivesWhatTheCanvasWouldPixelByPixel) {
  struct Case {
    TColor oldColor, newColor;
  };
  const Case cases[] = {{static_cast<TColor>(kMagenta), clBlack},   {clRed, static_cast<TColor>(0x123456)},
                        {clWhite, clBtnFace},                      {static_cast<TColor>(0x123456), clLime},
                        {static_cast<TColor>(0x010203), clRed},    {clBlack, clBlack},
                        {clBtnFace, clRed},                        {static_cast<TColor>(0x02FF00FF), clRed}};
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit, pfDevice}) {
    for (const Case& c : cases) {
      TOrvBitmap bitmap;
      FillBitmap(bitmap, 6, 5, MixedPixels());
      bitmap.SetPixelFormat(format);
      std::vector<uint32_t> expected = ReplaceThroughTheCanvas(bitmap, c.oldColor, c.newColor);
      bitmap.ReplaceColor(c.oldColor, c.newColor);
      EXPECT_EQ(expected, CanvasPixels(bitmap)) << "format " << format << ", " << std::hex << c.oldColor << " to "
                                                << c.newColor;
      EXPECT_EQ(format, bitmap.GetPixelFormat());
    }
  }
}

TEST(OrvBitmap, ReplaceColorOfNoPixelOrOfItselfChangesNothing) {
  TOrvBitmap bitmap;
  FillBitmap(bitmap, 6, 5, MixedPixels());
  HBITMAP mask = bitmap.GetMaskHandle();
  int changes = 0;
  bitmap.SetOnChange([&](TObject*) { ++changes; });
  std::vector<uint32_t> before = CanvasPixels(bitmap);
  bitmap.ReplaceColor(static_cast<TColor>(0x0A0B0C), clRed);
  EXPECT_EQ(before, CanvasPixels(bitmap));
  EXPECT_EQ(0, changes);
  EXPECT_EQ(mask, bitmap.GetMaskHandle()) << "nothing changed: the cached mask stays";
  bitmap.ReplaceColor(clWhite, clWhite);
  EXPECT_EQ(before, CanvasPixels(bitmap));
  bitmap.ReplaceColor(static_cast<TColor>(kMagenta), clBlack);
  EXPECT_EQ(2, changes);
  EXPECT_FALSE(GdiObjectAlive(mask)) << "a replaced colour drops the stale mask";
  TOrvBitmap empty;
  empty.ReplaceColor(clWhite, clBlack);
  EXPECT_TRUE(empty.Empty());
}

TEST(OrvBitmap, FillAllUsesTheCanvasBrush) {
  TOrvBitmap bitmap;
  FillBitmap(bitmap, 5, 3, std::vector<uint32_t>(15, 0x00FF00));
  bitmap.GetCanvas()->GetBrush()->SetColor(clNavy);
  bitmap.FillAll();
  EXPECT_EQ(std::vector<uint32_t>(15, 0x800000), CanvasPixels(bitmap));
}

TEST(OrvBitmap, NullIconsRaiseTheLibrarysMessagesBeforeAnythingIsMade) {
  TOrvBitmap bitmap;
  FillBitmap(bitmap, 16, 16, SpritePixels());
  int objects = CountGdiObjects();
  try {
    bitmap.MakeIcon(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(typeid(Exception), typeid(e)) << "the general Exception class";
    EXPECT_EQ("TOrvBitmap.MakeIcon received nil icon parameter", e.Message());
  }
  try {
    bitmap.MakeNonTransparentIcon(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ("TOrvBitmap.MakeNonTransparentIcon received nil icon parameter", e.Message());
  }
  EXPECT_EQ(objects, CountGdiObjects()) << "no bitmap was made";

  // An empty bitmap makes no icon: the icon keeps what it had.
  TOrvBitmap empty;
  TIcon icon;
  bitmap.MakeIcon(&icon);
  HICON kept = icon.GetHandle();
  try {
    empty.MakeIcon(&icon);
    ADD_FAILURE() << "made an icon of nothing";
  } catch (const Exception& e) {
    EXPECT_EQ("TOrvBitmap.MakeIcon failed to create icon", e.Message());
  }
  try {
    empty.MakeNonTransparentIcon(&icon);
    ADD_FAILURE() << "made an icon of nothing";
  } catch (const Exception& e) {
    EXPECT_EQ("TOrvBitmap failed to turn bitmap into icon", e.Message());
  }
  EXPECT_EQ(kept, icon.GetHandle());
  EXPECT_TRUE(IconAlive(kept));
}

TEST(OrvBitmap, ResourceStringsAreLinkedIntoTheProgram) {
  // The messages come from the program's own string table: the unit's resources reached the
  // executable although nothing references them by symbol.
  HINSTANCE program = GetModuleHandleA(nullptr);
  char text[256];
  ASSERT_GT(LoadStringA(program, SOrvBitmapMakeIconNilIcon, text, sizeof(text)), 0);
  EXPECT_STREQ("TOrvBitmap.MakeIcon received nil icon parameter", text);
  ASSERT_GT(LoadStringA(program, SOrvBitmapMakeIconFailed, text, sizeof(text)), 0);
  EXPECT_STREQ("TOrvBitmap.MakeIcon failed to create icon", text);
  ASSERT_GT(LoadStringA(program, SOrvBitmapMakeNonTransparentIconNilIcon, text, sizeof(text)), 0);
  EXPECT_STREQ("TOrvBitmap.MakeNonTransparentIcon received nil icon parameter", text);
}
