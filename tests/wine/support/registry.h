// Registry values the saver reads, set for one test and put back afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace wt {

class ScopedRegistryValue {
 public:
  // Sets HKCU\key\name to `data` of `type`.
  ScopedRegistryValue(const std::string& key, const std::string& name, DWORD type,
                      const std::string& data);
  ScopedRegistryValue(const std::string& key, const std::string& name, DWORD value);
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
  ~ScopedRegistryValue();

 private:
  void Set(DWORD type, const std::string& data);
  std::string key_;
  std::string name_;
  bool hadOld_ = false;
  DWORD oldType_ = 0;
  std::string oldData_;
};

// Makes Wine report a 9x system to the saver for one test.
class Windows98ForSaver {
 public:
  explicit Windows98ForSaver(const std::string& exeName = "zarumo.scr")
      : value_("Software\\Wine\\AppDefaults\\" + exeName, "Version", REG_SZ,
               std::string("win98", 6)) {}

 private:
  ScopedRegistryValue value_;
};

}  // namespace wt
