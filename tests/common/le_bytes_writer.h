// Little-endian fields, as picture files keep them, for the bytes tests build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "pictures/le_bytes.h"

namespace test_common {

using Bytes = std::vector<std::uint8_t>;

// The writer the code uses: `Out` is any container of bytes with push_back.
using zarumo::Put16;
using zarumo::Put32;

// Fields in a row, all of 16 or all of 32 bits.
inline void Put16s(Bytes& b, std::initializer_list<std::uint32_t> values) {
  for (std::uint32_t v : values) Put16(b, v);
}
inline void Put32s(Bytes& b, std::initializer_list<std::uint32_t> values) {
  for (std::uint32_t v : values) Put32(b, v);
}

inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
         static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

inline void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Set16(Bytes& b, std::size_t at, std::uint16_t v) {
  for (int i = 0; i < 2; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace test_common
