#include "support/locked_folder.h"

#include <windows.h>

#include <vector>

namespace wt {
namespace {

// The host's name for a Windows path, from Wine's own export.
std::string UnixPathOf(const std::string& path) {
  using UnixName = char*(CDECL*)(const WCHAR*);
  auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("KERNEL32"), "wine_get_unix_file_name")));
  if (!unixName) return std::string();
  std::vector<WCHAR> wide(path.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* name = unixName(wide.data());
  if (!name) return std::string();
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Wine gives no exit code for a Unix program: what counts is the effect,
// which the callers wait for.
void RunChattr(const char* flag, const std::string& unixPath) {
  std::string command = std::string("Z:\\usr\\bin\\chattr ") + flag + " \"" + unixPath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return;
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// Whether a new file can be made in `folder` right now.
bool TakesNewFiles(const std::string& folder) {
  const std::string probe = folder + "probe";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileA(probe.c_str());
  return true;
}

// Waits up to two seconds for the folder to take new files or not.
bool Becomes(const std::string& folder, bool takesNewFiles) {
  for (int i = 0; i < 40; ++i) {
    if (TakesNewFiles(folder) == takesNewFiles) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace

LockedFolder::LockedFolder(const std::string& folder)
    : folder_(folder), unixPath_(UnixPathOf(folder)) {
  if (unixPath_.empty()) return;
  RunChattr("+i", unixPath_);
  locked_ = Becomes(folder_, false);
}

LockedFolder::~LockedFolder() {
  if (unixPath_.empty()) return;
  RunChattr("-i", unixPath_);
  Becomes(folder_, true);
}

}  // namespace wt
