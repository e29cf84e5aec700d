// TGraphic: the abstract picture (bitmap, icon) that canvases draw and form files keep.
#pragma once

#include "framework/classes/Streams.h"
#include "framework/graphics/Canvas.h"

namespace Tovix {

class TGraphic : public TPersistent {
  TOVIX_DECLARE_CLASS(TGraphic)

 public:
  virtual bool Empty() const = 0;
  virtual int GetWidth() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual int GetHeight() const = 0;
  virtual void SetHeight(int height) = 0;

  // Whether drawing leaves the picture's transparent parts see-through.
  bool GetTransparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);
  // Set by every change; cleared by nobody but the user. Setting it to true raises OnChange.
  bool GetModified() const { return modified_; }
  void SetModified(bool modified);

  // The picture in its file format, read from and written at the stream's position.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const String& fileName);
  // Writes a new file and then replaces fileName with it, so a failure leaves an old file as it was.
  void SaveToFile(const String& fileName);

  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

  // Form files keep a picture as binary "Data": its file format.
  void DefineProperties(TFiler& filer) override;

 protected:
  friend class TCanvas;
  // Draws the picture into rect of the canvas (stretched when the sizes differ).
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Marks the picture modified and raises OnChange.
  virtual void Changed();
  // The form-file data: by default the file format through the streams.
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream);

  // Set directly (without a change report) by operations that report one change for everything.
  bool transparent_ = false;

 private:
  bool modified_ = false;
  TNotifyEvent onChange_;
};

}  // namespace Tovix
