#include "support/preview_host.h"

#include "support/saver_process.h"

namespace wt {

HWND CreateStandInWindow(const char* caption, int x, int y, int width, int height) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "StandIn";
  RegisterClassA(&wc);  // fails harmlessly from the second window on
  return CreateWindowExA(0, "StandIn", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                         height, nullptr, nullptr, wc.hInstance, nullptr);
}

PreviewHost::PreviewHost() : window_(CreateStandInWindow("preview", 50, 50, 220, 180)) {}

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
