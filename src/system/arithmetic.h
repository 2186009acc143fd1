// Integer arithmetic that the layouts and the picture readers share.
#pragma once

#include <cstdint>

namespace zarumo {

// value * numerator / denominator, rounded half away from zero as the
// system's MulDiv rounds, the product held in 64 bits; -1 for a zero denominator.
std::int64_t MulDivRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator);

}  // namespace zarumo
