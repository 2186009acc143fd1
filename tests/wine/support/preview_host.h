// A window of the driver's own that stands for the display settings' preview.
#pragma once

#include <windows.h>

namespace wt {

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
