// A message-based timer that needs no window: its ticks come through whatever
// message loop runs on the thread, nested modal loops included.
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
  bool Enabled() const { return id_ != 0; }
  UINT Interval() const { return interval_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  UINT interval_;
  std::function<void()> onTimer_;
  UINT_PTR id_ = 0;
  bool inTick_ = false;
};

}  // namespace zarumo
