#include "support/password_double.h"

#include <windows.h>

namespace wt {

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

}  // namespace wt
