// The setup dialog's stored layout and its scaling.
#include "setup/setup_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarumo {
namespace {

TEST(SetupLayout, TabOrderRunsOverTheButtonsThenTheFields) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  std::vector<ControlRole> order(6, ControlRole::kHeading);
  for (std::size_t i = 0; i < layout.controlCount; ++i) {
    const ControlLayout& c = layout.controls[i];
    if (c.kind == ControlKind::kLabel) {
      EXPECT_EQ(c.tabOrder, -1) << i;
      continue;
    }
    ASSERT_GE(c.tabOrder, 0) << i;
    ASSERT_LT(c.tabOrder, 6) << i;
    EXPECT_EQ(order[c.tabOrder], ControlRole::kHeading)
        << "two controls share tab order " << c.tabOrder;
    order[c.tabOrder] = c.role;
  }
  EXPECT_EQ(order, (std::vector<ControlRole>{ControlRole::kNameBrowse, ControlRole::kWishBrowse,
                                             ControlRole::kOk, ControlRole::kCancel,
                                             ControlRole::kNameField, ControlRole::kWishField}));
}

TEST(SetupLayout, EveryRoleHasItsControl) {
  const ControlLayout& wishBrowse = LayoutOf(ControlRole::kWishBrowse);
  EXPECT_EQ(wishBrowse.role, ControlRole::kWishBrowse);
  EXPECT_EQ(wishBrowse.kind, ControlKind::kButton);
  EXPECT_EQ(wishBrowse.width, 51);
  EXPECT_EQ(LayoutOf(ControlRole::kNameBrowse).width, 49);
  for (ControlRole role :
       {ControlRole::kHeading, ControlRole::kNameLabel, ControlRole::kNameBrowse,
        ControlRole::kWishBrowse, ControlRole::kOk, ControlRole::kCancel, ControlRole::kNameField,
        ControlRole::kWishField, ControlRole::kWishLabel})
    EXPECT_EQ(LayoutOf(role).role, role);
}

TEST(SetupLayout, EveryControlLiesInsideTheClientArea) {
  const SetupDialogLayout& layout = SetupDialogLayoutData();
  for (std::size_t i = 0; i < layout.controlCount; ++i) {
    const ControlLayout& c = layout.controls[i];
    EXPECT_GE(c.left, 0) << i;
    EXPECT_GE(c.top, 0) << i;
    EXPECT_LE(c.left + c.width, layout.clientWidth) << i;
    EXPECT_LE(c.top + c.height, layout.clientHeight) << i;
  }
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

}  // namespace
}  // namespace zarumo
