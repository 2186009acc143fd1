// Drawing on a palette display (256 colours), in-process: the scene, the
// pictures and the picture pane through the saver's palette; and the
// stretch mode where the system refuses HALFTONE.
//
// PaletteDisplay runs on an 8-bit screen of its own. Wine keeps the system
// palette's mapping per process, so these tests draw into a window of the
// driver and read it back from there.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
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

// A window of the driver's in front of everything, whose system palette
// holds greys only, as another program in front would leave it: what draws
// there has to realize the saver's palette itself.
class FrontWindow {
 public:
  FrontWindow()
      : window_(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    SetForegroundWindow(window_);
    struct {
      WORD version = 0x300;
      WORD count = 236;
      PALETTEENTRY entries[236];
    } greys;
    for (int i = 0; i < 236; ++i) {
      const BYTE level = static_cast<BYTE>(i * 255 / 235);
      greys.entries[i] = {level, level, level, 0};
    }
    OwnedPalette palette(CreatePalette(reinterpret_cast<LOGPALETTE*>(&greys)));
    WindowDc dc(window_);
    UnrealizeObject(palette.Get());
    PaletteSelection realized(dc.Get(), palette.Get());
  }
  FrontWindow(const FrontWindow&) = delete;
  FrontWindow& operator=(const FrontWindow&) = delete;
  ~FrontWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }
  // Copies a canvas to the window, as the saver presents its composition.
  void Show(BitmapPicture& canvas) const {
    WindowDc dc(window_);
    PaletteSelection palette(dc.Get(), DisplayPalette());
    BitBlt(dc.Get(), 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
  }

 private:
  HWND window_;
};

// The distinct colours in the area; only those far from any grey when `hued`.
std::set<COLORREF> ColoursIn(const wt::Capture& capture, const RECT& area, bool hued = false) {
  std::set<COLORREF> colours;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = capture.At(x, y);
      const int spread = std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) -
                         std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
      if (!hued || spread > 40) colours.insert(c);
    }
  return colours;
}

int DistinctColours(const wt::Capture& capture, const RECT& area) {
  return static_cast<int>(ColoursIn(capture, area).size());
}

std::set<COLORREF> PaletteColours() {
  PALETTEENTRY entries[256];
  const UINT count = GetPaletteEntries(DisplayPalette(), 0, 256, entries);
  std::set<COLORREF> colours;
  for (UINT i = 0; i < count; ++i)
    colours.insert(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
  return colours;
}

// A photo-like gradient over the whole colour range.
std::string GradientJpeg(int width, int height) {
  return wt::MakeJpeg(width, height, [=](int x, int y) {
    return RGB(x * 255 / width, y * 255 / height, 255 - x * 255 / width);
  });
}

}  // namespace

TEST(PaletteDisplay, CanvasesAreSectionsInThePalettesColours) {
  ASSERT_TRUE(PaletteDisplay()) << "this suite needs an 8-bit screen";
  ASSERT_NE(DisplayPalette(), nullptr);
  EXPECT_EQ(DisplayPalette(), DisplayPalette());
  auto canvas = BitmapPicture::CreateScreenCompatible(64, 32);
  EXPECT_EQ(canvas->BitsPerPixel(), 8);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(canvas->Handle(), sizeof section, &section), sizeof section);
  RGBQUAD table[256];
  ASSERT_EQ(GetDIBColorTable(canvas->Dc(), 0, 256, table) >= 236, true);
  PALETTEENTRY entries[236];
  ASSERT_EQ(GetPaletteEntries(DisplayPalette(), 0, 236, entries), 236u);
  for (int i = 0; i < 236; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue),
              RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
  }
}

TEST(PaletteDisplay, SceneBannerKeepsItsGoldRamps) {
  Scene scene;
  scene.Compose();
  FrontWindow front;
  scene.Present(front.Get());
  const wt::Capture screen = wt::Capture::Client(front.Get());
  const int left = screen.Width() / 2 - 328;
  const int colours = DistinctColours(screen, {left, 50, left + 656, 50 + 241});
  std::printf("the banner shows in %d colours\n", colours);
  EXPECT_GE(colours, 16);
}

TEST(PaletteDisplay, NamePicturesDarkBackgroundStaysBlue) {
  wt::TempDir dir;
  const COLORREF navy = RGB(16, 24, 72);
  auto picture =
      LoadPictureFile(dir.Write("name.jpg", wt::MakeJpeg(120, 40, [=](int, int) { return navy; })));
  auto canvas = BitmapPicture::CreateScreenCompatible(200, 100);
  picture->Draw(canvas->Dc(), 10, 10);
  FrontWindow front;
  front.Show(*canvas);
  const COLORREF shown = wt::Capture::Client(front.Get()).At(60, 30);
  EXPECT_NE(shown, RGB(0, 0, 0));
  EXPECT_GT(GetBValue(shown), GetRValue(shown)) << std::hex << shown;
}

TEST(PaletteDisplay, PaneShowsAPhotoInMoreThanTheSystemsColours) {
  wt::TempDir dir;
  PictureView view(LoadPictureFile(dir.Write("photo.jpg", GradientJpeg(400, 300))));
  FrontWindow front;
  {
    WindowDc dc(front.Get());
    view.Paint(dc.Get(), {0, 0, 200, 160}, 2, nullptr);
  }
  // More hues of the saver's palette than the system's 20 colours hold.
  const std::set<COLORREF> hues =
      ColoursIn(wt::Capture::Client(front.Get()), {4, 4, 196, 156}, true);
  const std::set<COLORREF> palette = PaletteColours();
  const auto ours = std::count_if(hues.begin(), hues.end(),
                                  [&](COLORREF hue) { return palette.count(hue) != 0; });
  std::printf("the pane shows the photo in %zu colours besides greys, %d of the palette\n",
              hues.size(), static_cast<int>(ours));
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
  wt::Surface probe(4, 4);
  ApplyStretchMode(probe.Dc(), StretchMode::kHalftone);
  EXPECT_EQ(GetStretchBltMode(probe.Dc()), HALFTONE);

  _putenv("ZARUMO_HALFTONE_REFUSED=1");
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
