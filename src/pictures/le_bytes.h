// Little-endian fields of file headers, read and written. Readers' callers
// check the bounds first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

inline std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::int16_t ReadS16(const std::uint8_t* p) { return static_cast<std::int16_t>(ReadU16(p)); }
inline std::int32_t ReadS32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

// Appends a field to any container of bytes with push_back.
template <typename Out>
void Put16(Out& out, std::uint32_t v) {
  using Byte = typename Out::value_type;
  out.push_back(static_cast<Byte>(v & 0xFF));
  out.push_back(static_cast<Byte>(v >> 8 & 0xFF));
}
template <typename Out>
void Put32(Out& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Whether `length` bytes from `offset` lie within `size`, without overflow.
inline bool Fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}

}  // namespace zarumo
