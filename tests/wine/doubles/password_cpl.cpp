// Stands in for the system's screen-saver password check.
#include <windows.h>

#include "double_log.h"

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  int answer = DoubleNextAnswer(1);
  char line[128];
  wsprintfA(line, "VerifyScreenSavePwd %lu -> %d",
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), answer);
  DoubleLog(line);
  // High bits set around the answer: only the low byte may count.
  return static_cast<BOOL>(0x100 | answer);
}
