// The open-picture dialog: the system's explorer-style open dialog with a
// picture pane. It remembers the file last confirmed and offers it again.
#pragma once

#include <windows.h>

#include <string>

namespace zarumo {

class OpenPictureDialog {
 public:
  // "description|patterns", as many pairs as wanted.
  void SetFilter(const std::string& filter) { filter_ = filter; }
  // The full path last confirmed; empty before the first confirmation.
  const std::string& FileName() const { return fileName_; }

  enum class Choice { kCancelled, kChosen, kUnusable };
  // Runs the dialog modally over `owner`. A chosen file whose name the ANSI
  // code page cannot hold is taken by its short form; without one it is
  // unusable, and FileName() stays as it was.
  Choice Execute(HWND owner);

 private:
  std::string filter_;
  std::string fileName_;
};

}  // namespace zarumo
