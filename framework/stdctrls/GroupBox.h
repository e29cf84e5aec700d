// TCustomGroupBox: a framed box with a caption that holds other controls; TGroupBox publishes it.
#pragma once

#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TCustomGroupBox : public TCustomControl {
  TOVIX_DECLARE_CLASS(TCustomGroupBox)

 public:
  explicit TCustomGroupBox(TComponent* owner);

 protected:
  // Aligned children stay inside the frame, below the caption.
  void AlignControls(TControl* control, TRect& rect) override;
  void Paint() override;

  void CMDialogChar(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void WMSize(TMessage& m);

 private:
  // The height of a line of the caption in the control's font.
  int CaptionHeight();
  void InvalidateBox();
};

class TGroupBox : public TCustomGroupBox {
  TOVIX_DECLARE_CLASS(TGroupBox)

 public:
  using TCustomGroupBox::TCustomGroupBox;
};

TOVIX_LINK_CLASS(TGroupBox)

}  // namespace Tovix
