// The process's application object.
#include "forms/application.h"

#include "forms/form.h"
#include "system/failure.h"
#include "system/system_text.h"
#include "text/message_text.h"

namespace zarumo {
namespace {

const char kAppWindowClass[] = "ZarumoApplication";

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
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
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  window_ = CreateWindowExA(0, kAppWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
}

void Application::SetMainForm(Form* form) {
  if (!mainForm_) mainForm_ = form;
}

void Application::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Application::ShowFailure(const std::exception& failure) {
  if (dynamic_cast<const SilentAbort*>(&failure)) return;
  std::string text = WithPeriod(failure.what(), SystemLeadBytes());
  UINT style = MB_OK | MB_ICONERROR;
  // Application-modal as ever, but top-most: the system-modal flag means just that.
  if (failureBoxOnTop_) style |= MB_SYSTEMMODAL | MB_SETFOREGROUND;
  MessageBoxA(window_, text.c_str(), title_.c_str(), style);
}

void Application::ShowCurrentFailure() noexcept {
  ShowCaughtFailure([this](const std::exception* failure, const void*) {
    if (failure) ShowFailure(*failure);
  });
}

}  // namespace zarumo
