#include "framework/graphics/Icon.h"

#include "framework/graphics/IconFile.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

// An icon has no published properties: form files keep it as binary Data (an icon file).
TOVIX_IMPLEMENT_CLASS(TIcon, TGraphic) {}

TIcon::TIcon() { transparent_ = true; }

TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::Take(HICON handle, TBytes fileBytes) {
  int width = 0, height = 0;
  if (handle) {
    ICONINFO info{};
    if (!GetIconInfo(handle, &info)) {
      DestroyIcon(handle);
      throw EInvalidGraphic("Invalid icon handle");
    }
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    width = mask.bmWidth;
    // A monochrome icon's mask holds the AND mask and the image, one above the other.
    height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  if (handle_ && handle_ != handle) DestroyIcon(handle_);
  handle_ = handle;
  width_ = width;
  height_ = height;
  fileBytes_ = std::move(fileBytes);
  Changed();
}

void TIcon::SetHandle(HICON handle) {
  if (handle == handle_) return;
  Take(handle, TBytes());
}

HICON TIcon::ReleaseHandle() {
  HICON handle = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
  fileBytes_.clear();
  Changed();
  return handle;
}

void TIcon::Assign(TPersistent* source) {
  if (!source) {
    Take(nullptr, TBytes());
    return;
  }
  auto* other = dynamic_cast<TIcon*>(source);
  if (!other) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  HICON copy = nullptr;
  if (other->handle_) {
    copy = CopyIcon(other->handle_);
    if (!copy) throw EOutOfResources("Out of system resources: cannot copy an icon");
  }
  Take(copy, other->fileBytes_);
}

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::LoadFromResourceName(HINSTANCE instance, const String& name) {
  HANDLE loaded = LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  if (!loaded) throw EResNotFound(Format("Resource %s not found", name));
  Take(static_cast<HICON>(loaded), TBytes());
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id) {
  HANDLE loaded = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  if (!loaded) throw EResNotFound(Format("Resource %d not found", id));
  Take(static_cast<HICON>(loaded), TBytes());
}

void TIcon::LoadFromStream(TStream& stream) {
  TIconFile file = ReadIconFile(stream);
  Take(file.icon, std::move(file.bytes));
}

void TIcon::SaveToStream(TStream& stream) {
  if (!handle_) throw EInvalidGraphicOperation("Cannot save an empty icon");
  if (!fileBytes_.empty()) stream.WriteBuffer(fileBytes_.data(), static_cast<int>(fileBytes_.size()));
  else WriteIconFile(stream, handle_);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
  if (!handle_) return;
  DrawIconEx(canvas.GetHandle(), rect.left, rect.top, handle_, rect.right - rect.left, rect.bottom - rect.top, 0,
             nullptr, DI_NORMAL);
}

}  // namespace Tovix
