// The system's screen-saver password services, bound at run time.
#include "system/password_services.h"

#include <cstring>
#include <string>

#include "system/handles.h"
#include "system/system_text.h"
#include "text/path_delimiter.h"

namespace zarumo {
namespace {

using ChangePasswordProc = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
using VerifyProc = BOOL(WINAPI*)(HWND);

std::string PasswordLibraryPath() {
  char buffer[260] = {};
  UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  std::string path(buffer, length < sizeof buffer ? length : strnlen(buffer, sizeof buffer));
  if (!path.empty() && LastDelimiter(path, SystemLeadBytes()) != path.size() - 1) path += '\\';
  return path + "PASSWORD.CPL";
}

}  // namespace

void ChangeScreenSaverPassword(HWND parent) {
  OwnedLibrary mpr(LoadLibraryA("MPR.DLL"));
  if (!mpr) return;
  auto change = reinterpret_cast<ChangePasswordProc>(
      reinterpret_cast<void*>(GetProcAddress(mpr.Get(), "PwdChangePasswordA")));
  if (change) change("SCRSAVE", parent, 0, nullptr);
}

PasswordFlag ReadPasswordFlag() {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_ALL_ACCESS, &opened) !=
      ERROR_SUCCESS)
    return PasswordFlag::kNoKey;
  OwnedKey key(opened);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG status = RegQueryValueExA(key.Get(), "ScreenSaveUsePassword", nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size);
  if (status == ERROR_FILE_NOT_FOUND) return PasswordFlag::kAbsent;
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
    return PasswordFlag::kMalformed;
  return value ? PasswordFlag::kOn : PasswordFlag::kOff;
}

bool VerifyScreenSaverPassword(HWND window) {
  OwnedLibrary library(LoadLibraryA(PasswordLibraryPath().c_str()));
  if (!library) return true;
  auto verify = reinterpret_cast<VerifyProc>(
      reinterpret_cast<void*>(GetProcAddress(library.Get(), "VerifyScreenSavePwd")));
  if (!verify) return true;
  // Only the low byte of the answer counts.
  bool verified = (static_cast<DWORD>(verify(window)) & 0xFF) != 0;
  library.Reset();
  return verified;
}

}  // namespace zarumo
