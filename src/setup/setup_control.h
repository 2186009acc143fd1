// A control of the setup dialog: a label, an edit field or a push button. It
// keeps its text until its system window exists and hands it over then.
#pragma once

#include <windows.h>

#include <string>

#include "setup/setup_layout.h"
#include "system/mixed_text.h"

namespace zarumo {

class SetupControl {
 public:
  explicit SetupControl(const ControlLayout& data) : data_(data), text_(data.text) {}
  SetupControl(const SetupControl&) = delete;
  SetupControl& operator=(const SetupControl&) = delete;

  ControlKind Kind() const { return data_.kind; }
  int TabOrder() const { return data_.tabOrder; }
  HWND Handle() const { return window_; }
  int Id() const { return id_; }

  MixedText Text() const;
  void SetText(const MixedText& text);

  // Creates the child window at the layout's position, scaled; a label takes
  // the size of its text in `font`.
  void Create(HWND parent, int id, HFONT font, const LayoutScale& scale);
  // The parent window went away and took this one with it.

 private:
  const ControlLayout& data_;
  MixedText text_;
  MixedText shown_;  // what the window held right after it was given text_
  HWND window_ = nullptr;
  int id_ = 0;
};

}  // namespace zarumo
