// The stand-in for the system's screen-saver password check, put where the
// saver looks for it (the system folder) for as long as it exists.
#pragma once

#include <string>

#include "support/saver_process.h"

namespace wt {

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

}  // namespace wt
