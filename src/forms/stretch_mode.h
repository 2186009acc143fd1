// The stretch mode that suits a bitmap of a given depth.
#pragma once

namespace zarumo {

enum class StretchMode { kUnchanged, kColorOnColor, kHalftone };

// Mode for drawing a picture 1:1 on the display's format: halftone only where
// the display has at most 8 bits and fewer than the picture; a monochrome
// picture keeps whatever mode the target has.
StretchMode ChooseStretchMode(int displayBitsPerPixel, int pictureBitsPerPixel);

}  // namespace zarumo
