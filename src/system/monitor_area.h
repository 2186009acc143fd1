// Where a window may spread out: its monitor where the system knows monitors
// (Windows 98, 2000 and later), elsewhere the work area, or the whole screen.
#pragma once

#include <windows.h>

namespace zarumo {

RECT MonitorArea(HWND window);

}  // namespace zarumo
