// Creating, using and freeing every graphics object 1,000 times leaves no GDI or USER object behind.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Classes.h"
#include "framework/FileCtrl.h"
#include "framework/ImgList.h"
#include "tests/support/GraphicsSupport.h"
#include "utils/Orvgraphics.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// One round of everything the unit offers, on the screen's context and on bitmaps.
void UseEverything() {
  TFont font;
  font.GetHandle();
  font.SetStyle({fsBold});
  font.GetHandle();
  TBrush brush;
  brush.SetStyle(bsCross);
  brush.GetHandle();
  TPen pen;
  pen.SetWidth(2);
  pen.GetHandle();

  HDC screen = GetDC(nullptr);
  {
    TCanvas canvas;
    canvas.SetHandle(screen);
    canvas.TextWidth("...1234567890");
    canvas.GetFont()->SetSize(10);
    canvas.TextHeight("x");
    MinimizeName("C:\\Program Files\\Common Files\\readme.txt", canvas, 60);
  }
  ReleaseDC(nullptr, screen);
  // The order the button edits use: the context goes back first, the canvas is freed after.
  screen = GetDC(nullptr);
  auto late = std::make_unique<TCanvas>();
  late->SetHandle(screen);
  late->TextWidth("...1234567890");
  ReleaseDC(nullptr, screen);
  late.reset();

  TOrvBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(16, 16);
  bitmap.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, 16, 8));
  bitmap.GetCanvas()->GetPen()->SetColor(clRed);
  bitmap.GetCanvas()->Rectangle(4, 4, 12, 12);
  bitmap.GetCanvas()->TextOut(1, 1, "A");
  bitmap.GetMaskHandle();
  bitmap.SetTransparent(true);
  TBitmap scene;
  scene.SetSize(20, 20);
  scene.GetCanvas()->Draw(2, 2, &bitmap);
  scene.GetCanvas()->StretchDraw(Rect(0, 0, 8, 8), &bitmap);
  scene.SetPixelFormat(pf8bit);
  scene.SetMonochrome(true);
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  stream.SetPosition(0);
  scene.LoadFromStream(stream);
  scene.Mask(clRed);
  {
    TBitmap released;
    released.SetSize(2, 2);
    DeleteObject(released.ReleaseHandle());
  }

  TIcon icon;
  bitmap.MakeIcon(&icon);
  TIcon opaque;
  bitmap.MakeNonTransparentIcon(&opaque);
  TIcon copy;
  copy.Assign(&icon);
  DestroyIcon(copy.ReleaseHandle());
  copy.Assign(&opaque);
  TMemoryStream iconFile;
  copy.SaveToStream(iconFile);
  iconFile.SetPosition(0);
  copy.LoadFromStream(iconFile);
  scene.GetCanvas()->Draw(0, 0, &copy);

  TComponent owner(nullptr);
  auto* list = new TImageList(&owner);
  list->AddMasked(&bitmap, clFuchsia);
  list->Add(&bitmap, nullptr);
  list->AddIcon(&icon);
  list->GetIcon(0, copy);
  list->GetBitmap(1, scene);
  list->Draw(scene.GetCanvas(), 0, 0, 2);
  String text = WriteComponentToText(&owner);
  list->Delete(0);
  TComponent again(nullptr);
  ReadComponentFromText(text, &again);
}

}  // namespace

TEST(Leaks, ThousandRoundsLeaveGdiAndUserObjectCountsUnchanged) {
  // The counter sees objects come and go (it is not a stub answering 0).
  int start = CountGdiObjects();
  if (start >= 0) {
    HFONT probe = CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(start + 1, CountGdiObjects());
    DeleteObject(probe);
    EXPECT_EQ(start, CountGdiObjects());
  }

  UseEverything();  // fills the system's caches (stock objects, fonts, common controls)
  HANDLE process = GetCurrentProcess();
  DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  int objects = CountGdiObjects();
  for (int i = 0; i < 1000; ++i) UseEverything();
  EXPECT_EQ(objects, CountGdiObjects());
  EXPECT_EQ(gdi, GetGuiResources(process, GR_GDIOBJECTS));
  EXPECT_EQ(user, GetGuiResources(process, GR_USEROBJECTS));
}

TEST(Leaks, CounterSeesALeakedIcon) {
  // Icons are USER objects, which Wine does not count; each holds GDI bitmaps, which it does.
  int start = CountGdiObjects();
  if (start < 0) GTEST_SKIP() << "no GDI handle table on this platform";
  TOrvBitmap bitmap;
  bitmap.SetSize(16, 16);
  TIcon icon;
  bitmap.MakeIcon(&icon);
  int withIcon = CountGdiObjects();
  HICON leaked = icon.ReleaseHandle();
  icon.Assign(nullptr);
  EXPECT_EQ(withIcon, CountGdiObjects());
  DestroyIcon(leaked);
  EXPECT_LT(CountGdiObjects(), withIcon) << "destroying the icon frees GDI objects";
}
