// Stands in for the system's screen-saver password change.
#include <windows.h>

#include "double_log.h"

extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND window, DWORD reserved1,
                                           LPVOID reserved2) {
  char line[512];
  wsprintfA(line, "PwdChangePasswordA %s %lu %lu %lu", provider ? provider : "(null)",
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
            static_cast<unsigned long>(reserved1),
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(reserved2)));
  DoubleLog(line);
  return 0;
}
