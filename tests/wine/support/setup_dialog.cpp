#include "support/setup_dialog.h"

#include <string>
#include <utility>

#include "support/windows_of.h"

namespace wt {

const char kSetupDialogClass[] = "TScrnSaveSetupDlg";

SetupDialog::SetupDialog(const Saver& saver) {
  window_ = saver.WaitTopWindow(kSetupDialogClass);
  if (!window_ || !WaitFor([this] { return IsWindowVisible(window_) != FALSE; })) {
    window_ = nullptr;
    return;
  }
  for (HWND child : Descendants(window_)) {
    std::string kind = ClassName(child);
    std::string text = WindowText(child);
    if (kind == "Edit") {
      (nameField ? wishField : nameField) = child;
    } else if (kind == "Button" && text == "参照") {
      (nameBrowse ? wishBrowse : nameBrowse) = child;
    } else if (kind == "Button" && text == "OK") {
      okButton = child;
    } else if (kind == "Button" && text == "キャンセル") {
      cancelButton = child;
    } else if (kind == "Static") {
      labels.push_back(child);
    }
  }
  // The upper of each pair is the name picture's.
  if (nameField && wishField &&
      ClientRectOf(nameField, window_).top > ClientRectOf(wishField, window_).top)
    std::swap(nameField, wishField);
  if (nameBrowse && wishBrowse &&
      ClientRectOf(nameBrowse, window_).top > ClientRectOf(wishBrowse, window_).top)
    std::swap(nameBrowse, wishBrowse);
}

DWORD ClickAndWaitExit(const Saver& saver, HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
  return ExitCodeAfter(saver);
}

}  // namespace wt
