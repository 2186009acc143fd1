// The scene as the screen shows it, read back from outside the saver.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/jpeg_writer.h"
#include "common/metafile_writer.h"
#include "common/png_gif_writer.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/screen.h"
#include "support/windows.h"

using namespace wt;

namespace {

// A running saver whose first ticks have been presented.
struct RunningSaver {
  explicit RunningSaver(const TempDir& dir, const SaverOptions& options = {})
      : saver(dir, "/s", options) {
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

// Expects a bounding box's inclusive edges.
void ExpectBox(const RECT& box, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.right, right);
  EXPECT_EQ(box.bottom, bottom);
}

// The banner's lettering (18..636 x 17..220 of it), centred with its top at 50.
void ExpectBanner(const Capture& screen) {
  const int w = screen.Width();
  const int bannerLeft = w / 2 - 328;
  ExpectBox(screen.LitBounds({0, 0, w, 300}), std::max(0, bannerLeft + 18), 50 + 17,
            std::min(w - 1, bannerLeft + 636), 50 + 220);
}

// The fallback's exclamation mark (77..105 x 21..74) as the name picture, at 300.
void ExpectFallbackName(const Capture& screen) {
  const int nameLeft = screen.Width() / 2 - 100;
  ExpectBox(screen.LitBounds({0, 300, screen.Width(), screen.Height() - 200}), nameLeft + 77,
            300 + 21, nameLeft + 105, 300 + 74);
  EXPECT_TRUE(IsRed(screen.At(nameLeft + 90, 300 + 50)));
}

// Columns of the ticker band where red shows, as a string of '#' and '.'.
template <typename Match>
std::string Profile(const Capture& screen, Match match, int top, int rows) {
  std::string profile(screen.Width(), '.');
  for (int x = 0; x < screen.Width(); ++x)
    for (int y = top; y < top + rows && profile[x] == '.'; ++y)
      if (match(screen.At(x, y))) profile[x] = '#';
  return profile;
}

std::string BandProfile(const Capture& screen) {
  return Profile(screen, IsRed, screen.Height() - 200, 101);
}

// How far left the band moved between two profiles, in whole ticker steps of
// 5 pixels; -1 when no such shift explains them. Only columns well inside the
// screen count, away from copies entering or leaving.
int LeftShift(const std::string& before, const std::string& after) {
  for (int s = 5; s <= 100; s += 5)
    if (before.substr(200 + s, 600) == after.substr(200, 600)) return s;
  return -1;
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
  EXPECT_GT(LeftShift(before, after), 0) << "no leftward shift by a multiple of 5\n"
                                         << before << "\n"
                                         << after;
}

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

bool Near(COLORREF c, COLORREF want, int tolerance = 12) {
  return std::abs(GetRValue(c) - GetRValue(want)) <= tolerance &&
         std::abs(GetGValue(c) - GetGValue(want)) <= tolerance &&
         std::abs(GetBValue(c) - GetBValue(want)) <= tolerance;
}

const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 200, 0);
bool IsGreen(COLORREF c) { return Near(c, kGreen); }

TEST(ScenePictures, BmpNameAndJpegWishAppearWhereTheyBelong) {
  TempDir dir;
  CreateDirectoryA((dir / "pics").c_str(), nullptr);
  dir.Write("pics\\name.bmp", MakeBmp(300, 100, [](int, int) { return kBlue; }));
  dir.Write("wish.JPG", MakeJpeg(150, 80, [](int, int) { return kGreen; }));
  // Line 2 is a bare name, resolved against the saver's folder.
  dir.Write("ザルモ.ini", dir / "pics\\name.bmp" + "\r\nwish.JPG\r\n");
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
  Capture screen = Capture::Screen();
  ExpectBanner(screen);
  ExpectBox(screen.BoundsOf([](COLORREF c) { return Near(c, kBlue); }, {0, 291, 1024, 568}),
            512 - 150, 300, 512 - 150 + 299, 399);
  RECT wish = screen.BoundsOf(IsGreen, {0, 401, 1024, 768});
  EXPECT_EQ(wish.top, 568);
  EXPECT_EQ(wish.bottom, 568 + 79);

  // The copies move right to left by whole steps of 5 pixels.
  auto profile = [] { return Profile(Capture::Screen(), IsGreen, 600, 1); };
  std::string before = profile();
  Pump(250);
  std::string after = profile();
  EXPECT_GT(LeftShift(before, after), 0) << before << "\n" << after;
}

TEST(ScenePictures, PngNameShowsOverBlackAndGifWishScrolls) {
  TempDir dir;
  // Opaque red on the left, half-transparent green in the middle, nothing on
  // the right; the scene's black shows through.
  const COLORREF red = RGB(255, 0, 0);
  dir.Write("name.png", MakePng(
                            60, 40, [=](int x, int) { return x < 20 ? red : kGreen; },
                            [](int x, int) { return x < 20   ? 255
                                                    : x < 40 ? 128
                                                             : 0; }));
  const test_common::Bytes gif = test_common::GifFile(
      150, 80, {0, 200, 0, 0, 0, 0}, {{0, 0, 150, 80, {}, -1, test_common::Bytes(12000, 0)}});
  dir.Write("wish.gif", std::string(gif.begin(), gif.end()));
  dir.Write("ザルモ.ini", "name.png\r\nwish.gif\r\n");
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
  Capture screen = Capture::Screen();
  // Centred by the picture's own width.
  EXPECT_EQ(screen.At(512 - 30 + 10, 320), red);
  EXPECT_TRUE(Near(screen.At(512 - 30 + 30, 320), RGB(0, 100, 0), 1));
  EXPECT_EQ(screen.At(512 - 30 + 50, 320), RGB(0, 0, 0));
  EXPECT_EQ(screen.LitBounds({0, 291, 1024, 568}).right, 512 - 30 + 39);
  RECT wish = screen.BoundsOf(IsGreen, {0, 401, 1024, 768});
  EXPECT_EQ(wish.top, 568);
  EXPECT_EQ(wish.bottom, 568 + 79);

  auto profile = [] { return Profile(Capture::Screen(), IsGreen, 600, 1); };
  std::string before = profile();
  Pump(250);
  std::string after = profile();
  EXPECT_GT(LeftShift(before, after), 0) << before << "\n" << after;
}

TEST(ScenePictures, PortraitPhotoStandsUprightWithItsTopRowAtTheStripsTop) {
  // Stored on its side, as a phone keeps it, and turned a quarter clockwise to
  // be shown: the stored left columns become the top rows.
  TempDir dir;
  std::string photo = MakeJpeg(120, 80, [](int x, int) { return x < 16 ? kGreen : kBlue; });
  const test_common::Bytes exif = test_common::ExifSegment({6});
  photo.insert(photo.begin() + 2, exif.begin(), exif.end());
  dir.Write("なまえ.jpg", photo);
  dir.Write("ねがい.jpg", photo);
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  Capture screen = Capture::Screen();
  const RECT name = screen.LitBounds({0, 291, 1024, 568});
  const RECT nameTop = screen.BoundsOf(IsGreen, {0, 291, 1024, 568});
  const RECT wishTop = screen.BoundsOf(IsGreen, {0, 401, 1024, 768});
  EXPECT_EQ(std::vector<LONG>({name.left, name.top, name.right, name.bottom, nameTop.left,
                               nameTop.top, nameTop.right, wishTop.top}),
            std::vector<LONG>({512 - 40, 300, 512 + 39, 419, 512 - 40, 300, 512 + 39, 568}));
  // Sixteen rows of green, the last blended with the blue below.
  EXPECT_NEAR(nameTop.bottom, 300 + 15, 1);
  EXPECT_NEAR(wishTop.bottom, 568 + 15, 1);
  EXPECT_EQ(screen.LitBounds({0, 401, 1024, 768}).bottom, 568 + 119);
}

TEST(ScenePictures, UnusablePicturesFallBackWithoutAMessage) {
  for (const char* settings :
       {"shown.png\r\n\r\n", "missing.bmp\r\nmissing.jpg\r\n", "empty.bmp\r\nbad.jpg\r\n"}) {
    TempDir dir;
    dir.Write("shown.png", MakeBmp(40, 40, [](int, int) { return kBlue; }));
    // A JPEG whose header reads but whose data is cut off fails at its first drawing.
    std::string jpeg = MakeJpeg(64, 64, [](int x, int) { return RGB(x * 4, 0, 0); });
    dir.Write("bad.jpg", jpeg.substr(0, jpeg.size() / 3));
    dir.Write("empty.bmp", "");
    dir.Write("ザルモ.ini", settings);
    RunningSaver running(dir);
    ASSERT_NE(running.window, nullptr);
    EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr) << settings;
    Capture screen = Capture::Screen();
    if (std::string(settings).rfind("empty.bmp", 0) == 0) {
      // An empty bitmap draws nothing but records the loading holder's 105 x 73.
      EXPECT_EQ(screen.CountLit({0, 291, 1024, 568}), 0) << settings;
    } else {
      ExpectFallbackName(screen);
    }
    // The wish falls back: red marks in the band.
    EXPECT_EQ(screen.BoundsOf(IsRed, {0, 401, 1024, 768}).top, 568 + 21) << settings;
  }
}

// A metafile of nothing but saved drawing states, as many as `count`.
std::string EndlessSaves(bool enhanced, int count) {
  using namespace test_common;
  // EMR_SAVEDC of 8 bytes, or META_SAVEDC of 3 words.
  Bytes file = enhanced ? Bytes{} : WindowExtentRecord(300, 100);
  for (int i = 0; i < count; ++i) {
    Put32(file, enhanced ? 33 : 3);
    enhanced ? Put32(file, 8) : Put16(file, 0x001E);
  }
  file = enhanced ? EnhancedMetafile({0, 0, 299, 99}, {0, 0, 7900, 2600}, file)
                  : WindowsMetafile(file);
  return std::string(file.begin(), file.end());
}

TEST(ScenePictures, MetafileOfEndlessSavedStatesFallsBackAtOnce) {
  for (const char* name : {"ねがい.emf", "ねがい.wmf"}) {
    const bool enhanced = std::string(name).find("emf") != std::string::npos;
    TempDir dir;
    dir.Write(name, EndlessSaves(enhanced, 600000));
    dir.Write("ザルモ.ini", std::string("\r\n") + name + "\r\n");
    const DWORD start = GetTickCount();
    RunningSaver running(dir);
    ASSERT_NE(running.window, nullptr) << name;
    EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr) << name;
    // The wish falls back: red marks in the band.
    EXPECT_EQ(Capture::Screen().BoundsOf(IsRed, {0, 401, 1024, 768}).top, 568 + 21) << name;
    PostMessageA(running.window, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(running.saver.WaitExit(5000)) << name;
    const DWORD elapsed = GetTickCount() - start;
    RecordProperty(enhanced ? "emf_ms" : "wmf_ms", static_cast<int>(elapsed));
    EXPECT_LT(elapsed, 10000u) << name;
  }
}

TEST(ScenePictures, MetafileWhoseRecordsClaimMissingDataFallsBackQuietly) {
  // Fuzz seeds, beside the bitmap suite: name pictures of valid framing whose
  // records claim bits or text they do not carry.
  const char* suite = getenv("ZARUMO_BMPSUITE_DIR");
  ASSERT_NE(suite, nullptr);
  const std::string seeds = std::string(suite) + "\\..\\..\\fuzz\\seeds\\metafile\\regression-";
  for (const char* name : {"stretchdibits.emf", "setdibits.emf", "exttextoutw.emf"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    const std::string bytes = ReadFileBytes(seeds + name);
    ASSERT_GT(bytes.size(), 200u);
    dir.Write(name, bytes);
    dir.Write("ザルモ.ini", std::string(name) + "\r\n\r\n");
    RunningSaver running(dir);
    EXPECT_NE(running.window, nullptr);
    if (!running.window) continue;
    EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
    ExpectFallbackName(Capture::Screen());
    PostMessageA(running.window, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(running.saver.WaitExit(5000));
  }
}

TEST(ScenePictures, PictureThatCannotBeOpenedStopsTheSceneWithItsMessage) {
  TempDir dir;
  dir.Write("locked.bmp", MakeBmp(40, 40, [](int, int) { return kBlue; }));
  dir.Write("ザルモ.ini", "locked.bmp\r\n\r\n");
  HANDLE lock = CreateFileA((dir / "locked.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Saver saver(dir, "/s");
  HWND box = saver.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "ファイル " + (dir / "locked.bmp") + " は開けません.");
  // Above the top-most saver, where the user can see it.
  EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
  DismissMessageBox(box);
  CloseHandle(lock);
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  Pump(700);
  // Only the window's own painting: the banner's bottom rows at the top, the
  // fallback holder at (112, 232), and no frame ever presented.
  Capture screen = Capture::Screen();
  EXPECT_GT(screen.CountLit({128, 0, 128 + 656, 89}), 1000);
  EXPECT_EQ(screen.CountLit({0, 89, 1024, 232}), 0);
  EXPECT_EQ(screen.BoundsOf(IsRed, {0, 232, 1024, 768}).top, 232 + 21);
  EXPECT_EQ(screen.BoundsOf(IsRed, {0, 232, 1024, 768}).left, 112 + 77);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitExit(5000));
}

TEST(ScenePictures, OversizedNamePictureIsClippedToItsStrip) {
  TempDir dir;
  // Each column's colour tells which picture column it is.
  auto byColumn = [](int x, int) { return RGB(x & 0xFF, 32 + 64 * (x >> 8), 128); };
  dir.Write("big.bmp", MakeBmp(2000, 1000, byColumn));
  dir.Write("ザルモ.ini", "big.bmp\r\n\r\n");
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  Capture screen = Capture::Screen();
  // The copy starts at x = 512 - 1000 = -488; the strip holds columns 0..1023
  // and rows 0..383 of the picture, so the screen shows columns 488..1023.
  EXPECT_EQ(screen.At(0, 310), byColumn(488, 0));
  EXPECT_EQ(screen.At(535, 500), byColumn(1023, 0));
  EXPECT_EQ(screen.CountLit({536, 300, 1024, 568}), 0);
  EXPECT_EQ(screen.At(100, 300), byColumn(588, 0));
  // The band is the ticker's; below it nothing reaches past the strip's 384 rows.
  EXPECT_EQ(screen.CountLit({0, 684, 1024, 768}), 0);
}

TEST(ScenePictures, FortyEightMegapixelPhotosShowWithoutBeingDecodedWhole) {
  TempDir bareDir;
  std::size_t bare = 0;
  {
    RunningSaver running(bareDir);
    ASSERT_NE(running.window, nullptr);
    bare = running.saver.PeakWorkingSet();
  }
  TempDir dir;
  dir.Write("なまえ.jpg", LargePhoto());
  dir.Write("ねがい.jpg", LargePhoto());
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
  const std::size_t peak = running.saver.PeakWorkingSet();
  Capture screen = Capture::Screen();
  ExpectBanner(screen);
  // The photo's top-left corner scrolls in the band; no fallback mark anywhere.
  EXPECT_TRUE(Near(screen.At(500, 568), kLargePhotoTop));
  EXPECT_TRUE(Near(screen.At(500, 767), kLargePhotoTop));
  EXPECT_EQ(screen.BoundsOf(IsRed, {0, 0, 1024, 768}).right, -1);
  // Neither photo was held whole: 144 MB each at three bytes a pixel.
  std::printf("peak working set: %zu KB without pictures, %zu KB with the photos\n", bare >> 10,
              peak >> 10);
  ASSERT_GT(bare, 0u);
  EXPECT_LT(peak, bare + LargePhoto().size() * 2 + 3 * 1024 * 768 * 4);
}

}  // namespace

// On a system whose code page is 1252: the default pictures the user named in
// Japanese are found, and a path that lost a character to the code page, as a
// dialog stored it before, falls back like a missing file instead of a message.
TEST(OtherCodePageScene, JapaneseNamedDefaultsShowAndALostCharacterFallsBack) {
  ASSERT_EQ(GetACP(), 1252u);
  {
    TempDir dir;
    dir.WriteWide(Japanese("なまえ.jpg"), MakeJpeg(300, 100, [](int, int) { return kBlue; }));
    dir.WriteWide(Japanese("ねがい.jpg"), MakeJpeg(150, 80, [](int, int) { return kGreen; }));
    RunningSaver running(dir);
    ASSERT_NE(running.window, nullptr);
    EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
    Capture screen = Capture::Screen();
    ExpectBox(screen.BoundsOf([](COLORREF c) { return Near(c, kBlue); }, {0, 291, 1024, 568}),
              512 - 150, 300, 512 - 150 + 299, 399);
    EXPECT_EQ(screen.BoundsOf(IsGreen, {0, 401, 1024, 768}).top, 568);
  }
  TempDir dir;
  dir.WriteWide(Japanese("写真.jpg"), MakeJpeg(300, 100, [](int, int) { return kBlue; }));
  dir.WriteWide(Japanese("ザルモ.ini"), dir / "??.jpg\r\n\r\n");
  RunningSaver running(dir);
  ASSERT_NE(running.window, nullptr);
  EXPECT_EQ(running.saver.WaitMessageBox(0), nullptr);
  ExpectFallbackName(Capture::Screen());
}

// Copied into the system folder of 64-bit Windows, the 32-bit saver shows the
// pictures put beside it there, not those of the 32-bit system folder.
TEST(SystemFolder, PicturesBesideTheSaverShowFromThe64BitSystemFolder) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) GTEST_SKIP() << "a 32-bit system";
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  SaverOptions options;
  options.nativeFolder = std::string(system) + "\\";
  options.exeName = "zarumo-system-folder.scr";
  const std::vector<std::string> files{options.exeName, "なまえ.jpg", "ねがい.jpg"};
  struct Removed {
    ~Removed() {
      NativeFileNames native;
      for (const std::string& name : names) DeleteFileA((folder + name).c_str());
    }
    const std::string& folder;
    const std::vector<std::string>& names;
  } removed{options.nativeFolder, files};
  {
    NativeFileNames native;
    WriteFileBytes(options.nativeFolder + files[1],
                   MakeJpeg(300, 100, [](int, int) { return kBlue; }));
    WriteFileBytes(options.nativeFolder + files[2],
                   MakeJpeg(150, 80, [](int, int) { return kGreen; }));
  }
  TempDir dir;
  RunningSaver running(dir, options);
  ASSERT_NE(running.window, nullptr);
  Capture screen = Capture::Screen();
  ExpectBox(screen.BoundsOf([](COLORREF c) { return Near(c, kBlue); }, {0, 291, 1024, 568}),
            512 - 150, 300, 512 - 150 + 299, 399);
  EXPECT_EQ(screen.BoundsOf(IsGreen, {0, 401, 1024, 768}).top, 568);
}
