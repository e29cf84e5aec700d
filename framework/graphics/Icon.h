// TIcon: owns a system icon (HICON) and draws it.
//
// The icon destroys the handle it holds when it is freed or given another one; ReleaseHandle
// hands the handle over to the caller instead. Icons always draw with their mask (Transparent
// is true).
#pragma once

#include "framework/graphics/Graphic.h"

namespace Tovix {

class TIcon : public TGraphic {
  TOVIX_DECLARE_CLASS(TIcon)

 public:
  TIcon();
  ~TIcon() override;

  // Another icon: a copy of its handle (CopyIcon), so both stay independent. Null empties.
  void Assign(TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  // An icon's size comes from its handle: these raise EInvalidGraphicOperation.
  void SetWidth(int width) override;
  void SetHeight(int height) override;

  HICON GetHandle() const { return handle_; }
  // Takes ownership of handle (null empties); the icon held before is destroyed.
  void SetHandle(HICON handle);
  // Gives the handle up: the caller owns it and this icon is empty afterwards.
  HICON ReleaseHandle();

  // Reads an icon resource of a module at its own size (its first image when it has several);
  // raises EResNotFound "Resource %s not found".
  void LoadFromResourceName(HINSTANCE instance, const String& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  // .ico format. An icon read from a stream is written back byte for byte (all its images);
  // otherwise the handle's picture is written as a one-image file.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void Take(HICON handle, TBytes fileBytes);

  HICON handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  // The file the handle was read from, if it was.
  TBytes fileBytes_;
};

}  // namespace Tovix
