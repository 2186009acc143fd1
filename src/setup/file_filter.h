// The open dialog's file-type list as the system takes it.
#pragma once

#include <string>

#include "text/lead_bytes.h"

namespace zarumo {

// "description|patterns|description|patterns" becomes the pairs separated by
// NUL bytes, with a second NUL after the last. A "|" that is the trail byte of
// a double-byte character stays.
std::string FilterList(const std::string& filter, const LeadBytes& leadBytes);

}  // namespace zarumo
