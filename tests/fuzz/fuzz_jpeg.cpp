// The JPEG header at load and the decodes at drawing, through libjpeg: a part
// at full size, as the saver draws, and the whole picture reduced, as the
// previews draw.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/jpeg_decoder.h"
#include "pictures/jpeg_orientation.h"
#include "system/failure.h"

using namespace zarumo;

namespace {

// Decodes `part` at `eighths`/8 into a bottom-up buffer of its own; false
// when the library fails, as it may on any input.
bool DecodePart(const std::uint8_t* data, std::size_t size, const JpegHeader& header, int eighths,
                const Rect& part) {
  const std::ptrdiff_t stride = (part.width * (header.greyscale ? 1 : 3) + 3) / 4 * 4;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * part.height);
  JpegTarget target;
  target.header = header;
  target.eighths = eighths;
  target.part = part;
  target.topRow = pixels.data() + (part.height - 1) * stride;
  target.rowStep = -stride;
  JpegGreys greys;
  try {
    DecodeJpeg(data, size, target, greys);
  } catch (const Failure&) {
    return false;
  }
  if (header.greyscale && (greys.count < 1 || greys.count > 236)) __builtin_trap();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  JpegHeader header;
  try {
    header = ReadJpegHeader(data, size);
  } catch (const Failure&) {
    return 0;
  }
  if (header.width < 1 || header.height < 1) __builtin_trap();
  // The part and the scale come from the file's last bytes, so that the
  // fuzzer steers them too. The rows above a part are read or skipped, which
  // costs time in proportion to the picture's width: the part is kept near
  // enough to the top and small, the picture need not be.
  std::uint8_t tail[4] = {};
  for (std::size_t i = 0; i < 4 && i < size; ++i) tail[i] = data[size - 1 - i];
  auto pick = [&](int i, int range) { return tail[i] * range / 256; };
  const Rect whole = ScaledJpeg(header, kJpegFullScale);  // as shown
  const int reachable = std::min(header.height, std::max(1, (1 << 22) / header.width));
  Rect part{pick(0, whole.width), pick(1, std::min(whole.height, reachable)), 0, 0};
  part.width = std::min(whole.width - part.left, 1 + pick(2, 512));
  part.height = std::min(whole.height - part.top, 1 + pick(3, 512));
  if (!whole.Contains(part)) __builtin_trap();
  // The stored rows down to the part's are read.
  if (StoredRect(header.orientation, header.width, header.height, part).Bottom() <= reachable) {
    DecodePart(data, size, header, kJpegFullScale, part);
  }

  // Large pictures are fine but slow reduced whole: a part is enough for them.
  const int eighths = 1 + tail[0] % kJpegFullScale;
  const Rect reduced = ScaledJpeg(header, eighths);
  if (static_cast<std::uint64_t>(reduced.width) * reduced.height > (1u << 20)) return 0;
  DecodePart(data, size, header, eighths, reduced);
  return 0;
}
