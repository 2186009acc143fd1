// The saver window built inside the driver's process, where its holders and
// its composition can be read directly.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include "saver/saver_window.h"
#include "saver/ticker.h"
#include "support/picture_files.h"
#include "support/windows.h"
#include "support/saver_process.h"
#include "support/screen.h"

using namespace wt;
using zarumo::SaverHolder;
using zarumo::SaverWindow;

namespace {

COLORREF PixelAt(zarumo::PictureHolder& holder, int x, int y) {
  return GetPixel(holder.Canvas().Dc(), x, y);
}

// Counts the pixels of a rectangle that are not black.
int Lit(HDC dc, int left, int top, int right, int bottom) {
  int lit = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) lit += (GetPixel(dc, x, y) & 0xFFFFFF) != 0;
  return lit;
}

void ExpectSize(int width, int height, int expectedWidth, int expectedHeight) {
  EXPECT_EQ(width, expectedWidth);
  EXPECT_EQ(height, expectedHeight);
}

class SaverFormInProcess : public ::testing::Test {
 protected:
  SaverFormInProcess() { DeleteFileA((DriverDir() + "ザルモ.ini").c_str()); }
  ~SaverFormInProcess() override {
    // Show mode hid the cursor of this process.
    ShowCursor(TRUE);
  }
};

TEST_F(SaverFormInProcess, LayoutHoldersAndSceneWithoutPictures) {
  SaverWindow form;
  auto holder = [&form](SaverHolder which) -> auto& { return form.GetScene().Holder(which); };
  EXPECT_FALSE(form.EndedDuringCreation());
  // What the stored layout and the built-in pictures give.
  ExpectSize(holder(SaverHolder::kBanner).Width(), holder(SaverHolder::kBanner).Height(), 656, 241);
  ExpectSize(holder(SaverHolder::kFallback).Width(), holder(SaverHolder::kFallback).Height(), 201,
             101);
  ExpectSize(holder(SaverHolder::kLoading).Width(), holder(SaverHolder::kLoading).Height(), 105,
             73);
  EXPECT_EQ(holder(SaverHolder::kLoading).GetPicture(), nullptr);
  EXPECT_FALSE(holder(SaverHolder::kComposition).Visible());
  EXPECT_TRUE(holder(SaverHolder::kBanner).Visible() && holder(SaverHolder::kNameStrip).Visible() &&
              holder(SaverHolder::kFallback).Visible());
  EXPECT_EQ(holder(SaverHolder::kBanner).Left(), 128);
  EXPECT_EQ(holder(SaverHolder::kBanner).Top(), -152);
  EXPECT_TRUE(form.Ticking());
  EXPECT_EQ(form.MouseBaseline().x, -1);
  EXPECT_EQ(form.PlatformId(), static_cast<DWORD>(VER_PLATFORM_WIN32_NT));

  // The scene: sizes set by the composition, the fallback in both strips.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ExpectSize(holder(SaverHolder::kComposition).Width(), holder(SaverHolder::kComposition).Height(),
             w, h);
  EXPECT_EQ(holder(SaverHolder::kNameStrip).Height(), h / 2);
  EXPECT_EQ(holder(SaverHolder::kWishStrip).Width(), w);
  const auto& strips = form.GetScene().Strips();
  ExpectSize(strips.name.width, strips.name.height, 201, 101);
  ExpectSize(strips.wish.width, strips.wish.height, 201, 101);

  HDC composition = holder(SaverHolder::kComposition).Canvas().Dc();
  const int bannerLeft = w / 2 - 328;
  // The banner's lettering fills 18..636 x 17..220 of it; its margins stay black.
  EXPECT_GT(Lit(composition, bannerLeft + 18, 50 + 17, bannerLeft + 637, 50 + 221), 20000);
  EXPECT_EQ(Lit(composition, 0, 0, w, 50 + 17), 0);
  EXPECT_EQ(Lit(composition, 0, 50, bannerLeft + 18, 300), 0);
  // The fallback's exclamation mark (77..105 x 21..74) at the name's place.
  const int nameLeft = w / 2 - 100;
  EXPECT_EQ(GetPixel(composition, nameLeft + 90, 300 + 50) & 0xFFFFFF, RGB(255, 0, 0));
  EXPECT_EQ(Lit(composition, nameLeft, 300, nameLeft + 201, 300 + 101),
            Lit(holder(SaverHolder::kFallback).Canvas().Dc(), 0, 0, 201, 101));
  EXPECT_EQ(Lit(composition, 0, 50 + 241, w, 300), 0);
  EXPECT_EQ(Lit(composition, 0, 401, w, h), 0);
  // The wish strip holds the fallback at its top-left corner, black elsewhere.
  EXPECT_EQ(PixelAt(holder(SaverHolder::kWishStrip), 90, 50) & 0xFFFFFF, RGB(255, 0, 0));
  EXPECT_EQ(Lit(holder(SaverHolder::kWishStrip).Canvas().Dc(), 201, 0, w, h / 2), 0);
}

class PreviewInProcess : public SaverFormInProcess {
 protected:
  PreviewInProcess() {
    RECT rect = {0, 0, 256, 192};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    host_ = CreateStandInWindow("host", 10, 10, rect.right - rect.left, rect.bottom - rect.top);
  }
  ~PreviewInProcess() override { DestroyWindow(host_); }
  HWND host_;
};

TEST_F(PreviewInProcess, ShrinksTheWholeSceneIntoTheHost) {
  SaverWindow form(host_);
  form.CreateHandle();
  form.Show();
  Pump(100);
  form.Tick();
  Capture shot = Capture::Client(form.Handle());
  ASSERT_EQ(shot.Width(), 256);
  ASSERT_EQ(shot.Height(), 192);
  // A quarter of the 1024 x 768 scene: the banner's lettering near 50..205 x 17..67.
  RECT banner = shot.LitBounds({0, 0, 256, 74});
  EXPECT_NEAR(banner.left, (184 + 18) / 4, 2);
  EXPECT_NEAR(banner.right, (184 + 636) / 4, 2);
  EXPECT_NEAR(banner.top, (50 + 17) / 4, 2);
  EXPECT_NEAR(banner.bottom, (50 + 220) / 4, 2);
  // The fallback name mark near (412 + 77 .. 412 + 105) / 4.
  RECT name = shot.BoundsOf(IsRed, {0, 75, 256, 142});
  EXPECT_NEAR(name.left, (412 + 77) / 4, 2);
  EXPECT_NEAR(name.right, (412 + 105) / 4, 2);
  // The ticker band, rows 568..668 of the scene, now 142..167.
  RECT band = shot.BoundsOf(IsRed, {0, 142, 256, 192});
  EXPECT_NEAR(band.top, (568 + 21) / 4, 2);
  EXPECT_LE(band.bottom, (568 + 74) / 4 + 2);
}

TEST_F(SaverFormInProcess, ThousandsOfTicksKeepMemoryFlat) {
  SaverWindow form;
  form.CreateHandle();
  form.Show();
  EXPECT_TRUE(form.Covers().empty());  // one monitor, the saver's own
  // The window's own timer moves the ticker, a step at most every 100 ms.
  const int start = form.GetScene().TickerX();
  Pump(1000);
  const int steps = (start - form.GetScene().TickerX()) / zarumo::kTickerStep;
  EXPECT_GE(steps, 1);
  EXPECT_LE(steps, 11);
  auto privateBytes = [] {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Committed memory; each GDI object leaked per tick would add to it.
    return counters.PagefileUsage;
  };
  for (int i = 0; i < 300; ++i) form.Tick();
  SIZE_T before = privateBytes();
  DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 5000; ++i) form.Tick();
  SIZE_T after = privateBytes();
  EXPECT_GT(before, 0u);
  EXPECT_LT(after, before + 512 * 1024) << before << " -> " << after;
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
  form.Hide();
}

class WideWishInProcess : public SaverFormInProcess {
 protected:
  WideWishInProcess() {
    WriteFileBytes(DriverDir() + "wide-wish.bmp",
                   MakeBmp(1000, 50, [](int, int) { return RGB(0, 200, 0); }));
    WriteFileBytes(DriverDir() + "ザルモ.ini", "\r\nwide-wish.bmp\r\n");
  }
  ~WideWishInProcess() override {
    DeleteFileA((DriverDir() + "wide-wish.bmp").c_str());
    DeleteFileA((DriverDir() + "ザルモ.ini").c_str());
  }
};

// Where a copy would read past the wish strip, the composition shows black.
TEST_F(WideWishInProcess, CopiesBeyondTheStripShowBlack) {
  SaverWindow form;
  ASSERT_EQ(form.GetScene().Strips().wish.width, 1000);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_EQ(w, 1024);
  HDC composition = form.GetScene().Holder(SaverHolder::kComposition).Canvas().Dc();
  const int row = h - 200 + 10;
  RECT band = {0, h - 200, w, h - 200 + 50};
  FillRect(composition, &band, zarumo::OwnedBrush(CreateSolidBrush(RGB(255, 0, 255))).Get());

  // The leading copy at -10 reads strip columns 10..1423; the strip ends at 1023.
  form.GetScene().SetTickerX(-10);
  form.Tick();
  EXPECT_EQ(form.GetScene().TickerX(), -15);
  EXPECT_EQ(GetPixel(composition, 0, row), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(composition, 989, row), RGB(0, 200, 0));
  // The strip's own black past the picture's 1000 columns...
  EXPECT_EQ(GetPixel(composition, 990, row), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(composition, 1013, row), RGB(0, 0, 0));
  // ...and beyond the strip black too, not what the band held before.
  EXPECT_EQ(GetPixel(composition, 1014, row), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(composition, 1023, row), RGB(0, 0, 0));
  // Rows below the band's 50 were never touched.
  EXPECT_EQ(GetPixel(composition, 5, h - 200 + 50), RGB(0, 0, 0));
}

}  // namespace
