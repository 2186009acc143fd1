// The settings file's bytes.
#include "settings/settings_text.h"

#include "text/case_mapping.h"
#include "text/path_delimiter.h"

namespace zarumo {

const char kSettingsFileName[] = "ザルモ.ini";
const char kSettingsNewName[] = "ザルモ.new";
const char kSettingsOldName[] = "ザルモ.old";
const char kDefaultNamePicture[] = "なまえ.jpg";
const char kDefaultWishPicture[] = "ねがい.jpg";

std::size_t LineSplitter::Feed(const char* data, std::size_t size) {
  std::size_t used = 0;
  while (used < size && !complete_) {
    char c = data[used++];
    if (pendingCr_) {
      pendingCr_ = false;
      if (c == '\n') {
        complete_ = true;
        break;
      }
      // A CR not followed by LF is dropped; the line goes on.
    }
    if (c == '\r') {
      pendingCr_ = true;
    } else if (c == '\n') {
      complete_ = true;
    } else {
      line_ += c;
    }
  }
  return used;
}

std::string LineSplitter::TakeLine() {
  std::string line;
  line.swap(line_);
  pendingCr_ = false;
  complete_ = false;
  return line;
}

void SplitSettings(const std::string& content, std::string& namePicture, std::string& wishPicture) {
  LineSplitter splitter;
  std::size_t used = splitter.Feed(content.data(), content.size());
  namePicture = splitter.TakeLine();
  splitter.Feed(content.data() + used, content.size() - used);
  wishPicture = splitter.TakeLine();
}

std::string FormatSettings(const std::string& namePicture, const std::string& wishPicture) {
  return namePicture + "\r\n" + wishPicture + "\r\n";
}

std::string ResolvePicturePath(const std::string& line, const std::string& exeDir,
                               const LeadBytes& leadBytes) {
  if (DirectoryPart(line, leadBytes).empty()) return exeDir + line;
  return line;
}

std::string NativeSystemFolder(const std::string& folder, const std::string& systemFolder,
                               const LeadBytes& leadBytes) {
  std::string seen = folder;
  std::string system = systemFolder;
  if (system.empty()) return folder;
  if (LastDelimiter(system, leadBytes) != system.size() - 1) system += '\\';
  if (seen.size() != system.size()) return folder;
  LowerCaseAscii(&seen[0], seen.size());
  LowerCaseAscii(&system[0], system.size());
  if (seen != system) return folder;
  return DirectoryPart(systemFolder.substr(0, LastDelimiter(system, leadBytes)), leadBytes) +
         "Sysnative\\";
}

}  // namespace zarumo
