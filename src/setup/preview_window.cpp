// The "プレビュー" window.
#include "setup/preview_window.h"

#include "setup/picture_fit.h"
#include "system/handles.h"
#include "system/monitor_area.h"

namespace zarumo {
namespace {

constexpr int kMargin = 8;

}  // namespace

PreviewWindow::PreviewWindow(HWND owner, std::shared_ptr<PictureView> view, HFONT font)
    : owner_(owner), view_(std::move(view)), font_(font) {}

void PreviewWindow::CreateParams(WindowParams& params) {
  params.className = "ZarumoPreviewWindow";
  params.caption = "プレビュー";
  params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_TOOLWINDOW;
  params.classStyle = CS_HREDRAW | CS_VREDRAW;
  params.cursor = LoadCursor(nullptr, IDC_ARROW);
  params.background = nullptr;  // the whole client area is painted
  params.parent = owner_;

  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.style, FALSE, params.exStyle);
  RECT monitor = MonitorArea(owner_);
  const int monitorWidth = monitor.right - monitor.left;
  const int monitorHeight = monitor.bottom - monitor.top;
  Size extent = PreviewWindowExtent(view_->PictureWidth(), view_->PictureHeight(), kMargin,
                                    frame.right - frame.left, frame.bottom - frame.top,
                                    monitorWidth, monitorHeight);
  params.width = extent.width;
  params.height = extent.height;
  params.x = monitor.left + (monitorWidth - extent.width) / 2;
  params.y = monitor.top + (monitorHeight - extent.height) / 2;
}

void PreviewWindow::FormShow() {
  // The system may have made a small window wider than asked: centre what it became.
  RECT monitor = MonitorArea(owner_);
  RECT frame;
  GetWindowRect(Handle(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(Handle(), nullptr, monitor.left + (monitor.right - monitor.left - width) / 2,
               monitor.top + (monitor.bottom - monitor.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PreviewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      WindowPaint paint(Handle());
      if (paint.Dc()) {
        RECT client;
        GetClientRect(Handle(), &client);
        view_->Paint(paint.Dc(), client, kMargin, font_);
      }
      result = 0;
      return true;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        Close();
        result = 0;
        return true;
      }
      break;
  }
  return Form::HandleMessage(message, wParam, lParam, result);
}

}  // namespace zarumo
