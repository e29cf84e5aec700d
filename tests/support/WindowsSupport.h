// Helpers of the windowed-layer tests: small controls that paint in one colour, a superclassed
// system edit, the data module of TestDataModule.txt, message pumping and window counting.
#pragma once

#include <functional>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ResourceCounts.h"

namespace Tovix::Testing {

// A windowed control that paints its whole client area in its Color.
class TColorBox : public TCustomControl {
  TOVIX_DECLARE_CLASS(TColorBox)

 public:
  explicit TColorBox(TComponent* owner);

 protected:
  void Paint() override;
};

// A graphic control that paints itself in its Color.
class TColorShape : public TGraphicControl {
  TOVIX_DECLARE_CLASS(TColorShape)

 public:
  explicit TColorShape(TComponent* owner);

 protected:
  void Paint() override;
};

// The system's edit control, superclassed.
class TEditBox : public TWinControl {
  TOVIX_DECLARE_CLASS(TEditBox)

 public:
  explicit TEditBox(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

// The data module of TestDataModule.txt: a running timer and a disabled one.
class TTestDataModule : public TDataModule {
  TOVIX_DECLARE_CLASS(TTestDataModule)

 public:
  explicit TTestDataModule(TComponent* owner);

  TTimer* Ticker = nullptr;
  TTimer* Idle = nullptr;
  std::vector<String> log;
  int ticks = 0;

  void ModuleCreate(TObject* sender);
  void ModuleDestroy(TObject* sender);
  void TickerTimer(TObject* sender);
};

// The hidden utility windows (AllocateHWnd) of this thread.
std::vector<HWND> UtilWindows();
// Whether a WM_TIMER message is waiting for one of the utility windows (the message is left there).
bool TimerMessageWaiting();

}  // namespace Tovix::Testing
