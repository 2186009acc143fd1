// The lead bytes of an ANSI code page: the first bytes of its double-byte characters.
#include "text/lead_bytes.h"

namespace zarumo {

LeadBytes LeadBytes::Cp932() {
  static const unsigned char kRanges[] = {0x81, 0x9F, 0xE0, 0xFC};
  return FromRanges(kRanges, 2);
}

LeadBytes LeadBytes::FromRanges(const unsigned char* ranges, std::size_t count) {
  LeadBytes result;
  for (std::size_t i = 0; i < count; ++i) {
    for (unsigned b = ranges[2 * i]; b <= ranges[2 * i + 1]; ++b) result.set_.set(b);
  }
  return result;
}

std::size_t LeadBytes::Next(const std::string& text, std::size_t pos) const {
  if (pos >= text.size()) return text.size();
  // A lead byte followed by the terminating zero stands alone.
  if (IsLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
      text[pos + 1] != '\0')
    return pos + 2;
  return pos + 1;
}

std::size_t LeadBytes::LastCharStart(const std::string& text) const {
  if (text.empty()) return std::string::npos;
  std::size_t pos = 0;
  for (std::size_t next = Next(text, pos); next < text.size(); next = Next(text, pos)) pos = next;
  return pos;
}

}  // namespace zarumo
