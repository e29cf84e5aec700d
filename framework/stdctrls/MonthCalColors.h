// TMonthCalColors: the six colours of a month calendar (the system's MCSC_* parts, in their
// order), as a calendar or the drop-down calendar of a date-time picker shows them.
#pragma once

#include "framework/classes/Persistent.h"
#include "framework/graphics/Colors.h"

namespace Tovix {

class TMonthCalColors : public TPersistent {
  TOVIX_DECLARE_CLASS(TMonthCalColors)

 public:
  TMonthCalColors() = default;

  TColor GetBackColor() const { return colors_[0]; }
  void SetBackColor(TColor v) { colors_[0] = v; }
  TColor GetTextColor() const { return colors_[1]; }
  void SetTextColor(TColor v) { colors_[1] = v; }
  TColor GetTitleBackColor() const { return colors_[2]; }
  void SetTitleBackColor(TColor v) { colors_[2] = v; }
  TColor GetTitleTextColor() const { return colors_[3]; }
  void SetTitleTextColor(TColor v) { colors_[3] = v; }
  TColor GetMonthBackColor() const { return colors_[4]; }
  void SetMonthBackColor(TColor v) { colors_[4] = v; }
  TColor GetTrailingTextColor() const { return colors_[5]; }
  void SetTrailingTextColor(TColor v) { colors_[5] = v; }

  // Takes the colours of another TMonthCalColors; raises EConvertError for other sources.
  void Assign(TPersistent* source) override;

 private:
  // Indexed as the system's MCSC_BACKGROUND (0) to MCSC_TRAILINGTEXT (5).
  TColor colors_[6] = {clWindow, clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText};
};

}  // namespace Tovix
