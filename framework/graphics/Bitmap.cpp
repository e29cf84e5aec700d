#include "framework/graphics/Bitmap.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

TPixelFormat FormatOf(int bitCount) {
  switch (bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

}  // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
  }
}

// A bitmap has no published properties: form files keep its picture as binary Data.
TOVIX_IMPLEMENT_CLASS(TBitmap, TGraphic) {}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  FreeMask();
}

// ---------------------------------------------------------------------------
// The picture

void TBitmap::FreeContext() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::FreeMask() {
  if (mask_) DeleteObject(mask_);
  mask_ = nullptr;
}

void TBitmap::Changed() {
  FreeMask();
  TGraphic::Changed();
}

void TBitmap::CanvasChanged(TObject*) { Changed(); }

void TBitmap::SetPicture(TDibSection dib, TPixelFormat format) {
  FreeContext();
  dib_ = std::move(dib);
  if (!dib_.Empty()) {
    width_ = dib_.Width();
    height_ = dib_.Height();
  }
  pixelFormat_ = format;
  Changed();
}

TDibSection TBitmap::NewPicture(int width, int height, TPixelFormat format) const {
  int bits = BitsPerPixel(format);
  return TDibSection(width, height, bits, StandardColors(bits));
}

void TBitmap::Assign(TPersistent* source) {
  if (!source) {
    width_ = height_ = 0;
    SetPicture(TDibSection(), pixelFormat_);
    return;
  }
  auto* other = dynamic_cast<TBitmap*>(source);
  if (!other) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  TDibSection copy = other->dib_.Clone();
  width_ = other->width_;
  height_ = other->height_;
  transparentColor_ = other->transparentColor_;
  transparentMode_ = other->transparentMode_;
  transparent_ = other->transparent_;
  SetPicture(std::move(copy), other->pixelFormat_);
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw EInvalidGraphicOperation(Format("Invalid bitmap size %d x %d", width, height));
  if (width == width_ && height == height_) return;
  TDibSection next;
  if (width > 0 && height > 0) {
    next = dib_.Empty() ? NewPicture(width, height, pixelFormat_) : TDibSection(width, height, dib_.BitCount(), dib_.Colors());
    // New parts take the brush colour (white without a canvas), as in the VCL.
    TColor fill = canvas_ ? canvas_->GetBrush()->GetColor() : clWhite;
    std::vector<uint32_t> row(static_cast<size_t>(width), ColorToRGB(fill) & 0xFFFFFF);
    std::vector<uint32_t> old(static_cast<size_t>(dib_.Empty() ? 1 : dib_.Width()));
    TNearestColor nearest(next.Colors());
    TDibSection::Flush();
    for (int y = 0; y < height; ++y) {
      if (!dib_.Empty() && y < dib_.Height()) {
        dib_.ReadRow(y, old.data());
        std::copy_n(old.begin(), std::min(width, dib_.Width()), row.begin());
      } else if (!dib_.Empty() && y == dib_.Height()) {
        std::fill(row.begin(), row.end(), ColorToRGB(fill) & 0xFFFFFF);
      }
      WriteDibRow(next, y, row.data(), nearest);
    }
  }
  width_ = width;
  height_ = height;
  SetPicture(std::move(next), pixelFormat_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pixelFormat_) return;
  int bits = BitsPerPixel(format);
  SetPicture(dib_.Converted(bits, StandardColors(bits)), format);
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == GetMonochrome()) return;
  SetPixelFormat(monochrome ? pf1bit : pfDevice);
}

TCanvas* TBitmap::GetCanvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    canvas_->SetOnChange(TNotifyEvent(this, &TBitmap::CanvasChanged));
  }
  return canvas_.get();
}

HBITMAP TBitmap::GetHandle() {
  FreeContext();
  return dib_.Handle();
}

void TBitmap::SetHandle(HBITMAP handle) {
  if (handle && handle == dib_.Handle()) return;
  if (!handle) {
    width_ = height_ = 0;
    SetPicture(TDibSection(), pixelFormat_);
    return;
  }
  if (handle == mask_) mask_ = nullptr;  // our own cached mask: it is the caller's to give now
  TDibSection copy;
  {
    TScopeExit deleteBitmap([&] { DeleteObject(handle); });
    copy = TDibSection::CopyOf(handle);
  }
  int bits = copy.BitCount();
  SetPicture(std::move(copy), bits == 32 ? pfDevice : FormatOf(bits));
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP handle = dib_.Release();
  width_ = height_ = 0;
  Changed();
  return handle;
}

void* TBitmap::GetScanLine(int row) {
  if (Empty()) throw EInvalidGraphicOperation(Format("Scan line index %d out of range", row));
  TDibSection::Flush();
  return dib_.ScanLine(row);
}

std::vector<uint32_t> TBitmap::GetColorTable() const {
  const std::vector<RGBQUAD>& colors = dib_.Empty() ? StandardColors(BitsPerPixel(pixelFormat_)) : dib_.Colors();
  std::vector<uint32_t> table;
  for (const RGBQUAD& q : colors) table.push_back(RgbOf(q));
  return table;
}

// ---------------------------------------------------------------------------
// Transparency and masks

TColor TBitmap::GetTransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty()) return clDefault;
  TDibSection::Flush();
  return static_cast<TColor>(static_cast<int32_t>(dib_.PixelAt(0, height_ - 1)) | kPaletteRelativeColor);
}

void TBitmap::SetTransparentColor(TColor color) {
  TTransparentMode mode = color == clDefault ? tmAuto : tmFixed;
  if (color == transparentColor_ && mode == transparentMode_) return;
  transparentColor_ = color;
  transparentMode_ = mode;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  SetTransparentColor(mode == tmAuto ? clDefault : GetTransparentColor());
}

void TBitmap::Mask(TColor color) {
  SetPicture(dib_.MaskOf(ColorToRGB(color) & 0xFFFFFF), pf1bit);
}

HBITMAP TBitmap::GetMaskHandle() {
  if (Empty()) return nullptr;
  if (!mask_) mask_ = dib_.MaskOf(ColorToRGB(GetTransparentColor()) & 0xFFFFFF).Release();
  return mask_;
}

HBITMAP TBitmap::ReleaseMaskHandle() { return std::exchange(mask_, nullptr); }

// ---------------------------------------------------------------------------
// Drawing

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty()) return;
  HDC dest = canvas.GetHandle();
  TCanvas* own = GetCanvas();
  HDC source = own->GetHandle();
  int x = rect.left, y = rect.top, w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!GetTransparent()) {
    StretchBlt(dest, x, y, w, h, source, 0, 0, width_, height_, canvas.GetCopyMode());
    return;
  }
  // Where the mask is white the destination shows through: d ^ s, masked, ^ s gives d there and
  // s elsewhere. The mask is monochrome: black and white map to themselves.
  HBITMAP mask = GetMaskHandle();
  HDC maskDc = CreateCompatibleDC(nullptr);
  if (!maskDc) throw EOutOfResources("Out of system resources: cannot create a device context");
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
  StretchBlt(dest, x, y, w, h, source, 0, 0, width_, height_, SRCINVERT);
  StretchBlt(dest, x, y, w, h, maskDc, 0, 0, width_, height_, SRCAND);
  StretchBlt(dest, x, y, w, h, source, 0, 0, width_, height_, SRCINVERT);
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBack);
  SelectObject(maskDc, oldMask);
  DeleteDC(maskDc);
}

// ---------------------------------------------------------------------------
// Files, streams and resources

void TBitmap::LoadPicture(TBmpPicture picture) {
  if (picture.dib.Empty()) width_ = height_ = 0;
  SetPicture(std::move(picture.dib), FormatOf(picture.bitCount));
}

void TBitmap::LoadFromStream(TStream& stream) { LoadPicture(ReadBmpFile(stream)); }

void TBitmap::SaveToStream(TStream& stream) { WriteBmpFile(stream, dib_, BitsPerPixel(pixelFormat_)); }

void TBitmap::ReadData(TStream& stream) {
  // The VCL writes the file's length first; a file of our own starts with "BM" at once.
  uint8_t start[6] = {};
  int64_t position = stream.GetPosition();
  int64_t left = stream.GetSize() - position;
  if (left >= 6 && stream.Read(start, 6) == 6) {
    uint32_t length = start[0] | (start[1] << 8) | (start[2] << 16) | (static_cast<uint32_t>(start[3]) << 24);
    bool lengthFirst = !(start[0] == 'B' && start[1] == 'M') && start[4] == 'B' && start[5] == 'M' &&
                       static_cast<int64_t>(length) == left - 4;
    stream.SetPosition(lengthFirst ? position + 4 : position);
  }
  LoadFromStream(stream);
}

namespace {

// The packed DIB of a bitmap resource; raises EResNotFound naming it when the module has none.
TBmpPicture ReadBitmapResource(HINSTANCE instance, LPCSTR resourceName, const String& shownName) {
  HRSRC resource = FindResourceA(instance, resourceName, RT_BITMAP);
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EResNotFound(Format("Resource %s not found", shownName));
  return ReadPackedDib(data, SizeofResource(instance, resource));
}

}  // namespace

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name) {
  LoadPicture(ReadBitmapResource(instance, name.c_str(), name));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  LoadPicture(ReadBitmapResource(instance, MAKEINTRESOURCEA(id), IntToStr(id)));
}

// ---------------------------------------------------------------------------
// TBitmapCanvas

void TBitmapCanvas::CreateHandle() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfResources("Out of system resources: cannot create a device context");
  dc_ = dc;
  if (!bitmap_.dib_.Empty()) oldBitmap_ = SelectObject(dc_, bitmap_.dib_.Handle());
  SetHandle(dc_);
}

void TBitmapCanvas::FreeContext() {
  if (!dc_) return;
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
  oldBitmap_ = nullptr;
}

const TEnumInfo& TEnumTraits<TPixelFormat>::Info() {
  static const TEnumInfo info{{"pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf24bit", "pf32bit"}};
  return info;
}

const TEnumInfo& TEnumTraits<TTransparentMode>::Info() {
  static const TEnumInfo info{{"tmAuto", "tmFixed"}};
  return info;
}

}  // namespace Tovix
