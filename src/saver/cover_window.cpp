// A black cover over a monitor that the saver window leaves out, in show mode.
#include "saver/cover_window.h"

#include <windowsx.h>

#include <utility>

namespace zarumo {

bool IsEndingInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

CoverWindow::CoverWindow(const RECT& area, Saver saver) : area_(area), saver_(std::move(saver)) {}

void CoverWindow::CreateParams(WindowParams& params) {
  params.className = "ZarumoMonitorCover";
  params.style = WS_POPUP | WS_CLIPSIBLINGS;
  // A tool window stays out of the task switcher.
  params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.classStyle = CS_DBLCLKS;
  params.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  // No cursor of its own: the saver's hidden one stays hidden here.
  params.cursor = nullptr;
  params.x = area_.left;
  params.y = area_.top;
  params.width = area_.right - area_.left;
  params.height = area_.bottom - area_.top;
}

void CoverWindow::MoveTo(const RECT& area) {
  area_ = area;
  if (Handle())
    SetWindowPos(Handle(), HWND_TOPMOST, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
}

bool CoverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (IsEndingInput(message) || message == WM_CLOSE) {
    saver_.close();
    return true;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      // A borderless popup's client area starts at its window's corner.
      saver_.pointerAt({area_.left + GET_X_LPARAM(lParam), area_.top + GET_Y_LPARAM(lParam)});
      return true;
    case WM_MOUSEACTIVATE:
      // The saver window keeps the keyboard, and the password box its owner.
      result = MA_NOACTIVATE;
      return true;
    default:
      return Form::HandleMessage(message, wParam, lParam, result);
  }
}

}  // namespace zarumo
