#include "support/screen.h"

namespace wt {
namespace {

void Grab(HDC source, int x, int y, int width, int height, int* outWidth, int* outHeight,
          std::vector<DWORD>* pixels) {
  *outWidth = width;
  *outHeight = height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  pixels->assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
}

}  // namespace

Capture Capture::Screen() {
  Capture capture;
  HDC screen = GetDC(nullptr);
  Grab(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), &capture.width_,
       &capture.height_, &capture.pixels_);
  ReleaseDC(nullptr, screen);
  return capture;
}

Capture Capture::Client(HWND window) {
  Capture capture;
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Grab(dc, 0, 0, client.right, client.bottom, &capture.width_, &capture.height_, &capture.pixels_);
  ReleaseDC(window, dc);
  return capture;
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Capture::CountLit(RECT area) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += Lit(x, y);
  return count;
}

}  // namespace wt
