#include "screenshots/Screenshots.h"

#include <algorithm>
#include <cstring>
#include <wincodec.h>

#include "framework/ComObj.h"
#include "framework/Controls.h"
#include "framework/graphics/Dib.h"

namespace Tovix {

namespace {

// A top-down 32-bit DIB section selected into a memory context of its own.
class TPrintSurface {
 public:
  TPrintSurface(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = TDibSection::HeaderOf(width, -height, 32);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = bitmap_ ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc_) {
      if (bitmap_) DeleteObject(bitmap_);
      throw EOutOfResources(Format("Cannot make a %d x %d picture", width, height));
    }
    old_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<const uint32_t*>(bits);
  }
  ~TPrintSurface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  TPrintSurface(const TPrintSurface&) = delete;
  TPrintSurface& operator=(const TPrintSurface&) = delete;

  HDC Dc() const { return dc_; }
  // The pixels, once the system has finished drawing into them.
  const uint32_t* Bits() const {
    GdiFlush();
    return bits_;
  }

 private:
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const uint32_t* bits_ = nullptr;
};

RECT WindowRectIn(HWND window, POINT origin) {
  RECT r;
  GetWindowRect(window, &r);
  OffsetRect(&r, -origin.x, -origin.y);
  return r;
}

RECT ClientRectIn(HWND window, POINT origin) {
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  OffsetRect(&r, -origin.x, -origin.y);
  return r;
}

// The child windows from the bottom of the Z-order to the top: the order they are drawn in.
std::vector<HWND> ChildrenBottomToTop(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  std::reverse(children.begin(), children.end());
  return children;
}

// Prints one part of a window into a picture of its own and lays it on shot at area.
void PrintPart(HWND window, UINT flags, const RECT& area, const TRect& clip, TScreenshot& shot) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  TPrintSurface surface(width, height);
  SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(surface.Dc()), flags);
  shot.Paste(surface.Bits(), width, height, area.left, area.top, clip);
}

// Prints window alone and lays it on shot, then its children. origin is the screen position of
// shot's top-left pixel. A window with a frame prints it and its client area separately: Wine
// draws the client area of a combined print at the frame's corner instead of inside the frame.
void PrintTree(HWND window, POINT origin, const TRect& clip, TScreenshot& shot) {
  RECT bounds = WindowRectIn(window, origin);
  RECT client = ClientRectIn(window, origin);
  if (EqualRect(&bounds, &client)) {
    PrintPart(window, PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND, bounds, clip, shot);
  } else {
    PrintPart(window, PRF_NONCLIENT, bounds, clip, shot);
    PrintPart(window, PRF_CLIENT | PRF_ERASEBKGND, client, clip, shot);
  }
  RECT childClip;
  if (!IntersectRect(&childClip, &clip, &client)) return;
  for (HWND child : ChildrenBottomToTop(window))
    if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) PrintTree(child, origin, childClip, shot);
}

TScreenshot ScreenshotOfWindow(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  TScreenshot shot(bounds.right - bounds.left, bounds.bottom - bounds.top);
  PrintTree(window, POINT{bounds.left, bounds.top}, Rect(0, 0, shot.GetWidth(), shot.GetHeight()), shot);
  return shot;
}

// ---------------------------------------------------------------------------
// PNG through WIC

// Holds one reference to a COM object and releases it.
template <typename T>
class TComRef {
 public:
  TComRef() = default;
  ~TComRef() {
    if (object_) object_->Release();
  }
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;

  T* operator->() const { return object_; }
  T* Get() const { return object_; }
  // Where a creating call stores the new object.
  T** Out() { return &object_; }
  void** OutVoid() { return reinterpret_cast<void**>(&object_); }

 private:
  T* object_ = nullptr;
};

// COM for the current thread while the object lives; a thread that already has COM keeps it.
class TComScope {
 public:
  TComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

 private:
  HRESULT result_;
};

std::wstring WideFileName(const String& fileName) {
  int length = MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

void EncodePng(const String& fileName, const std::vector<uint32_t>& pixels, int width, int height) {
  TComScope com;
  TComRef<IWICImagingFactory> factory;
  OleCheck(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, factory.OutVoid()));
  TComRef<IWICStream> stream;
  OleCheck(factory->CreateStream(stream.Out()));
  OleCheck(stream->InitializeFromFilename(WideFileName(fileName).c_str(), GENERIC_WRITE));
  TComRef<IWICBitmapEncoder> encoder;
  OleCheck(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out()));
  OleCheck(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
  TComRef<IWICBitmapFrameEncode> frame;
  TComRef<IPropertyBag2> options;
  OleCheck(encoder->CreateNewFrame(frame.Out(), options.Out()));
  OleCheck(frame->Initialize(options.Get()));
  OleCheck(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  OleCheck(frame->SetPixelFormat(&format));
  if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGR))
    throw EOleSysError("The PNG encoder does not take 32-bit BGR pixels", WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
  UINT stride = static_cast<UINT>(width) * 4;
  auto* bytes = reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels.data()));
  OleCheck(frame->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height), bytes));
  OleCheck(frame->Commit());
  OleCheck(encoder->Commit());
}

}  // namespace

// ---------------------------------------------------------------------------
// TScreenshot

TScreenshot::TScreenshot(int width, int height) {
  if (width < 0 || height < 0) throw EInvalidOperation(Format("A picture cannot be %d x %d pixels", width, height));
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

TColor TScreenshot::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    throw EInvalidOperation(Format("Pixel %d,%d lies outside the %d x %d picture", x, y, width_, height_));
  uint32_t bgr = pixels_[static_cast<size_t>(y) * width_ + x];
  return static_cast<TColor>(((bgr >> 16) & 0xFF) | (bgr & 0xFF00) | ((bgr & 0xFF) << 16));
}

void TScreenshot::Paste(const uint32_t* source, int width, int height, int left, int top, const TRect& clip) {
  RECT target{left, top, left + width, top + height};
  RECT picture{0, 0, width_, height_};
  RECT area;
  if (!IntersectRect(&area, &target, &clip) || !IntersectRect(&area, &area, &picture)) return;
  size_t count = static_cast<size_t>(area.right - area.left);
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* from = source + static_cast<size_t>(y - top) * width + (area.left - left);
    std::memcpy(&pixels_[static_cast<size_t>(y) * width_ + area.left], from, count * sizeof(uint32_t));
  }
}

TScreenshot TScreenshot::Crop(const TRect& rect) const {
  RECT picture{0, 0, width_, height_};
  RECT area;
  if (!IntersectRect(&area, &rect, &picture)) return TScreenshot();
  TScreenshot part(area.right - area.left, area.bottom - area.top);
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* row = &pixels_[static_cast<size_t>(y) * width_];
    std::copy(row + area.left, row + area.right, &part.pixels_[static_cast<size_t>(y - area.top) * part.width_]);
  }
  return part;
}

void TScreenshot::CopyToBitmap(TBitmap& bitmap) const {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(bitmap.GetScanLine(y), &pixels_[static_cast<size_t>(y) * width_], static_cast<size_t>(width_) * sizeof(uint32_t));
  if (!Empty()) bitmap.SetModified(true);
}

void TScreenshot::SaveToFile(const String& fileName) const {
  if (Empty()) throw EInvalidOperation("An empty picture cannot be saved");
  String temporary = fileName + ".tmp";
  try {
    EncodePng(temporary, pixels_, width_, height_);
  } catch (...) {
    DeleteFileA(temporary.c_str());
    throw;
  }
  if (!MoveFileExA(temporary.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    throw EWin32Error(Format("Cannot write %s: %s", fileName, SysErrorMessage(error)), error);
  }
}

// ---------------------------------------------------------------------------
// Taking pictures of controls

TScreenshot TakeScreenshot(TControl* control) {
  if (!control) throw EInvalidOperation("No control to take a picture of");
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) return ScreenshotOfWindow(windowed->GetHandle());
  TWinControl* parent = control->GetParent();
  if (!parent) throw EInvalidOperation(Format("Control '%s' has no parent window", control->GetName()));
  HWND window = parent->GetHandle();
  RECT frame;
  GetWindowRect(window, &frame);
  RECT bounds = ClientRectIn(window, POINT{frame.left, frame.top});
  TRect area = control->GetBoundsRect();
  OffsetRect(&area, bounds.left, bounds.top);
  return ScreenshotOfWindow(window).Crop(area);
}

void SaveScreenshot(TControl* control, const String& fileName) { TakeScreenshot(control).SaveToFile(fileName); }

}  // namespace Tovix
