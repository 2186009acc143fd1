// The shared rounding multiply-divide.
#include "system/arithmetic.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(MulDivRounded, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDivRounded(25, 13, 12), 27);  // 27.08
  EXPECT_EQ(MulDivRounded(6, 13, 12), 7);    // 6.5
  EXPECT_EQ(MulDivRounded(-6, 13, 12), -7);
  EXPECT_EQ(MulDivRounded(6, -13, 12), -7);
  EXPECT_EQ(MulDivRounded(6, 13, -12), -7);
  EXPECT_EQ(MulDivRounded(5, 13, 12), 5);  // 5.42
  EXPECT_EQ(MulDivRounded(0, 13, 12), 0);
  EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
  // The product does not overflow 32 bits on the way.
  EXPECT_EQ(MulDivRounded(2000000000, 3, 4), 1500000000);
}

}  // namespace
}  // namespace zarumo
