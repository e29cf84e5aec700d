#include "framework/stdctrls/Timer.h"

#include "framework/classes/UtilityWindow.h"
#include "framework/forms/Forms.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

namespace {

const UINT_PTR kTimerId = 1;

}  // namespace

TOVIX_IMPLEMENT_CLASS(TTimer, TComponent) {
  c.Property("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true);
  c.Property("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000u);
  c.Property("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (window_) {
    KillTimer(window_, kTimerId);
    DeallocateHWnd(window_);
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& handler) {
  onTimer_ = handler;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (window_) KillTimer(window_, kTimerId);
  if (!enabled_ || interval_ == 0 || !onTimer_) return;
  if (!window_) window_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::WndProc(TMessage& m) {
  if (m.Msg != WM_TIMER) {
    m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
    return;
  }
  // The handler may free this timer: nothing here touches it after the handler returns.
  Application->HandleExceptionsOf(this, [this] { Timer(); });
}

void TTimer::Timer() {
  // A copy, because a handler that frees the timer also frees onTimer_ while it runs.
  TNotifyEvent handler = onTimer_;
  handler(this);
}

}  // namespace Tovix
