// Cutting 1:1 copies to what the target shows. The 9x family keeps
// coordinates in 16 bits: a picture wider or taller than 32767 must reach the
// system only as the part the target shows.
#include <gtest/gtest.h>

#include <climits>

#include "system/geometry.h"

namespace zarumo {
namespace {

TEST(ClipToTarget, KeepsOnlyWhatLandsInTheTarget) {
  const Rect screen{0, 0, 1920, 540};
  const struct {
    Size picture;
    Point at;
    Rect target, source;  // an empty source: nothing lands
    Point dest;
  } cases[] = {
      {{300, 100}, {-50, -30}, screen, {50, 30, 250, 70}, {0, 0}},
      {{40000, 70000}, {860, 300}, screen, {0, 0, 1060, 240}, {860, 300}},
      {{INT_MAX, 10}, {-(INT_MAX - 100), 0}, screen, {INT_MAX - 100, 0, 100, 10}, {0, 0}},
      {{300, 100}, {0, -100}, screen, {}, {}},
  };
  for (const auto& c : cases) {
    const Blit blit = ClipToTarget(c.picture, c.at, c.target);
    EXPECT_EQ(blit.source, c.source) << c.picture.width << " at " << c.at.x << "," << c.at.y;
    if (c.source.Empty()) continue;
    EXPECT_TRUE(blit.destX == c.dest.x && blit.destY == c.dest.y);
  }
}

}  // namespace
}  // namespace zarumo
