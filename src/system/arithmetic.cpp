// Integer arithmetic that the layouts and the picture readers share.
#include "system/arithmetic.h"

namespace zarumo {

std::int64_t MulDivRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = value * numerator;
  const std::int64_t divisor = denominator < 0 ? -denominator : denominator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t quotient = ((product < 0 ? -product : product) + divisor / 2) / divisor;
  return negative ? -quotient : quotient;
}

}  // namespace zarumo
