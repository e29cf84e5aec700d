// TSpeedButton: a button without a window of its own, painted on its parent, with a glyph and
// an optional caption. Buttons with the same GroupIndex (not 0) under one parent act as a group:
// pressing one puts it Down and releases the one that was down; AllowAllUp lets the down one be
// released by a second press. A Flat button shows no frame until the mouse is over it.
#pragma once

#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TSpeedButton : public TGraphicControl {
  TOVIX_DECLARE_CLASS(TSpeedButton)

 public:
  // 23 x 22 pixels, no glyph, Margin -1 (centred), Spacing 4, glyph left of the caption.
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  void Click() override;

  TBitmap* GetGlyph() const { return glyph_->GetGlyph(); }
  void SetGlyph(TBitmap* value);
  int GetNumGlyphs() const { return glyph_->GetNumGlyphs(); }
  void SetNumGlyphs(int value);
  bool GetFlat() const { return flat_; }
  void SetFlat(bool value);
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  // Always false outside a group. Setting it releases the group's other button.
  bool GetDown() const { return down_; }
  void SetDown(bool value);
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int GetMargin() const { return margin_; }
  void SetMargin(int value);
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int value);

  // What the button shows: up, disabled, pressed (down) or held down in a group (exclusive).
  TButtonState GetState() const { return state_; }
  // Whether the mouse is over a flat button (it then shows its raised frame).
  bool GetMouseInControl() const { return mouseInControl_; }

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // The glyph engine, for descendants that draw more.
  TButtonGlyph& ButtonGlyph() { return *glyph_; }

  void CMButtonPressed(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  void GlyphChanged(TObject* sender);
  // Tells the other buttons of the group (through the parent) that this one is down.
  void UpdateExclusive();
  bool ContainsPoint(int x, int y) const;
  bool IsFontStored() const { return !GetParentFont(); }
  bool IsShowHintStored() const { return !GetParentShowHint(); }

  std::unique_ptr<TButtonGlyph> glyph_;
  TButtonState state_ = bsUp;
  bool down_ = false;
  bool dragging_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool mouseInControl_ = false;
  int groupIndex_ = 0;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

TOVIX_LINK_CLASS(TSpeedButton)

}  // namespace Tovix
