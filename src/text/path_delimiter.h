// Paths as bytes of the ANSI code page: "\" and ":" end a directory part,
// unless the byte is the second half of a double-byte character.
#pragma once

#include <string>

#include "text/lead_bytes.h"

namespace zarumo {

// Position of the last "\" or ":" that is not a trail byte, or npos.
std::string::size_type LastDelimiter(const std::string& path, const LeadBytes& leadBytes);

// The path up to and including its last delimiter; empty when it has none.
std::string DirectoryPart(const std::string& path, const LeadBytes& leadBytes);

// What follows the last delimiter.
std::string FileNamePart(const std::string& path, const LeadBytes& leadBytes);

}  // namespace zarumo
