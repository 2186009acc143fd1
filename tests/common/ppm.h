// The bitmap suite's reference renderings as the build converts them: binary
// PPM with a maximum of 255.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace test_common {

struct Ppm {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  // Red in the low byte, as in a COLORREF.
  std::uint32_t At(int x, int y) const {
    const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return p[0] | p[1] << 8 | p[2] << 16;
  }
};

inline bool ReadPpm(const std::string& path, Ppm& ppm) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  if (!(in >> magic >> ppm.width >> ppm.height >> maximum) || magic != "P6" || maximum != 255)
    return false;
  in.get();
  ppm.rgb.resize(static_cast<std::size_t>(ppm.width) * ppm.height * 3);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(ppm.rgb.data()),
                                   static_cast<std::streamsize>(ppm.rgb.size())));
}

}  // namespace test_common
