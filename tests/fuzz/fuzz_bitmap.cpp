// The bitmap file's headers, masks and colour table.
#include <cstddef>
#include <cstdint>

#include "pictures/bit_fields.h"
#include "pictures/bitmap_layout.h"
#include "system/failure.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BitmapLayout layout;
  try {
    layout = ParseBitmapFile(data, size);
  } catch (const Failure&) {
    return 0;
  }
  if (layout.Empty()) return 0;
  // What the reader later hands to the system must lie within the file.
  if (layout.pixelOffset > size || layout.pixelSize > size - layout.pixelOffset) __builtin_trap();
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < layout.pixelSize; ++i) sum += data[layout.pixelOffset + i];
  if (!layout.RunLength() &&
      layout.pixelSize > static_cast<std::uint64_t>(layout.stride) * layout.Rows()) {
    __builtin_trap();
  }
  if (layout.bitCount <= 8 && layout.colours.size() != (std::size_t{1} << layout.bitCount)) {
    __builtin_trap();
  }
  const std::vector<std::uint8_t> info = BitmapInfoBytes(layout);
  if (info.size() !=
      40 + (layout.compression == kBitmapBitFields ? 12 : 0) + layout.colours.size() * 4) {
    __builtin_trap();
  }
  // Masks the 9x family would refuse are widened from the file's pixels alone.
  std::vector<std::uint8_t> widened;
  try {
    if (!EverySystemTakes(layout) &&
        !EverySystemTakes(WidenBitFields(layout, data + layout.pixelOffset, widened)))
      __builtin_trap();
  } catch (const InvalidPicture&) {
  }
  // Reads the fuzzer's sanitizer watches; the sum itself does not matter.
  volatile std::uint32_t sink = sum;
  (void)sink;
  return 0;
}
