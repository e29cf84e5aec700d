// TCustomLabel: text painted on the parent (a graphic control), sized to its text, with an
// accelerator that focuses another control; TLabel publishes it.
#pragma once

#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TCustomLabel : public TGraphicControl {
  TOVIX_DECLARE_CLASS(TCustomLabel)

 public:
  explicit TCustomLabel(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  // Fits the bounds to the text (keeping the right edge of a right-justified label); true by default.
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // The control the caption's accelerator (the character after "&") focuses.
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);
  TTextLayout GetLayout() const { return layout_; }
  void SetLayout(TTextLayout v);
  // Whether "&" marks the accelerator (shown underlined) rather than being shown; true by default.
  bool GetShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  // Whether the parent shows through around the text; false by default.
  bool GetTransparent() const { return !controlStyle_.Contains(csOpaque); }
  void SetTransparent(bool v);
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);

 protected:
  // The text to show; the caption.
  virtual String GetLabelText() const;
  // Draws (or, with DT_CALCRECT, measures into rect) the text on the canvas with the label's font.
  virtual void DoDrawText(TRect& rect, UINT flags);
  void Paint() override;
  void AdjustBounds();
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  void CMTextChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TWinControl* focusControl_ = nullptr;
  TTextLayout layout_ = tlTop;
  bool showAccelChar_ = true;
  bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
  TOVIX_DECLARE_CLASS(TLabel)

 public:
  using TCustomLabel::TCustomLabel;
};

TOVIX_LINK_CLASS(TLabel)

}  // namespace Tovix
