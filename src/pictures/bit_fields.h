// Bit-field pixels in a form every system takes. The 9x family draws only
// the 5-5-5 and 5-6-5 masks of 16-bit pixels and the 8-8-8 masks of 32-bit
// ones; any other masks are widened here to plain 32-bit pixels first.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/bitmap_layout.h"

namespace zarumo {

// Whether the layout's pixels may go to the system as they are.
bool EverySystemTakes(const BitmapLayout& layout);

// The layout's bit-field pixels as 32-bit pixels without masks (blue in the
// low byte), rows in the same order; each channel scaled from its mask's
// width to 8 bits, rounded. Pixels the file does not hold stay black. Gives
// the layout of the result; raises InvalidPicture when that is too large.
BitmapLayout WidenBitFields(const BitmapLayout& layout, const std::uint8_t* pixels,
                            std::vector<std::uint8_t>& widened);

}  // namespace zarumo
