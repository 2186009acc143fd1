// The settings file's bytes: two lines, each ended by CR LF when written;
// LF or CR LF when read, a lone CR dropped.
#pragma once

#include <cstddef>
#include <string>

#include "text/lead_bytes.h"

namespace zarumo {

extern const char kSettingsFileName[];
// Beside the settings file while it is replaced; fixed names, so that a write
// cut off by a crash leaves at most one of each, which the next write reuses.
extern const char kSettingsNewName[];
extern const char kSettingsOldName[];
extern const char kDefaultNamePicture[];
extern const char kDefaultWishPicture[];

// Splits lines off a byte stream that arrives in pieces of any size.
class LineSplitter {
 public:
  // Feeds bytes; returns how many were consumed. Stops right after a line end.
  std::size_t Feed(const char* data, std::size_t size);
  bool LineComplete() const { return complete_; }
  // The line so far (complete or cut by the end of the file); starts the next one.
  std::string TakeLine();

 private:
  std::string line_;
  bool pendingCr_ = false;
  bool complete_ = false;
};

// The first two lines of a whole file; missing lines are empty.
void SplitSettings(const std::string& content, std::string& namePicture, std::string& wishPicture);

// The bytes the file holds for two lines.
std::string FormatSettings(const std::string& namePicture, const std::string& wishPicture);

// A line without a directory part names a file beside the executable.
std::string ResolvePicturePath(const std::string& line, const std::string& exeDir,
                               const LeadBytes& leadBytes);

// Where a 32-bit process on 64-bit Windows reaches the system folder itself:
// every name under it is redirected to the 32-bit one, but not under the
// "Sysnative" folder beside it. `folder` (with its trailing backslash) in that
// form when it is the system folder `systemFolder`, letters in either case;
// otherwise `folder` as it is.
std::string NativeSystemFolder(const std::string& folder, const std::string& systemFolder,
                               const LeadBytes& leadBytes);

}  // namespace zarumo
