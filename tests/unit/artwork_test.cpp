// The built-in pictures and the icon: formats, colours and extents the saver computes with.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Rgb = std::array<int, 3>;

Bytes ReadAll(const std::string& name) {
  std::ifstream in(std::string(ZARUMO_SOURCE_DIR "/src/resources/") + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U16(const Bytes& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t I32(const Bytes& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

// The fields of a 40-byte BITMAPINFOHEADER that starts at `at`.
struct Dib {
  uint32_t header_size, planes, bits, compression, size_image, colours_used;
  int32_t width, height, x_ppm, y_ppm;
  size_t Stride() const { return (width * bits + 31) / 32 * 4; }
};

Dib ReadDib(const Bytes& b, size_t at) {
  return Dib{U32(b, at),      U16(b, at + 12), U16(b, at + 14), U32(b, at + 16), U32(b, at + 20),
             U32(b, at + 32), I32(b, at + 4),  I32(b, at + 8),  I32(b, at + 24), I32(b, at + 28)};
}

// A BMP file: the headers, checked for the layout every built-in picture shares.
struct Bmp {
  Bytes bytes;
  Dib dib;
  size_t pixels;
  // Offset of pixel (x, y), y counted from the top of a bottom-up picture.
  size_t At(int x, int y) const {
    return pixels + (dib.height - 1 - y) * dib.Stride() + x * dib.bits / 8;
  }
};

Bmp LoadBmp(const std::string& name, int width, int height, int bits) {
  Bmp bmp{ReadAll(name), {}, 0};
  const Bytes& b = bmp.bytes;
  EXPECT_GE(b.size(), 54u) << name;
  if (b.size() < 54) return bmp;
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), b.size());
  bmp.dib = ReadDib(b, 14);
  bmp.pixels = U32(b, 10);
  const Dib& d = bmp.dib;
  EXPECT_EQ(d.header_size, 40u);
  EXPECT_EQ(d.width, width);
  EXPECT_EQ(d.height, height);  // positive: bottom-up
  EXPECT_EQ(d.planes, 1u);
  EXPECT_EQ(d.bits, static_cast<uint32_t>(bits));
  EXPECT_EQ(d.compression, 0u);
  EXPECT_EQ(d.x_ppm, 3780);
  EXPECT_EQ(d.y_ppm, 3780);
  EXPECT_EQ(d.size_image, d.Stride() * height);
  EXPECT_EQ(bmp.pixels + d.size_image, b.size());
  return bmp;
}

// Where `c` lies on the line from `a` to `b` (0..1), or -1 when it is off by more than 2.
double RampPosition(const Rgb& c, const Rgb& a, const Rgb& b) {
  for (int step = 0; step <= 1000; ++step) {
    const double t = step / 1000.0;
    bool near = true;
    for (int i = 0; i < 3; ++i) near = near && std::fabs(a[i] + (b[i] - a[i]) * t - c[i]) <= 2;
    if (near) return t;
  }
  return -1;
}

struct Extent {
  int min_x = 1 << 20, min_y = 1 << 20, max_x = -1, max_y = -1;
  void Add(int x, int y) {
    min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    min_y = std::min(min_y, y), max_y = std::max(max_y, y);
  }
};

TEST(ArtworkTest, BannerIsGoldLetteringInItsBox) {
  const Bmp bmp = LoadBmp("banner.bmp", 656, 241, 24);
  ASSERT_EQ(bmp.bytes.size(), bmp.At(0, 0) + 656 * 3);
  const Rgb orange{255, 151, 47}, yellow{255, 255, 15}, olive{144, 151, 0}, light{223, 223, 0};
  // Each colour's position on the front ramp and on the side ramp (-1: not on it).
  std::map<Rgb, std::pair<double, double>> colours;
  Extent extent;
  double outer = 0, middle = 0;  // front faces' mean ramp position, outer fifths vs middle fifth
  int outer_n = 0, middle_n = 0;
  for (int y = 0; y < 241; ++y) {
    for (int x = 0; x < 656; ++x) {
      const size_t at = bmp.At(x, y);
      const Rgb c{bmp.bytes[at + 2], bmp.bytes[at + 1], bmp.bytes[at]};
      if (c == Rgb{0, 0, 0}) {
        colours[c] = {-1, -1};
        continue;
      }
      extent.Add(x, y);
      auto found = colours.find(c);
      if (found == colours.end()) {
        found = colours
                    .emplace(c, std::make_pair(RampPosition(c, orange, yellow),
                                               RampPosition(c, olive, light)))
                    .first;
        ASSERT_TRUE(found->second.first >= 0 || found->second.second >= 0)
            << "colour " << c[0] << "," << c[1] << "," << c[2] << " at " << x << "," << y;
      }
      const double t = found->second.first;
      if (t >= 0 && (x < 656 / 5 || x >= 656 * 4 / 5)) outer += t, ++outer_n;
      if (t >= 0 && x >= 656 * 2 / 5 && x < 656 * 3 / 5) middle += t, ++middle_n;
    }
  }
  EXPECT_EQ(colours.size(), 81u);
  // Both ramps are used from end to end.
  double front_lo = 1, front_hi = 0, side_lo = 1, side_hi = 0;
  for (const auto& [c, t] : colours) {
    if (t.first >= 0)
      front_lo = std::min(front_lo, t.first), front_hi = std::max(front_hi, t.first);
    if (t.second >= 0) side_lo = std::min(side_lo, t.second), side_hi = std::max(side_hi, t.second);
  }
  EXPECT_LT(front_lo, 0.03);
  EXPECT_GT(front_hi, 0.97);
  EXPECT_LT(side_lo, 0.03);
  EXPECT_GT(side_hi, 0.97);
  ASSERT_GT(outer_n, 0);
  ASSERT_GT(middle_n, 0);
  EXPECT_LT(outer / outer_n, middle / middle_n) << "faces: orange outside, yellow in the middle";
  EXPECT_EQ(extent.min_x, 18);
  EXPECT_EQ(extent.max_x, 636);
  EXPECT_EQ(extent.min_y, 17);
  EXPECT_EQ(extent.max_y, 220);
}

TEST(ArtworkTest, FallbackIsRedExclamationMarkOnBlack) {
  const Bmp bmp = LoadBmp("fallback.bmp", 201, 101, 8);
  EXPECT_TRUE(bmp.dib.colours_used == 0 || bmp.dib.colours_used == 256);
  ASSERT_EQ(bmp.pixels, 14u + 40 + 256 * 4);
  Extent red;
  std::set<Rgb> colours;
  for (int y = 0; y < 101; ++y) {
    for (int x = 0; x < 201; ++x) {
      const size_t entry = 54 + bmp.bytes.at(bmp.At(x, y)) * 4;
      const Rgb c{bmp.bytes[entry + 2], bmp.bytes[entry + 1], bmp.bytes[entry]};
      colours.insert(c);
      if (c == Rgb{255, 0, 0}) red.Add(x, y);
    }
  }
  EXPECT_EQ(colours, (std::set<Rgb>{{0, 0, 0}, {255, 0, 0}}));
  EXPECT_EQ(red.min_x, 77);
  EXPECT_EQ(red.max_x, 105);
  EXPECT_EQ(red.min_y, 21);
  EXPECT_EQ(red.max_y, 74);
}

TEST(ArtworkTest, IconIsOneMaskedSixteenColourFace) {
  const Bytes b = ReadAll("zarumo.ico");
  ASSERT_GE(b.size(), 22u);
  EXPECT_EQ(U16(b, 0), 0u);
  EXPECT_EQ(U16(b, 2), 1u);  // icon
  ASSERT_EQ(U16(b, 4), 1u);  // one image
  EXPECT_EQ(b[6], 32);
  EXPECT_EQ(b[7], 32);
  EXPECT_EQ(b[8], 16);
  EXPECT_EQ(U16(b, 10), 1u);
  EXPECT_EQ(U16(b, 12), 4u);
  const size_t at = U32(b, 18);
  const size_t size = 40 + 16 * 4 + 32 * 16 + 32 * 4;
  ASSERT_EQ(U32(b, 14), size);
  ASSERT_EQ(at + size, b.size());
  const Dib d = ReadDib(b, at);
  EXPECT_EQ(d.header_size, 40u);
  EXPECT_EQ(d.width, 32);
  EXPECT_EQ(d.height, 64);  // colour bits and mask
  EXPECT_EQ(d.bits, 4u);
  EXPECT_EQ(d.compression, 0u);
  EXPECT_TRUE(d.colours_used == 0 || d.colours_used == 16);
  const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(U32(b, at + 40 + i * 4), vga[i]) << "entry " << i;
  const size_t xor_bits = at + 40 + 64, and_bits = xor_bits + 32 * 16;
  // y from the top; both planes are stored bottom-up.
  auto transparent = [&](int x, int y) {
    return (b[and_bits + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
  };
  auto index = [&](int x, int y) {
    return (b[xor_bits + (31 - y) * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 15;
  };
  for (int corner = 0; corner < 4; ++corner)
    EXPECT_TRUE(transparent(corner % 2 * 31, corner / 2 * 31));
  EXPECT_FALSE(transparent(16, 16));
  std::set<int> used;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (!transparent(x, y))
        used.insert(index(x, y));
      else
        EXPECT_EQ(index(x, y), 0) << "transparent pixels must not tint the background";
    }
  }
  // Yellow face, cyan rim, black hair, olive horns, grey eyes in navy, red nose and mouth, magenta.
  EXPECT_EQ(used, (std::set<int>{0, 3, 4, 8, 9, 11, 13, 14}));
}

}  // namespace
