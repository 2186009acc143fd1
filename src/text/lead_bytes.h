// The lead bytes of an ANSI code page: the first bytes of its double-byte characters.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

namespace zarumo {

class LeadBytes {
 public:
  LeadBytes() = default;  // a code page without double-byte characters
  static LeadBytes Cp932();
  static LeadBytes FromRanges(const unsigned char* ranges, std::size_t count);  // pairs, inclusive

  bool IsLead(unsigned char byte) const { return set_[byte]; }
  bool Any() const { return set_.any(); }
  // Position of the character after the one at `pos`, never past the end (as CharNextA).
  std::size_t Next(const std::string& text, std::size_t pos) const;
  // Position of the first byte of the last character, or npos for an empty text.
  std::size_t LastCharStart(const std::string& text) const;

 private:
  std::bitset<256> set_;
};

}  // namespace zarumo
