// The ImgList unit: TImageList, a list of same-sized images with masks, kept in a system image
// list (comctl32, 24-bit colour with masks).
#pragma once

#include "framework/classes/Component.h"
#include "framework/graphics/Graphics.h"
#include "framework/system/WinApi.h"

#include <commctrl.h>

namespace Tovix {

class TImageList : public TComponent {
  TOVIX_DECLARE_CLASS(TImageList)

 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  // Another image list: its size and a copy of its images.
  void Assign(TPersistent* source) override;

  // The size of every image, 16 x 16 by default. Changing it removes all images; sizes below 1
  // raise EInvalidGraphicOperation.
  int GetWidth() const { return width_; }
  void SetWidth(int width);
  int GetHeight() const { return height_; }
  void SetHeight(int height);

  int GetCount() const;
  // Adds the images of a bitmap (one per Width pixels across) with a monochrome mask (white is
  // transparent; null: all opaque) and returns the index of the first. The bitmaps are not changed.
  int Add(TBitmap* image, TBitmap* mask);
  // The same with the mask made from a colour (clDefault: the bitmap's transparent colour); the
  // list keeps the image with that colour blackened, the bitmap given is not changed.
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  // Image index as a new icon (made from the image and its mask), handed to icon.
  void GetIcon(int index, TIcon& icon);
  // Draws image index with its mask onto bitmap, which is first given the list's image size (its
  // see-through parts keep what the bitmap showed: white for a new bitmap).
  void GetBitmap(int index, TBitmap& bitmap);
  // Draws image index with its mask at (x, y).
  void Draw(TCanvas* canvas, int x, int y, int index);
  void Delete(int index);
  void Clear();

  // The system image list, made on first demand; the list owns it.
  HIMAGELIST GetHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

  // Form files keep the images as binary "Bitmap": a BMP of the images side by side (24 bits)
  // followed by a BMP of their masks (1 bit).
  void DefineProperties(TFiler& filer) override;

 protected:
  // Raises OnChange.
  virtual void Change();

 private:
  // Raises EInvalidGraphicOperation for an index that names no image.
  void CheckIndex(int index) const;
  void SetSize(int width, int height);
  TBytes WriteImages();
  void ReadImages(const TBytes& bytes);

  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
  TNotifyEvent onChange_;
};

TOVIX_LINK_CLASS(TImageList)

}  // namespace Tovix
