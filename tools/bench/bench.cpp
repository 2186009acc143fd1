// Measures the saver under Wine: the cost of one tick against one plain copy
// of as many pixels, the time from start to first frame, how long the picture
// pane takes to show a picture, and how much memory a saver can still get.
//   zarumo_bench ticks [count]      in-process, on the current screen
//   zarumo_bench firstframe DIR     starts DIR\zarumo.scr /s and waits for its first frame
//   zarumo_bench pane FILE          loads FILE and paints it as the picture pane does
//   zarumo_bench draw FILE          loads FILE and draws it as the scene does, twice
//   zarumo_bench room               the largest blocks a saver with its scene can allocate
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "forms/bitmap_picture.h"
#include "pictures/picture_file.h"
#include "saver/saver_window.h"
#include "setup/picture_view.h"
#include "system/handles.h"

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
  form.StopTicks();  // ticks are driven here, one at a time
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
  zarumo::WindowDc screen(nullptr);
  double start = Now();
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &process)) {
    std::printf("cannot start %s\n", exe.c_str());
    return 1;
  }
  double seen = 0;
  while (Now() - start < 60) {
    if (FirstFramePresented(screen.Get())) {
      seen = Now() - start;
      break;
    }
    Sleep(2);
  }
  // The peak so far covers the start: nothing is made or decoded per tick.
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
  if (seen > 0) {
    std::printf("firstframe: %.0f ms from start to first frame, peak working set %lu KB\n",
                seen * 1000, static_cast<unsigned long>(counters.PeakWorkingSetSize >> 10));
  } else {
    std::printf("firstframe: no frame within 60 s\n");
  }
  TerminateProcess(process.hProcess, 0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seen > 0 ? 0 : 1;
}

// The picture pane's work after a selection: load the file and paint it into
// an area of the pane's size (as at 1024 x 768).
int Pane(const std::string& file) {
  double start = Now();
  std::unique_ptr<zarumo::Picture> picture;
  try {
    picture = zarumo::LoadPictureFile(file);
  } catch (const std::exception& failure) {
    std::printf("pane: not a picture (%s)\n", failure.what());
    return 1;
  }
  zarumo::PictureView view(std::move(picture));
  zarumo::WindowDc screen(nullptr);
  const int width = 160, height = 190;
  zarumo::OwnedDc dc(CreateCompatibleDC(screen.Get()));
  zarumo::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  zarumo::Selection selection(dc.Get(), bitmap.Get());
  RECT area{0, 0, width, height};
  view.Paint(dc.Get(), area, 2, nullptr);
  GdiFlush();
  const double end = Now();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  std::printf("pane: %dx%d shown in %.0f ms%s, peak working set %lu KB\n", view.PictureWidth(),
              view.PictureHeight(), (end - start) * 1000,
              view.StatusText().empty() ? "" : " (as failed)",
              static_cast<unsigned long>(counters.PeakWorkingSetSize >> 10));
  return 0;
}

// The scene's work on one user picture: load it, draw it into a strip, and
// draw it again as the window's painting draws the loading holder.
int Draw(const std::string& file) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const double start = Now();
  std::unique_ptr<zarumo::Picture> picture = zarumo::LoadPictureFile(file);
  const double loaded = Now();
  auto strip = zarumo::BitmapPicture::CreateScreenCompatible(w, h / 2);
  auto window = zarumo::BitmapPicture::CreateScreenCompatible(w, h);
  const double made = Now();
  picture->Draw(strip->Dc(), 0, 0);
  GdiFlush();
  const double drawn = Now();
  IntersectClipRect(window->Dc(), 8, 240, 8 + picture->Width(), 240 + picture->Height());
  picture->Draw(window->Dc(), 8, 240);
  GdiFlush();
  const double painted = Now();
  std::printf("draw: load %.0f ms, strip %.0f ms, painting %.0f ms\n", (loaded - start) * 1000,
              (drawn - made) * 1000, (painted - drawn) * 1000);
  return 0;
}

// The largest `count` blocks in the proportions `parts` (in sixths) that can
// be held at once, found by halving; `get` makes a block or gives null.
template <typename Get, typename Free>
std::size_t LargestTogether(const std::vector<int>& parts, Get get, Free release) {
  std::size_t low = 0, high = std::size_t{3} << 30;
  while (high - low > (std::size_t{1} << 20)) {
    const std::size_t total = low + (high - low) / 2;
    std::vector<void*> held;
    bool ok = true;
    for (int part : parts) {
      void* block = get(total / 6 * static_cast<std::size_t>(part), held.size());
      if (!block) {
        ok = false;
        break;
      }
      held.push_back(block);
    }
    for (std::size_t i = 0; i < held.size(); ++i) release(held[i], i);
    (ok ? low : high) = total;
  }
  return low;
}

// What a saver that has built its scene can still allocate: one block, a
// bitmap section, a file's bytes beside a bitmap of the same size (a bitmap
// file being read), and the three coefficient arrays of a 4:2:0 and of a
// 4:4:4 picture.
int Room() {
  zarumo::SaverWindow form;
  form.StopTicks();
  auto heap = [](std::size_t bytes, std::size_t) { return std::malloc(bytes); };
  auto unheap = [](void* block, std::size_t) { std::free(block); };
  std::vector<zarumo::OwnedBitmap> sections(2);
  auto section = [&](std::size_t bytes, std::size_t i) -> void* {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = 4096;
    info.biHeight = static_cast<LONG>(bytes / (4096 * 4));
    info.biPlanes = 1;
    info.biBitCount = 32;
    void* bits = nullptr;
    sections[i].Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &bits, nullptr, 0));
    return sections[i] ? bits : nullptr;
  };
  auto unsection = [&](void*, std::size_t i) { sections[i].Reset(); };
  auto fileThenSection = [&](std::size_t bytes, std::size_t i) {
    return i == 0 ? std::malloc(bytes) : section(bytes, i);
  };
  auto unFileThenSection = [&](void* block, std::size_t i) {
    if (i == 0) {
      std::free(block);
    } else {
      unsection(block, i);
    }
  };
  const int mib = 20;
  std::printf("room: one heap block %zu MiB\n", LargestTogether({6}, heap, unheap) >> mib);
  std::printf("room: one bitmap section %zu MiB\n",
              LargestTogether({6}, section, unsection) >> mib);
  std::printf("room: file bytes and a bitmap section of the same size %zu MiB in all\n",
              LargestTogether({3, 3}, fileThenSection, unFileThenSection) >> mib);
  std::printf("room: coefficients of a 4:2:0 picture (4 + 1 + 1 sixths) %zu MiB in all\n",
              LargestTogether({4, 1, 1}, heap, unheap) >> mib);
  std::printf("room: coefficients of a 4:4:4 picture (three thirds) %zu MiB in all\n",
              LargestTogether({2, 2, 2}, heap, unheap) >> mib);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "ticks") == 0)
    return Ticks(argc >= 3 ? std::atoi(argv[2]) : 1000);
  if (argc >= 3 && std::strcmp(argv[1], "firstframe") == 0) return FirstFrame(argv[2]);
  if (argc >= 3 && std::strcmp(argv[1], "pane") == 0) return Pane(argv[2]);
  if (argc >= 2 && std::strcmp(argv[1], "room") == 0) return Room();
  if (argc >= 3 && std::strcmp(argv[1], "draw") == 0) return Draw(argv[2]);
  std::printf("usage: zarumo_bench ticks [count] | firstframe DIR | pane FILE | room\n");
  return 2;
}
