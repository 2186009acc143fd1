// Icon files for the tests: a directory in front of the images' own bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "common/le_bytes_writer.h"

namespace test_common {

// The size and depth each directory entry claims; 0 stands for "see the image".
struct IconEntry {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint16_t bitCount = 0;
};

// An image's header: its height counts the colour rows and the mask rows.
inline Bytes IconImageHeader(int side, int bitCount) {
  Bytes b;
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(side));
  Put32(b, static_cast<std::uint32_t>(side * 2));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bitCount));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  return b;
}

inline Bytes IconFile(const std::vector<Bytes>& images, std::uint16_t type = 1,
                      IconEntry entry = {}) {
  Bytes b;
  Put16(b, 0);
  Put16(b, type);
  Put16(b, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const Bytes& image : images) {
    b.insert(b.end(), {entry.width, entry.height, 0, 0});
    Put16(b, 1);
    Put16(b, entry.bitCount);
    Put32(b, static_cast<std::uint32_t>(image.size()));
    Put32(b, offset);
    offset += static_cast<std::uint32_t>(image.size());
  }
  for (const Bytes& image : images) b.insert(b.end(), image.begin(), image.end());
  return b;
}

}  // namespace test_common
