// The header that puts a Windows metafile in a box of its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/le_bytes_writer.h"

namespace test_common {

// The box is in metafile units, `perInch` of them to the inch; without
// `checksum` the checksum word is left 0.
inline Bytes PlaceableHeader(std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::uint16_t perInch, bool checksum) {
  Bytes b;
  Put32(b, 0x9AC6CDD7);
  Put16(b, 0);
  for (std::int16_t v : {left, top, right, bottom}) Put16(b, static_cast<std::uint16_t>(v));
  Put16(b, perInch);
  Put32(b, 0);
  std::uint16_t sum = 0;
  if (checksum) {
    for (std::size_t i = 0; i < b.size(); i += 2)
      sum ^= static_cast<std::uint16_t>(b[i] | b[i + 1] << 8);
  }
  Put16(b, sum);
  return b;
}

}  // namespace test_common
