// Bit-field bitmaps widened to plain 32-bit pixels, against the bitmap
// suite's reference renderings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ppm.h"
#include "pictures/bit_fields.h"
#include "pictures/bitmap_layout.h"
#include "system/failure.h"

namespace zarumo {
namespace {

std::vector<std::uint8_t> SuiteFile(const std::string& name) {
  std::ifstream in(std::string(ZARUMO_SOURCE_DIR) + "/tests/data/bmpsuite/" + name,
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Channel(std::uint32_t colour, int shift) { return static_cast<int>(colour >> shift & 0xFF); }

TEST(BitFields, OnlyTheMasksThe9xFamilyTakesPassAsTheyAre) {
  struct Case {
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t masks[3];
    bool taken;
  };
  const Case cases[] = {
      {16, kBitmapBitFields, {0x7C00, 0x03E0, 0x001F}, true},
      {16, kBitmapBitFields, {0xF800, 0x07E0, 0x001F}, true},
      {32, kBitmapBitFields, {0xFF0000, 0xFF00, 0xFF}, true},
      {24, kBitmapRgb, {}, true},
      {16, kBitmapBitFields, {0x0F00, 0x00F0, 0x000F}, false},
      {16, kBitmapBitFields, {0x001F, 0x07E0, 0xF800}, false},
      {32, kBitmapBitFields, {0xFF000000, 0xFF0000, 0xFF00}, false},
      {32, kBitmapBitFields, {0x3FF00000, 0xFFC00, 0x3FF}, false},
      {32, kBitmapBitFields, {0x7C00, 0x03E0, 0x001F}, false},
  };
  for (const Case& c : cases) {
    BitmapLayout layout;
    layout.bitCount = c.bitCount;
    layout.compression = c.compression;
    std::copy(std::begin(c.masks), std::end(c.masks), layout.masks);
    EXPECT_EQ(EverySystemTakes(layout), c.taken) << std::hex << c.masks[0];
  }
}

// Suite files with masks other than the three, and the rendering each should
// match; none of these references has transparent pixels.
TEST(BitFields, WidenedSuiteFilesLookLikeTheirReferences) {
  const struct {
    const char* file;
    const char* reference;
  } cases[] = {
      {"g/rgb32bf.bmp", "rgb24"},         {"q/rgb16-231.bmp", "rgb16-231"},
      {"q/rgb16-3103.bmp", "rgb16-3103"}, {"q/rgb32-111110.bmp", "rgb24"},
      {"q/rgb32-7187.bmp", "rgb32-7187"}, {"q/rgb32-xbgr.bmp", "rgb24"},
      {"q/rgb32h52.bmp", "rgb24"},        {"b/rgb16-880.bmp", "rgb16-880"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::vector<std::uint8_t> file = SuiteFile(c.file);
    const BitmapLayout layout = ParseBitmapFile(file.data(), file.size());
    ASSERT_FALSE(EverySystemTakes(layout));
    test_common::Ppm reference;
    ASSERT_TRUE(test_common::ReadPpm(std::string(ZARUMO_BMPSUITE_PPM) + "/" + c.reference + ".ppm",
                                     reference));
    std::vector<std::uint8_t> widened;
    const BitmapLayout wide = WidenBitFields(layout, file.data() + layout.pixelOffset, widened);
    ASSERT_TRUE(EverySystemTakes(wide));
    EXPECT_EQ(wide.bitCount, 32);
    EXPECT_EQ(wide.compression, kBitmapRgb);
    ASSERT_EQ(wide.width, reference.width);
    ASSERT_EQ(static_cast<int>(wide.Rows()), reference.height);
    ASSERT_EQ(widened.size(), wide.stride * wide.Rows());
    int worst = 0;
    for (int y = 0; y < reference.height; ++y) {
      // Rows from the bottom up unless the height says otherwise.
      const int row = layout.height > 0 ? reference.height - 1 - y : y;
      for (int x = 0; x < reference.width; ++x) {
        const std::uint8_t* p = &widened[row * wide.stride + x * 4];
        const std::uint32_t want = reference.At(x, y);
        worst = std::max({worst, std::abs(p[2] - Channel(want, 0)),
                          std::abs(p[1] - Channel(want, 8)), std::abs(p[0] - Channel(want, 16))});
      }
    }
    // Channels wider than 8 bits round where the renderer truncated.
    EXPECT_LE(worst, 1);
  }
}

TEST(BitFields, PixelsTheFileLacksStayBlackAndHugeResultsAreRefused) {
  BitmapLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 16;
  layout.compression = kBitmapBitFields;
  layout.masks[0] = 0x0F00;
  layout.masks[1] = 0x00F0;
  layout.masks[2] = 0x000F;
  layout.stride = 8;
  layout.pixelSize = 10;  // the first row and one pixel of the second
  const std::uint8_t pixels[10] = {0xFF, 0x0F, 0x00, 0x0F, 0x0F, 0x00, 0, 0, 0x12, 0x03};
  std::vector<std::uint8_t> widened;
  const BitmapLayout wide = WidenBitFields(layout, pixels, widened);
  EXPECT_EQ(wide.stride, 12u);
  EXPECT_EQ(widened,
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0,
                                       0x22, 0x11, 0x33, 0, 0, 0, 0,    0, 0,    0, 0, 0}));

  layout.width = 16384;
  layout.height = 8192;
  layout.stride = 32768;
  EXPECT_THROW(WidenBitFields(layout, pixels, widened), InvalidPicture);
}

}  // namespace
}  // namespace zarumo
