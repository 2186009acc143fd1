// A timer of one window: its WM_TIMER messages come through whatever message
// loop runs on the thread, nested modal loops included, and the window's
// procedure hands them over. It may be enabled before its window exists and
// starts once the window is attached.
#pragma once

#include <windows.h>

#include <functional>

namespace zarumo {

class Timer {
 public:
  Timer(UINT interval, std::function<void()> onTimer);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  UINT Interval() const { return interval_; }

  // The window that carries the timer, from its creation; null once it is
  // being destroyed.
  void Attach(HWND window);
  // Runs the tick when the message is this timer's; true when it was.
  bool HandleMessage(UINT message, WPARAM wParam);

 private:
  void Start();
  void Stop();

  UINT interval_;
  std::function<void()> onTimer_;
  HWND window_ = nullptr;
  bool enabled_ = false;
  bool running_ = false;
  bool inTick_ = false;
};

}  // namespace zarumo
