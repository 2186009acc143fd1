// Bit-field bitmaps widened to plain 32-bit pixels where the 9x family would
// refuse their masks, against the bitmap suite's reference renderings.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ppm.h"
#include "pictures/bit_fields.h"
#include "pictures/bitmap_layout.h"

namespace zarumo {
namespace {

TEST(BitFields, SuiteFilesWithOtherMasksWidenToTheirReferences) {
  // Empty `reference`: masks every system takes, which pass as they are.
  const struct {
    const char* file;
    const char* reference;
  } cases[] = {
      {"g/rgb16-565.bmp", ""},          {"g/rgb32bf.bmp", "rgb24"},
      {"q/rgb16-231.bmp", "rgb16-231"}, {"q/rgb16-3103.bmp", "rgb16-3103"},
      {"q/rgb32-111110.bmp", "rgb24"},  {"q/rgb32-7187.bmp", "rgb32-7187"},
      {"q/rgb32-xbgr.bmp", "rgb24"},    {"q/rgb32h52.bmp", "rgb24"},
      {"b/rgb16-880.bmp", "rgb16-880"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::ifstream in(std::string(ZARUMO_SOURCE_DIR) + "/tests/data/bmpsuite/" + c.file,
                     std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    const BitmapLayout layout = ParseBitmapFile(file.data(), file.size());
    ASSERT_EQ(EverySystemTakes(layout), !*c.reference);
    if (!*c.reference) continue;
    test_common::Ppm want;
    ASSERT_TRUE(
        test_common::ReadPpm(std::string(ZARUMO_BMPSUITE_PPM) + "/" + c.reference + ".ppm", want));
    std::vector<std::uint8_t> widened;
    const BitmapLayout wide = WidenBitFields(layout, file.data() + layout.pixelOffset, widened);
    ASSERT_TRUE(EverySystemTakes(wide));
    ASSERT_EQ(wide.width, want.width);
    ASSERT_EQ(widened.size(), std::size_t{wide.stride} * want.height);
    int worst = 0;
    for (int y = 0; y < want.height; ++y)
      for (int x = 0; x < want.width; ++x)
        for (int channel = 0; channel < 3; ++channel) {
          // Rows bottom up; blue first in the pixel, red in the reference.
          const int row = layout.height > 0 ? want.height - 1 - y : y;
          const int got = widened[row * wide.stride + x * 4 + 2 - channel];
          worst =
              std::max(worst, std::abs(got - static_cast<int>(want.At(x, y) >> 8 * channel & 255)));
        }
    // Channels wider than 8 bits round where the renderer truncated.
    EXPECT_LE(worst, 1);
  }
}

}  // namespace
}  // namespace zarumo
