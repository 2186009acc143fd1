// The running executable's full path, asked afresh at every use.
#include "system/executable_path.h"

#include <windows.h>

namespace zarumo {

std::string ExecutablePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : MAX_PATH);
}

}  // namespace zarumo
