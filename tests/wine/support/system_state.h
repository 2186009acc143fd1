// What the driver changes on the system for one test and puts back: registry
// values (among them the system Wine reports), the stand-in for the password
// check in the system folder, and a folder that takes no new files.
#pragma once

#include <windows.h>
#include <string>

#include "support/saver_process.h"

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

class PasswordDouble {
 public:
  PasswordDouble();
  PasswordDouble(const PasswordDouble&) = delete;
  PasswordDouble& operator=(const PasswordDouble&) = delete;
  ~PasswordDouble();
  // Options for a saver whose checks answer `answers` in turn ('0' refused,
  // '1' verified), logged in `dir`.
  SaverOptions Options(const TempDir& dir, const std::string& answers) const;
  // How many checks were asked for.
  int Calls(const TempDir& dir) const;

 private:
  std::string path_;
};

class LockedFolder {
 public:
  explicit LockedFolder(const std::string& folder);
  LockedFolder(const LockedFolder&) = delete;
  LockedFolder& operator=(const LockedFolder&) = delete;
  ~LockedFolder();
  // True once a new file really cannot be created in the folder.
  bool Locked() const { return locked_; }

 private:
  std::string folder_;
  std::string unixPath_;
  bool locked_ = false;
};

}  // namespace wt
