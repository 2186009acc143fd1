// Texts of failures as the user sees them.
#include "text/message_text.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace zarumo {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return result;
}

std::string WithPeriod(const std::string& message, const LeadBytes& leadBytes) {
  std::size_t last = leadBytes.LastCharStart(message);
  if (last == std::string::npos) return message;
  if (static_cast<unsigned char>(message[last]) > '.') return message + ".";
  return message;
}

std::string TopLevelErrorText(const std::string& kind, const std::string& moduleName,
                              const void* address, const std::string& message,
                              const LeadBytes& leadBytes) {
  // The address in the fixed eight-digit form of 32-bit code addresses.
  std::string at =
      Format("%08lX", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(address)));
  // The box shows the message up to a zero byte: the period follows what it shows.
  return Format("%sがモジュール %s の %s で発生しました。\n%s", kind.c_str(), moduleName.c_str(),
                at.c_str(), WithPeriod(message.c_str(), leadBytes).c_str());
}

}  // namespace zarumo
