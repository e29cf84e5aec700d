// Fonts, brushes, pens and canvases on real device contexts; MinimizeName.
#include <gtest/gtest.h>

#include "framework/FileCtrl.h"
#include "framework/Graphics.h"
#include "tests/support/GraphicsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

LOGFONTA LogFontOf(HFONT font) {
  LOGFONTA lf{};
  GetObjectA(font, sizeof(lf), &lf);
  return lf;
}

// A memory device context for measuring, deleted afterwards.
class TMemoryDC {
 public:
  TMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  ~TMemoryDC() { DeleteDC(dc_); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// What the platform measures for text in the default font, made without the framework.
SIZE MeasureWithDefaultFont(HDC dc, const String& text) {
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                           DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  return size;
}

}  // namespace

TEST(Font, DefaultsAndSizeHeightConversionAsTheVcl) {
  TFont font;
  EXPECT_EQ("MS Sans Serif", font.GetName());
  EXPECT_EQ(96, font.GetPixelsPerInch());
  EXPECT_EQ(8, font.GetSize());
  EXPECT_EQ(-11, font.GetHeight());
  EXPECT_EQ(clWindowText, font.GetColor());
  EXPECT_TRUE(font.GetStyle().Empty());
  EXPECT_EQ(DEFAULT_CHARSET, font.GetCharset());
  EXPECT_EQ(fpDefault, font.GetPitch());

  font.SetSize(12);
  EXPECT_EQ(-16, font.GetHeight());
  font.SetHeight(-13);
  EXPECT_EQ(10, font.GetSize()) << "-MulDiv(-13, 72, 96) rounds 9.75 to 10";
  font.SetHeight(20);
  EXPECT_EQ(-15, font.GetSize()) << "a cell height gives a negative size, as in the VCL";
  font.SetHeight(-16);
  font.SetPixelsPerInch(120);
  EXPECT_EQ(-16, font.GetHeight()) << "the height stays";
  EXPECT_EQ(10, font.GetSize());
  EXPECT_THROW(font.SetPixelsPerInch(0), EInvalidGraphicOperation);
}

TEST(Font, HandleIsMadeOnDemandAndRemadeAfterEachChange) {
  TFont font;
  EXPECT_FALSE(font.HandleAllocated());
  HFONT first = font.GetHandle();
  EXPECT_EQ(first, font.GetHandle());
  LOGFONTA lf = LogFontOf(first);
  EXPECT_EQ(-11, lf.lfHeight);
  EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
  EXPECT_EQ(FW_NORMAL, lf.lfWeight);
  EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);

  font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
  EXPECT_FALSE(font.HandleAllocated());
  EXPECT_FALSE(GdiObjectAlive(first)) << "the font deletes the handle made from its old settings";
  lf = LogFontOf(font.GetHandle());
  EXPECT_EQ(FW_BOLD, lf.lfWeight);
  EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);

  font.SetCharset(RUSSIAN_CHARSET);
  font.SetPitch(fpFixed);
  font.SetSize(14);
  lf = LogFontOf(font.GetHandle());
  EXPECT_EQ(RUSSIAN_CHARSET, lf.lfCharSet);
  EXPECT_EQ(FIXED_PITCH, lf.lfPitchAndFamily & 3);
  EXPECT_EQ(-19, lf.lfHeight);

  // The font keeps a long name; the system takes 31 characters of it.
  String longName(40, 'x');
  font.SetName(longName);
  EXPECT_EQ(longName, font.GetName());
  EXPECT_EQ(String(31, 'x'), LogFontOf(font.GetHandle()).lfFaceName);

  // Fonts of the same settings share one handle, deleted when the last of them lets go.
  HFONT last = font.GetHandle();
  { TFont same; same.Assign(&font); EXPECT_EQ(last, same.GetHandle()); }
  EXPECT_TRUE(GdiObjectAlive(last)) << "still held by the first font";
  { TFont gone; gone.Assign(&font); gone.SetHeight(-23); last = gone.GetHandle(); }
  EXPECT_FALSE(GdiObjectAlive(last)) << "a freed font deletes its handle";
  EXPECT_THROW(font.SetCharset(256), EInvalidGraphicOperation);
  EXPECT_THROW(font.SetCharset(-1), EInvalidGraphicOperation);
  EXPECT_EQ(RUSSIAN_CHARSET, font.GetCharset());
}

TEST(Font, OnChangeOncePerRealChangeAndAssignCopiesEverything) {
  TFont font;
  int changes = 0;
  font.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(&font, sender);
    ++changes;
  });
  font.SetName("Arial");
  font.SetName("Arial");
  font.SetSize(8);  // unchanged height
  font.SetColor(clRed);
  font.SetStyle({fsItalic});
  font.SetCharset(0);
  font.SetPitch(fpVariable);
  EXPECT_EQ(5, changes);

  TFont source;
  source.SetName("Courier New");
  source.SetHeight(-20);
  source.SetColor(clBlue);
  source.SetStyle({fsBold, fsUnderline});
  source.SetCharset(GREEK_CHARSET);
  source.SetPitch(fpFixed);
  changes = 0;
  font.Assign(&source);
  EXPECT_EQ(1, changes) << "one change for the whole copy";
  EXPECT_EQ("Courier New", font.GetName());
  EXPECT_EQ(-20, font.GetHeight());
  EXPECT_EQ(clBlue, font.GetColor());
  EXPECT_EQ((TFontStyles{fsBold, fsUnderline}), font.GetStyle());
  EXPECT_EQ(GREEK_CHARSET, font.GetCharset());
  EXPECT_EQ(fpFixed, font.GetPitch());
  font.Assign(&source);
  EXPECT_EQ(1, changes) << "assigning an equal font changes nothing";

  TBrush brush;
  EXPECT_THROW(font.Assign(&brush), EConvertError);
}

TEST(BrushAndPen, SettingsReachTheirGdiObjects) {
  TBrush brush;
  int changes = 0;
  brush.SetOnChange([&](TObject*) { ++changes; });
  brush.SetColor(clBtnFace);
  HBRUSH solid = brush.GetHandle();
  LOGBRUSH lb{};
  GetObjectA(solid, sizeof(lb), &lb);
  EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), lb.lbColor) << "system colours are resolved";
  brush.SetStyle(bsClear);
  EXPECT_FALSE(GdiObjectAlive(solid));
  GetObjectA(brush.GetHandle(), sizeof(lb), &lb);
  EXPECT_EQ(static_cast<UINT>(BS_NULL), lb.lbStyle);
  brush.SetStyle(bsDiagCross);
  GetObjectA(brush.GetHandle(), sizeof(lb), &lb);
  EXPECT_EQ(static_cast<ULONG_PTR>(HS_DIAGCROSS), lb.lbHatch);
  brush.SetStyle(bsClear);
  brush.SetColor(clBtnFace);
  EXPECT_EQ(bsSolid, brush.GetStyle()) << "a colour makes a clear brush solid, as in the VCL";
  EXPECT_EQ(5, changes);

  TPen pen;
  pen.SetColor(clLime);
  pen.SetWidth(3);
  pen.SetStyle(psDash);
  LOGPEN lp{};
  GetObjectA(pen.GetHandle(), sizeof(lp), &lp);
  EXPECT_EQ(static_cast<UINT>(PS_DASH), lp.lopnStyle);
  EXPECT_EQ(3, lp.lopnWidth.x);
  EXPECT_EQ(0x00FF00u, lp.lopnColor);
  EXPECT_THROW(pen.SetWidth(-1), EInvalidGraphicOperation);
  TPen copy;
  copy.Assign(&pen);
  EXPECT_EQ(psDash, copy.GetStyle());
  EXPECT_EQ(3, copy.GetWidth());
}

TEST(Canvas, MeasuresWithItsOwnDefaultFontWhateverTheContextHeld) {
  TMemoryDC dc;
  const String text = "...1234567890";
  SIZE expected = MeasureWithDefaultFont(dc.Get(), text);
  ASSERT_GT(expected.cx, 0);

  // The context comes with a big font selected, as a control's context may.
  HFONT big = CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ original = SelectObject(dc.Get(), big);
  {
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    SIZE size = canvas.TextExtent(text);
    EXPECT_EQ(expected.cx, size.cx);
    EXPECT_EQ(expected.cy, size.cy);
    EXPECT_EQ(expected.cx, canvas.TextWidth(text));
    EXPECT_EQ(expected.cy, canvas.TextHeight(text));
    EXPECT_EQ(canvas.GetFont()->GetHandle(), GetCurrentObject(dc.Get(), OBJ_FONT));

    // A change of the selected font: the old one is deselected and deleted, the new one used.
    HFONT old = canvas.GetFont()->GetHandle();
    canvas.GetFont()->SetSize(20);
    EXPECT_FALSE(GdiObjectAlive(old));
    EXPECT_EQ(big, GetCurrentObject(dc.Get(), OBJ_FONT)) << "the context's own font is back meanwhile";
    EXPECT_GT(canvas.TextHeight(text), expected.cy);
  }
  EXPECT_EQ(OBJ_MEMDC, static_cast<int>(GetObjectType(dc.Get()))) << "the canvas never deletes a context it was given";
  EXPECT_EQ(big, GetCurrentObject(dc.Get(), OBJ_FONT)) << "the canvas selects back what the context held";
  SelectObject(dc.Get(), original);
  DeleteObject(big);
}

TEST(Canvas, ToolsAreDeselectedWhenTheContextChanges) {
  TMemoryDC first, second;
  HGDIOBJ firstPen = GetCurrentObject(first.Get(), OBJ_PEN);
  HGDIOBJ firstBrush = GetCurrentObject(first.Get(), OBJ_BRUSH);
  TCanvas canvas;
  canvas.SetHandle(first.Get());
  canvas.RequiredState({TCanvas::csPenValid, TCanvas::csBrushValid, TCanvas::csFontValid});
  EXPECT_EQ(canvas.GetPen()->GetHandle(), GetCurrentObject(first.Get(), OBJ_PEN));
  canvas.SetHandle(second.Get());
  EXPECT_EQ(firstPen, GetCurrentObject(first.Get(), OBJ_PEN));
  EXPECT_EQ(firstBrush, GetCurrentObject(first.Get(), OBJ_BRUSH));
  canvas.TextWidth("x");
  EXPECT_EQ(canvas.GetFont()->GetHandle(), GetCurrentObject(second.Get(), OBJ_FONT));
  canvas.SetHandle(nullptr);
  EXPECT_FALSE(canvas.HandleAllocated());
  try {
    canvas.TextWidth("x");
    ADD_FAILURE() << "measured without a context";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ("Canvas does not allow drawing", e.Message());
  }
}

TEST(Canvas, DrawsWithItsBrushPenAndFont) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(20, 12);
  TCanvas& canvas = *bitmap.GetCanvas();
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(0, 0)) << "a new bitmap is white";
  EXPECT_EQ(-1, canvas.GetPixels(50, 50)) << "outside the surface";

  canvas.GetBrush()->SetColor(clRed);
  canvas.FillRect(Rect(1, 1, 4, 3));
  EXPECT_EQ(clRed, canvas.GetPixels(1, 1));
  EXPECT_EQ(clRed, canvas.GetPixels(3, 2));
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(4, 2)) << "the right edge is excluded";

  canvas.GetPen()->SetColor(clBlue);
  canvas.GetBrush()->SetColor(clLime);
  canvas.Rectangle(5, 0, 9, 4);
  EXPECT_EQ(clBlue, canvas.GetPixels(5, 0));
  EXPECT_EQ(clBlue, canvas.GetPixels(8, 3));
  EXPECT_EQ(clLime, canvas.GetPixels(6, 1));

  canvas.GetBrush()->SetColor(clNavy);
  canvas.FrameRect(Rect(10, 0, 14, 4));
  EXPECT_EQ(clNavy, canvas.GetPixels(10, 0));
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(11, 1)) << "a frame leaves the inside alone";

  canvas.GetPen()->SetColor(clFuchsia);
  canvas.MoveTo(0, 6);
  canvas.LineTo(5, 6);
  EXPECT_EQ(clFuchsia, canvas.GetPixels(4, 6));
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(5, 6)) << "the end point is excluded";
  EXPECT_EQ(5, canvas.GetPenPos().x);
  canvas.SetPenPos(Point(2, 3));
  EXPECT_EQ(3, canvas.GetPenPos().y);

  canvas.SetPixels(19, 11, clBtnFace);
  EXPECT_EQ(static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)), canvas.GetPixels(19, 11));

  // Text: drawn with the font colour on the brush; TextOut moves the pen to the text's end.
  canvas.GetBrush()->SetColor(clWhite);
  canvas.GetFont()->SetColor(clBlack);
  canvas.TextOut(0, 0, "W");
  EXPECT_EQ(canvas.TextWidth("W"), canvas.GetPenPos().x);
  // A clipped text fills its rectangle with the brush (the text itself may be smoothed into it)
  // and leaves everything outside the rectangle unchanged.
  canvas.GetBrush()->SetColor(clYellow);
  canvas.TextRect(Rect(15, 5, 18, 8), 15, 5, "WWWW");
  for (int y = 5; y < 8; ++y)
    for (int x = 15; x < 18; ++x) EXPECT_NE(0xFFFFFF, canvas.GetPixels(x, y)) << x << "," << y;
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(18, 5));
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(15, 8));
  EXPECT_EQ(0xFFFFFF, canvas.GetPixels(14, 6));
}

TEST(Canvas, CopyRectAndDrawingPictures) {
  TBitmap source;
  FillBitmap(source, 2, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456});
  TBitmap dest;
  dest.SetPixelFormat(pf24bit);
  dest.SetSize(6, 4);
  dest.GetCanvas()->CopyRect(Rect(0, 0, 2, 2), source.GetCanvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(0x123456, dest.GetCanvas()->GetPixels(1, 1));
  dest.GetCanvas()->Draw(2, 0, &source);
  EXPECT_EQ(0x00FF00, dest.GetCanvas()->GetPixels(3, 0));
  dest.GetCanvas()->StretchDraw(Rect(4, 0, 6, 4), &source);
  EXPECT_EQ(0x0000FF, dest.GetCanvas()->GetPixels(4, 1)) << "stretched twice as high";
  EXPECT_EQ(0x123456, dest.GetCanvas()->GetPixels(5, 3));
  dest.GetCanvas()->Draw(0, 0, nullptr);  // nothing to draw
  EXPECT_THROW(dest.GetCanvas()->CopyRect(Rect(0, 0, 1, 1), nullptr, Rect(0, 0, 1, 1)), EInvalidGraphicOperation);
}

TEST(MinimizeName, DropsLeadingDirectoriesThenDriveUntilItFits) {
  TMemoryDC dc;
  TCanvas canvas;
  canvas.SetHandle(dc.Get());
  const String path = "C:\\Program Files\\Common Files\\System\\readme.txt";
  const char* stages[] = {"C:\\...\\Common Files\\System\\readme.txt", "C:\\...\\System\\readme.txt",
                          "C:\\...\\readme.txt", "...\\readme.txt", "readme.txt"};
  EXPECT_EQ(path, MinimizeName(path, canvas, canvas.TextWidth(path)));
  int previous = canvas.TextWidth(path);
  for (const char* stage : stages) {
    int width = canvas.TextWidth(stage);
    ASSERT_LT(width, previous) << "each stage is narrower than the one before: " << stage;
    EXPECT_EQ(stage, MinimizeName(path, canvas, width));
    EXPECT_EQ(stage, MinimizeName(path, canvas, previous - 1));
    previous = width;
  }
  EXPECT_EQ("readme.txt", MinimizeName(path, canvas, 0)) << "the file name stays even when too wide";
  EXPECT_EQ("readme.txt", MinimizeName(path, canvas, -5));

  // Paths without a drive, with a file name only, and a drive-relative name.
  EXPECT_EQ("\\...\\dir\\f.txt", MinimizeName("\\server\\share\\dir\\f.txt", canvas,
                                               canvas.TextWidth("\\...\\dir\\f.txt")));
  EXPECT_EQ("...\\f.txt", MinimizeName("\\server\\share\\dir\\f.txt", canvas, canvas.TextWidth("...\\f.txt")));
  EXPECT_EQ("longname.txt", MinimizeName("longname.txt", canvas, 1));
  EXPECT_EQ("f.txt", MinimizeName("C:f.txt", canvas, canvas.TextWidth("f.txt")));
  EXPECT_EQ("", MinimizeName("", canvas, 0));
}
