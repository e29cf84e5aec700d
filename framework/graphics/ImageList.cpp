#include "framework/graphics/ImageList.h"

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TImageList, TComponent) {
  c.Property("Height", &TImageList::GetHeight, &TImageList::SetHeight).Default(16);
  c.Property("Width", &TImageList::GetWidth, &TImageList::SetWidth).Default(16);
  c.Property("OnChange", &TImageList::GetOnChange, &TImageList::SetOnChange);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TImageList::GetHandle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!handle_) throw EOutOfResources("Out of system resources: cannot create an image list");
    ImageList_SetBkColor(handle_, CLR_NONE);
  }
  return handle_;
}

void TImageList::Change() { onChange_(this); }

void TImageList::CheckIndex(int index) const {
  int count = GetCount();
  if (index < 0 || index >= count)
    throw EInvalidGraphicOperation(Format("Invalid image list index %d: the list holds %d images", index, count));
}

int TImageList::GetCount() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (width < 1 || height < 1) throw EInvalidGraphicOperation(Format("Invalid image size %d x %d", width, height));
  width_ = width;
  height_ = height;
  if (handle_) ImageList_SetIconSize(handle_, width_, height_);  // removes every image
  Change();
}

void TImageList::SetWidth(int width) { SetSize(width, height_); }

void TImageList::SetHeight(int height) { SetSize(width_, height); }

void TImageList::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TImageList*>(source);
  if (!other) {
    TComponent::Assign(source);
    return;
  }
  if (other == this) return;
  HIMAGELIST copy = other->handle_ ? ImageList_Duplicate(other->handle_) : nullptr;
  if (other->handle_ && !copy) throw EOutOfResources("Out of system resources: cannot copy an image list");
  if (handle_) ImageList_Destroy(handle_);
  handle_ = copy;
  width_ = other->width_;
  height_ = other->height_;
  Change();
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) throw EInvalidGraphicOperation("Cannot add an empty bitmap to an image list");
  // The system wants a monochrome mask; a coloured one is turned into one (white: transparent).
  TBitmap monochrome;
  HBITMAP maskHandle = nullptr;
  if (mask && !mask->Empty()) {
    if (mask->GetPixelFormat() == pf1bit) {
      maskHandle = mask->GetHandle();
    } else {
      monochrome.Assign(mask);
      monochrome.SetPixelFormat(pf1bit);
      maskHandle = monochrome.GetHandle();
    }
  }
  int index = ImageList_Add(GetHandle(), image->GetHandle(), maskHandle);
  if (index < 0) throw EInvalidGraphicOperation("Unable to add the image to the image list");
  Change();
  return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) throw EInvalidGraphicOperation("Cannot add an empty bitmap to an image list");
  if (maskColor == clDefault) maskColor = image->GetTransparentColor();
  // The system blackens the masked pixels of the bitmap it is given: give it a copy.
  TBitmap copy;
  copy.Assign(image);
  int index = ImageList_AddMasked(GetHandle(), copy.GetHandle(), ColorToRGB(maskColor) & 0xFFFFFF);
  if (index < 0) throw EInvalidGraphicOperation("Unable to add the image to the image list");
  Change();
  return index;
}

int TImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) throw EInvalidGraphicOperation("Cannot add an empty icon to an image list");
  int index = ImageList_ReplaceIcon(GetHandle(), -1, icon->GetHandle());
  if (index < 0) throw EInvalidGraphicOperation("Unable to add the icon to the image list");
  Change();
  return index;
}

void TImageList::GetIcon(int index, TIcon& icon) {
  CheckIndex(index);
  HICON made = ImageList_GetIcon(handle_, index, ILD_NORMAL);
  if (!made) throw EOutOfResources("Out of system resources: cannot create an icon");
  icon.SetHandle(made);
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) {
  CheckIndex(index);
  bitmap.SetSize(width_, height_);
  Draw(bitmap.GetCanvas(), 0, 0, index);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index) {
  if (!canvas) throw EInvalidGraphicOperation("Draw needs a canvas");
  CheckIndex(index);
  ImageList_DrawEx(handle_, index, canvas->GetHandle(), x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
  canvas->Changed();
}

void TImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(handle_, index);
  Change();
}

void TImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Change();
}

// ---------------------------------------------------------------------------
// Form-file data

void TImageList::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap", [this](const TBytes& bytes) { ReadImages(bytes); }, [this] { return WriteImages(); }, GetCount() > 0);
}

TBytes TImageList::WriteImages() {
  int count = GetCount();
  TBitmap images;
  images.SetPixelFormat(pf24bit);
  images.GetCanvas()->GetBrush()->SetColor(clBlack);
  images.SetSize(width_ * count, height_);
  TBitmap masks;
  masks.SetPixelFormat(pf1bit);
  masks.SetSize(width_ * count, height_);
  // The images drawn with their masks onto black give back exactly what the list holds.
  for (int i = 0; i < count; ++i) {
    ImageList_DrawEx(handle_, i, images.GetCanvas()->GetHandle(), i * width_, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    ImageList_DrawEx(handle_, i, masks.GetCanvas()->GetHandle(), i * width_, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  }
  TMemoryStream stream;
  images.SaveToStream(stream);
  masks.SaveToStream(stream);
  const auto* data = static_cast<const uint8_t*>(stream.GetMemory());
  return TBytes(data, data + stream.GetSize());
}

void TImageList::ReadImages(const TBytes& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  TBitmap images, masks;
  images.LoadFromStream(stream);
  masks.LoadFromStream(stream);
  int width = images.GetWidth();
  if (images.Empty() || images.GetHeight() != height_ || width % width_ != 0 || masks.GetWidth() != width ||
      masks.GetHeight() != height_)
    throw EInvalidGraphic(Format("Image list data does not fit images of %d x %d", width_, height_));
  masks.SetPixelFormat(pf1bit);
  Clear();
  if (ImageList_Add(GetHandle(), images.GetHandle(), masks.GetHandle()) < 0 || GetCount() != width / width_)
    throw EInvalidGraphic("Unable to read the image list's images");
  Change();
}

}  // namespace Tovix
