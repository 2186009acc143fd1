// A timer of one window.
#include "forms/timer.h"

#include "forms/application.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

// One timer a window: the id only tells its messages from the system's own.
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Timer::Timer(UINT interval, std::function<void()> onTimer)
    : interval_(interval), onTimer_(std::move(onTimer)) {}

Timer::~Timer() { Stop(); }

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    inTick_ = false;
    Start();
  } else {
    Stop();
  }
}

void Timer::Attach(HWND window) {
  Stop();
  window_ = window;
  if (enabled_) Start();
}

void Timer::Start() {
  if (!window_ || running_) return;
  if (!SetTimer(window_, kTimerId, interval_, nullptr)) RaiseLastError();
  running_ = true;
}

void Timer::Stop() {
  if (running_) KillTimer(window_, kTimerId);
  running_ = false;
}

bool Timer::HandleMessage(UINT message, WPARAM wParam) {
  if (message != WM_TIMER || wParam != kTimerId) return false;
  // A tick that fails shows its failure in a modal box whose loop keeps
  // dispatching ticks; skip those instead of stacking boxes.
  if (!enabled_ || inTick_) return true;
  inTick_ = true;
  Guarded([this] { onTimer_(); });
  inTick_ = false;
  return true;
}

}  // namespace zarumo
