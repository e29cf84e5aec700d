// Icons (handle ownership, copies, files) and image lists (masks, icons, form files).
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "tests/support/GraphicsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

HINSTANCE ThisModule() { return GetModuleHandleA(nullptr); }

const uint32_t kMagenta = 0xFF00FF;

// A 4 x 2 picture on a magenta background: red, magenta, green, magenta / magenta, blue, magenta, white.
const std::vector<uint32_t> kSprite = {0x0000FF, kMagenta, 0x00FF00, kMagenta, kMagenta, 0xFF0000, kMagenta, 0xFFFFFF};

TBytes SaveIcon(TIcon& icon) {
  TMemoryStream stream;
  icon.SaveToStream(stream);
  const auto* data = static_cast<const uint8_t*>(stream.GetMemory());
  return TBytes(data, data + stream.GetSize());
}

void LoadIcon(TIcon& icon, const TBytes& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  icon.LoadFromStream(stream);
}

// Expects the icon to show kSprite with its magenta pixels see-through (and blackened in the
// colour bitmap, as the system draws icons by AND and XOR).
void ExpectSpriteIcon(HICON icon) {
  TIconPixels pixels = ReadIconPixels(icon);
  ASSERT_EQ(4, pixels.width);
  ASSERT_EQ(2, pixels.height);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      uint32_t expected = kSprite[static_cast<size_t>(y) * 4 + x];
      bool magenta = expected == kMagenta;
      EXPECT_EQ(magenta, pixels.Transparent(x, y)) << x << "," << y;
      EXPECT_EQ(magenta ? 0u : expected, pixels.Color(x, y)) << x << "," << y;
    }
}

}  // namespace

TEST(Icon, LoadsAResourceAtItsOwnSize) {
  TIcon icon;
  EXPECT_TRUE(icon.Empty());
  EXPECT_TRUE(icon.GetTransparent());
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  ASSERT_EQ(16, icon.GetWidth());
  ASSERT_EQ(16, icon.GetHeight());
  TIconPixels pixels = ReadIconPixels(icon.GetHandle());
  EXPECT_TRUE(pixels.Transparent(3, 0));
  EXPECT_TRUE(pixels.Transparent(12, 3));
  EXPECT_FALSE(pixels.Transparent(3, 4));
  EXPECT_EQ(0u, pixels.Color(3, 0)) << "see-through pixels are black in the image";
  EXPECT_EQ(0x0000FFu, pixels.Color(3, 10));
  EXPECT_EQ(0xFF0000u, pixels.Color(12, 10));
  try {
    icon.LoadFromResourceName(ThisModule(), "NOICON");
    ADD_FAILURE() << "loaded a missing icon";
  } catch (const EResNotFound& e) {
    EXPECT_EQ("Resource NOICON not found", e.Message());
  }
  EXPECT_EQ(16, icon.GetWidth());
  EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);
}

TEST(Icon, OwnsItsHandleUntilReleased) {
  HICON first, second;
  {
    TIcon icon;
    icon.LoadFromResourceName(ThisModule(), "TESTICON");
    first = icon.GetHandle();
    second = CopyIcon(first);
    icon.SetHandle(second);
    EXPECT_FALSE(IconAlive(first)) << "a new handle destroys the old one";
    EXPECT_EQ(second, icon.GetHandle());
    icon.SetHandle(second);
    EXPECT_TRUE(IconAlive(second)) << "setting the same handle again keeps it";
  }
  EXPECT_FALSE(IconAlive(second)) << "a freed icon destroys its handle";

  TIcon icon;
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  HICON released = icon.ReleaseHandle();
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(0, icon.GetWidth());
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  icon.SetHandle(nullptr);
  EXPECT_TRUE(IconAlive(released)) << "a released handle is the caller's";
  EXPECT_TRUE(DestroyIcon(released));
}

TEST(Icon, AssignCopiesTheHandle) {
  auto source = std::make_unique<TIcon>();
  source->LoadFromResourceName(ThisModule(), "TESTICON");
  TIcon copy;
  int changes = 0;
  copy.SetOnChange([&](TObject*) { ++changes; });
  copy.Assign(source.get());
  EXPECT_EQ(1, changes);
  ASSERT_FALSE(copy.Empty());
  EXPECT_NE(source->GetHandle(), copy.GetHandle());
  TIconPixels before = ReadIconPixels(source->GetHandle());
  source.reset();
  TIconPixels after = ReadIconPixels(copy.GetHandle());
  EXPECT_EQ(before.color, after.color) << "the copy outlives its source";
  EXPECT_EQ(before.transparent, after.transparent);
  EXPECT_EQ(16, copy.GetWidth());
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  TBitmap bitmap;
  EXPECT_THROW(copy.Assign(&bitmap), EConvertError);
}

TEST(Icon, IconFilesRoundTrip) {
  // Written from a handle: a one-image file that reads back to the same pixels.
  TIcon icon;
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  TBytes written = SaveIcon(icon);
  ASSERT_GE(written.size(), 6u + 16 + 40);
  EXPECT_EQ((TBytes{0, 0, 1, 0, 1, 0, 16, 16}), TBytes(written.begin(), written.begin() + 8));
  TIcon loaded;
  LoadIcon(loaded, written);
  EXPECT_EQ(ReadIconPixels(icon.GetHandle()).color, ReadIconPixels(loaded.GetHandle()).color);
  EXPECT_EQ(ReadIconPixels(icon.GetHandle()).transparent, ReadIconPixels(loaded.GetHandle()).transparent);
  EXPECT_EQ(written, SaveIcon(loaded)) << "an icon read from a file writes that file back";

  // Every shortened file is refused without touching the icon.
  for (size_t length = 0; length < written.size(); ++length) {
    TBytes cut(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_THROW(LoadIcon(loaded, cut), EInvalidGraphic) << "cut at " << length;
  }
  TBytes lying = written;
  lying[14] = 0xFF;  // the image's size
  lying[17] = 0x7F;
  EXPECT_THROW(LoadIcon(loaded, lying), EInvalidGraphic);
  lying = written;
  lying[22 + 8] = 0xFF;  // the image header's height
  EXPECT_THROW(LoadIcon(loaded, lying), EInvalidGraphic);
  EXPECT_EQ(16, loaded.GetWidth());
  TIcon empty;
  EXPECT_THROW(SaveIcon(empty), EInvalidGraphicOperation);
}

TEST(Icon, DrawsWithItsMask) {
  TIcon icon;
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  TBitmap scene;
  scene.SetPixelFormat(pf24bit);
  scene.GetCanvas()->GetBrush()->SetColor(clLime);
  scene.SetSize(16, 16);
  scene.GetCanvas()->Draw(0, 0, &icon);
  EXPECT_EQ(clLime, scene.GetCanvas()->GetPixels(2, 1)) << "see-through";
  EXPECT_EQ(clRed, scene.GetCanvas()->GetPixels(2, 8));
  EXPECT_EQ(clBlue, scene.GetCanvas()->GetPixels(13, 8));
}

TEST(ImageList, AddMaskedThenGetIconGivesTheMaskedPixels) {
  TImageList list(nullptr);
  EXPECT_EQ(16, list.GetWidth());
  EXPECT_EQ(16, list.GetHeight());
  EXPECT_EQ(0, list.GetCount());
  EXPECT_FALSE(list.HandleAllocated());
  list.SetWidth(4);
  list.SetHeight(2);

  TBitmap sprite;
  FillBitmap(sprite, 4, 2, kSprite);
  EXPECT_EQ(0, list.AddMasked(&sprite, static_cast<TColor>(kMagenta)));
  EXPECT_EQ(kSprite, CanvasPixels(sprite)) << "the bitmap given is not changed";
  EXPECT_EQ(1, list.AddMasked(&sprite, clDefault)) << "clDefault: the bitmap's own transparent colour";
  EXPECT_EQ(2, list.GetCount());
  EXPECT_TRUE(list.HandleAllocated());
  IMAGEINFO info{};
  EXPECT_TRUE(ImageList_GetImageInfo(list.GetHandle(), 0, &info));

  for (int i = 0; i < 2; ++i) {
    TIcon icon;
    list.GetIcon(i, icon);
    ExpectSpriteIcon(icon.GetHandle());
  }
}

TEST(ImageList, AddWithAMaskSplitsAStripAndDraws) {
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(2);
  int changes = 0;
  list.SetOnChange([&](TObject*) { ++changes; });

  // Two 2 x 2 images side by side; the mask makes the top-left pixel of each see-through.
  TBitmap strip, mask;
  FillBitmap(strip, 4, 2, {0, 0x0000FF, 0, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x808080, 0x000080});
  FillBitmap(mask, 4, 2, {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0});
  mask.SetMonochrome(true);
  EXPECT_EQ(0, list.Add(&strip, &mask));
  EXPECT_EQ(2, list.GetCount());
  EXPECT_EQ(1, changes);

  TBitmap picture;
  list.GetBitmap(1, picture);
  EXPECT_EQ(2, picture.GetWidth());
  EXPECT_EQ(0x00FF00, picture.GetCanvas()->GetPixels(1, 0));
  EXPECT_EQ(0x000080, picture.GetCanvas()->GetPixels(1, 1));

  TBitmap scene;
  scene.SetPixelFormat(pf24bit);
  scene.GetCanvas()->GetBrush()->SetColor(clYellow);
  scene.SetSize(4, 4);
  list.Draw(scene.GetCanvas(), 1, 1, 0);
  EXPECT_EQ(clYellow, scene.GetCanvas()->GetPixels(1, 1)) << "see-through";
  EXPECT_EQ(clRed, scene.GetCanvas()->GetPixels(2, 1));
  EXPECT_EQ(clBlue, scene.GetCanvas()->GetPixels(1, 2));

  TIcon icon;
  icon.LoadFromResourceName(ThisModule(), "TESTICON");
  EXPECT_EQ(2, list.AddIcon(&icon));
  EXPECT_EQ(3, list.GetCount());
  list.Delete(0);
  EXPECT_EQ(2, list.GetCount());
  list.Clear();
  EXPECT_EQ(0, list.GetCount());
  EXPECT_EQ(4, changes);
  EXPECT_THROW(list.Add(nullptr, nullptr), EInvalidGraphicOperation);
  TBitmap empty;
  EXPECT_THROW(list.AddMasked(&empty, clRed), EInvalidGraphicOperation);
}

TEST(ImageList, BadIndexesAndSizesRaise) {
  TImageList list(nullptr);
  TBitmap bitmap;
  FillBitmap(bitmap, 16, 16, std::vector<uint32_t>(256, 0x00FF00));
  list.AddMasked(&bitmap, clRed);
  TIcon icon;
  try {
    list.GetIcon(1, icon);
    ADD_FAILURE() << "index 1 of one image";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ("Invalid image list index 1: the list holds 1 images", e.Message());
  }
  EXPECT_TRUE(icon.Empty());
  EXPECT_THROW(list.GetIcon(-1, icon), EInvalidGraphicOperation);
  EXPECT_THROW(list.Delete(1), EInvalidGraphicOperation);
  EXPECT_THROW(list.GetBitmap(7, bitmap), EInvalidGraphicOperation);
  TBitmap canvasOwner;
  canvasOwner.SetSize(1, 1);
  EXPECT_THROW(list.Draw(canvasOwner.GetCanvas(), 0, 0, 1), EInvalidGraphicOperation);
  EXPECT_THROW(list.SetWidth(0), EInvalidGraphicOperation);
  EXPECT_EQ(1, list.GetCount());
  list.SetHeight(8);
  EXPECT_EQ(0, list.GetCount()) << "a new size removes the images";
}

TEST(ImageList, FormFileKeepsTheImages) {
  TComponent form(nullptr);
  form.SetName("Form");
  auto* list = new TImageList(&form);
  list->SetName("Images");
  list->SetWidth(4);
  list->SetHeight(2);
  TBitmap sprite;
  FillBitmap(sprite, 4, 2, kSprite);
  list->AddMasked(&sprite, static_cast<TColor>(kMagenta));
  TBitmap plain;
  FillBitmap(plain, 4, 2, std::vector<uint32_t>(8, 0x123456));
  list->Add(&plain, nullptr);
  String text = WriteComponentToText(&form);
  EXPECT_NE(String::npos, text.find("  object Images: TImageList\r\n    Height = 2\r\n    Width = 4\r\n    Bitmap = {\r\n"))
      << text;

  TComponent again(nullptr);
  ReadComponentFromText(text, &again);
  auto* read = dynamic_cast<TImageList*>(again.FindComponent("Images"));
  ASSERT_NE(nullptr, read);
  ASSERT_EQ(2, read->GetCount());
  TIcon icon;
  read->GetIcon(0, icon);
  ExpectSpriteIcon(icon.GetHandle());
  read->GetIcon(1, icon);
  TIconPixels pixels = ReadIconPixels(icon.GetHandle());
  EXPECT_EQ(std::vector<uint32_t>(8, 0x123456), pixels.color);
  EXPECT_EQ(std::vector<bool>(8, false), pixels.transparent);
  EXPECT_EQ(text, WriteComponentToText(&again));

  // Images of another size than the list's are refused.
  String wrong = text;
  wrong.replace(wrong.find("Width = 4"), 9, "Width = 3");
  TComponent third(nullptr);
  EXPECT_THROW(ReadComponentFromText(wrong, &third), EReadError);

  TImageList copy(nullptr);
  copy.Assign(list);
  EXPECT_EQ(2, copy.GetCount());
  EXPECT_EQ(4, copy.GetWidth());
  copy.GetIcon(0, icon);
  ExpectSpriteIcon(icon.GetHandle());
}
