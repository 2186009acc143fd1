// The setup dialog's stored layout, and its fitting to the running system.
#include "setup/setup_layout.h"

#include "system/arithmetic.h"

namespace zarumo {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kDesignTextHeight = 12;

// In the order of declaration, which is also the order of creation of the labels.
const ControlLayout kControls[] = {
    {ControlRole::kHeading, ControlKind::kLabel, 32, 17, 241, 16, "名前･願事の画像の設定を行います",
     -1},
    {ControlRole::kNameLabel, ControlKind::kLabel, 40, 57, 32, 16, "名前", -1},
    {ControlRole::kNameBrowse, ControlKind::kButton, 416, 80, 49, 25, "参照", 0},
    {ControlRole::kWishBrowse, ControlKind::kButton, 416, 152, 51, 25, "参照", 1},
    {ControlRole::kOk, ControlKind::kButton, 120, 200, 75, 25, "OK", 2},
    {ControlRole::kCancel, ControlKind::kButton, 288, 200, 75, 25, "キャンセル", 3},
    {ControlRole::kNameField, ControlKind::kEdit, 8, 80, 393, 20, "", 4},
    {ControlRole::kWishField, ControlKind::kEdit, 8, 152, 393, 20, "", 5},
    {ControlRole::kWishLabel, ControlKind::kLabel, 40, 128, 32, 16, "願事", -1},
};

const SetupDialogLayout kLayout = {
    "ザルモセーバー設定",
    480,
    240,
    "ＭＳ Ｐゴシック",
    12,
    16,
    kShiftJisCharset,
    kDesignDpi,
    kDesignTextHeight,
    kControls,
    sizeof kControls / sizeof kControls[0],
};

}  // namespace

const SetupDialogLayout& SetupDialogLayoutData() { return kLayout; }

const ControlLayout& LayoutOf(ControlRole role) {
  for (const ControlLayout& control : kControls) {
    if (control.role == role) return control;
  }
  return kControls[0];  // unreachable: the table has every role
}

int LayoutScale::FontHeight(int designHeight, int dpi) {
  return dpi == kDesignDpi ? designHeight
                           : static_cast<int>(MulDivRounded(designHeight, dpi, kDesignDpi));
}

int LayoutScale::Length(int designValue) const {
  if (textHeight_ == kDesignTextHeight || textHeight_ <= 0) return designValue;
  return static_cast<int>(MulDivRounded(designValue, textHeight_, kDesignTextHeight));
}

}  // namespace zarumo
