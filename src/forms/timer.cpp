#include "forms/timer.h"

#include <map>

#include "forms/application.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

std::map<UINT_PTR, Timer*>& Timers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}

}  // namespace

Timer::Timer(UINT interval, std::function<void()> onTimer)
    : interval_(interval), onTimer_(std::move(onTimer)) {}

Timer::~Timer() { SetEnabled(false); }

void Timer::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled) {
    inTick_ = false;
    id_ = SetTimer(nullptr, 0, interval_, Tick);
    if (!id_) RaiseLastError();
    Timers()[id_] = this;
  } else {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = Timers().find(id);
  if (found == Timers().end()) return;
  Timer* timer = found->second;
  // A tick that fails shows its failure in a modal box whose loop keeps
  // dispatching ticks; skip those instead of stacking boxes.
  if (timer->inTick_) return;
  timer->inTick_ = true;
  Guarded([timer] { timer->onTimer_(); });
  // The handler may have destroyed the timer.
  auto again = Timers().find(id);
  if (again != Timers().end() && again->second == timer) timer->inTick_ = false;
}

}  // namespace zarumo
