#include "setup/picture_fit.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(FitCentred, KeepsProportionsAndCentres) {
  Box wide = FitCentred(400, 100, 200, 200);
  EXPECT_EQ(wide.width, 200);
  EXPECT_EQ(wide.height, 50);
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.top, 75);

  Box tall = FitCentred(30, 60, 200, 100);
  EXPECT_EQ(tall.width, 50);
  EXPECT_EQ(tall.height, 100);
  EXPECT_EQ(tall.left, 75);
  EXPECT_EQ(tall.top, 0);

  // Small pictures grow to fill the area too.
  Box small = FitCentred(10, 10, 150, 100);
  EXPECT_EQ(small.width, 100);
  EXPECT_EQ(small.height, 100);
  EXPECT_EQ(small.left, 25);

  Box rounded = FitCentred(3, 2, 100, 100);
  EXPECT_EQ(rounded.width, 100);
  EXPECT_EQ(rounded.height, 67);
  EXPECT_EQ(rounded.top, 16);
}

TEST(FitCentred, ExtremeAndEmptySizes) {
  Box line = FitCentred(10000, 1, 100, 100);
  EXPECT_EQ(line.width, 100);
  EXPECT_EQ(line.height, 1);  // never vanishes
  EXPECT_EQ(line.top, 49);
  Box none = FitCentred(0, 10, 100, 100);
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
  EXPECT_EQ(FitCentred(10, 10, 0, 100).width, 0);
  Box huge = FitCentred(60000, 40000, 300, 300);
  EXPECT_EQ(huge.width, 300);
  EXPECT_EQ(huge.height, 200);
}

TEST(PreviewWindowExtent, PictureWithMarginAndFrameUpToThreeQuartersOfTheMonitor) {
  Extent small = PreviewWindowExtent(320, 200, 8, 10, 30, 1024, 768);
  EXPECT_EQ(small.width, 320 + 16 + 10);
  EXPECT_EQ(small.height, 200 + 16 + 30);
  Extent wide = PreviewWindowExtent(2000, 100, 8, 10, 30, 1024, 768);
  EXPECT_EQ(wide.width, 768);
  EXPECT_EQ(wide.height, 146);
  Extent big = PreviewWindowExtent(3000, 3000, 8, 10, 30, 1024, 768);
  EXPECT_EQ(big.width, 768);
  EXPECT_EQ(big.height, 576);
}

}  // namespace
}  // namespace zarumo
