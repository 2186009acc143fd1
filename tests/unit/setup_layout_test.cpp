#include "setup/setup_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/file_filter.h"
#include "setup/picture_fit.h"

namespace zarumo {
namespace {

TEST(SetupLayout, TabOrderRunsOverTheButtonsThenTheFields) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  std::vector<SetupControl> order(6, SetupControl::kHeading);
  for (std::size_t i = 0; i < layout.componentCount; ++i) {
    const ComponentData& c = layout.components[i];
    if (c.kind == ComponentKind::kLabel) {
      EXPECT_EQ(c.tabOrder, -1) << i;
      continue;
    }
    ASSERT_GE(c.tabOrder, 0) << i;
    ASSERT_LT(c.tabOrder, 6) << i;
    EXPECT_EQ(order[c.tabOrder], SetupControl::kHeading)
        << "two controls share tab order " << c.tabOrder;
    order[c.tabOrder] = c.role;
  }
  EXPECT_EQ(order, (std::vector<SetupControl>{SetupControl::kNameBrowse, SetupControl::kWishBrowse,
                                              SetupControl::kOk, SetupControl::kCancel,
                                              SetupControl::kNameField, SetupControl::kWishField}));
}

TEST(SetupLayout, EveryRoleHasItsControl) {
  const ComponentData& wishBrowse = ControlLayout(SetupControl::kWishBrowse);
  EXPECT_EQ(wishBrowse.role, SetupControl::kWishBrowse);
  EXPECT_EQ(wishBrowse.kind, ComponentKind::kButton);
  EXPECT_EQ(wishBrowse.width, 51);
  EXPECT_EQ(ControlLayout(SetupControl::kNameBrowse).width, 49);
  for (SetupControl role :
       {SetupControl::kHeading, SetupControl::kNameLabel, SetupControl::kNameBrowse,
        SetupControl::kWishBrowse, SetupControl::kOk, SetupControl::kCancel,
        SetupControl::kNameField, SetupControl::kWishField, SetupControl::kWishLabel})
    EXPECT_EQ(ControlLayout(role).role, role);
}

TEST(SetupLayout, EveryControlLiesInsideTheClientArea) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  for (std::size_t i = 0; i < layout.componentCount; ++i) {
    const ComponentData& c = layout.components[i];
    EXPECT_GE(c.left, 0) << i;
    EXPECT_GE(c.top, 0) << i;
    EXPECT_LE(c.left + c.width, layout.clientWidth) << i;
    EXPECT_LE(c.top + c.height, layout.clientHeight) << i;
  }
}

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

TEST(LayoutScale, FontsFollowTheResolution) {
  EXPECT_EQ(LayoutScale::FontHeight(12, 96), 12);
  EXPECT_EQ(LayoutScale::FontHeight(12, 120), 15);
  EXPECT_EQ(LayoutScale::FontHeight(16, 120), 20);
  EXPECT_EQ(LayoutScale::FontHeight(16, 144), 24);
  EXPECT_EQ(LayoutScale::FontHeight(12, 72), 9);
}

TEST(LayoutScale, LengthsFollowTheTextHeightOnlyWhenItDiffers) {
  LayoutScale design(12);
  EXPECT_EQ(design.Length(480), 480);
  EXPECT_EQ(design.Length(17), 17);
  LayoutScale taller(13);
  EXPECT_EQ(taller.Length(480), 520);
  EXPECT_EQ(taller.Length(240), 260);
  EXPECT_EQ(taller.Length(49), 53);
  EXPECT_EQ(taller.Length(17), 18);
  LayoutScale larger(15);
  EXPECT_EQ(larger.Length(416), 520);
  EXPECT_EQ(larger.Length(25), 31);  // 31.25
  // A text height that could not be measured leaves the layout as stored.
  EXPECT_EQ(LayoutScale(0).Length(480), 480);
}

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

TEST(FilterList, BarsBecomeNulsAndTheListEndsTwice) {
  LeadBytes lead = LeadBytes::Cp932();
  EXPECT_EQ(FilterList("画像 files (*.bmp,*.jpg)|*.BMP;*.JPG", lead),
            std::string("画像 files (*.bmp,*.jpg)\0*.BMP;*.JPG\0\0", 38));
  EXPECT_EQ(FilterList("a|*.a|b|*.b", lead), std::string("a\0*.a\0b\0*.b\0\0", 13));
  EXPECT_EQ(FilterList("", lead), std::string("\0\0", 2));
}

TEST(FilterList, ABarThatIsATrailByteStays) {
  // ポ is 0x83 0x7C in code page 932.
  const std::string po = "\x83\x7C";
  EXPECT_EQ(FilterList(po + "|*.x", LeadBytes::Cp932()), po + std::string("\0*.x\0\0", 6));
  // Without double-byte characters the same byte is a separator.
  EXPECT_EQ(FilterList(po, LeadBytes()), std::string("\x83\0\0\0", 4));
}

}  // namespace
}  // namespace zarumo
