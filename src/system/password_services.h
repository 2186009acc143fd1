// The system's screen-saver password services, bound by name at run time and
// released right after the one call.
#pragma once

#include <windows.h>

namespace zarumo {

// Hands over to MPR.DLL's password-change service; nothing happens without it.
void ChangeScreenSaverPassword(HWND parent);

enum class PasswordFlag {
  kNoKey,      // the desktop key cannot be opened
  kAbsent,     // no such value
  kOff,        // REG_DWORD 0
  kOn,         // REG_DWORD nonzero
  kMalformed,  // another type or size: treated as set
};

// Reads "ScreenSaveUsePassword" from the user's desktop settings.
PasswordFlag ReadPasswordFlag();

// Asks PASSWORD.CPL of the system directory whether the password was given.
// A library that is missing or lacks the entry does not stand in the way.
bool VerifyScreenSaverPassword(HWND window);

}  // namespace zarumo
