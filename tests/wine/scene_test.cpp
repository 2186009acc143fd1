// The scene as the screen shows it, read back from outside the saver.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/saver_process.h"
#include "support/screen.h"

using namespace wt;

namespace {

const char kSaverClass[] = "TScreenSaverForm";

// A running saver whose first ticks have been presented.
struct RunningSaver {
  explicit RunningSaver(const TempDir& dir) : saver(dir, "/s") {
    window = saver.WaitTopWindow(kSaverClass);
    Pump(800);
  }
  ~RunningSaver() {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    saver.WaitExit(5000);
  }
  Saver saver;
  HWND window = nullptr;
};

// The banner's lettering (18..636 x 17..220 of it), centred with its top at 50.
void ExpectBanner(const Capture& screen) {
  const int w = screen.Width();
  const int bannerLeft = w / 2 - 328;
  RECT banner = screen.LitBounds({0, 0, w, 300});
  EXPECT_EQ(banner.left, std::max(0, bannerLeft + 18));
  EXPECT_EQ(banner.right, std::min(w - 1, bannerLeft + 636));
  EXPECT_EQ(banner.top, 50 + 17);
  EXPECT_EQ(banner.bottom, 50 + 220);
}

// The fallback's exclamation mark (77..105 x 21..74) as the name picture, at 300.
void ExpectFallbackName(const Capture& screen) {
  const int w = screen.Width();
  RECT name = screen.LitBounds({0, 300, w, screen.Height() - 200});
  const int nameLeft = w / 2 - 100;
  EXPECT_EQ(name.left, nameLeft + 77);
  EXPECT_EQ(name.right, nameLeft + 105);
  EXPECT_EQ(name.top, 300 + 21);
  EXPECT_EQ(name.bottom, 300 + 74);
  EXPECT_TRUE(IsRed(screen.At(nameLeft + 90, 300 + 50)));
}

// Columns of the ticker band where red shows, as a string of '#' and '.'.
std::string BandProfile(const Capture& screen) {
  std::string profile(screen.Width(), '.');
  const int top = screen.Height() - 200;
  for (int x = 0; x < screen.Width(); ++x)
    for (int y = top; y < top + 101; ++y)
      if (IsRed(screen.At(x, y))) {
        profile[x] = '#';
        break;
      }
  return profile;
}

TEST(Scene, WithoutSettingsOrPicturesShowsBannerAndFallbacks) {
  TempDir dir;
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  Capture screen = Capture::Screen();
  ASSERT_EQ(screen.Width(), 1024);
  ExpectBanner(screen);
  ExpectFallbackName(screen);
  // The banner covers columns 184..839 and rows 50..290: its lettering lies inside.
  EXPECT_EQ(screen.CountLit({0, 0, 184, 768}) - screen.CountLit({0, 568, 184, 669}), 0);
  // The fallback's copies run along rows 568..668 and nothing else is lit.
  RECT band = screen.LitBounds({0, 401, 1024, 768});
  EXPECT_GE(band.top, 568 + 21);
  EXPECT_LE(band.bottom, 568 + 74);
  EXPECT_NE(BandProfile(screen).find('#'), std::string::npos);
  EXPECT_EQ(screen.CountLit({0, 669, 1024, 768}), 0);
}

TEST(Scene, WishPictureMovesLeftFivePixelsATick) {
  TempDir dir;
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  // Consecutive frames differ by whole ticks; the copies move left by 5 each.
  std::string before = BandProfile(Capture::Screen());
  Pump(250);
  std::string after = BandProfile(Capture::Screen());
  ASSERT_NE(before, after) << "the ticker does not move";
  int shift = -1;
  for (int s = 5; s <= 100 && shift < 0; s += 5) {
    // Columns well inside the screen, away from copies entering or leaving.
    if (before.substr(200 + s, 600) == after.substr(200, 600)) shift = s;
  }
  EXPECT_GT(shift, 0) << "no leftward shift by a multiple of 5\n" << before << "\n" << after;
}

}  // namespace

namespace {

// Runs only on the 640 x 480 screen of its own test run.
TEST(NarrowScreen, BannerLosesEightColumnsOnEachSide) {
  TempDir dir;
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  Capture screen = Capture::Screen();
  ASSERT_EQ(screen.Width(), 640);
  ASSERT_EQ(screen.Height(), 480);
  // The banner starts at x = -8: its lettering (18..636) lands at 10..628.
  ExpectBanner(screen);
  RECT window;
  GetWindowRect(running.window, &window);
  EXPECT_EQ(window.right - window.left, 640);
  // The ticker band starts at 280, over the name picture's rows: its marks are
  // the first thing lit below the banner.
  EXPECT_EQ(screen.CountLit({0, 271, 640, 280 + 21}), 0);
  EXPECT_EQ(screen.BoundsOf(IsRed, {0, 271, 640, 480}).top, 280 + 21);
}

}  // namespace
