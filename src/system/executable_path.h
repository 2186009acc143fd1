// The running executable's full path, asked afresh at every use.
#pragma once

#include <string>

namespace zarumo {

// As GetModuleFileNameA gives it into a buffer of 261 bytes: at most 260 come back.
std::string ExecutablePath();

}  // namespace zarumo
