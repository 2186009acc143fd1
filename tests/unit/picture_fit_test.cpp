// Where a picture goes in an area, and how big the preview window grows.
#include "setup/picture_fit.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace zarumo {
namespace {

struct FitCase {
  const char* what;
  int pictureWidth, pictureHeight, areaWidth, areaHeight;
  Rect expected;
};

void ExpectFits(std::initializer_list<FitCase> cases) {
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.what);
    Rect box = FitCentred(c.pictureWidth, c.pictureHeight, c.areaWidth, c.areaHeight);
    EXPECT_EQ(box.left, c.expected.left);
    EXPECT_EQ(box.top, c.expected.top);
    EXPECT_EQ(box.width, c.expected.width);
    EXPECT_EQ(box.height, c.expected.height);
  }
}

TEST(FitCentred, KeepsProportionsAndCentres) {
  ExpectFits({{"wide", 400, 100, 200, 200, {0, 75, 200, 50}},
              {"tall", 30, 60, 200, 100, {75, 0, 50, 100}},
              {"small grows to fill", 10, 10, 150, 100, {25, 0, 100, 100}},
              {"rounded", 3, 2, 100, 100, {0, 16, 100, 67}}});
}

TEST(FitCentred, ExtremeAndEmptySizes) {
  ExpectFits({{"a line keeps one row", 10000, 1, 100, 100, {0, 49, 100, 1}},
              {"huge", 60000, 40000, 300, 300, {0, 50, 300, 200}},
              {"empty picture", 0, 10, 100, 100, {0, 0, 0, 0}},
              {"empty area", 10, 10, 0, 100, {0, 0, 0, 0}}});
}

TEST(PreviewWindowExtent, PictureWithMarginAndFrameUpToThreeQuartersOfTheMonitor) {
  struct Case {
    int pictureWidth, pictureHeight;
    Size expected;
  } cases[] = {{320, 200, {320 + 16 + 10, 200 + 16 + 30}},
               {2000, 100, {768, 146}},
               {3000, 3000, {768, 576}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pictureWidth);
    Size extent = PreviewWindowExtent(c.pictureWidth, c.pictureHeight, 8, 10, 30, 1024, 768);
    EXPECT_EQ(extent.width, c.expected.width);
    EXPECT_EQ(extent.height, c.expected.height);
  }
}

}  // namespace
}  // namespace zarumo
