// The settings file's text: its two lines however the bytes arrive, the last
// path delimiter with lead bytes, and the path a line resolves to. Lines and
// delimiters are checked against references written from the rules.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_text.h"
#include "text/lead_bytes.h"
#include "text/path_delimiter.h"

using namespace zarumo;

namespace {

// A line is what comes before the first LF, with every CR dropped.
std::string ReferenceLine(const std::string& content, std::size_t& pos) {
  std::string line;
  for (; pos < content.size() && content[pos] != '\n'; ++pos) {
    if (content[pos] != '\r') line += content[pos];
  }
  if (pos < content.size()) ++pos;
  return line;
}

// Reads two lines as the settings reader does: a fresh splitter per line, fed
// from a buffer refilled `piece` bytes at a time.
void ReadInPieces(const std::string& content, std::size_t piece, std::string lines[2]) {
  std::size_t pos = 0;
  std::size_t bufferEnd = 0;
  for (int n = 0; n < 2; ++n) {
    LineSplitter splitter;
    while (!splitter.LineComplete()) {
      if (pos == bufferEnd) {
        if (pos == content.size()) break;
        bufferEnd = std::min(content.size(), pos + piece);
      }
      const std::size_t used = splitter.Feed(content.data() + pos, bufferEnd - pos);
      if (used > bufferEnd - pos || (used == 0 && !splitter.LineComplete())) __builtin_trap();
      pos += used;
      // A line ends right after its LF, never later.
      if (splitter.LineComplete() && content[pos - 1] != '\n') __builtin_trap();
    }
    lines[n] = splitter.TakeLine();
  }
}

using IsLead = bool (*)(unsigned char);
bool NoLead(unsigned char) { return false; }
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool WideLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Walks the characters from the front: a lead byte and the byte after it are
// one character, and only a character's first byte may be a delimiter.
std::size_t ReferenceLastDelimiter(const std::string& path, IsLead isLead) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\' || path[i] == ':') {
      last = i;
    }
  }
  return last;
}

void CheckPath(const std::string& path, const std::string& exeDir, const LeadBytes& lead,
               IsLead isLead) {
  const std::size_t found = LastDelimiter(path, lead);
  if (found != ReferenceLastDelimiter(path, isLead)) __builtin_trap();
  const std::string directory = DirectoryPart(path, lead);
  if (directory + FileNamePart(path, lead) != path) __builtin_trap();
  if (directory.size() != (found == std::string::npos ? 0 : found + 1)) __builtin_trap();
  // The line itself when it has a directory part, else the folder and the line.
  const std::string resolved = ResolvePicturePath(path, exeDir, lead);
  if (resolved != (found == std::string::npos ? exeDir + path : path)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  std::size_t pos = 0;
  const std::string want1 = ReferenceLine(content, pos);
  const std::string want2 = ReferenceLine(content, pos);

  std::string got1;
  std::string got2;
  SplitSettings(content, got1, got2);
  if (got1 != want1 || got2 != want2) __builtin_trap();
  // The reader's 128-byte buffer, and pieces small enough to cut every CR LF.
  for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{128}}) {
    std::string lines[2];
    ReadInPieces(content, piece, lines);
    if (lines[0] != want1 || lines[1] != want2) __builtin_trap();
  }
  // What the dialog writes reads back the same.
  SplitSettings(FormatSettings(want1, want2), got1, got2);
  if (got1 != want1 || got2 != want2) __builtin_trap();

  const struct {
    LeadBytes lead;
    IsLead isLead;
  } tables[] = {{LeadBytes::Cp932(), Cp932Lead},
                {LeadBytes(), NoLead},
                {[] {
                   static const unsigned char kRange[] = {0x81, 0xFE};
                   return LeadBytes::FromRanges(kRange, 1);
                 }(),
                 WideLead}};
  for (const auto& table : tables) {
    // The executable's folder as the reader forms it: the module path up to
    // its last delimiter. Line 2 stands in for a module path too.
    for (const std::string& module :
         {std::string("C:\\\x95\x5C\\\x83\x5C.scr"), std::string("zarumo.scr"), want2}) {
      const std::string exeDir = DirectoryPart(module, table.lead);
      CheckPath(want1, exeDir, table.lead, table.isLead);
    }
    CheckPath(want2, "C:\\\x83\x5C\\", table.lead, table.isLead);
    CheckPath(content, "", table.lead, table.isLead);
  }
  return 0;
}
