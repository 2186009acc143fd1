// Drawing through the saver's palette on an 8-bit screen of its own, in
// process (Wine keeps the system palette per process); and the stretch mode
// where the system refuses HALFTONE.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>

#include "forms/bitmap_picture.h"
#include "forms/display_palette.h"
#include "pictures/picture_file.h"
#include "saver/scene.h"
#include "setup/picture_view.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/screen.h"
#include "system/handles.h"

using namespace zarumo;

namespace {

// A window of the driver's in front of everything, whose system palette holds
// greys only, as another program in front would leave it: what draws there
// has to realize the saver's palette itself.
class FrontWindow {
 public:
  FrontWindow()
      : window_(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    SetForegroundWindow(window_);
    struct {
      WORD version = 0x300, count = 236;
      PALETTEENTRY entries[236];
    } greys;
    for (int i = 0; i < 236; ++i) greys.entries[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
    OwnedPalette palette(CreatePalette(reinterpret_cast<LOGPALETTE*>(&greys)));
    WindowDc dc(window_);
    UnrealizeObject(palette.Get());
    PaletteSelection realized(dc.Get(), palette.Get());
  }
  ~FrontWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }
  wt::Capture Shown() const { return wt::Capture::Client(window_); }

 private:
  HWND window_;
};

std::set<COLORREF> ColoursIn(const wt::Capture& capture, const RECT& area) {
  std::set<COLORREF> colours;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) colours.insert(capture.At(x, y));
  return colours;
}

}  // namespace

TEST(PaletteDisplay, SceneBannerKeepsItsGoldRamps) {
  ASSERT_TRUE(PaletteDisplay()) << "this suite needs an 8-bit screen";
  Scene scene;
  scene.Compose();
  FrontWindow front;
  scene.Present(front.Get());
  const wt::Capture shown = front.Shown();
  const int left = shown.Width() / 2 - 328;
  EXPECT_GE(ColoursIn(shown, {left, 50, left + 656, 50 + 241}).size(), 16u);
}

// A name picture's dark background presented from a canvas; a photo in the pane.
TEST(PaletteDisplay, PicturesKeepTheirColours) {
  wt::TempDir dir;
  auto name = LoadPictureFile(
      dir.Write("name.jpg", wt::MakeJpeg(120, 40, [](int, int) { return RGB(16, 24, 72); })));
  auto canvas = BitmapPicture::CreateScreenCompatible(200, 100);
  name->Draw(canvas->Dc(), 10, 10);
  PictureView pane(LoadPictureFile(dir.Write("photo.jpg", wt::MakeJpeg(400, 300, [](int x, int y) {
                                               return RGB(x * 255 / 400, y * 255 / 300,
                                                          255 - x * 255 / 400);
                                             }))));
  // Each on a system palette of greys, and realizing the saver's itself.
  const wt::Capture paneShown = [&] {
    FrontWindow front;
    pane.Paint(WindowDc(front.Get()).Get(), {0, 0, 200, 160}, 2, nullptr);
    return front.Shown();
  }();
  FrontWindow front;
  {
    WindowDc dc(front.Get());
    PaletteSelection palette(dc.Get(), DisplayPalette());
    BitBlt(dc.Get(), 0, 0, 200, 100, canvas->Dc(), 0, 0, SRCCOPY);
  }
  const COLORREF nameShown = front.Shown().At(60, 30);
  EXPECT_GT(GetBValue(nameShown), GetRValue(nameShown));  // not black, nor grey
  // More colours of the saver's palette than the system's 20 hold.
  const std::set<COLORREF> colours = ColoursIn(paneShown, {4, 4, 196, 156});
  PALETTEENTRY entries[256];
  int ours = 0;
  for (UINT i = 0, n = GetPaletteEntries(DisplayPalette(), 0, 256, entries); i < n; ++i)
    ours += colours.count(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
  EXPECT_GT(ours, 20);
}

// Where the system refuses HALFTONE, as the 9x family does, the pane shrinks
// by dropping pixels, not by ANDing them into black.
TEST(StretchModes, RefusedHalftoneFallsBackToColorOnColor) {
  wt::TempDir dir;
  // White with a black column in every five, shown at a quarter of its width:
  // dropping columns keeps four in five white, ANDing four at a time blackens
  // four in five.
  const std::string path = dir.Write("stripes.bmp", wt::MakeBmp(400, 300, [](int x, int) {
                                       return x % 5 == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255);
                                     }));
  _putenv("ZARUMO_HALFTONE_REFUSED=1");
  wt::Surface probe(4, 4);
  ApplyStretchMode(probe.Dc(), StretchMode::kHalftone);
  EXPECT_EQ(GetStretchBltMode(probe.Dc()), COLORONCOLOR);
  PictureView view(LoadPictureFile(path));
  wt::Surface pane(110, 90);
  view.Paint(pane.Dc(), {0, 0, 110, 90}, 5, nullptr);
  _putenv("ZARUMO_HALFTONE_REFUSED=");
  int lit = 0;
  for (int y = 20; y < 70; ++y)
    for (int x = 20; x < 90; ++x) lit += GetRValue(pane.At(x, y)) > 128;
  EXPECT_GT(lit, 50 * 70 / 2);
}
