// Drawing tools: fonts, brushes and pens.
//
// Each tool keeps its settings as properties and makes the matching GDI object (its Handle) on
// first demand. A change of any setting raises OnChange and then deletes the GDI object, which
// is made again from the new settings when next asked for; a canvas that has the old object
// selected hears OnChange first and deselects it. The tool owns its GDI object and deletes it
// when it is freed.
#pragma once

#include "framework/classes/Persistent.h"
#include "framework/system/Events.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Exceptions.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// The base of the drawing tools: a persistent object that reports its changes.
class TGraphicsObject : public TPersistent {
  TOVIX_DECLARE_CLASS(TGraphicsObject)

 public:
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

 protected:
  // Raises OnChange with this object as the sender.
  virtual void Changed();

 private:
  TNotifyEvent onChange_;
};

// ---------------------------------------------------------------------------
// Fonts

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// A character set number 0-255 as form files spell it (DEFAULT_CHARSET, RUSSIAN_CHARSET, or a
// number). Code uses plain ints; this type only gives the published property its names.
enum TFontCharset : int {};

// The pixels per inch of the screen, which font sizes are converted with (96 on these machines).
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
  TOVIX_DECLARE_CLASS(TFont)

 public:
  // "MS Sans Serif", 8 points, clWindowText, no style, DEFAULT_CHARSET, fpDefault.
  TFont();
  ~TFont() override;

  // Copies every setting of another font and raises OnChange once when anything differed.
  void Assign(TPersistent* source) override;
  // Whether other describes the same font (name, size, colour, style, character set, pitch).
  bool Equals(const TFont& other) const;

  const String& GetName() const { return name_; }
  void SetName(const String& name);
  // The height in pixels; negative for the character height, positive for the cell height.
  int GetHeight() const { return height_; }
  void SetHeight(int height);
  // The size in points, converted from and to the height with PixelsPerInch as the VCL does:
  // Height = -MulDiv(Size, PixelsPerInch, 72) and Size = -MulDiv(Height, 72, PixelsPerInch).
  int GetSize() const;
  void SetSize(int size);
  TColor GetColor() const { return color_; }
  void SetColor(TColor color);
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles style);
  // 0-255; raises EInvalidGraphicOperation for anything else.
  int GetCharset() const { return charset_; }
  void SetCharset(int charset);
  TFontPitch GetPitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  // Changing it keeps the height and so changes the size in points; must be positive.
  int GetPixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int pixelsPerInch);

  // The GDI font for the current settings, made on first demand. The font keeps ownership.
  HFONT GetHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  // Form-file spelling of the character set (see TFontCharset).
  TFontCharset GetCharsetIdent() const { return static_cast<TFontCharset>(charset_); }
  void SetCharsetIdent(TFontCharset charset) { SetCharset(charset); }

 protected:
  // Raises OnChange, then deletes the GDI font made from the old settings.
  void Changed() override;

 private:
  String name_;
  int height_;
  int pixelsPerInch_;
  TColor color_ = clWindowText;
  TFontStyles style_;
  int charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  HFONT handle_ = nullptr;
};

// ---------------------------------------------------------------------------
// Brushes

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  TOVIX_DECLARE_CLASS(TBrush)

 public:
  TBrush() = default;
  ~TBrush() override;

  void Assign(TPersistent* source) override;

  // clWhite by default.
  TColor GetColor() const { return color_; }
  void SetColor(TColor color);
  // bsSolid by default; bsClear paints nothing.
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle style);

  HBRUSH GetHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  void Changed() override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  HBRUSH handle_ = nullptr;
};

// ---------------------------------------------------------------------------
// Pens

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
  TOVIX_DECLARE_CLASS(TPen)

 public:
  TPen() = default;
  ~TPen() override;

  void Assign(TPersistent* source) override;

  // clBlack by default.
  TColor GetColor() const { return color_; }
  void SetColor(TColor color);
  // 1 by default; 0 also draws one pixel wide; negative widths raise EInvalidGraphicOperation.
  int GetWidth() const { return width_; }
  void SetWidth(int width);
  // psSolid by default; psClear draws nothing.
  TPenStyle GetStyle() const { return style_; }
  void SetStyle(TPenStyle style);

  HPEN GetHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  void Changed() override;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  HPEN handle_ = nullptr;
};

template <>
struct TEnumTraits<TFontStyle> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TFontPitch> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TBrushStyle> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TPenStyle> {
  static const TEnumInfo& Info();
};

// Character set names ("DEFAULT_CHARSET") and their numbers.
bool CharsetToIdent(int charset, String& ident);
bool IdentToCharset(const String& ident, int& charset);

template <>
struct TIdentTraits<TFontCharset> {
  static bool ToIdent(int value, String& ident) { return CharsetToIdent(value, ident); }
  static bool FromIdent(const String& ident, int& value) { return IdentToCharset(ident, value); }
};

}  // namespace Tovix
