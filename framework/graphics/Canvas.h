// TCanvas: drawing on a device context with the canvas's own font, brush and pen.
//
// The device context is given from outside (SetHandle) and stays its giver's: the canvas never
// deletes or releases it. The font, brush and pen are selected into it when an operation needs
// them, and the objects the context held before are selected back before the canvas lets go of
// the context (a new handle, none, or its destruction) or of a tool whose settings changed.
// A new canvas has the default font ("MS Sans Serif", 8 points) whatever window the context
// belongs to: measuring on a control's context with a new canvas uses that font, not the control's.
#pragma once

#include <memory>

#include "framework/graphics/Objects.h"
#include "framework/system/Types.h"

namespace Tovix {

class TGraphic;

class TCanvas : public TPersistent {
  TOVIX_DECLARE_CLASS(TCanvas)

 public:
  TCanvas();
  ~TCanvas() override;

  // The device context; a canvas without one asks CreateHandle and raises
  // EInvalidGraphicOperation "Canvas does not allow drawing" when that gives none.
  HDC GetHandle();
  // Deselects the canvas's objects from the old context and takes the new one (or none).
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Deselects the font, brush and pen, so that the next operation selects them again.
  void Refresh();

  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  TBrush* GetBrush() const { return brush_.get(); }
  void SetBrush(TBrush* brush) { brush_->Assign(brush); }
  TPen* GetPen() const { return pen_.get(); }
  void SetPen(TPen* pen) { pen_->Assign(pen); }
  // The raster operation of CopyRect and of drawing bitmaps; SRCCOPY by default.
  DWORD GetCopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD mode) { copyMode_ = mode; }

  // Text, measured and drawn with the canvas's font.
  SIZE TextExtent(const String& text);
  int TextWidth(const String& text);
  int TextHeight(const String& text);
  // Draws text with its top left at (x, y), filling behind it unless the brush is clear, and
  // moves the pen position to the end of the text.
  void TextOut(int x, int y, const String& text);
  // Draws text at (x, y) clipped to rect; the rectangle is filled first unless the brush is clear.
  void TextRect(const TRect& rect, int x, int y, const String& text);

  // Areas: FillRect and FrameRect use the brush, Rectangle the pen for the outline and the
  // brush inside. Right and bottom edges are excluded, as the system draws them.
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }

  // Lines with the pen; LineTo excludes the end point.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint GetPenPos();
  void SetPenPos(const TPoint& position) { MoveTo(position.x, position.y); }

  // A pixel's colour as 0x00BBGGRR (-1 outside the drawing surface); setting resolves system colours.
  TColor GetPixels(int x, int y);
  void SetPixels(int x, int y, TColor color);

  // Pictures: at their own size, stretched into a rectangle, or a part of another canvas.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);

  // Raised after every drawing operation (a bitmap's canvas tells its bitmap this way). Code
  // that draws through the handle itself calls Changed afterwards.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
  void Changed();

  enum TState { csHandleValid, csFontValid, csPenValid, csBrushValid };
  using TStates = TSet<TState>;
  // Makes sure the context exists and the named tools are selected into it.
  void RequiredState(TStates required);

 protected:
  // Derived canvases make their context here (a bitmap's canvas makes a memory context).
  virtual void CreateHandle() {}

 private:
  void DeselectHandles();
  void FontChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  void PenChanged(TObject* sender);

  HDC handle_ = nullptr;
  TStates state_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
  // What the context held before the canvas selected its own tools.
  HGDIOBJ oldFont_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
  DWORD copyMode_ = SRCCOPY;
  TNotifyEvent onChange_;
};

}  // namespace Tovix
