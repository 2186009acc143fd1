// The process's application object: its hidden owner window, its title, its
// main form, the message loop and the standard failure handler.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace zarumo {

class Form;

class Application {
 public:
  static Application& Instance();

  // Creates the hidden, zero-sized window that owns the other top-level windows.
  void Initialize(HINSTANCE instance, const std::string& title);
  HWND Handle() const { return window_; }
  const std::string& Title() const { return title_; }

  Form* MainForm() const { return mainForm_; }
  // The first form made main stays main.
  void SetMainForm(Form* form);

  // Takes and dispatches messages until WM_QUIT arrives.
  void Run();
  void Terminate() { PostQuitMessage(0); }

  // The standard handler: shows a failure in an error box; silent aborts are dropped.
  void ShowFailure(const std::exception& failure);
  // Shows whatever is being handled right now; for catch (...) blocks at callback boundaries.
  void ShowCurrentFailure() noexcept;

  // Extra style bits for failure boxes, so they stay above a top-most window.
  void SetFailureBoxOnTop(bool onTop) { failureBoxOnTop_ = onTop; }

 private:
  Application() = default;
  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  std::string title_;
  Form* mainForm_ = nullptr;
  bool failureBoxOnTop_ = false;
};

// Runs `body`; any failure escaping it goes to the standard handler. For the
// edges where the system calls us back.
template <typename Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    Application::Instance().ShowCurrentFailure();
  }
}

}  // namespace zarumo
