// Pixels with straight alpha laid over what lies beneath them.
#pragma once

#include <cstdint>

namespace zarumo {

// Lays `count` pixels of blue, green, red and alpha bytes over as many of
// blue, green, red and an unused byte: an opaque pixel replaces what is
// beneath, a transparent one leaves it, and one in between mixes the two in
// proportion, rounded to the nearest level. The unused byte stays.
void BlendOver(const std::uint8_t* source, std::uint8_t* target, int count);

}  // namespace zarumo
