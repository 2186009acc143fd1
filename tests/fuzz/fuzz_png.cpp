// The PNG header at load, the rows from the top as the saver draws them, and
// the whole picture reduced as the previews draw it, through libpng.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/png_decoder.h"
#include "system/failure.h"

using namespace zarumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PngHeader header;
  try {
    header = ReadPngHeader(data, size);
  } catch (const Failure&) {
    return 0;
  }
  if (header.width < 1 || header.height < 1) __builtin_trap();
  // As the saver draws: the rows from the top, as many as a few megabytes
  // hold; an interlaced file is read whole, so only a small one is.
  const int rows = std::min(header.height, std::max(1, (1 << 20) / header.width));
  if (header.interlaced && rows < header.height) return 0;
  // A row beyond those asked for must stay as it was.
  const std::size_t rowBytes = static_cast<std::size_t>(header.width) * 4;
  std::vector<std::uint8_t> pixels(rowBytes * (rows + 1), 0xA5);
  try {
    DecodePng(data, size, header, rows, pixels.data(), static_cast<std::ptrdiff_t>(rowBytes));
  } catch (const Failure&) {
    return 0;
  }
  if (std::any_of(pixels.end() - rowBytes, pixels.end(), [](std::uint8_t b) { return b != 0xA5; }))
    __builtin_trap();
  if (static_cast<std::uint64_t>(header.width) * header.height > (1u << 20)) return 0;
  // The factor comes from the file's last byte, so that the fuzzer steers it.
  const int factor = 2 + data[size - 1] % 15;
  const Size reduced = ReducedPng(header, factor);
  const std::size_t reducedRow = static_cast<std::size_t>(reduced.width) * 4;
  std::vector<std::uint8_t> small(reducedRow * (reduced.height + 1), 0xA5);
  try {
    DecodeReducedPng(data, size, header, factor, small.data(),
                     static_cast<std::ptrdiff_t>(reducedRow));
  } catch (const Failure&) {
    return 0;
  }
  if (std::any_of(small.end() - reducedRow, small.end(), [](std::uint8_t b) { return b != 0xA5; }))
    __builtin_trap();
  return 0;
}
