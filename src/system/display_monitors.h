// The monitors of the virtual screen, where the system knows monitors
// (Windows 98, 2000 and later); none elsewhere.
#pragma once

#include <windows.h>

#include <vector>

namespace zarumo {

// Each monitor's rectangle in screen coordinates, the primary one among them.
std::vector<RECT> DisplayMonitors();

}  // namespace zarumo
