// TPanel: a rectangle that holds other controls, with an outer and an inner bevel, a border of
// its own colour between them, and a caption drawn in its middle.
#pragma once

#include "framework/classes/Alignment.h"
#include "framework/forms/Forms.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

// bvSpace is a band of the panel's own colour.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  TOVIX_DECLARE_CLASS(TCustomPanel)

 public:
  // 185 x 41 pixels, clBtnFace, a raised outer bevel 1 pixel wide, the caption centred.
  explicit TCustomPanel(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  // At least 1; smaller values are taken as 1.
  int GetBevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  // The band of the panel's colour between the bevels; 0 or more.
  int GetBorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  // bsSingle gives the window a sunken client edge (a plain border without Ctl3D); any other
  // value is taken as bsNone.
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  // The client area less the bevels and the border: where aligned children go.
  TRect GetInnerRect() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void Paint() override;
  void CMTextChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);

  bool IsColorStored() const { return !GetParentColor(); }
  bool IsFontStored() const { return !GetParentFont(); }
  bool IsShowHintStored() const { return !GetParentShowHint(); }
  bool IsCtl3DStored() const { return !GetParentCtl3D(); }

 private:
  void BordersChanged();

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
  TOVIX_DECLARE_CLASS(TPanel)

 public:
  using TCustomPanel::TCustomPanel;
};

template <>
struct TEnumTraits<TBevelCut> {
  static const TEnumInfo& Info();
};

TOVIX_LINK_CLASS(TPanel)

}  // namespace Tovix
