// TControlCanvas: a canvas on a control's window, for measuring and drawing outside of painting.
//
// The device context is obtained from the system when the canvas first needs one: the control's
// own window (made first when it does not exist yet), or for a graphic control its parent's
// window, with the origin moved to the control and drawing clipped to it. The context is given
// back to its window when the canvas is freed, gets another control, or FreeHandle is called.
// A new canvas keeps its own default font; the control's font is not applied.
#pragma once

#include "framework/graphics/Graphics.h"

namespace Tovix {

class TControl;

class TControlCanvas : public TCanvas {
  TOVIX_DECLARE_CLASS(TControlCanvas)

 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;

  // The control must outlive the canvas, or be replaced by null before it goes.
  TControl* GetControl() const { return control_; }
  void SetControl(TControl* control);
  // Gives the device context back to its window; the next drawing operation gets a new one.
  void FreeHandle();

 protected:
  // Without a control, or a graphic control without a parent, there is no context, and drawing
  // raises EInvalidGraphicOperation.
  void CreateHandle() override;

 private:
  TControl* control_ = nullptr;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  int savedState_ = 0;
};

}  // namespace Tovix
