// Helpers shared by the dialog and control tests: a glyph to paint, pictures of controls, and
// user-like mouse input.
#pragma once

#include "framework/Forms.h"
#include "screenshots/Screenshots.h"

namespace Tovix::Testing {

// A 16 x 16 glyph: an olive background (its transparent colour, taken from the bottom-left
// pixel) with a square of colour at (4, 4)-(11, 11). With images > 1 the strip holds that many
// such pictures side by side, the squares in red, blue, green and yellow.
TBitmap* MakeSquareGlyph(int images = 1);

// The smallest rectangle holding every pixel of colour in the picture; empty when none has it.
TRect BoundsOfColor(const TScreenshot& picture, TColor color);
int CountColor(const TScreenshot& picture, TColor color);

// The system colour as a picture shows it.
TColor SysColor(TColor systemColor);

// A click as the mouse makes it: press and release at a client point of a window.
void ClickAt(HWND window, int x, int y);
void MoveMouseTo(HWND window, int x, int y);

}  // namespace Tovix::Testing
