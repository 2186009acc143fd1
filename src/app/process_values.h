// Values the mode decision produces, kept for the life of the process.
#pragma once

#include <windows.h>

#include <string>

namespace zarumo {

extern std::string ModeSwitch;
// The window given after the preview or change-password switch; 0 when none.
extern HWND PreviewParent;

}  // namespace zarumo
