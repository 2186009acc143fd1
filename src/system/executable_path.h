// The running executable's full path, asked afresh at every use.
#pragma once

#include <string>

#include "system/mixed_text.h"

namespace zarumo {

// As GetModuleFileNameA gives it into a buffer of 261 bytes: at most 260 come back.
std::string ExecutablePath();
// The same in UTF-16, where the system has GetModuleFileNameW; empty elsewhere.
WideString ExecutablePathWide();

}  // namespace zarumo
