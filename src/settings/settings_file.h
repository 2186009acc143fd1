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

struct PictureSettings {
  std::string namePicture;
  std::string wishPicture;
};

// The two picture lines of the settings file, or the default pictures beside
// the executable where there is no file. Each line goes into `settings` as it
// is read: after a failure on the second, the first is in place.
void ReadPictureSettings(PictureSettings& settings);

// Replaces the whole file with two lines. A failure leaves the previous file as it was.
void WriteSettings(const std::string& namePicture, const std::string& wishPicture);

}  // namespace zarumo
