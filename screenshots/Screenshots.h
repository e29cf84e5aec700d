// Screenshots: pictures of what a user sees of a form or control, made in-process, offered as
// pixels or a bitmap and saved as PNG files.
//
// The system gives no picture of a whole window tree here: PrintWindow and WM_PRINT with
// PRF_CHILDREN draw a window's own client area only, and copying from a window or screen context
// gives nothing without a display. So each window is printed alone (WM_PRINT with PRF_CLIENT,
// PRF_NONCLIENT and PRF_ERASEBKGND; the frame and the client area of a window with a frame one
// after the other) into a picture of its own, and the pictures are laid on one another at the
// windows' offsets: a parent first, then its children from the bottom of the Z-order to the top,
// each clipped to its parent's client area. Hidden forms print as well; a child whose own visible
// style is off is left out, as on the screen. Wine draws no frames and no sunken borders.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Graphics.h"

namespace Tovix {

class TControl;

class TScreenshot {
 public:
  // An empty picture.
  TScreenshot() = default;
  // A black picture of that size; raises EInvalidOperation for a negative size.
  TScreenshot(int width, int height);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // The colour of a pixel as 0x00BBGGRR; raises EInvalidOperation outside the picture.
  TColor GetPixel(int x, int y) const;
  // Rows from the top; each pixel is 32 bits holding blue, green, red and an unused byte in
  // memory order (the 32bppBGR layout of a top-down DIB).
  const std::vector<uint32_t>& GetPixels() const { return pixels_; }

  // Makes the bitmap a 32-bit copy of the picture.
  void CopyToBitmap(TBitmap& bitmap) const;
  // Writes the picture as a PNG file through WIC's PNG encoder. The file is written under a
  // temporary name beside it and then replaces any file of that name, so a failure leaves an
  // existing file as it was. Raises EOleSysError when encoding fails, EWin32Error when the file
  // cannot be put in place, EInvalidOperation for an empty picture.
  void SaveToFile(const String& fileName) const;

  // Copies a top-down 32-bit picture to (left, top), only where it lies inside clip.
  void Paste(const uint32_t* source, int width, int height, int left, int top, const TRect& clip);
  // The part of the picture inside rect (cut to the picture).
  TScreenshot Crop(const TRect& rect) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// The picture of a control with everything inside it, its window frame included. A windowed
// control's window is made first when it does not exist yet; a graphic control is cut out of its
// parent's picture. Raises EInvalidOperation for a graphic control without a parent.
TScreenshot TakeScreenshot(TControl* control);
// TakeScreenshot saved as a PNG file (see TScreenshot::SaveToFile).
void SaveScreenshot(TControl* control, const String& fileName);

}  // namespace Tovix
