// A folder that takes no new files while the files in it stay writable, as
// an immutable folder on the host does. Wine starts Unix programs too, so
// the driver makes it so itself; where the host cannot, Locked() is false.
#pragma once

#include <string>

namespace wt {

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
