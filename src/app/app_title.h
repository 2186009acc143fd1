// The application title, the caption of every failure box: the executable's
// file name up to its first ".", everything after its first character
// lower-cased (a double-byte first character stays whole).
#pragma once

#include <string>

#include "text/case_mapping.h"
#include "text/lead_bytes.h"

namespace zarumo {

std::string ApplicationTitle(const std::string& exePath, const LeadBytes& leadBytes,
                             LowerCase lower);

}  // namespace zarumo
