// Pixels with straight alpha laid over what lies beneath them.
#include "pictures/alpha_blend.h"

namespace zarumo {

void BlendOver(const std::uint8_t* source, std::uint8_t* target, int count) {
  for (int i = 0; i < count; ++i, source += 4, target += 4) {
    const unsigned alpha = source[3];
    if (alpha == 0) continue;
    for (int c = 0; c < 3; ++c) {
      target[c] =
          static_cast<std::uint8_t>((source[c] * alpha + target[c] * (255 - alpha) + 127) / 255);
    }
  }
}

}  // namespace zarumo
