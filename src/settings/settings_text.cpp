// The settings file's bytes.
#include "settings/settings_text.h"

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

}  // namespace zarumo
