#include "forms/application.h"

#include <new>

#include "forms/failure.h"
#include "forms/form.h"
#include "forms/message_text.h"
#include "forms/system_text.h"

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
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, kAppWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
}

std::string Application::ExePath() const {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : sizeof path - 1);
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
  try {
    throw;
  } catch (const std::bad_alloc&) {
    try {
      ShowFailure(MemoryFailure());
    } catch (...) {
    }
  } catch (const std::exception& failure) {
    try {
      ShowFailure(failure);
    } catch (...) {
    }
  } catch (...) {
  }
}

}  // namespace zarumo
