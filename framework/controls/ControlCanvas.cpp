#include "framework/controls/ControlCanvas.h"

#include "framework/controls/WinControl.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TControlCanvas, TCanvas) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  if (control == control_) return;
  FreeHandle();
  control_ = control;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  auto* windowed = dynamic_cast<TWinControl*>(control_);
  TWinControl* host = windowed ? windowed : control_->GetParent();
  if (!host) return;
  HWND window = host->GetHandle();
  HDC dc = GetDC(window);
  if (!dc) return;
  window_ = window;
  dc_ = dc;
  if (!windowed) {
    // The context is shared with the parent: its state goes back as it was before it is released.
    savedState_ = SaveDC(dc);
    SetViewportOrgEx(dc, control_->GetLeft(), control_->GetTop(), nullptr);
    IntersectClipRect(dc, 0, 0, control_->GetWidth(), control_->GetHeight());
  }
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  if (savedState_) RestoreDC(dc_, savedState_);
  ReleaseDC(window_, dc_);
  savedState_ = 0;
  dc_ = nullptr;
  window_ = nullptr;
}

}  // namespace Tovix
