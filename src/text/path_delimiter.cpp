// Paths as bytes of the ANSI code page.
#include "text/path_delimiter.h"

namespace zarumo {
namespace {

// A byte after the first is a trail byte when the run of lead-byte values just
// before it has odd length.
bool IsTrailByte(const std::string& text, std::string::size_type pos, const LeadBytes& lead) {
  std::string::size_type run = 0;
  while (run < pos && lead.IsLead(static_cast<unsigned char>(text[pos - run - 1]))) ++run;
  return run % 2 == 1;
}

}  // namespace

std::string::size_type LastDelimiter(const std::string& path, const LeadBytes& leadBytes) {
  std::string::size_type pos = path.size();
  while (pos > 0) {
    --pos;
    char c = path[pos];
    if (c != '\\' && c != ':') continue;
    if (!leadBytes.Any() || pos == 0 || !IsTrailByte(path, pos, leadBytes)) return pos;
    // Skip the double-byte character this byte ends.
    --pos;
  }
  return std::string::npos;
}

std::string DirectoryPart(const std::string& path, const LeadBytes& leadBytes) {
  std::string::size_type pos = LastDelimiter(path, leadBytes);
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string FileNamePart(const std::string& path, const LeadBytes& leadBytes) {
  std::string::size_type pos = LastDelimiter(path, leadBytes);
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace zarumo
