// Bounds on what a picture file may ask for. Every size taken from a file is
// checked against these before anything is computed or allocated from it, so
// that no arithmetic overflows and no request outgrows a 32-bit process.
#pragma once

#include <cstdint>

namespace zarumo {

// Pixel bytes of one bitmap made from a file: a bitmap file is held whole
// while its bitmap is made, so twice this must fit beside everything else.
constexpr std::uint64_t kMaxBitmapBytes = std::uint64_t{256} << 20;
// Files are read whole; nothing sensible is bigger.
constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 28;
// What libjpeg may hold for one decode: the coefficients of a file of several
// scans (two bytes a sample) are what grows.
constexpr std::uint64_t kMaxJpegDecoderBytes = std::uint64_t{256} << 20;

}  // namespace zarumo
