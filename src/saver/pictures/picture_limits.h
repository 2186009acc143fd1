// Bounds on what a picture file may ask for. Every size taken from a file is
// checked against these before anything is computed or allocated from it, so
// that no arithmetic overflows and no request outgrows a 32-bit process.
#pragma once

#include <cstdint>

namespace zarumo {

// 32 Mi pixels: 128 MiB at 32 bits per pixel, and width * height * 4 fits 32 bits.
constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 25;
// Files are read whole; nothing sensible is bigger.
constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 28;

}  // namespace zarumo
