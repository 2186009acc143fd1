// Windows seen from outside: another process's windows and controls read and
// driven, the setup dialog of a saver in configure mode, and the driver's own
// windows that stand for the display settings' preview and for other programs.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "support/saver_process.h"

namespace wt {

// The text of a control of another process, asked for as the control keeps it.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

// A text of the saver's own, in code page 932 as this driver is compiled, in UTF-16.
std::wstring Japanese(const std::string& text);
// A window's text in UTF-16, on any code page.
std::wstring WideWindowText(HWND window);
void SetWideControlText(HWND control, const std::wstring& text);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// A key pressed and released, as posted messages.
void PostKey(HWND window, WPARAM key);

std::vector<HWND> Descendants(HWND parent);
HWND DescendantById(HWND parent, int id);
HWND DescendantByClass(HWND parent, const char* className);

// A control's rectangle in the client coordinates of `reference`.
RECT ClientRectOf(HWND control, HWND reference);

// A visible top-level window of the driver's own that does nothing, `width`
// by `height` with its frame.
HWND CreateStandInWindow(const char* caption, int x, int y, int width, int height);

class PreviewHost {
 public:
  PreviewHost();
  PreviewHost(const PreviewHost&) = delete;
  PreviewHost& operator=(const PreviewHost&) = delete;
  ~PreviewHost();
  HWND Handle() const { return window_; }
  void Destroy() { DestroyWindow(window_); }
  // The saver's child window, once it exists.
  HWND WaitChild(DWORD timeoutMs = 15000) const;

 private:
  HWND window_;
};

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
