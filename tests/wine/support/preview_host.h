// Windows of the driver's own: one that stands for the display settings' preview, and
// plain ones that stand for other programs.
#pragma once

#include <windows.h>

namespace wt {

// A visible top-level window of the driver's own that does nothing, `width`
// by `height` with its frame.
HWND CreateStandInWindow(const char* caption, int x, int y, int width, int height);

class PreviewHost {
 public:
  PreviewHost();
  PreviewHost(const PreviewHost&) = delete;
  PreviewHost& operator=(const PreviewHost&) = delete;
  ~PreviewHost();
  HWND Handle() const { return window_; }
  void Destroy() { DestroyWindow(window_); }
  // The saver's child window, once it exists.
  HWND WaitChild(DWORD timeoutMs = 15000) const;

 private:
  HWND window_;
};

}  // namespace wt
