// The monitors of the virtual screen, where the system knows monitors.
#include "system/display_monitors.h"

#include "system/system_function.h"

namespace zarumo {
namespace {

using EnumDisplayMonitorsProc = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM found) {
  try {
    reinterpret_cast<std::vector<RECT>*>(found)->push_back(*area);
    return TRUE;
  } catch (...) {
    // Out of memory: the monitors found so far will do.
    return FALSE;
  }
}

}  // namespace

std::vector<RECT> DisplayMonitors() {
  std::vector<RECT> monitors;
  auto enumerate = SystemFunction<EnumDisplayMonitorsProc>("USER32", "EnumDisplayMonitors");
  if (enumerate) enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace zarumo
