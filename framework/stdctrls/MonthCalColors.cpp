#include "framework/stdctrls/MonthCalColors.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TMonthCalColors, TPersistent) {
  using T = TMonthCalColors;
  c.Property("BackColor", &T::GetBackColor, &T::SetBackColor).Default(clWindow);
  c.Property("TextColor", &T::GetTextColor, &T::SetTextColor).Default(clWindowText);
  c.Property("TitleBackColor", &T::GetTitleBackColor, &T::SetTitleBackColor).Default(clActiveCaption);
  c.Property("TitleTextColor", &T::GetTitleTextColor, &T::SetTitleTextColor).Default(clWhite);
  c.Property("MonthBackColor", &T::GetMonthBackColor, &T::SetMonthBackColor).Default(clWhite);
  c.Property("TrailingTextColor", &T::GetTrailingTextColor, &T::SetTrailingTextColor).Default(clInactiveCaptionText);
}

void TMonthCalColors::Assign(TPersistent* source) {
  if (auto* colors = dynamic_cast<TMonthCalColors*>(source)) {
    std::copy(std::begin(colors->colors_), std::end(colors->colors_), std::begin(colors_));
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace Tovix
