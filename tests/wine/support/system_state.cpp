// What the driver changes on the system for one test and puts back.
#include "support/system_state.h"

#include <windows.h>
#include <vector>

namespace wt {

ScopedRegistryValue::ScopedRegistryValue(const std::string& key, const std::string& name,
                                         DWORD type, const std::string& data)
    : key_(key), name_(name) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
    DWORD size = 0;
    if (RegQueryValueExA(opened, name_.c_str(), nullptr, &oldType_, nullptr, &size) ==
        ERROR_SUCCESS) {
      std::vector<char> buffer(size + 1);
      RegQueryValueExA(opened, name_.c_str(), nullptr, &oldType_,
                       reinterpret_cast<BYTE*>(buffer.data()), &size);
      oldData_.assign(buffer.data(), size);
      hadOld_ = true;
    }
    RegCloseKey(opened);
  }
  Set(type, data);
}

ScopedRegistryValue::ScopedRegistryValue(const std::string& key, const std::string& name,
                                         DWORD value)
    : ScopedRegistryValue(key, name, REG_DWORD,
                          std::string(reinterpret_cast<const char*>(&value), sizeof value)) {}

ScopedRegistryValue::~ScopedRegistryValue() {
  if (hadOld_) {
    Set(oldType_, oldData_);
    return;
  }
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
    RegDeleteValueA(opened, name_.c_str());
    RegCloseKey(opened);
  }
}

void ScopedRegistryValue::Set(DWORD type, const std::string& data) {
  HKEY opened;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(opened, name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
  RegCloseKey(opened);
}

PasswordDouble::PasswordDouble() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  path_ = std::string(system) + "\\PASSWORD.CPL";
  CopyFileA((DriverDir() + "doubles\\PASSWORD.CPL").c_str(), path_.c_str(), FALSE);
}

PasswordDouble::~PasswordDouble() { DeleteFileA(path_.c_str()); }

SaverOptions PasswordDouble::Options(const TempDir& dir, const std::string& answers) const {
  dir.Write("answers", answers);
  SaverOptions options;
  options.environment = {{"ZARUMO_DOUBLE_LOG", dir / "log"},
                         {"ZARUMO_DOUBLE_ANSWERS", dir / "answers"}};
  return options;
}

int PasswordDouble::Calls(const TempDir& dir) const {
  int lines = 0;
  for (char c : dir.Read("log")) lines += c == '\n';
  return lines;
}

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
