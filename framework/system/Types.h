// Geometry types shared by the framework and the library: the platform's own records.
#pragma once

#include "framework/system/WinApi.h"

namespace Tovix {

using TRect = RECT;
using TPoint = POINT;

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

}  // namespace Tovix
