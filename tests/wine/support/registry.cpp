#include "support/registry.h"

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

}  // namespace wt
