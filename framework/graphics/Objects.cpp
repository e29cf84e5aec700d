#include "framework/graphics/Objects.h"

#include <cstring>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/graphics/FontCache.h"

namespace Tovix {

namespace {

// Deletes a GDI object the tool made, if any, and forgets it.
template <typename H>
void DeleteGdiObject(H& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

[[noreturn]] void RaiseOutOfResources(const char* what) {
  throw EOutOfResources(Format("Out of system resources: cannot create a %s", what));
}

struct CharsetName {
  int charset;
  const char* name;
};

const CharsetName kCharsetNames[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},       {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},   {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},     {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"}, {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},   {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},   {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},       {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"}};

}  // namespace

// ---------------------------------------------------------------------------
// TGraphicsObject

TOVIX_IMPLEMENT_CLASS(TGraphicsObject, TPersistent) {}

void TGraphicsObject::Changed() { onChange_(this); }

// ---------------------------------------------------------------------------
// TFont

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

bool CharsetToIdent(int charset, String& ident) {
  for (const CharsetName& c : kCharsetNames)
    if (c.charset == charset) {
      ident = c.name;
      return true;
    }
  return false;
}

bool IdentToCharset(const String& ident, int& charset) {
  for (const CharsetName& c : kCharsetNames)
    if (SameText(ident, c.name)) {
      charset = c.charset;
      return true;
    }
  return false;
}

// Size is not stored: the height says the same thing exactly (as in the VCL). Only the pitch has a
// default; the others are always written, so that a font read back never keeps a value it
// happened to have before (one copied from a parent, say).
TOVIX_IMPLEMENT_CLASS(TFont, TGraphicsObject) {
  c.Property("Charset", &TFont::GetCharsetIdent, &TFont::SetCharsetIdent);
  c.Property("Color", &TFont::GetColor, &TFont::SetColor);
  c.Property("Height", &TFont::GetHeight, &TFont::SetHeight);
  c.Property("Name", &TFont::GetName, &TFont::SetName);
  c.Property("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault);
  c.Property("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
  c.Property("Style", &TFont::GetStyle, &TFont::SetStyle);
}

TFont::TFont() : name_("MS Sans Serif"), pixelsPerInch_(ScreenPixelsPerInch()) {
  height_ = -MulDiv(8, pixelsPerInch_, 72);
}

TFont::~TFont() { ReleaseSharedFont(handle_); }

void TFont::Changed() {
  // The listeners (a canvas with this font selected) let go of the old font before it is deleted.
  HFONT old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  ReleaseSharedFont(old);
}

bool TFont::Equals(const TFont& other) const {
  // The numbers first: they settle most comparisons without the name's.
  return height_ == other.height_ && color_ == other.color_ && style_ == other.style_ && charset_ == other.charset_ &&
         pitch_ == other.pitch_ && pixelsPerInch_ == other.pixelsPerInch_ && name_ == other.name_;
}

void TFont::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TFont*>(source);
  if (!other) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (Equals(*other)) return;
  name_ = other->name_;
  height_ = other->height_;
  color_ = other->color_;
  style_ = other->style_;
  charset_ = other->charset_;
  pitch_ = other->pitch_;
  pixelsPerInch_ = other->pixelsPerInch_;
  Changed();
}

void TFont::SetName(const String& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::GetSize() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDiv(size, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(int charset) {
  if (charset < 0 || charset > 255) throw EInvalidGraphicOperation(Format("Invalid font charset %d", charset));
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::SetPixelsPerInch(int pixelsPerInch) {
  if (pixelsPerInch <= 0) throw EInvalidGraphicOperation(Format("Invalid pixels per inch %d", pixelsPerInch));
  pixelsPerInch_ = pixelsPerInch;
}

HFONT TFont::GetHandle() {
  if (handle_) return handle_;
  LOGFONTA lf{};
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(charset_);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpVariable ? VARIABLE_PITCH : pitch_ == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  // The system takes at most 31 characters of a face name; the font keeps the full name.
  strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
  handle_ = AcquireSharedFont(lf);
  if (!handle_) RaiseOutOfResources("font");
  return handle_;
}

// ---------------------------------------------------------------------------
// TBrush

TOVIX_IMPLEMENT_CLASS(TBrush, TGraphicsObject) {
  c.Property("Color", &TBrush::GetColor, &TBrush::SetColor).Default(clWhite);
  c.Property("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
}

TBrush::~TBrush() { DeleteGdiObject(handle_); }

void TBrush::Changed() {
  HBRUSH old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  if (old) DeleteObject(old);
}

void TBrush::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBrush*>(source);
  if (!other) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == other->color_ && style_ == other->style_) return;
  color_ = other->color_;
  style_ = other->style_;
  Changed();
}

void TBrush::SetColor(TColor color) {
  // As in the VCL, giving a clear brush a colour (even its own) makes it solid again.
  if (color == color_ && style_ != bsClear) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::GetHandle() {
  if (handle_) return handle_;
  static const int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
  LOGBRUSH lb{};
  lb.lbColor = ColorToRGB(color_);
  if (style_ == bsSolid) {
    lb.lbStyle = BS_SOLID;
  } else if (style_ == bsClear) {
    lb.lbStyle = BS_NULL;
  } else {
    lb.lbStyle = BS_HATCHED;
    lb.lbHatch = static_cast<ULONG_PTR>(kHatches[style_]);
  }
  handle_ = CreateBrushIndirect(&lb);
  if (!handle_) RaiseOutOfResources("brush");
  return handle_;
}

// ---------------------------------------------------------------------------
// TPen

TOVIX_IMPLEMENT_CLASS(TPen, TGraphicsObject) {
  c.Property("Color", &TPen::GetColor, &TPen::SetColor).Default(clBlack);
  c.Property("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
  c.Property("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
}

TPen::~TPen() { DeleteGdiObject(handle_); }

void TPen::Changed() {
  HPEN old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  if (old) DeleteObject(old);
}

void TPen::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TPen*>(source);
  if (!other) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == other->color_ && width_ == other->width_ && style_ == other->style_) return;
  color_ = other->color_;
  width_ = other->width_;
  style_ = other->style_;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 0) throw EInvalidGraphicOperation(Format("Invalid pen width %d", width));
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HPEN TPen::GetHandle() {
  if (handle_) return handle_;
  static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  handle_ = CreatePen(kStyles[style_], width_, ColorToRGB(color_));
  if (!handle_) RaiseOutOfResources("pen");
  return handle_;
}

// ---------------------------------------------------------------------------
// Enumeration names for form files

const TEnumInfo& TEnumTraits<TFontStyle>::Info() {
  static const TEnumInfo info{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return info;
}

const TEnumInfo& TEnumTraits<TFontPitch>::Info() {
  static const TEnumInfo info{{"fpDefault", "fpVariable", "fpFixed"}};
  return info;
}

const TEnumInfo& TEnumTraits<TBrushStyle>::Info() {
  static const TEnumInfo info{
      {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
  return info;
}

const TEnumInfo& TEnumTraits<TPenStyle>::Info() {
  static const TEnumInfo info{{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
  return info;
}

}  // namespace Tovix
