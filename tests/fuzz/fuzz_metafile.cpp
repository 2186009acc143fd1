// The headers and record framing of both metafile formats.
#include <cstddef>
#include <cstdint>

#include "pictures/metafile_header.h"
#include "system/failure.h"

using namespace zarumo;

namespace {

void Check(const std::uint8_t* data, std::size_t size,
           MetafileFrame (*check)(const std::uint8_t*, std::size_t, int, int), int dpi) {
  MetafileFrame frame;
  try {
    frame = check(data, size, dpi, dpi);
  } catch (const Failure&) {
    return;
  }
  if (frame.offset > size || frame.size > size - frame.offset) __builtin_trap();
  // A Windows metafile that states no size has none until the system measures it.
  if (frame.width == 0 && frame.height == 0 && frame.frameWidth == 0 && frame.frameHeight == 0 &&
      check == CheckWinMetafile) {
    return;
  }
  if (frame.width < 1 || frame.height < 1 || frame.width > 0x7FFF || frame.height > 0x7FFF) {
    __builtin_trap();
  }
  if (frame.frameWidth < 1 || frame.frameHeight < 1) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (int dpi : {72, 96, 120}) {
    Check(data, size, CheckEnhMetafile, dpi);
    Check(data, size, CheckWinMetafile, dpi);
  }
  return 0;
}
