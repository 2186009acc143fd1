// Bounds on what a picture file may ask for. Every size taken from a file is
// checked against these before anything is computed or allocated from it, so
// that no arithmetic overflows and no request outgrows a 32-bit process. The
// room they leave was measured in a saver that had built its scene (see the
// README's Performance section): 560 MiB in one block, a file's bytes and a
// bitmap of 509 MiB each side by side.
#pragma once

#include <cstdint>

namespace zarumo {

// Pixel bytes of one bitmap made from a file. A bitmap file is held whole
// while its bitmap is made, so twice this must fit; half of what did leaves
// room for a system that maps more into the process.
constexpr std::uint64_t kMaxBitmapBytes = std::uint64_t{256} << 20;
// Files are read whole; nothing sensible is bigger.
constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 28;
// What libjpeg may hold for one decode. A file of several scans keeps the
// coefficients of the whole picture, two bytes a sample: this is a 4:2:0
// photo of 134 megapixels, or a 4:4:4 one of 67, which decodes in about a
// second.
constexpr std::uint64_t kMaxJpegDecoderBytes = std::uint64_t{384} << 20;

}  // namespace zarumo
