// The running executable's full path, asked afresh at every use.
#include "system/executable_path.h"

#include <windows.h>

#include "system/system_function.h"

namespace zarumo {

std::string ExecutablePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : MAX_PATH);
}

WideString ExecutablePathWide() {
  using Proc = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
  auto moduleFileName = SystemFunction<Proc>("KERNEL32", "GetModuleFileNameW");
  if (!moduleFileName || IsNineXFamily()) return WideString();
  // The wide form is not held to MAX_PATH.
  WideString path(32768, L'\0');
  const DWORD length = moduleFileName(nullptr, &path[0], static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  return path;
}

}  // namespace zarumo
