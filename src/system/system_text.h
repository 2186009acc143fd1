// What the running system says: its error texts and its code page's lead bytes.
#pragma once

#include <windows.h>

#include <string>

#include "system/failure.h"
#include "system/mixed_text.h"
#include "text/lead_bytes.h"

namespace zarumo {

// The lead bytes of the system's ANSI code page.
const LeadBytes& SystemLeadBytes();

// Lower-cases `length` bytes in place by the rules of the system's code page.
void LowerCaseBySystem(char* text, std::size_t length);

// The system's own text for an error code, without trailing line breaks.
std::string SystemErrorText(DWORD code);

// What running out of memory is reported as: the system's own failure and text.
SystemFailure MemoryFailure();

// A failure's message as the standard handler shows it, with its period: the
// saver's own words and the outside text it may hold, each in its code page.
MixedText ShownMessage(const std::exception& failure);

// Raises the system failure for GetLastError(), or for `fallbackCode` when that is 0.
[[noreturn]] void RaiseLastError(DWORD fallbackCode = ERROR_GEN_FAILURE);

}  // namespace zarumo
