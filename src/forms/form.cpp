// A form: a top-level window class with its handlers.
#include "forms/form.h"

#include "forms/application.h"
#include "forms/display_palette.h"
#include "system/system_text.h"
#include "system/window_class.h"
#include "system/window_text.h"

namespace zarumo {
namespace {

void RegisterFormClass(const WindowParams& params, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = params.classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = params.icon;
  wc.hCursor = params.cursor;
  wc.hbrBackground = params.background;
  wc.lpszClassName = params.className.c_str();
  RegisterWindowClassOnce(wc);
}

}  // namespace

Form::~Form() {
  if (window_) {
    destroying_ = true;
    DestroyWindow(window_);
  }
}

void Form::CreateHandle() {
  if (window_) return;
  WindowParams params;
  params.parent = Application::Instance().Handle();
  CreateParams(params);
  RegisterFormClass(params, WindowProc);
  SetLastError(0);
  HWND window = CreateTextWindow(params.exStyle, params.className.c_str(),
                                 MixedText(params.caption), params.style, params.x, params.y,
                                 params.width, params.height, params.parent, nullptr, this);
  if (!window) RaiseLastError(ERROR_INVALID_WINDOW_HANDLE);
}

void Form::Show() {
  CreateHandle();
  FormShow();
  ShowWindow(window_, ShowCommand());
}

void Form::Hide() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

void Form::Close() {
  if (!FormCloseQuery()) return;
  FormClose();
  if (modal_) {
    if (modalResult_ == kModalNone) SetModalResult(kModalCancel);
  } else if (Application::Instance().MainForm() == this) {
    Application::Instance().Terminate();
  } else {
    Hide();
  }
}

void Form::SetModalResult(int result) {
  modalResult_ = result;
  // A result set while handling a message sent from another thread or process
  // does not make GetMessage return: wake the loop so that it looks.
  if (modal_ && result != kModalNone && window_) PostMessageA(window_, WM_NULL, 0, 0);
}

int Form::ShowModal() {
  modalResult_ = kModalNone;
  modal_ = true;
  Show();
  MSG message;
  while (modalResult_ == kModalNone) {
    BOOL got = NextMessage(message);
    if (got <= 0) {
      // Keep the quit for the outer loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslate(message)) continue;
    DispatchNextMessage(message);
  }
  modal_ = false;
  Hide();
  return modalResult_;
}

bool Form::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (HandlePaletteMessage(window_, window_, message, wParam, result)) return true;
  if (message == WM_CLOSE) {
    Close();
    result = 0;
    return true;
  }
  return false;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form;
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (!form) return DefaultWindowProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    if (!form->destroying_) Guarded([form] { form->WindowLost(); });
    return DefaultWindowProc(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  // A handler that failed has still answered the message.
  bool handled = true;
  try {
    handled = form->HandleMessage(message, wParam, lParam, result);
  } catch (...) {
    Application::Instance().ShowCurrentFailure();
  }
  return handled ? result : DefaultWindowProc(window, message, wParam, lParam);
}

}  // namespace zarumo
