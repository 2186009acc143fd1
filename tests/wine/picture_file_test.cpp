// User picture files loaded and drawn in-process, compared pixel by pixel.
//
// The bitmap suite's reference renderings are PNG files; the build converts
// them to binary PPM in "bmpsuite-ppm" beside this program (or where
// ZARUMO_BMPSUITE_PPM points), since nothing here decodes PNG.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "common/expect_failure.h"
#include "common/icon_file.h"
#include "common/jpeg_writer.h"
#include "common/le_bytes_writer.h"
#include "common/metafile_writer.h"
#include "common/ppm.h"
#include "pictures/picture_file.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/screen.h"
#include "system/failure.h"
#include "system/handles.h"
#include "text/message_text.h"

using namespace zarumo;
using namespace test_common;

namespace {

constexpr COLORREF kMarker = RGB(0x12, 0x34, 0x56);

std::string Environment(const char* name, const std::string& otherwise) {
  char value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length && length < sizeof value ? std::string(value, length) : otherwise;
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

std::string SuiteDir() { return WithSlash(Environment("ZARUMO_BMPSUITE_DIR", "")); }

std::string ReferenceDir() {
  return WithSlash(Environment("ZARUMO_BMPSUITE_PPM", wt::DriverDir() + "bmpsuite-ppm"));
}

std::vector<std::string> FilesIn(const std::string& dir, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  OwnedFind find(FindFirstFileA((dir + pattern).c_str(), &data));
  if (!find.Valid()) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  return names;
}

// A surface to draw on, filled with one colour.
class Canvas : public wt::Surface {
 public:
  Canvas(int width, int height, COLORREF fill = kMarker) : Surface(width, height) {
    RECT all{0, 0, width, height};
    FillRect(Dc(), &all, OwnedBrush(CreateSolidBrush(fill)).Get());
  }
  // The picture drawn on the fill with its top-left corner at `at`.
  Canvas(int width, int height, Picture& picture, POINT at = {0, 0}) : Canvas(width, height) {
    picture.Draw(Dc(), at.x, at.y);
  }
  int CountOf(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) n += At(x, y) == colour;
    return n;
  }
};

int Distance(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The largest of `distance` over a `width` x `height` area.
template <typename Measure>
int Worst(int width, int height, Measure distance) {
  int worst = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) worst = std::max(worst, distance(x, y));
  return worst;
}

void ExpectSize(const Picture& picture, int width, int height) {
  EXPECT_EQ(picture.Width(), width);
  EXPECT_EQ(picture.Height(), height);
}

// How the picture at `at` on the canvas differs from the reference: the
// largest channel difference, or -1 when the sizes differ.
int DifferenceFrom(const Canvas& canvas, POINT at, const Picture& picture, const Ppm& reference) {
  if (picture.Width() != reference.width || picture.Height() != reference.height) return -1;
  return Worst(reference.width, reference.height, [&](int x, int y) {
    return Distance(canvas.At(at.x + x, at.y + y), reference.At(x, y));
  });
}

// Whether nothing but the marker lies outside the rectangle at `at`.
bool MarkerAround(const Canvas& canvas, POINT at, int width, int height) {
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const bool inside = x >= at.x && x < at.x + width && y >= at.y && y < at.y + height;
      if (!inside && canvas.At(x, y) != kMarker) return false;
    }
  return true;
}

// What became of a file: "picture WxH", or the failure's kind and message.
std::string Outcome(const std::string& path, std::unique_ptr<Picture>* kept = nullptr) {
  try {
    std::unique_ptr<Picture> picture = LoadPictureFile(path);
    Canvas canvas(64, 64, *picture);
    const std::string what =
        "picture " + std::to_string(picture->Width()) + "x" + std::to_string(picture->Height());
    if (kept) *kept = std::move(picture);
    return what;
  } catch (const Failure& failure) {
    return std::string(failure.Kind()) + ": " + failure.Message();
  }
}

// The suite's good files and the reference each should look like.
const std::map<std::string, std::string> kGoodReferences = {
    {"pal1.bmp", "pal1"},           {"pal1bg.bmp", "pal1bg"},
    {"pal1wb.bmp", "pal1"},         {"pal4.bmp", "pal4"},
    {"pal4gs.bmp", "pal4gs"},       {"pal4rle.bmp", "pal4"},
    {"pal8-0.bmp", "pal8"},         {"pal8.bmp", "pal8"},
    {"pal8gs.bmp", "pal8gs"},       {"pal8nonsquare.bmp", "pal8nonsquare-e"},
    {"pal8os2.bmp", "pal8"},        {"pal8rle.bmp", "pal8"},
    {"pal8topdown.bmp", "pal8"},    {"pal8v4.bmp", "pal8"},
    {"pal8v5.bmp", "pal8"},         {"pal8w124.bmp", "pal8w124"},
    {"pal8w125.bmp", "pal8w125"},   {"pal8w126.bmp", "pal8w126"},
    {"rgb16-565.bmp", "rgb16-565"}, {"rgb16-565pal.bmp", "rgb16-565"},
    {"rgb16.bmp", "rgb16"},         {"rgb16bfdef.bmp", "rgb16"},
    {"rgb24.bmp", "rgb24"},         {"rgb24pal.bmp", "rgb24"},
    {"rgb32.bmp", "rgb24"},         {"rgb32bf.bmp", "rgb24"},
    {"rgb32bfdef.bmp", "rgb24"},
};

// Pictures loaded from files written for the test.
class PictureFiles : public ::testing::Test {
 protected:
  std::unique_ptr<Picture> Load(const std::string& name, const Bytes& bytes) const {
    return LoadPictureFile(scratch.WriteBytes(name, bytes));
  }
  wt::TempDir scratch;
};

// Prints what became of a suite file and holds it to its outcome where that is certain.
void Report(const std::string& file, const std::string& outcome,
            const std::map<std::string, std::string>& certain) {
  std::cout << "  " << file << ": " << outcome << "\n";
  const auto expected = certain.find(file.substr(2));
  if (expected != certain.end()) {
    EXPECT_EQ(outcome, expected->second) << file;
  }
}

const char kInvalidBitmap[] = "InvalidPicture: ビットマップイメージが不正です";

bool ReferencesPresent() {
  if (GetFileAttributesA((ReferenceDir() + "pal1.ppm").c_str()) != INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  ADD_FAILURE() << "no reference renderings in " << ReferenceDir()
                << ": the build converts bmpsuite/reference/*.png there";
  return false;
}

TEST_F(PictureFiles, GoodSuiteBitmapsDrawLikeTheirReferences) {
  if (!ReferencesPresent()) return;
  const std::vector<std::string> names = FilesIn(SuiteDir() + "g\\", "*.bmp");
  EXPECT_EQ(names.size(), kGoodReferences.size());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const auto reference = kGoodReferences.find(name);
    ASSERT_NE(reference, kGoodReferences.end()) << "no reference named for it";
    Ppm ppm;
    ASSERT_TRUE(ReadPpm(ReferenceDir() + reference->second + ".ppm", ppm));
    std::unique_ptr<Picture> picture = LoadPictureFile(SuiteDir() + "g\\" + name);
    ASSERT_EQ(picture->Width(), ppm.width);
    ASSERT_EQ(picture->Height(), ppm.height);
    // Drawn at its own size with its top-left corner at the point.
    const POINT at{3, 2};
    Canvas canvas(ppm.width + 6, ppm.height + 4, *picture, at);
    // Five or six bits per channel widen to eight by rules that differ by one.
    const int allowed = name.compare(0, 5, "rgb16") == 0 ? 1 : 0;
    EXPECT_LE(DifferenceFrom(canvas, at, *picture, ppm), allowed);
    EXPECT_TRUE(MarkerAround(canvas, at, ppm.width, ppm.height));
  }
}

TEST_F(PictureFiles, DrawingIsClippedByTheTarget) {
  if (!ReferencesPresent()) return;
  Ppm ppm;
  ASSERT_TRUE(ReadPpm(ReferenceDir() + "rgb24.ppm", ppm));
  std::unique_ptr<Picture> picture = LoadPictureFile(SuiteDir() + "g\\rgb24.bmp");
  Canvas canvas(50, 30, *picture, {-100, -20});
  EXPECT_EQ(Worst(std::min(canvas.Width(), ppm.width - 100), canvas.Height(),
                  [&](int x, int y) { return Distance(canvas.At(x, y), ppm.At(x + 100, y + 20)); }),
            0);
  EXPECT_EQ(canvas.At(40, 10), kMarker);  // right of the picture's last column
}

// Files the suite calls bad: some outcomes are certain, all end in a picture or a failure.
TEST_F(PictureFiles, BadSuiteBitmapsEndInAPictureOrAFailure) {
  const std::map<std::string, std::string> expected = {
      {"badbitcount.bmp", kInvalidBitmap},
      {"badplanes.bmp", kInvalidBitmap},
      {"badwidth.bmp", kInvalidBitmap},
      {"reallybig.bmp", kInvalidBitmap},
      {"rletopdown.bmp", kInvalidBitmap},
      {"badpalettesize.bmp", "ReadFailure: ストリームからの読み込みエラー"},
      {"shortfile.bmp", "picture 127x64"},
      {"badfilesize.bmp", "picture 127x64"}};
  const std::vector<std::string> names = FilesIn(SuiteDir() + "b\\", "*.bmp");
  EXPECT_GE(names.size(), 15u);
  for (const std::string& name : names)
    Report("b/" + name, Outcome(SuiteDir() + "b\\" + name), expected);
}

// Files the suite calls questionable: what each gives is reported; those a
// reader of this kind ought to show are held to their reference.
TEST_F(PictureFiles, QuestionableSuiteBitmapsEndInAPictureOrAFailure) {
  if (!ReferencesPresent()) return;
  const std::map<std::string, std::string> likeness = {
      {"pal8offs.bmp", "pal8"},           {"pal8oversizepal.bmp", "pal8"},
      {"pal8os2sp.bmp", "pal8"},          {"pal8os2-hs.bmp", "pal8"},
      {"pal8os2-sz.bmp", "pal8"},         {"pal8os2v2.bmp", "pal8"},
      {"pal8os2v2-sz.bmp", "pal8"},       {"pal8os2v2-40sz.bmp", "pal8"},
      {"rgb24largepal.bmp", "rgb24"},     {"rgb24prof.bmp", "rgb24"},
      {"rgb24lprof.bmp", "rgb24"},        {"rgb32h52.bmp", "rgb24"},
      {"rgb32-xbgr.bmp", "rgb24"},        {"rgb32fakealpha.bmp", "rgb24"},
      {"pal4rlecut.bmp", "pal4rlecut-0"}, {"pal8rlecut.bmp", "pal8rlecut-0"},
  };

  const std::map<std::string, std::string> expected = {
      {"pal8offs.bmp", "picture 127x64, like pal8 within 0"},
      {"pal8oversizepal.bmp", "picture 127x64, like pal8 within 0"},
      {"pal8os2sp.bmp", "picture 127x64, like pal8 within 0"},
      {"rgb24largepal.bmp", "picture 127x64, like rgb24 within 0"},
      {"pal8os2v2-16.bmp", kInvalidBitmap},
      {"rgb24jpeg.bmp", kInvalidBitmap},
      {"rgb24png.bmp", kInvalidBitmap},
      {"rgba64.bmp", kInvalidBitmap}};
  const std::vector<std::string> names = FilesIn(SuiteDir() + "q\\", "*.bmp");
  EXPECT_GE(names.size(), 30u);
  for (const std::string& name : names) {
    std::unique_ptr<Picture> picture;
    std::string outcome = Outcome(SuiteDir() + "q\\" + name, &picture);
    const auto like = likeness.find(name);
    std::string reference = like != likeness.end() ? like->second : name.substr(0, name.size() - 4);
    Ppm ppm;
    if (picture && ReadPpm(ReferenceDir() + reference + ".ppm", ppm)) {
      Canvas canvas(ppm.width, ppm.height, *picture);
      const int difference = DifferenceFrom(canvas, {0, 0}, *picture, ppm);
      outcome += ", like " + reference +
                 (difference < 0 ? std::string(" in nothing but name")
                                 : " within " + std::to_string(difference));
    }
    Report("q/" + name, outcome, expected);
  }
}

TEST_F(PictureFiles, EmptyBitmapFileIsAnEmptyPicture) {
  std::unique_ptr<Picture> picture = Load("empty.bmp", {});
  ExpectSize(*picture, 0, 0);
  EXPECT_EQ(Canvas(8, 8, *picture).CountOf(kMarker), 64);
}

TEST_F(PictureFiles, CutShortHeaderIsAReadFailureNotAnInvalidPicture) {
  const std::string path = scratch.WriteBytes(
      "short.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 4, 0});
  ExpectFailure<ReadFailure>([&] { LoadPictureFile(path); }, "ストリームからの読み込みエラー");
}

TEST_F(PictureFiles, UnregisteredExtensionIsNotEvenOpened) {
  // The file does not exist: opening it would have been an OpenFailure.
  ExpectFailure<InvalidPicture>([] { LoadPictureFile("Z:\\no\\such\\dir\\photo.TiF"); },
                                "拡張子 .TiF の画像形式は処理できません");
}

TEST_F(PictureFiles, FileThatOthersMayWriteCannotBeOpened) {
  const std::string path = scratch.WriteBytes("busy.bmp", {});
  {
    OwnedFile writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.Valid());
    ExpectFailure<OpenFailure>([&] { LoadPictureFile(path); },
                               Format("ファイル %s は開けません", path.c_str()));
  }
  {
    OwnedFile reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader.Valid());
    EXPECT_EQ(LoadPictureFile(path)->Width(), 0);  // other readers are welcome
  }
}

// --- JPEG ---------------------------------------------------------------

constexpr int kJpegWidth = 48, kJpegHeight = 32;

COLORREF JpegSource(int x, int y) { return RGB(x * 5, y * 7, 200 - x * 2); }
int JpegGreySource(int x, int y) { return (x * 4 + y * 3) & 0xFF; }

JpegOptions Options(bool greyscale, bool progressive) {
  JpegOptions options;
  options.greyscale = greyscale;
  options.progressive = progressive;
  return options;
}

Bytes CompressJpeg(bool grey, bool progressive) {
  return WriteJpeg(kJpegWidth, kJpegHeight, Options(grey, progressive),
                   [grey](int x, int y, std::uint8_t* s) {
                     if (grey) s[0] = static_cast<std::uint8_t>(JpegGreySource(x, y));
                     if (!grey) wt::PutRgb(JpegSource(x, y), s);
                   });
}

std::string JpegError(int code) { return Format("JPEG エラー #%d", code); }

TEST_F(PictureFiles, JpegsDecodeAtTheirFirstDrawing) {
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    // Capitals in the extension: still a JPEG.
    std::unique_ptr<Picture> picture = Load("photo.JPG", CompressJpeg(false, progressive));
    ExpectSize(*picture, kJpegWidth, kJpegHeight);
    Canvas canvas(kJpegWidth + 4, kJpegHeight + 4, *picture, {2, 2});
    EXPECT_LE(
        Worst(kJpegWidth, kJpegHeight,
              [&](int x, int y) { return Distance(canvas.At(x + 2, y + 2), JpegSource(x, y)); }),
        12);
    EXPECT_TRUE(MarkerAround(canvas, {2, 2}, kJpegWidth, kJpegHeight));
  }
}

TEST_F(PictureFiles, GreyscaleJpegDrawsInGreys) {
  std::unique_ptr<Picture> picture = Load("grey.jpeg", CompressJpeg(true, false));
  Canvas canvas(kJpegWidth, kJpegHeight, *picture);
  int worst = 0;
  for (int y = 0; y < kJpegHeight; ++y)
    for (int x = 0; x < kJpegWidth; ++x) {
      const COLORREF c = canvas.At(x, y);
      ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x << "," << y;
      worst = std::max(worst, std::abs(GetRValue(c) - JpegGreySource(x, y)));
    }
  EXPECT_LE(worst, 16);
}

TEST_F(PictureFiles, CorruptJpegFailsAtLoad) {
  ExpectFailure<InvalidPicture>(
      [&] {
        Load("corrupt.jpg", {'G', 'I', 'F', '8', '9', 'a', 0, 0});
      },
      JpegError(JERR_NO_SOI));
}

TEST_F(PictureFiles, JpegWithBrokenDataFailsOnceAtItsFirstDrawing) {
  Bytes file = CompressJpeg(false, false);
  // The first Huffman table gets three one-bit codes: the header still reads.
  std::size_t table = 2;
  while (table + 4 < file.size() && file[table + 1] != 0xC4)
    table += 2 + (file[table + 2] << 8 | file[table + 3]);
  ASSERT_EQ(file[table + 1], 0xC4);
  file[table + 5] = 3;
  file[table + 7] = static_cast<std::uint8_t>(file[table + 7] - 3);
  std::unique_ptr<Picture> picture = Load("broken.jpg", file);
  ExpectSize(*picture, kJpegWidth, kJpegHeight);
  Canvas canvas(kJpegWidth, kJpegHeight);
  ExpectFailure<InvalidPicture>([&] { picture->Draw(canvas.Dc(), 0, 0); },
                                JpegError(JERR_BAD_HUFF_TABLE));
  EXPECT_NO_THROW(picture->Draw(canvas.Dc(), 0, 0));
  EXPECT_EQ(canvas.CountOf(kMarker), kJpegWidth * kJpegHeight);
}

// An odd-sized photo-like picture with detail in every channel, so that any
// difference at the edges of a decoded part shows.
Bytes DetailedJpeg(int width, int height, JpegOptions options) {
  options.quality = 80;
  return WriteJpeg(width, height, options, [&](int x, int y, std::uint8_t* s) {
    const unsigned h =
        (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u) % 61u;
    s[0] = static_cast<std::uint8_t>(options.greyscale ? (x + y + h) % 256 : 30 + x / 2 + h);
    if (!options.greyscale) {
      s[1] = static_cast<std::uint8_t>(220 - y + h / 2);
      s[2] = static_cast<std::uint8_t>((x * y / 97 + h * 2) % 256);
    }
  });
}

// Where `canvas`, onto which the picture was drawn at `at`, differs from the
// whole drawing `whole`; "" when it does nowhere within the picture and `area`.
std::string DifferenceWithin(const Canvas& canvas, POINT at, const Canvas& whole,
                             RECT area = {0, 0, 1 << 16, 1 << 16}) {
  for (int y = std::max<int>(0, area.top); y < std::min<int>(canvas.Height(), area.bottom); ++y)
    for (int x = std::max<int>(0, area.left); x < std::min<int>(canvas.Width(), area.right); ++x) {
      const int px = x - at.x, py = y - at.y;
      if (px < 0 || py < 0 || px >= whole.Width() || py >= whole.Height()) continue;
      if (canvas.At(x, y) != whole.At(px, py)) {
        return "picture pixel " + std::to_string(px) + "," + std::to_string(py);
      }
    }
  return "";
}

TEST_F(PictureFiles, JpegPartsDrawTheirPixelsOfAWholeDrawing) {
  const int width = 203, height = 157;
  for (const JpegOptions& options :
       {Options(false, false), Options(false, true), Options(true, false)}) {
    SCOPED_TRACE(options.greyscale     ? "greyscale"
                 : options.progressive ? "progressive"
                                       : "baseline");
    const std::string path = scratch.WriteBytes("detail.jpg", DetailedJpeg(width, height, options));
    // What a target of the picture's own size gets: all of it.
    Canvas whole(width, height, *LoadPictureFile(path));

    std::unique_ptr<Picture> picture = LoadPictureFile(path);
    // Its left edge on a chroma block's, its right edge between two samples.
    Canvas small(63, 48, *picture, {-48, -21});
    EXPECT_EQ(DifferenceWithin(small, {-48, -21}, whole), "");
    // A later drawing that reaches further gets the rest; clipping counts too.
    Canvas larger(width + 10, height + 10);
    IntersectClipRect(larger.Dc(), 0, 0, 120, 90);
    picture->Draw(larger.Dc(), 5, 3);
    EXPECT_EQ(DifferenceWithin(larger, {5, 3}, whole, {0, 0, 120, 90}), "");
    EXPECT_EQ(larger.At(130, 100), kMarker);
    SelectClipRgn(larger.Dc(), nullptr);
    picture->Draw(larger.Dc(), 5, 3);
    EXPECT_EQ(DifferenceWithin(larger, {5, 3}, whole), "");
    EXPECT_TRUE(MarkerAround(larger, {5, 3}, width, height));
  }
}

// The file with a second frame header put `fraction` of the way into its last scan.
Bytes WithFrameInLastScan(Bytes file, double fraction) {
  std::size_t scan = 0;
  for (std::size_t i = 0; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) scan = i;
  const std::size_t data = scan + 2 + (file[scan + 2] << 8 | file[scan + 3]);
  const std::size_t at = data + static_cast<std::size_t>((file.size() - 2 - data) * fraction);
  const Bytes frame = {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x10,
                       0x00, 0x10, 0x01, 0x01, 0x11, 0x00};
  file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), frame.begin(), frame.end());
  return file;
}

TEST_F(PictureFiles, JpegDamagedBelowWhatIsShownShowsItsTop) {
  const int width = 64, height = 600;
  const Bytes sound = DetailedJpeg(width, height, {});
  Canvas whole(width, height, *Load("sound.jpg", sound));

  std::unique_ptr<Picture> picture = Load("damaged.jpg", WithFrameInLastScan(sound, 0.75));
  Canvas top(width, 100, *picture);
  EXPECT_EQ(DifferenceWithin(top, {0, 0}, whole), "");
  // A drawing that reaches the damage keeps what was shown, without a failure.
  Canvas all(width, height);
  EXPECT_NO_THROW(picture->Draw(all.Dc(), 0, 0));
  EXPECT_EQ(all.At(10, 50), whole.At(10, 50));
  EXPECT_EQ(all.At(10, 100), kMarker);
  EXPECT_EQ(all.At(10, 550), kMarker);

  // Damage to a file of several scans is read before anything is shown.
  picture = Load("scans.jpg",
                 WithFrameInLastScan(DetailedJpeg(width, height, Options(false, true)), 0.75));
  ExpectFailure<InvalidPicture>([&] { picture->Draw(top.Dc(), 0, 0); },
                                JpegError(JERR_SOF_DUPLICATE));
}

TEST_F(PictureFiles, JpegsDrawReducedAsFarAsTheyStillCover) {
  std::unique_ptr<Picture> picture = LoadPictureFile(
      scratch.WriteBytes("big.jpg", WriteJpeg(400, 320, {}, [](int x, int, std::uint8_t* s) {
                           wt::PutRgb(x < 200 ? RGB(255, 0, 0) : RGB(0, 0, 255), s);
                         })));
  EXPECT_EQ(picture->ReducedSize(50, 40).cx, 50);
  EXPECT_EQ(picture->ReducedSize(51, 40).cx, 100);
  EXPECT_EQ(picture->ReducedSize(401, 40).cx, 400);  // no scale covers: full size
  Canvas canvas(60, 50);
  picture->DrawReduced(canvas.Dc(), 2, 3, 50, 40);
  EXPECT_LE(Distance(canvas.At(2 + 10, 3 + 20), RGB(255, 0, 0)), 12);
  EXPECT_LE(Distance(canvas.At(2 + 40, 3 + 20), RGB(0, 0, 255)), 12);
  EXPECT_TRUE(MarkerAround(canvas, {2, 3}, 50, 40));
  // Other kinds draw at their own size.
  const std::string bmp = wt::MakeBmp(400, 320, [](int, int) { return RGB(0, 0, 0); });
  std::unique_ptr<Picture> bitmap = Load("big.bmp", Bytes(bmp.begin(), bmp.end()));
  EXPECT_EQ(bitmap->ReducedSize(50, 40).cx, 400);
}

// --- Icons --------------------------------------------------------------

// An opaque square of one colour, in 8 or 32 bits per pixel.
Bytes IconImage(int side, int bitCount, COLORREF colour) {
  Bytes b = IconImageHeader(side, bitCount);
  const std::uint32_t pixel = GetBValue(colour) | GetGValue(colour) << 8 | GetRValue(colour) << 16;
  if (bitCount == 8) {
    Put32(b, pixel);
    for (int i = 1; i < 256; ++i) Put32(b, 0);
    b.resize(b.size() + static_cast<std::size_t>(side) * side, 0);  // all index 0
  } else {
    for (int i = 0; i < side * side; ++i) Put32(b, pixel | 0xFF000000u);
  }
  b.resize(b.size() + static_cast<std::size_t>((side + 31) / 32 * 4) * side, 0);  // mask: opaque
  return b;
}

TEST_F(PictureFiles, IconDrawsItsBestFittingImageAtItsOwnSize) {
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  ASSERT_EQ(cx, 32);
  const std::string path = scratch.WriteBytes(
      "three.ico", IconFile({IconImage(16, 8, RGB(255, 0, 0)), IconImage(32, 32, RGB(0, 0, 255)),
                             IconImage(48, 8, RGB(0, 255, 0))}));
  std::unique_ptr<Picture> picture = LoadPictureFile(path);
  ExpectSize(*picture, cx, cy);
  Canvas canvas(64, 64, *picture, {4, 6});
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255)), 32 * 32);
  EXPECT_EQ(canvas.At(4, 6), RGB(0, 0, 255));
  EXPECT_TRUE(MarkerAround(canvas, {4, 6}, 32, 32));

  // A lone small image keeps its own size; the recorded size is still the system's.
  picture = LoadPictureFile(
      scratch.WriteBytes("small.ico", IconFile({IconImage(16, 8, RGB(255, 0, 0))})));
  EXPECT_EQ(picture->Width(), cx);
  Canvas small(64, 64, *picture);
  EXPECT_EQ(small.CountOf(RGB(255, 0, 0)), 16 * 16);
  EXPECT_TRUE(MarkerAround(small, {0, 0}, 16, 16));

  // Opaque 32-bit colours without a mask, as web icon generators write them.
  Bytes maskless = IconImage(32, 32, RGB(0, 0, 255));
  maskless.resize(maskless.size() - 4 * 32);
  EXPECT_EQ(Canvas(64, 64, *Load("maskless.ico", IconFile({maskless}))).CountOf(RGB(0, 0, 255)),
            32 * 32);
}

TEST_F(PictureFiles, RejectedIconIsAnInvalidPicture) {
  for (const Bytes& file :
       {IconFile({IconImage(32, 32, 0)}, 2), Bytes{0, 0, 1, 0, 1}, IconFile({Bytes(40, 0)})}) {
    ExpectFailure<InvalidPicture>([&] { Load("bad.ico", file); }, "アイコンイメージが不正です");
  }
}

// --- Metafiles ----------------------------------------------------------

// Red everywhere, blue in the top-left quarter, in units of `w` x `h`.
void PaintQuarters(HDC dc, int w, int h) {
  RECT all{0, 0, w, h};
  RECT quarter{0, 0, w / 2, h / 2};
  FillRect(dc, &all, OwnedBrush(CreateSolidBrush(RGB(255, 0, 0))).Get());
  FillRect(dc, &quarter, OwnedBrush(CreateSolidBrush(RGB(0, 0, 255))).Get());
}

// Expects the quarters painted into the `w` x `h` pixels at (x, y).
void ExpectQuarters(const Canvas& canvas, int x, int y, int w, int h) {
  EXPECT_EQ(canvas.At(x + w / 4, y + h / 4), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(x + w * 3 / 4, y + h / 4), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(x + w * 3 / 4, y + h * 3 / 4), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(x + w / 4, y + h * 3 / 4), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(x - 1, y + h / 2), kMarker);
  EXPECT_EQ(canvas.At(x + w + 1, y + h / 2), kMarker);
  EXPECT_EQ(canvas.At(x + w / 2, y + h + 1), kMarker);
}

TEST_F(PictureFiles, EnhancedMetafileIsShownAtItsFrame) {
  const std::string path = scratch / "frame.emf";
  {
    const RECT frame{0, 0, 2540, 1270};  // 1 x 0.5 inch: 96 x 48 pixels at 96 per inch
    HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
    ASSERT_NE(dc, nullptr);
    PaintQuarters(dc, 96, 48);
    OwnedEnhMetafile done(CloseEnhMetaFile(dc));
  }
  std::unique_ptr<Picture> picture = LoadPictureFile(path);
  ExpectSize(*picture, 96, 48);
  Canvas canvas(120, 70, *picture, {10, 12});
  ExpectQuarters(canvas, 10, 12, 96, 48);
}

// The bytes of a recorded Windows metafile, which is deleted.
Bytes BitsOf(HMETAFILE metafile) {
  Bytes bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteMetaFile(metafile);
  return bytes;
}

// A Windows metafile that sets its own window to 200 x 100 units.
Bytes WindowsMetafile() {
  HDC dc = CreateMetaFileA(nullptr);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 200, 100, nullptr);
  PaintQuarters(dc, 200, 100);
  return BitsOf(CloseMetaFile(dc));
}

TEST_F(PictureFiles, WindowsMetafileIsShownAtItsPlaceableBoxOrWindowOrWhatItDraws) {
  const Bytes records = WindowsMetafile();
  ASSERT_GT(records.size(), 18u);

  // 200 x 100 units at 192 per inch: 100 x 50 pixels at 96 per inch.
  Bytes placeable = PlaceableHeader(0, 0, 200, 100, 192, true);
  placeable.insert(placeable.end(), records.begin(), records.end());

  std::unique_ptr<Picture> picture = Load("boxed.wmf", placeable);
  ExpectSize(*picture, 100, 50);
  Canvas canvas(130, 80, *picture, {5, 8});
  ExpectQuarters(canvas, 5, 8, 100, 50);

  picture = Load("plain.wmf", records);
  ExpectSize(*picture, 200, 100);
  Canvas plain(220, 120, *picture, {3, 4});
  ExpectQuarters(plain, 3, 4, 200, 100);

  // Neither: the size of what it draws, in pixels.
  HDC dc = CreateMetaFileA(nullptr);
  const RECT all{50, 30, 150, 90};
  const RECT quarter{50, 30, 100, 60};
  FillRect(dc, &all, OwnedBrush(CreateSolidBrush(RGB(255, 0, 0))).Get());
  FillRect(dc, &quarter, OwnedBrush(CreateSolidBrush(RGB(0, 0, 255))).Get());
  picture = Load("unsized.wmf", BitsOf(CloseMetaFile(dc)));
  ExpectSize(*picture, 100, 60);
  ExpectQuarters(Canvas(120, 80, *picture, {5, 6}), 5, 6, 100, 60);
}

TEST_F(PictureFiles, RejectedMetafileIsAnInvalidPicture) {
  Bytes cut = WindowsMetafile();
  cut.resize(cut.size() - 6);  // no end record
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"cut.wmf", cut}, {"text.emf", Bytes(100, 'x')}, {"empty.wmf", {}}};
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    ExpectFailure<InvalidPicture>([&] { Load(name, bytes); }, "メタファイルが不正です");
  }
}

// Windows metafiles that other programs wrote (drawings, formulas, clip art,
// text), kept byte for byte beside the clone: each is a picture that draws.
TEST_F(PictureFiles, RealWorldWindowsMetafilesDraw) {
  const std::string dir = WithSlash(Environment("ZARUMO_TESTDATA_DIR", "")) + "realworld-wmf\\";
  const std::vector<std::string> names = FilesIn(dir, "*.wmf");
  EXPECT_EQ(names.size(), 17u) << "the samples belong in " << dir;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::unique_ptr<Picture> picture;
    std::cout << "  " << name << ": " << Outcome(dir + name, &picture) << "\n";
    EXPECT_TRUE(picture);
    if (!picture) continue;
    Canvas canvas(std::min(picture->Width(), 800), std::min(picture->Height(), 800), *picture);
    EXPECT_LT(canvas.CountOf(kMarker), canvas.Width() * canvas.Height());
  }
}

// Every record kind whose fields count or place data that the system writes:
// the same calls into an enhanced and a Windows metafile. (Wine corrupts its
// heap recording a palette bitmap, hence 24 bits.)
void DrawEveryCountedKind(HDC dc) {
  WindowDc screen(nullptr);
  OwnedDc source(CreateCompatibleDC(screen.Get()));
  OwnedBitmap picture(CreateCompatibleBitmap(screen.Get(), 16, 16));
  OwnedBitmap mono(CreateBitmap(8, 8, 1, 1, nullptr));
  Selection chosen(source.Get(), picture.Get());
  const MetafileBitmap dib = RecordBitmap(5, 3, 24);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.info.data());
  const HDC from = source.Get();
  BitBlt(dc, 0, 0, 16, 16, from, 0, 0, SRCCOPY);
  StretchBlt(dc, 20, 0, 32, 32, from, 0, 0, 16, 16, SRCCOPY);
  MaskBlt(dc, 0, 40, 16, 16, from, 0, 0, mono.Get(), 0, 0, MAKEROP4(SRCCOPY, SRCAND));
  const POINT corners[3] = {{60, 0}, {76, 4}, {56, 16}};
  PlgBlt(dc, corners, from, 0, 0, 16, 16, nullptr, 0, 0);
  SetDIBitsToDevice(dc, 80, 0, 5, 3, 0, 0, 0, 3, dib.bits.data(), info, DIB_RGB_COLORS);
  StretchDIBits(dc, 90, 0, 10, 6, 0, 0, 5, 3, dib.bits.data(), info, DIB_RGB_COLORS, SRCCOPY);
  GdiAlphaBlend(dc, 0, 60, 16, 16, from, 0, 0, 16, 16, {AC_SRC_OVER, 0, 128, 0});
  GdiTransparentBlt(dc, 20, 60, 16, 16, from, 0, 0, 16, 16, RGB(255, 0, 0));
  Bytes packed = dib.info;
  packed.insert(packed.end(), dib.bits.begin(), dib.bits.end());
  for (HBRUSH made : {CreatePatternBrush(mono.Get()), CreateDIBPatternBrushPt(packed.data(), 0)}) {
    OwnedBrush brush(made);
    Selection selected(dc, brush.Get());
    PatBlt(dc, 40, 60, 10, 10, PATCOPY);
  }
  const int spacing[3] = {4, 5, 6};
  ExtTextOutW(dc, 0, 90, 0, nullptr, L"abc", 3, spacing);
  // Points beyond 16 bits take the 32-bit records.
  for (LONG reach : {100L, 70000L}) {
    const POINT p[7] = {{0, 0}, {reach, 10}, {20, reach}, {5, 5}, {30, 0}, {reach, reach}, {0, 30}};
    const BYTE drawn[4] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO};
    const INT counts[2] = {3, 4};
    const DWORD lineCounts[2] = {3, 4};
    Polygon(dc, p, 3);
    Polyline(dc, p, 3);
    PolyBezier(dc, p, 4);
    PolyBezierTo(dc, p, 3);
    PolylineTo(dc, p, 3);
    PolyPolygon(dc, p, counts, 2);
    PolyPolyline(dc, p, lineCounts, 2);
    PolyDraw(dc, p, drawn, 4);
  }
  LOGPALETTE table{0x300, 1, {{1, 2, 3, 0}}};
  OwnedPalette palette(CreatePalette(&table));
  SelectPalette(dc, palette.Get(), FALSE);
  OwnedRegion region(CreateEllipticRgn(30, 20, 90, 70));
  OwnedBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRgn(dc, region.Get(), blue.Get());
  FrameRgn(dc, region.Get(), blue.Get(), 2, 3);
  InvertRgn(dc, region.Get());
  PaintRgn(dc, region.Get());
  ExtSelectClipRgn(dc, region.Get(), RGN_AND);
  SelectClipRgn(dc, nullptr);
  SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
}

// The kinds of the records from `at`, with lengths in `unit` bytes.
std::set<unsigned> KindsOf(const Bytes& b, std::size_t at, std::size_t unit, bool enhanced) {
  std::set<unsigned> kinds;
  for (; at + 8 <= b.size() && Get32(b, at + (enhanced ? 4 : 0)) >= 3;
       at += Get32(b, at + (enhanced ? 4 : 0)) * unit)
    kinds.insert(enhanced ? Get32(b, at) : b[at + 4] | b[at + 5] << 8);
  return kinds;
}

TEST_F(PictureFiles, MetafilesTheSystemWritesWithEveryCountedRecordPass) {
  const RECT frame{0, 0, 5292, 5292};
  HDC enhanced = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  ASSERT_NE(enhanced, nullptr);
  DrawEveryCountedKind(enhanced);
  OwnedEnhMetafile written(CloseEnhMetaFile(enhanced));
  Bytes emf(GetEnhMetaFileBits(written.Get(), 0, nullptr));
  GetEnhMetaFileBits(written.Get(), static_cast<UINT>(emf.size()), emf.data());
  const std::set<unsigned> emfKinds = KindsOf(emf, 0, 1, true);
  // Bitmaps, text, points of both sizes, palette, regions.
  for (unsigned kind : {76, 77, 78, 79, 80, 81, 93, 94, 114, 116, 84, 2,  3,  4,  5,  6, 7,
                        8,  56, 85, 86, 87, 88, 89, 90, 91,  92,  49, 71, 72, 73, 74, 75})
    EXPECT_TRUE(emfKinds.count(kind)) << "no record " << kind;
  EXPECT_NO_THROW(Load("written.emf", emf));

  HDC windows = CreateMetaFileA(nullptr);
  SetWindowExtEx(windows, 200, 200, nullptr);
  DrawEveryCountedKind(windows);
  const Bytes bytes = BitsOf(CloseMetaFile(windows));
  const std::set<unsigned> wmfKinds = KindsOf(bytes, 18, 2, false);
  for (unsigned kind : {META_DIBBITBLT, META_DIBSTRETCHBLT, META_SETDIBTODEV, META_STRETCHDIB,
                        META_DIBCREATEPATTERNBRUSH, META_EXTTEXTOUT, META_POLYGON, META_POLYLINE,
                        META_POLYPOLYGON, META_CREATEPALETTE, META_CREATEREGION})
    EXPECT_TRUE(wmfKinds.count(kind)) << "no record " << std::hex << kind;
  EXPECT_NO_THROW(Load("written.wmf", bytes));
}

}  // namespace
