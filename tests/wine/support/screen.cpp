// What the screen shows, read back as 32-bit pixels.
#include "support/screen.h"

namespace wt {
namespace {

HBITMAP TopDownSection(int width, int height, DWORD** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* start = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &start, nullptr, 0);
  *bits = static_cast<DWORD*>(start);
  return section;
}

void Grab(HDC source, int x, int y, int width, int height, int* outWidth, int* outHeight,
          std::vector<DWORD>* pixels) {
  *outWidth = width;
  *outHeight = height;
  Surface copy(width, height);
  BitBlt(copy.Dc(), 0, 0, width, height, source, x, y, SRCCOPY);
  const DWORD* bits = copy.Pixels();
  pixels->assign(bits, bits + width * height);
}

}  // namespace

Surface::Surface(int width, int height)
    : width_(width),
      height_(height),
      bitmap_(TopDownSection(width, height, &bits_)),
      dc_(CreateCompatibleDC(nullptr)),
      selection_(dc_.Get(), bitmap_.Get()) {}

Capture Capture::Screen() {
  return Area({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

Capture Capture::Area(RECT area) {
  Capture capture;
  zarumo::WindowDc screen(nullptr);
  Grab(screen.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
       &capture.width_, &capture.height_, &capture.pixels_);
  return capture;
}

Capture Capture::Client(HWND window) {
  Capture capture;
  RECT client;
  GetClientRect(window, &client);
  zarumo::WindowDc dc(window);
  Grab(dc.Get(), 0, 0, client.right, client.bottom, &capture.width_, &capture.height_,
       &capture.pixels_);
  return capture;
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return ColourOf(pixels_[static_cast<size_t>(y) * width_ + x]);
}

int Capture::CountLit(RECT area) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += Lit(x, y);
  return count;
}

}  // namespace wt
