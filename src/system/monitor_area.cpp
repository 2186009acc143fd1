// Where a window may spread out.
#include "system/monitor_area.h"

#include "system/system_function.h"

namespace zarumo {

RECT MonitorArea(HWND window) {
  using MonitorFromWindowProc = HMONITOR(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoProc = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
  auto monitorFromWindow = SystemFunction<MonitorFromWindowProc>("USER32", "MonitorFromWindow");
  auto getMonitorInfo = SystemFunction<GetMonitorInfoProc>("USER32", "GetMonitorInfoA");
  if (monitorFromWindow && getMonitorInfo) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (getMonitorInfo(monitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
      return info.rcMonitor;
  }
  RECT area{};
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) && area.right > area.left &&
      area.bottom > area.top)
    return area;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace zarumo
