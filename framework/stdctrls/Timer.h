// The ExtCtrls unit: TTimer, a component that raises OnTimer at a fixed interval on the
// user-interface thread, and the panel of ExtCtrlsPanel.h.
#pragma once

#include <cstdint>

#include "framework/classes/Component.h"
#include "framework/system/Events.h"
#include "framework/stdctrls/Panel.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// A system timer on a hidden utility window (AllocateHWnd). The timer runs only while Enabled is
// true, Interval is not 0 and OnTimer is assigned; every change of these restarts it, so the
// next tick comes one full interval after the change. Ticks arrive through the message loop.
// An exception that leaves OnTimer goes to Application->HandleException; the timer keeps running.
class TTimer : public TComponent {
  TOVIX_DECLARE_CLASS(TTimer)

 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  // True by default.
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Milliseconds, 1000 by default; 0 stops the timer.
  uint32_t GetInterval() const { return interval_; }
  void SetInterval(uint32_t interval);
  // Setting it always restarts the timer (or stops it, when cleared).
  const TNotifyEvent& GetOnTimer() const { return onTimer_; }
  void SetOnTimer(const TNotifyEvent& handler);

 protected:
  // Runs OnTimer. The handler may free the timer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& message);

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  // Made when the timer first runs and kept until the timer is freed.
  HWND window_ = nullptr;
};

TOVIX_LINK_CLASS(TTimer)

}  // namespace Tovix
