#include "support/preview_host.h"

#include "support/saver_process.h"

namespace wt {

PreviewHost::PreviewHost() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PreviewHost";
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, "PreviewHost", "preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                            220, 180, nullptr, nullptr, wc.hInstance, nullptr);
}

PreviewHost::~PreviewHost() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

HWND PreviewHost::WaitChild(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    if (HWND child = FindWindowExA(window_, nullptr, kSaverClass, nullptr)) return child;
    Pump(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

}  // namespace wt
