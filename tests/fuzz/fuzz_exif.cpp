// The orientation from a JPEG file's Exif block, and what it does to a part
// of a small picture: the part's stored rectangle lies within the stored
// picture, and each of its pixels shows inside the part.
#include <cstddef>
#include <cstdint>

#include "pictures/exif_orientation.h"
#include "pictures/jpeg_orientation.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int orientation = ReadExifOrientation(data, size);
  if (orientation < 1 || orientation > 8) __builtin_trap();
  std::uint8_t tail[6] = {};
  for (std::size_t i = 0; i < 6 && i < size; ++i) tail[i] = data[size - 1 - i];
  const int width = 1 + tail[0] % 64, height = 1 + tail[1] % 64;
  const Rect shown = ScaledJpeg({width, height, false, false, orientation}, kJpegFullScale);
  Rect part{tail[2] % shown.width, tail[3] % shown.height, 0, 0};
  part.width = 1 + tail[4] % (shown.width - part.left);
  part.height = 1 + tail[5] % (shown.height - part.top);
  const Rect stored = StoredRect(orientation, width, height, part);
  if (!Rect{0, 0, width, height}.Contains(stored) ||
      stored.width * stored.height != part.width * part.height)
    __builtin_trap();
  for (int y = stored.top; y < stored.Bottom(); ++y) {
    for (int x = stored.left; x < stored.Right(); ++x) {
      const Point at = ShownPoint(orientation, width, height, x, y);
      if (!part.Contains({at.x, at.y, 1, 1})) __builtin_trap();
    }
  }
  return 0;
}
