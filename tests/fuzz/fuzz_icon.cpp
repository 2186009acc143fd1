// The icon file's directory, each image's own header, and the choice among them.
#include <cstddef>
#include <cstdint>

#include "pictures/icon_directory.h"
#include "system/failure.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<IconImage> images;
  try {
    images = ParseIconDirectory(data, size);
  } catch (const Failure&) {
    return 0;
  }
  std::uint32_t sum = 0;
  for (const IconImage& image : images) {
    if (image.offset > size || image.size > size - image.offset) __builtin_trap();
    if (image.width < 1 || image.height < 1) __builtin_trap();
    for (std::size_t i = 0; i < image.size; ++i) sum += data[image.offset + i];
    if (image.maskless) sum += MaskedIconImage(data, image).back();
  }
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    const int side = 16 + (size % 64);
    if (ChooseIconImage(images, side, side, bits) >= images.size()) __builtin_trap();
  }
  // Reads the fuzzer's sanitizer watches; the sum itself does not matter.
  volatile std::uint32_t sink = sum;
  (void)sink;
  return 0;
}
