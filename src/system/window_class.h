// Window classes registered once per process, however many windows use them.
#pragma once

#include <windows.h>

namespace zarumo {

// Registers `wc` unless its module already has a class of that name; a
// system failure when the registration is refused.
void RegisterWindowClassOnce(const WNDCLASSA& wc);

}  // namespace zarumo
