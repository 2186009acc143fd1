// The first image of a GIF file on its logical screen, through giflib.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/gif_decoder.h"
#include "system/failure.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GifHeader header;
  try {
    header = ReadGifHeader(data, size);
  } catch (const Failure&) {
    return 0;
  }
  const Rect screen{0, 0, header.width, header.height};
  if (screen.Empty() || (!header.image.Empty() && !screen.Contains(header.image))) __builtin_trap();
  if (!(header.image == screen) && !header.transparent) __builtin_trap();
  if (static_cast<std::uint64_t>(header.width) * header.height > (1u << 20)) return 0;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.width) * header.height * 4,
                                   0xA5);
  try {
    DecodeGif(data, size, header, pixels.data(), header.width * 4);
  } catch (const Failure&) {
    return 0;
  }
  // Outside the image the screen is transparent.
  for (int y = 0; y < header.height; ++y) {
    for (int x = 0; x < header.width; ++x) {
      const bool inside = x >= header.image.left && x < header.image.Right() &&
                          y >= header.image.top && y < header.image.Bottom();
      const std::uint8_t alpha = pixels[(static_cast<std::size_t>(y) * header.width + x) * 4 + 3];
      if (!inside && alpha != 0) __builtin_trap();
      if (inside && alpha != 0 && alpha != 255) __builtin_trap();
    }
  }
  return 0;
}
