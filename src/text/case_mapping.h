// Changing the case of ANSI text. The ASCII forms change the letters "a" to
// "z" (or "A" to "Z") byte by byte, wherever they stand, trail bytes of
// double-byte characters included; the system's rules live beside the other
// system services (LowerCaseBySystem).
#pragma once

#include <cstddef>
#include <string>

namespace zarumo {

// Lower-cases `length` bytes in place, by some rule.
using LowerCase = void (*)(char* text, std::size_t length);

std::string UpperCaseAscii(std::string text);
void LowerCaseAscii(char* text, std::size_t length);

}  // namespace zarumo
