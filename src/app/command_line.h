// The command line as the display settings hand it over: a mode switch and,
// for two of the modes, a window handle.
#pragma once

#include <cstdint>
#include <string>

#include "text/lead_bytes.h"

namespace zarumo {

enum class Mode { kChangePassword, kConfigure, kPreview, kShow };

class CommandLine {
 public:
  CommandLine(std::string line, const LeadBytes& leadBytes);
  // Items after the program path, up to the first one that comes out empty.
  int ArgumentCount() const;
  // Argument `index` (1 is the first after the program path); empty beyond the count.
  std::string Argument(int index) const;

 private:
  // Reads the item starting at or after `pos`; returns the position after it.
  std::size_t ReadItem(std::size_t pos, std::string& item) const;
  std::string line_;
  LeadBytes lead_;
};

// The switch for the dispatch: the first argument upper-cased, or "/C".
std::string ModeSwitchFor(const CommandLine& commandLine);

// Decided by the second byte of the switch alone.
Mode ModeFor(const std::string& modeSwitch);

// A 32-bit integer in decimal (optionally signed) or hexadecimal ("$", "x",
// "0x"), after optional spaces. False for anything else or out of range.
bool ParseWindowHandle(const std::string& text, std::int32_t& value);

}  // namespace zarumo
