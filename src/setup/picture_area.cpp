// The preview area of the picture pane.
#include "setup/picture_area.h"

#include "forms/application.h"
#include "system/handles.h"
#include "system/window_class.h"
#include "system/window_text.h"

namespace zarumo {

const char kPictureAreaClass[] = "ZarumoPictureArea";

void PictureArea::RegisterWindowClass() {
  WNDCLASSA wc{};
  // Global: the open dialog creates its child template's controls on behalf of
  // its own module, not this one.
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = PictureArea::WindowProc;
  wc.cbWndExtra = sizeof(LONG_PTR);  // the font, which may come before the area is attached
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kPictureAreaClass;
  RegisterWindowClassOnce(wc);
}

PictureArea::~PictureArea() { Detach(); }

void PictureArea::Attach(HWND window) {
  Detach();
  window_ = window;
  if (!window_) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SyncText();
  InvalidateRect(window_, nullptr, FALSE);
}

void PictureArea::Detach() {
  if (window_ && IsWindow(window_)) SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
}

void PictureArea::Show(std::shared_ptr<PictureView> view) {
  view_ = view ? std::move(view) : std::make_shared<PictureView>();
  if (!window_) return;
  SyncText();
  InvalidateRect(window_, nullptr, FALSE);
}

void PictureArea::SyncText() {
  // The window text says what the area shows instead of a picture, so that
  // it can be read from outside like any other control's text.
  const MixedText status(view_->StatusText());
  if (!SameShownText(ShownTextOf(window_), status)) SetShownText(window_, status);
}

void PictureArea::Paint() {
  {
    WindowPaint paint(window_);
    if (paint.Dc()) {
      RECT client;
      GetClientRect(window_, &client);
      view_->Paint(paint.Dc(), client, 2, reinterpret_cast<HFONT>(GetWindowLongPtrA(window_, 0)));
    }
  }
  SyncText();
}

LRESULT CALLBACK PictureArea::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* area = reinterpret_cast<PictureArea*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrA(window, 0, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, 0);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (area) {
        Guarded([area] { area->Paint(); });
        return 0;
      }
      break;
  }
  return DefaultWindowProc(window, message, wParam, lParam);
}

}  // namespace zarumo
