// The setup dialog of a saver in configure mode, as seen from outside.
#pragma once

#include <windows.h>

#include <vector>

#include "support/saver_process.h"

namespace wt {

extern const char kSetupDialogClass[];

// The setup dialog of a saver started in configure mode, with its components
// found by kind, text and position.
class SetupDialog {
 public:
  explicit SetupDialog(const Saver& saver);
  HWND Handle() const { return window_; }
  bool Complete() const {
    return window_ && nameField && wishField && nameBrowse && wishBrowse && okButton &&
           cancelButton && labels.size() == 3;
  }

  HWND nameField = nullptr;
  HWND wishField = nullptr;
  HWND nameBrowse = nullptr;
  HWND wishBrowse = nullptr;
  HWND okButton = nullptr;
  HWND cancelButton = nullptr;
  std::vector<HWND> labels;

 private:
  HWND window_ = nullptr;
};

// Clicks a button of the saver's dialog and gives the saver's exit code.
DWORD ClickAndWaitExit(const Saver& saver, HWND button);

}  // namespace wt
