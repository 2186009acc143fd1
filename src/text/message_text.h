// Texts of failures as the user sees them.
#pragma once

#include <string>

#include "text/lead_bytes.h"

namespace zarumo {

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The message with "." appended unless it is empty or the first byte of its
// last character is "." or below.
std::string WithPeriod(const std::string& message, const LeadBytes& leadBytes);

// The text of the top-level error box.
std::string TopLevelErrorText(const std::string& kind, const std::string& moduleName,
                              const void* address, const std::string& message,
                              const LeadBytes& leadBytes);

}  // namespace zarumo
