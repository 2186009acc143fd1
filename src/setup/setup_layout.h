// The setup dialog's stored layout, designed for 96 pixels per logical inch
// and a form font whose digits are 12 pixels high, and the arithmetic that
// fits it to the running system.
#pragma once

#include <cstddef>

namespace zarumo {

constexpr int kShiftJisCharset = 128;  // SHIFTJIS_CHARSET

enum class ControlKind { kLabel, kEdit, kButton };

// What each control of the setup dialog is for.
enum class ControlRole {
  kHeading,
  kNameLabel,
  kNameBrowse,  // browses for the name picture
  kWishBrowse,
  kOk,
  kCancel,
  kNameField,  // the name picture's path
  kWishField,
  kWishLabel,
};

struct ControlLayout {
  ControlRole role;
  ControlKind kind;
  int left;
  int top;
  int width;  // a label sizes itself to its text instead
  int height;
  const char* text;
  int tabOrder;  // -1: never takes the focus by Tab
};

struct SetupDialogLayout {
  const char* caption;
  int clientWidth;
  int clientHeight;
  const char* fontName;
  int fontHeight;       // character height of the form font, edit fields and buttons
  int labelFontHeight;  // character height of the labels' own font
  int fontCharset;
  int designDpi;
  int designTextHeight;
  const ControlLayout* controls;  // in the order of declaration
  std::size_t controlCount;
};

const SetupDialogLayout& SetupDialogLayoutData();

// The control with that role; every role has one.
const ControlLayout& LayoutOf(ControlRole role);

// How the stored layout meets a system: its logical resolution, and the text
// height the form font turned out to have there.
class LayoutScale {
 public:
  // A font height of the stored layout at `dpi` pixels per logical inch.
  static int FontHeight(int designHeight, int dpi);

  LayoutScale() = default;
  explicit LayoutScale(int textHeight) : textHeight_(textHeight) {}
  // Positions and sizes follow the text height only when it differs from the design.
  int Length(int designValue) const;

 private:
  int textHeight_ = 12;
};

}  // namespace zarumo
