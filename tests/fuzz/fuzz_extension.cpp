// Choosing the kind of a file by the extension of its name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pictures/picture_kind.h"
#include "system/failure.h"
#include "text/lead_bytes.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  for (const LeadBytes& lead : {LeadBytes::Cp932(), LeadBytes()}) {
    const std::string extension = FileExtension(name, lead);
    // Anything found is what follows a dot at the end of the name.
    if (!extension.empty()) {
      if (extension.size() >= name.size()) __builtin_trap();
      const std::size_t dot = name.size() - extension.size() - 1;
      if (name[dot] != '.' || name.compare(dot + 1, std::string::npos, extension) != 0) {
        __builtin_trap();
      }
      if (!lead.Any() && extension.find_first_of("\\:") != std::string::npos) __builtin_trap();
    }
    try {
      PictureKindOf(name, lead, LowerCaseAscii);
    } catch (const InvalidPicture& failure) {
      // Names reach the system as C strings: a zero byte would end them.
      const std::string shown = extension.substr(0, extension.find('\0'));
      if (failure.Message().find(shown) == std::string::npos) __builtin_trap();
    }
  }
  return 0;
}
