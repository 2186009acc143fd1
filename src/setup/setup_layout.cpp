#include "setup/setup_layout.h"

#include <cstdint>
#include <cstring>

namespace zarumo {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kDesignTextHeight = 12;
constexpr int kShiftJisCharset = 128;

const ComponentData kComponents[] = {
    {"Label1", ComponentKind::kLabel, 32, 17, 241, 16, "名前･願事の画像の設定を行います", -1},
    {"Label2", ComponentKind::kLabel, 40, 57, 32, 16, "名前", -1},
    {"Button1", ComponentKind::kButton, 416, 80, 49, 25, "参照", 0},
    {"Button2", ComponentKind::kButton, 416, 152, 51, 25, "参照", 1},
    {"Button3", ComponentKind::kButton, 120, 200, 75, 25, "OK", 2},
    {"Button4", ComponentKind::kButton, 288, 200, 75, 25, "キャンセル", 3},
    {"Edit1", ComponentKind::kEdit, 8, 80, 393, 20, "", 4},
    {"Edit2", ComponentKind::kEdit, 8, 152, 393, 20, "", 5},
    {"Label3", ComponentKind::kLabel, 40, 128, 32, 16, "願事", -1},
};

const SetupDialogLayout kLayout = {
    "ScrnSaveSetupDlg",
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

const ComponentData* FindComponent(const char* name) {
  for (const ComponentData& component : kComponents) {
    if (std::strcmp(component.name, name) == 0) return &component;
  }
  return nullptr;
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
