// TBitmap: a picture held as a DIB section, with a canvas to draw on it, a transparent colour and
// a cached monochrome mask of that colour.
//
// A bitmap is empty until it has a width and a height. Its pixel format is one of 1, 4, 8, 24 or
// 32 bits per pixel, or pfDevice (the default), the device format, which is held as 32 bits per
// pixel so that every colour stays exact. The palette formats use the framework's standard colour
// tables (see StandardColors) unless they come from a file or resource with a table of their own.
#pragma once

#include <memory>

#include "framework/graphics/BmpFile.h"
#include "framework/graphics/Graphic.h"

namespace Tovix {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
// Bits per pixel of a format; a device-dependent bitmap is kept in 32 bits.
int BitsPerPixel(TPixelFormat format);
enum TTransparentMode { tmAuto, tmFixed };

// The flag a colour carries when it was taken from the picture (tmAuto): palette-relative.
const int32_t kPaletteRelativeColor = 0x02000000;

class TBitmapCanvas;

class TBitmap : public TGraphic {
  TOVIX_DECLARE_CLASS(TBitmap)

 public:
  TBitmap();
  ~TBitmap() override;

  // A real copy of another bitmap's picture, format and transparency; null empties this one.
  void Assign(TPersistent* source) override;

  bool Empty() const override { return dib_.Empty(); }
  int GetWidth() const override { return width_; }
  void SetWidth(int width) override { SetSize(width, height_); }
  int GetHeight() const override { return height_; }
  void SetHeight(int height) override { SetSize(width_, height); }
  // Keeps the picture's top left part; new parts are filled with the canvas's brush (white at
  // first). A zero width or height empties the bitmap; negative ones raise EInvalidGraphicOperation.
  void SetSize(int width, int height);

  TPixelFormat GetPixelFormat() const { return pixelFormat_; }
  // Converts the picture, keeping it as far as the new format can show it.
  void SetPixelFormat(TPixelFormat format);
  // True for 1 bit per pixel; setting it converts to pf1bit, clearing it to pfDevice.
  bool GetMonochrome() const { return pixelFormat_ == pf1bit; }
  void SetMonochrome(bool monochrome);

  // A canvas drawing on the bitmap itself (through a memory device context of its own).
  TCanvas* GetCanvas();
  // The system bitmap (a DIB section), null when empty. The canvas lets go of it first, so it can
  // be handed to the system; the bitmap keeps ownership.
  HBITMAP GetHandle();
  // Takes ownership of a bitmap handle (null empties). The picture is copied into a DIB section
  // of the matching format and the handle given is deleted.
  void SetHandle(HBITMAP handle);
  // Gives up the system bitmap: the caller owns it and this bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  // Row row of the pixels (0 at the top) in the pixel format. Set Modified after writing to it.
  void* GetScanLine(int row);
  // The colour table of the palette formats as 0x00BBGGRR values; empty for 24 and 32 bits.
  std::vector<uint32_t> GetColorTable() const;

  // tmAuto: the colour of the bottom-left pixel with kPaletteRelativeColor in its top byte
  // (clDefault while empty). tmFixed: the colour set.
  TColor GetTransparentColor() const;
  // clDefault switches to tmAuto; any other colour is kept and switches to tmFixed.
  void SetTransparentColor(TColor color);
  TTransparentMode GetTransparentMode() const { return transparentMode_; }
  // tmFixed keeps the current colour as the fixed one.
  void SetTransparentMode(TTransparentMode mode);

  // Turns the bitmap into its monochrome mask for color: pixels of that colour (its low 24 bits,
  // system colours resolved) become white, all others black; the format becomes pf1bit.
  void Mask(TColor color);
  // The mask of the transparent colour, made on demand and kept until the picture or the colour
  // changes. The bitmap owns it.
  HBITMAP GetMaskHandle();
  // Gives up the cached mask: the caller owns what is returned (null when none was cached).
  HBITMAP ReleaseMaskHandle();

  // Reads a bitmap resource (RT_BITMAP) of a module; raises EResNotFound "Resource %s not found".
  void LoadFromResourceName(HINSTANCE instance, const String& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  // BMP format (see GraphicsBmpFile.h).
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Also drops the cached mask.
  void Changed() override;
  // Form-file data may carry the 4-byte length the VCL writes before the file.
  void ReadData(TStream& stream) override;

 private:
  friend class TBitmapCanvas;
  void CanvasChanged(TObject* sender);
  // The canvas lets go of the picture (before the picture is replaced or handed out).
  void FreeContext();
  void FreeMask();
  // Replaces the picture (format kept as the caller says) and reports the change.
  void SetPicture(TDibSection dib, TPixelFormat format);
  TDibSection NewPicture(int width, int height, TPixelFormat format) const;
  void LoadPicture(TBmpPicture picture);

  TDibSection dib_;
  int width_ = 0;
  int height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
  std::unique_ptr<TBitmapCanvas> canvas_;
  HBITMAP mask_ = nullptr;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};

// The canvas of a bitmap: a memory device context with the bitmap selected, made when drawing
// starts and freed when the bitmap's picture is replaced or handed out.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap& bitmap_;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

template <>
struct TEnumTraits<TPixelFormat> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TTransparentMode> {
  static const TEnumInfo& Info();
};

}  // namespace Tovix
