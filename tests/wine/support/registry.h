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

// Makes Wine report another system ("win95", "win98", "winme", "nt40",
// "win2k", "winxp") to the saver for one test.
class ReportedSystem {
 public:
  explicit ReportedSystem(const std::string& version, const std::string& exeName = "zarumo.scr")
      : value_("Software\\Wine\\AppDefaults\\" + exeName, "Version", REG_SZ,
               std::string(version.c_str(), version.size() + 1)) {}

 private:
  ScopedRegistryValue value_;
};

// Windows 98, the 9x system the password tests stand on.
class Windows98ForSaver : public ReportedSystem {
 public:
  explicit Windows98ForSaver(const std::string& exeName = "zarumo.scr")
      : ReportedSystem("win98", exeName) {}
};

}  // namespace wt
