// Bit-field pixels in a form every system takes.
#include "pictures/bit_fields.h"

#include "pictures/le_bytes.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {
namespace {

// One channel of a mask: where it starts and its largest value.
struct Channel {
  std::uint32_t mask;
  int shift = 0;
  std::uint32_t maximum = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (!(mask >> shift & 1)) ++shift;
    maximum = mask >> shift;
  }
  std::uint8_t Scale(std::uint32_t pixel) const {
    if (maximum == 0) return 0;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
  }
};

}  // namespace

bool EverySystemTakes(const BitmapLayout& layout) {
  if (layout.compression != kBitmapBitFields) return true;
  const std::uint32_t* m = layout.masks;
  if (layout.bitCount == 16)
    return (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F) ||
           (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F);
  return m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
}

BitmapLayout WidenBitFields(const BitmapLayout& layout, const std::uint8_t* pixels,
                            std::vector<std::uint8_t>& widened) {
  BitmapLayout wide = layout;
  wide.bitCount = 32;
  wide.compression = kBitmapRgb;
  for (std::uint32_t& mask : wide.masks) mask = 0;
  wide.stride = static_cast<std::uint32_t>(DibRowBytes(layout.width, 32));
  const std::uint64_t bytes = static_cast<std::uint64_t>(wide.stride) * layout.Rows();
  if (bytes > kMaxBitmapBytes) throw InvalidPicture(kInvalidBitmapMessage);
  widened.assign(static_cast<std::size_t>(bytes), 0);
  wide.pixelOffset = 0;
  wide.pixelSize = widened.size();

  const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
  const std::size_t pixelBytes = layout.bitCount / 8;
  for (std::uint32_t row = 0; row < layout.Rows(); ++row) {
    const std::size_t start = static_cast<std::size_t>(row) * layout.stride;
    std::uint8_t* out = widened.data() + static_cast<std::size_t>(row) * wide.stride;
    for (std::int32_t x = 0; x < layout.width; ++x, out += 4) {
      const std::size_t at = start + static_cast<std::size_t>(x) * pixelBytes;
      if (at + pixelBytes > layout.pixelSize) return wide;
      const std::uint32_t pixel = pixelBytes == 2 ? ReadU16(pixels + at) : ReadU32(pixels + at);
      out[0] = blue.Scale(pixel);
      out[1] = green.Scale(pixel);
      out[2] = red.Scale(pixel);
    }
  }
  return wide;
}

}  // namespace zarumo
