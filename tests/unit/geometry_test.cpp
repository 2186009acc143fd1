// Cutting 1:1 copies to what the target shows.
#include <gtest/gtest.h>

#include <climits>

#include "system/geometry.h"

namespace zarumo {
namespace {

void ExpectBlit(const Blit& b, Rect source, int destX, int destY) {
  EXPECT_EQ(b.source, source);
  EXPECT_EQ(b.destX, destX);
  EXPECT_EQ(b.destY, destY);
}

TEST(ClipToTarget, KeepsOnlyWhatLandsInTheTarget) {
  const Rect screen{0, 0, 1024, 384};
  // Inside: unchanged.
  ExpectBlit(ClipToTarget({300, 100}, {10, 20}, screen), {0, 0, 300, 100}, 10, 20);
  // Hanging over the top-left corner: the source moves with the cut.
  ExpectBlit(ClipToTarget({300, 100}, {-50, -30}, screen), {50, 30, 250, 70}, 0, 0);
  // A target that does not start at the origin, as a paint's update box.
  ExpectBlit(ClipToTarget({300, 100}, {0, 0}, {100, 40, 50, 10}), {100, 40, 50, 10}, 100, 40);
  // Missing the target, or touching it only at an edge: nothing.
  EXPECT_TRUE(ClipToTarget({300, 100}, {1024, 0}, screen).source.Empty());
  EXPECT_TRUE(ClipToTarget({300, 100}, {0, -100}, screen).source.Empty());
  EXPECT_TRUE(ClipToTarget({0, 100}, {0, 0}, screen).source.Empty());
}

// The 9x family keeps coordinates in 16 bits: a picture wider or taller than
// 32767 reaches the system only as the part the target shows.
TEST(ClipToTarget, HugePicturesHandOnlySixteenBitCoordinates) {
  const Rect screen{0, 0, 1920, 540};
  const Blit wide = ClipToTarget({40000, 300}, {0, 0}, screen);
  ExpectBlit(wide, {0, 0, 1920, 300}, 0, 0);
  const Blit tall = ClipToTarget({200, 70000}, {860, 300}, screen);
  ExpectBlit(tall, {0, 0, 200, 240}, 860, 300);
  // Drawn so that its far part shows, near the end of the int range.
  const Blit far = ClipToTarget({INT_MAX, 10}, {-(INT_MAX - 100), 0}, screen);
  ExpectBlit(far, {INT_MAX - 100, 0, 100, 10}, 0, 0);
  for (const Blit& b : {wide, tall}) {
    EXPECT_LE(b.source.Right(), 32767);
    EXPECT_LE(b.source.Bottom(), 32767);
  }
}

}  // namespace
}  // namespace zarumo
