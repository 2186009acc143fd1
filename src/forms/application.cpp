// The process's application object.
#include "forms/application.h"

#include "forms/form.h"
#include "system/failure.h"
#include "system/system_text.h"
#include "system/window_text.h"

namespace zarumo {
namespace {

const char kAppWindowClass[] = "ZarumoApplication";

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultWindowProc(window, message, wParam, lParam);
}

}  // namespace

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::Initialize(HINSTANCE instance, const std::string& title) {
  instance_ = instance;
  title_ = title;
  WNDCLASSA wc{};
  wc.lpfnWndProc = AppWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "MAINICON");
  wc.lpszClassName = kAppWindowClass;
  // Without its owner window the application still runs: boxes and forms
  // then simply have no owner, and hiding it does nothing.
  if (!RegisterTextWindowClass(wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  window_ = CreateTextWindow(0, kAppWindowClass, MixedText::Outside(title_),
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                             0, 0, nullptr, nullptr, nullptr);
}

void Application::SetMainForm(Form* form) {
  if (!mainForm_) mainForm_ = form;
}

void Application::Run() {
  MSG message;
  while (NextMessage(message) > 0) DispatchNextMessage(message);
}

void Application::ShowFailure(const std::exception& failure) {
  if (dynamic_cast<const SilentAbort*>(&failure)) return;
  UINT style = MB_OK | MB_ICONERROR;
  // Application-modal as ever, but top-most: the system-modal flag means just that.
  if (failureBoxOnTop_) style |= MB_SYSTEMMODAL | MB_SETFOREGROUND;
  ShowMessageBox(window_, ShownMessage(failure), MixedText::Outside(title_), style);
}

void Application::ShowCurrentFailure() noexcept {
  ShowCaughtFailure([this](const std::exception* failure, const void*) {
    if (failure) ShowFailure(*failure);
  });
}

}  // namespace zarumo
