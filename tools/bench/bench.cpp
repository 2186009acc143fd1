// Measures the saver under Wine: the cost of one tick against one plain copy
// of as many pixels, and the time from start to first frame.
//   zarumo_bench ticks [count]      in-process, on the current screen
//   zarumo_bench firstframe DIR     starts DIR\zarumo.scr /s and waits for its first frame
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "system/handles.h"
#include "forms/picture.h"
#include "saver/saver_window.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

int Ticks(int count) {
  zarumo::SaverWindow form;
  form.TickTimer().SetEnabled(false);  // ticks are driven here, one at a time
  form.CreateHandle();
  form.Show();
  Pump();
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  std::vector<double> ticks, copies;
  // The floor: one block copy of a screen-format bitmap of the same size onto the window.
  auto plain = zarumo::BitmapPicture::CreateScreenCompatible(w, h);
  for (int i = 0; i < count; ++i) {
    double start = Now();
    form.Tick();
    GdiFlush();
    double middle = Now();
    {
      zarumo::WindowDc dc(form.Handle());
      BitBlt(dc.Get(), 0, 0, w, h, plain->Dc(), 0, 0, SRCCOPY);
      GdiFlush();
    }
    double end = Now();
    ticks.push_back(middle - start);
    copies.push_back(end - middle);
    if (i % 50 == 0) Pump();
  }
  form.Hide();
  double tick = Median(ticks) * 1000, copy = Median(copies) * 1000;
  std::printf("ticks %dx%d: %d ticks, median tick %.3f ms, median plain copy %.3f ms, ratio %.2f\n",
              w, h, count, tick, copy, tick / copy);
  ShowCursor(TRUE);
  return 0;
}

// Lit pixels in screen rows 89..151 come only from a presented frame: the
// window's own painting leaves those rows black.
bool FirstFramePresented(HDC screen) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  for (int y = 89; y < 152; y += 3)
    for (int x = w / 2 - 310; x < w / 2 + 310; x += 3)
      if ((GetPixel(screen, x, y) & 0xFFFFFF) != 0) return true;
  return false;
}

int FirstFrame(const std::string& dir) {
  std::string exe = dir + "\\zarumo.scr";
  std::string commandLine = "\"" + exe + "\" /s";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  HDC screen = GetDC(nullptr);
  double start = Now();
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &process)) {
    std::printf("cannot start %s\n", exe.c_str());
    return 1;
  }
  double seen = 0;
  while (Now() - start < 60) {
    if (FirstFramePresented(screen)) {
      seen = Now() - start;
      break;
    }
    Sleep(2);
  }
  ReleaseDC(nullptr, screen);
  if (seen > 0) {
    std::printf("firstframe: %.0f ms from start to first frame\n", seen * 1000);
  } else {
    std::printf("firstframe: no frame within 60 s\n");
  }
  TerminateProcess(process.hProcess, 0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seen > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "ticks") == 0) return Ticks(argc >= 3 ? std::atoi(argv[2]) : 1000);
  if (argc >= 3 && std::strcmp(argv[1], "firstframe") == 0) return FirstFrame(argv[2]);
  std::printf("usage: zarumo_bench ticks [count] | firstframe DIR\n");
  return 2;
}
