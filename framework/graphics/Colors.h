// Colours: TColor values, the system colours and their names in form files.
#pragma once

#include <cstdint>

#include "framework/classes/TypInfo.h"

namespace Tovix {

// An RGB colour as 0x00BBGGRR, or a system colour as 0x80000000 | COLOR_xxx index.
enum TColor : int32_t {
  clScrollBar = int32_t(0x80000000),
  clBackground = int32_t(0x80000001),
  clActiveCaption = int32_t(0x80000002),
  clInactiveCaption = int32_t(0x80000003),
  clMenu = int32_t(0x80000004),
  clWindow = int32_t(0x80000005),
  clWindowFrame = int32_t(0x80000006),
  clMenuText = int32_t(0x80000007),
  clWindowText = int32_t(0x80000008),
  clCaptionText = int32_t(0x80000009),
  clActiveBorder = int32_t(0x8000000A),
  clInactiveBorder = int32_t(0x8000000B),
  clAppWorkSpace = int32_t(0x8000000C),
  clHighlight = int32_t(0x8000000D),
  clHighlightText = int32_t(0x8000000E),
  clBtnFace = int32_t(0x8000000F),
  clBtnShadow = int32_t(0x80000010),
  clGrayText = int32_t(0x80000011),
  clBtnText = int32_t(0x80000012),
  clInactiveCaptionText = int32_t(0x80000013),
  clBtnHighlight = int32_t(0x80000014),
  cl3DDkShadow = int32_t(0x80000015),
  cl3DLight = int32_t(0x80000016),
  clInfoText = int32_t(0x80000017),
  clInfoBk = int32_t(0x80000018),

  clBlack = 0x000000,
  clMaroon = 0x000080,
  clGreen = 0x008000,
  clOlive = 0x008080,
  clNavy = 0x800000,
  clPurple = 0x800080,
  clTeal = 0x808000,
  clGray = 0x808080,
  clSilver = 0xC0C0C0,
  clRed = 0x0000FF,
  clLime = 0x00FF00,
  clYellow = 0x00FFFF,
  clBlue = 0xFF0000,
  clFuchsia = 0xFF00FF,
  clAqua = 0xFFFF00,
  clLtGray = 0xC0C0C0,
  clDkGray = 0x808080,
  clWhite = 0xFFFFFF,
  clNone = 0x1FFFFFFF,
  clDefault = 0x20000000
};

// The name of a colour ("clBlue"), when it has one.
bool ColorToIdent(int color, String& ident);
// The colour of a name (ignoring case).
bool IdentToColor(const String& ident, int& color);
// The name, or "$00BBGGRR" for an unnamed colour.
String ColorToString(TColor color);
// Accepts a name or a number; raises EConvertError for anything else.
TColor StringToColor(const String& text);
// The RGB value to draw with: system colours resolved through the current system settings.
uint32_t ColorToRGB(TColor color);

template <>
struct TIdentTraits<TColor> {
  static bool ToIdent(int value, String& ident) { return ColorToIdent(value, ident); }
  static bool FromIdent(const String& ident, int& value) { return IdentToColor(ident, value); }
};

}  // namespace Tovix
