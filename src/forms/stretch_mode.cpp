// The stretch mode that suits a bitmap of a given depth.
#include "forms/stretch_mode.h"

namespace zarumo {

StretchMode ChooseStretchMode(int displayBitsPerPixel, int pictureBitsPerPixel) {
  if (displayBitsPerPixel <= 8 && displayBitsPerPixel < pictureBitsPerPixel)
    return StretchMode::kHalftone;
  if (pictureBitsPerPixel == 1) return StretchMode::kUnchanged;
  return StretchMode::kColorOnColor;
}

}  // namespace zarumo
