#include "setup/setup_layout.h"

#include <cstdint>

namespace zarumo {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kDesignTextHeight = 12;
constexpr int kShiftJisCharset = 128;

// In the order of declaration, which is also the order of creation of the labels.
const ComponentData kComponents[] = {
    {SetupControl::kHeading, ComponentKind::kLabel, 32, 17, 241, 16,
     "名前･願事の画像の設定を行います", -1},
    {SetupControl::kNameLabel, ComponentKind::kLabel, 40, 57, 32, 16, "名前", -1},
    {SetupControl::kNameBrowse, ComponentKind::kButton, 416, 80, 49, 25, "参照", 0},
    {SetupControl::kWishBrowse, ComponentKind::kButton, 416, 152, 51, 25, "参照", 1},
    {SetupControl::kOk, ComponentKind::kButton, 120, 200, 75, 25, "OK", 2},
    {SetupControl::kCancel, ComponentKind::kButton, 288, 200, 75, 25, "キャンセル", 3},
    {SetupControl::kNameField, ComponentKind::kEdit, 8, 80, 393, 20, "", 4},
    {SetupControl::kWishField, ComponentKind::kEdit, 8, 152, 393, 20, "", 5},
    {SetupControl::kWishLabel, ComponentKind::kLabel, 40, 128, 32, 16, "願事", -1},
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
    kComponents,
    sizeof kComponents / sizeof kComponents[0],
};

}  // namespace

const SetupDialogLayout& SetupDialogLayoutData() { return kLayout; }

const ComponentData& ControlLayout(SetupControl role) {
  for (const ComponentData& component : kComponents) {
    if (component.role == role) return component;
  }
  return kComponents[0];  // unreachable: the table has every role
}

int MulDivRounded(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  std::int64_t magnitude = (product < 0 ? -product : product) + half;
  std::int64_t quotient = magnitude / (denominator < 0 ? -denominator : denominator);
  return static_cast<int>(negative ? -quotient : quotient);
}

int LayoutScale::FontHeight(int designHeight, int dpi) {
  return dpi == kDesignDpi ? designHeight : MulDivRounded(designHeight, dpi, kDesignDpi);
}

int LayoutScale::Length(int designValue) const {
  if (textHeight_ == kDesignTextHeight || textHeight_ <= 0) return designValue;
  return MulDivRounded(designValue, textHeight_, kDesignTextHeight);
}

}  // namespace zarumo
