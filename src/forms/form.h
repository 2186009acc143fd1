// A form: a top-level window class with its handlers. Failures in any handler
// stop at the window procedure and go to the standard handler.
#pragma once

#include <windows.h>

#include <string>

namespace zarumo {

struct WindowParams {
  std::string className;
  std::string caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // the owner of a top-level window, the parent of a child
  UINT classStyle = 0;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
};

enum ModalResult { kModalNone = 0, kModalOk = 1, kModalCancel = 2 };

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  HWND Handle() const { return window_; }
  // Creates the system window from CreateParams; a refusal is a system failure.
  void CreateHandle();
  // Runs the show handler, then shows the window with ShowCommand().
  void Show();
  void Hide();
  // A close request: the close query, then the close handler; the main form's
  // close ends the message loop, a modal form's ends its loop with cancel.
  void Close();
  // Shows the form and dispatches messages until a modal result is set.
  int ShowModal();
  // Ends a modal loop with `result` once the message being handled is done.
  void SetModalResult(int result);

 protected:
  virtual void CreateParams(WindowParams& params) = 0;
  virtual int ShowCommand() const { return SW_SHOWNORMAL; }
  virtual void FormShow() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose() {}
  // The system window went away without a close request (its parent was destroyed).
  virtual void WindowLost() {}
  // Lets a modal form take keyboard navigation messages before they are dispatched.
  virtual bool PreTranslate(MSG&) { return false; }
  // Returns true when the message was handled and `result` holds the answer.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  bool destroying_ = false;
  bool modal_ = false;
  int modalResult_ = kModalNone;
};

}  // namespace zarumo
