// The settings file beside the executable, and the executable's directory.
#pragma once

#include <optional>
#include <string>

#include "system/handles.h"
#include "system/mixed_text.h"

namespace zarumo {

// The executable's directory with its trailing backslash, asked afresh each
// time, as the ANSI file functions reach it: in its short form where the code
// page lacks a character of it, and through "Sysnative" where it is the
// system folder seen by a 32-bit process on 64-bit Windows.
std::string ExeDir();
// A file of the saver's own beside it, named in code page 932.
MixedText OwnFile(const char* name);
MixedText SettingsPath();
// A default picture beside the saver as the ANSI functions open it; empty
// where there is no such file or it has no name they can take.
std::string DefaultPicturePath(const char* name);

// True for a file that exists: not a directory, with a last-write time that
// fits an MS-DOS date. Wildcards are searched as patterns.
bool FileExists(const MixedText& path);
inline bool FileExists(const std::string& path) { return FileExists(MixedText::Outside(path)); }

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

// A picture of the settings: a line of the file, or a default picture where
// there is no file.
struct PictureSetting {
  std::string path;                   // as the scene opens it
  const char* defaultName = nullptr;  // the default picture's own name
};
// The picture as the setup dialog shows it.
MixedText ShownPicture(const PictureSetting& setting);

struct PictureSettings {
  std::optional<PictureSetting> name;
  std::optional<PictureSetting> wish;
};

// The two picture lines of the settings file, or the default pictures beside
// the executable where there is no file. Each line goes into `settings` as it
// is read: after a failure on the second, the first is in place.
void ReadPictureSettings(PictureSettings& settings);

// Replaces the whole file with two lines. A failure leaves the previous file as it was.
void WriteSettings(const std::string& namePicture, const std::string& wishPicture);

}  // namespace zarumo
