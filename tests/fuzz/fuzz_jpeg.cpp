// The JPEG header at load and the decode at first drawing, through libjpeg.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "system/failure.h"
#include "saver/pictures/jpeg_decoder.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  JpegHeader header;
  try {
    header = ReadJpegHeader(data, size);
  } catch (const Failure&) {
    return 0;
  }
  if (header.width < 1 || header.height < 1) __builtin_trap();
  // Large pictures are fine but slow: the header alone is enough for them.
  if (static_cast<std::uint64_t>(header.width) * header.height > (1u << 20)) return 0;
  const std::ptrdiff_t stride = (header.width * (header.greyscale ? 1 : 3) + 3) / 4 * 4;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * header.height);
  JpegTarget target;
  target.header = header;
  target.topRow = pixels.data() + (header.height - 1) * stride;
  target.rowStep = -stride;
  JpegGreys greys;
  try {
    DecodeJpeg(data, size, target, greys);
  } catch (const Failure&) {
    return 0;
  }
  if (header.greyscale && (greys.count < 1 || greys.count > 236)) __builtin_trap();
  return 0;
}
