// The settings file beside the executable, and the executable's directory.
#pragma once

#include <string>

#include "system/handles.h"

namespace zarumo {

// The executable's directory with its trailing backslash, asked afresh each time.
std::string ExeDir();
std::string SettingsPath();

// True for a file that exists: not a directory, with a last-write time that
// fits an MS-DOS date. Wildcards are searched as patterns.
bool FileExists(const std::string& path);

// Reads the settings a line at a time, so a caller keeps what it took before
// a failure.
class SettingsReader {
 public:
  // False when the file is absent; an I/O failure when it exists but cannot be opened.
  bool Open();
  // The next line; empty past the end of the file.
  std::string ReadLine();
  void Close();

 private:
  bool Refill();
  OwnedFile file_;
  char buffer_[128];
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
};

// Replaces the whole file with two lines. A failure leaves the previous file as it was.
void WriteSettings(const std::string& line1, const std::string& line2);

}  // namespace zarumo
