// JPEG through libjpeg: header at load, full decode later, library errors as failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "common/jpeg_writer.h"
#include "pictures/jpeg_decoder.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;

constexpr int kWidth = 40;
constexpr int kHeight = 24;

int SourceChannel(int x, int y, int channel) {  // red, green, blue
  return channel == 0 ? x * 6 : channel == 1 ? y * 10 : 128;
}
int SourceGrey(int x, int y) { return (x * 5 + y * 2) % 256; }

test_common::JpegOptions Options(bool grey, bool progressive) {
  test_common::JpegOptions options;
  options.greyscale = grey;
  options.progressive = progressive;
  return options;
}

Bytes Compress(bool grey, bool progressive) {
  const test_common::JpegOptions options = Options(grey, progressive);
  return test_common::WriteJpeg(kWidth, kHeight, options, [grey](int x, int y, std::uint8_t* s) {
    if (grey) {
      s[0] = static_cast<std::uint8_t>(SourceGrey(x, y));
    } else {
      for (int c = 0; c < 3; ++c) s[c] = static_cast<std::uint8_t>(SourceChannel(x, y, c));
    }
  });
}

// Offset of the first marker segment `code` before the first scan, or npos.
std::size_t FindSegment(const Bytes& b, std::uint8_t code) {
  std::size_t pos = 2;
  while (pos + 4 <= b.size() && b[pos] == 0xFF) {
    if (b[pos + 1] == code) return pos;
    if (b[pos + 1] == 0xDA) break;
    pos += 2 + (b[pos + 2] << 8 | b[pos + 3]);
  }
  return std::string::npos;
}

// Offsets of every start-of-scan marker.
std::vector<std::size_t> Scans(const Bytes& b) {
  std::vector<std::size_t> scans;
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xDA) scans.push_back(i);
  }
  return scans;
}

// A bottom-up buffer, as a device-independent bitmap keeps its rows.
struct Decoded {
  JpegHeader header;
  Rect part;
  Bytes pixels;
  std::ptrdiff_t stride = 0;
  JpegGreys greys;

  // Of the part's own pixel (x, y).
  int At(int x, int y, int byte) const {
    return pixels[(part.height - 1 - y) * stride + x * (header.greyscale ? 1 : 3) + byte];
  }
};

// `part` of the picture decoded at `eighths`/8; the whole of it when empty.
Decoded DecodePart(const Bytes& file, Rect part, int eighths = kJpegFullScale) {
  Decoded d;
  d.header = ReadJpegHeader(file.data(), file.size());
  d.part = part.Empty() ? ScaledJpeg(d.header, eighths) : part;
  d.stride = (d.part.width * (d.header.greyscale ? 1 : 3) + 3) / 4 * 4;
  d.pixels.assign(d.stride * d.part.height, 0);
  JpegTarget target;
  target.header = d.header;
  target.eighths = eighths;
  target.part = d.part;
  target.topRow = d.pixels.data() + (d.part.height - 1) * d.stride;
  target.rowStep = -d.stride;
  DecodeJpeg(file.data(), file.size(), target, d.greys);
  return d;
}

Decoded Decode(const Bytes& file) { return DecodePart(file, {}); }

// The message `part` fails with, or "(decoded)".
std::string FailureOf(const Bytes& file, Rect part = {}) {
  try {
    DecodePart(file, part);
  } catch (const InvalidPicture& failure) {
    return failure.Message();
  }
  return "(decoded)";
}

std::string Code(int code) { return "JPEG エラー #" + std::to_string(code); }

// Largest difference from the source in any channel.
int ColourError(const Decoded& d) {
  int worst = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c) {
        worst = std::max(worst, std::abs(d.At(x, y, 2 - c) - SourceChannel(x, y, c)));
      }
    }
  }
  return worst;
}

TEST(JpegDecoder, ColourPicturesDecodeToBlueGreenRed) {
  for (bool progressive : {false, true}) {
    const Decoded d = Decode(Compress(false, progressive));
    EXPECT_EQ(d.header.width, kWidth);
    EXPECT_EQ(d.header.height, kHeight);
    EXPECT_FALSE(d.header.greyscale);
    EXPECT_LE(ColourError(d), 12) << "progressive " << progressive;
  }
}

TEST(JpegDecoder, GreyscaleIsQuantizedByTheLibrary) {
  const Decoded d = Decode(Compress(true, false));
  ASSERT_TRUE(d.header.greyscale);
  EXPECT_GT(d.greys.count, 100);
  EXPECT_LE(d.greys.count, 236);
  int worst = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int index = d.At(x, y, 0);
      ASSERT_LT(index, d.greys.count);
      worst = std::max(worst, std::abs(d.greys.level[index] - SourceGrey(x, y)));
    }
  }
  EXPECT_LE(worst, 16);
}

TEST(JpegDecoder, LibraryErrorsAtTheHeaderCarryTheMessageCode) {
  EXPECT_EQ(FailureOf({}), Code(JERR_INPUT_EMPTY));
  EXPECT_EQ(FailureOf({'B', 'M', 0, 0}), Code(JERR_NO_SOI));
  const Bytes good = Compress(false, false);
  // The header ends before the first scan: the library's end-of-input stands in.
  EXPECT_EQ(FailureOf(Bytes(good.begin(), good.begin() + FindSegment(good, 0xC0))),
            Code(JERR_NO_IMAGE));
}

TEST(JpegDecoder, BrokenDataFailsOnlyAtTheDecode) {
  Bytes file = Compress(false, false);
  const std::size_t table = FindSegment(file, 0xC4);
  ASSERT_NE(table, std::string::npos);
  // Three codes of one bit: the counts still add up, the code space overflows.
  file[table + 5] = 3;
  file[table + 7] = static_cast<std::uint8_t>(file[table + 7] - 3);
  const JpegHeader header = ReadJpegHeader(file.data(), file.size());
  EXPECT_EQ(header.width, kWidth);
  EXPECT_EQ(FailureOf(file), Code(JERR_BAD_HUFF_TABLE));
}

TEST(JpegDecoder, DataEndingEarlyIsOnlyAWarning) {
  const Bytes file = Compress(false, false);
  // The library fills in what is missing and warns; warnings are ignored.
  const std::size_t scan = FindSegment(file, 0xDA);
  ASSERT_NE(scan, std::string::npos);
  const Decoded d = Decode(Bytes(file.begin(), file.begin() + (scan + file.size()) / 2));
  EXPECT_EQ(d.header.width, kWidth);
  EXPECT_LE(std::abs(d.At(1, 1, 2) - SourceChannel(1, 1, 0)), 12);
}

// Sets the frame's height and width, leaving the data as it was.
void SetFrameSize(Bytes& file, int width, int height) {
  std::size_t frame = FindSegment(file, 0xC0);
  if (frame == std::string::npos) frame = FindSegment(file, 0xC2);
  ASSERT_NE(frame, std::string::npos);
  file[frame + 5] = static_cast<std::uint8_t>(height >> 8);
  file[frame + 6] = static_cast<std::uint8_t>(height);
  file[frame + 7] = static_cast<std::uint8_t>(width >> 8);
  file[frame + 8] = static_cast<std::uint8_t>(width);
}

TEST(JpegDecoder, NoPixelCapButABoundOnWhatProgressiveFilesKeep) {
  // A baseline part needs only its rows: 30000 x 30000 is no obstacle.
  Bytes file = Compress(false, false);
  SetFrameSize(file, 30000, 30000);
  const Decoded top = DecodePart(file, {0, 0, kWidth, kHeight});
  EXPECT_EQ(top.header.width, 30000);
  EXPECT_LE(std::abs(top.At(1, 1, 2) - SourceChannel(1, 1, 0)), 12);
  // A progressive one keeps two bytes for each of its 1.35 G samples.
  file = Compress(false, true);
  SetFrameSize(file, 30000, 30000);
  EXPECT_EQ(FailureOf(file, {0, 0, kWidth, kHeight}), Code(JERR_NO_BACKING_STORE));
}

TEST(JpegDecoder, EndlessScansAreCutOff) {
  const Bytes file = Compress(false, true);
  const std::vector<std::size_t> scans = Scans(file);
  ASSERT_FALSE(scans.empty());
  const Bytes scan(file.begin() + scans.back(), file.end() - 2);
  auto repeated = [&](int times) {
    Bytes b(file.begin(), file.end() - 2);
    for (int i = 0; i < times; ++i) b.insert(b.end(), scan.begin(), scan.end());
    b.insert(b.end(), {0xFF, 0xD9});
    return b;
  };
  // Repeating a refinement is only a warning; the number of scans is what ends it.
  EXPECT_EQ(FailureOf(repeated(900)), "(decoded)");
  EXPECT_EQ(FailureOf(repeated(1200)), Code(JERR_BAD_PROGRESSION));

  // In a larger picture the blocks the scans walk end it sooner: the repeated
  // scan walks the luma's 250 000 blocks of a 4000 x 4000 picture.
  auto large = [&](int times) {
    Bytes b = repeated(times);
    SetFrameSize(b, 4000, 4000);
    return FailureOf(b, {0, 0, 16, 16});
  };
  EXPECT_EQ(large(100), "(decoded)");
  EXPECT_EQ(large(140), Code(JERR_BAD_PROGRESSION));
}

// --- Parts ----------------------------------------------------------------

// An odd-sized photo-like picture: shading with fine detail in every channel,
// so that neighbouring chroma samples differ and any edge effect shows.
constexpr int kPhotoWidth = 203;
constexpr int kPhotoHeight = 157;

void PhotoPixel(int x, int y, bool grey, std::uint8_t* s) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  const int detail = static_cast<int>(h % 64);
  if (grey) {
    s[0] = static_cast<std::uint8_t>((x + y + detail) % 256);
    return;
  }
  s[0] = static_cast<std::uint8_t>(30 + x / 2 + detail);
  s[1] = static_cast<std::uint8_t>(220 - y + detail / 2);
  s[2] = static_cast<std::uint8_t>((x * y / 97 + detail * 2) % 256);
}

struct PhotoKind {
  const char* name;
  bool grey;
  bool progressive;
  int lumaAcross;
  int lumaDown;
  // Only the first scans: the library then smooths the blocks it lacks.
  bool firstScansOnly;
};

const PhotoKind kPhotoKinds[] = {
    {"baseline 4:2:0", false, false, 2, 2, false},
    {"progressive 4:2:0", false, true, 2, 2, false},
    {"progressive 4:2:0, first scans only", false, true, 2, 2, true},
    {"baseline 4:2:2", false, false, 2, 1, false},
    {"baseline 4:4:4", false, false, 1, 1, false},
    {"progressive 4:4:4", false, true, 1, 1, false},
    {"progressive 4:4:4, first scans only", false, true, 1, 1, true},
    {"baseline greyscale", true, false, 1, 1, false},
    {"progressive greyscale", true, true, 1, 1, false},
};

Bytes Photo(const PhotoKind& kind) {
  test_common::JpegOptions options = Options(kind.grey, kind.progressive);
  options.quality = 80;
  options.lumaAcross = kind.lumaAcross;
  options.lumaDown = kind.lumaDown;
  Bytes file = test_common::WriteJpeg(
      kPhotoWidth, kPhotoHeight, options,
      [&](int x, int y, std::uint8_t* s) { PhotoPixel(x, y, kind.grey, s); });
  if (kind.firstScansOnly) {
    file.resize(Scans(file).at(3));
    file.insert(file.end(), {0xFF, 0xD9});
  }
  return file;
}

// Each orientation as the tag defines it: the stored pixel shown at (x, y), for a
// picture stored as w x h. 2 mirrors, 3 turns by a half, 4 turns upside down,
// 5 transposes, 6 turns clockwise, 7 transverses, 8 turns anticlockwise.
std::pair<int, int> StoredOf(int orientation, int x, int y, int w, int h) {
  const std::pair<int, int> turns[] = {
      {x, y}, {w - 1 - x, y}, {w - 1 - x, h - 1 - y}, {x, h - 1 - y},
      {y, x}, {y, h - 1 - x}, {w - 1 - y, h - 1 - x}, {w - 1 - y, x}};
  return turns[orientation - 1];
}

// The first pixel at which `part` differs from what `whole` shows at the same place
// in `orientation`, or "".
std::string FirstDifference(const Decoded& whole, const Decoded& part, int orientation = 1) {
  const int bytes = whole.header.greyscale ? 1 : 3;
  for (int y = part.part.top; y < part.part.top + part.part.height; ++y) {
    for (int x = part.part.left; x < part.part.left + part.part.width; ++x) {
      const auto [sx, sy] = StoredOf(orientation, x, y, whole.part.width, whole.part.height);
      for (int b = 0; b < bytes; ++b) {
        if (part.At(x - part.part.left, y - part.part.top, b) != whole.At(sx, sy, b))
          return "at " + std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  if (whole.header.greyscale &&
      (part.greys.count != whole.greys.count ||
       !std::equal(whole.greys.level, whole.greys.level + 256, part.greys.level))) {
    return "in the greys";
  }
  return "";
}

TEST(JpegParts, EveryPartIsWhatTheWholeDecodeGivesThere) {
  // Edges on, beside and between the blocks and sample rows of every layout.
  const int lefts[] = {0, 1, 7, 8, 15, 16, 17, 31, 32, 33, 48, 99, 190};
  const int tops[] = {0, 1, 2, 7, 8, 15, 16, 17, 31, 32, 33, 47, 64, 101, 150};
  for (const PhotoKind& kind : kPhotoKinds) {
    SCOPED_TRACE(kind.name);
    const Bytes file = Photo(kind);
    const Decoded whole = Decode(file);
    int parts = 0;
    for (int left : lefts) {
      for (int top : tops) {
        // A narrow part, and one to the right and bottom edges.
        for (const Rect& part : {Rect{left, top, std::min(13, kPhotoWidth - left), 5},
                                 Rect{left, top, kPhotoWidth - left, kPhotoHeight - top}}) {
          const std::string difference = FirstDifference(whole, DecodePart(file, part));
          ASSERT_EQ(difference, "")
              << "part " << part.left << "," << part.top << " " << part.width << "x" << part.height;
          ++parts;
        }
      }
    }
    EXPECT_EQ(parts, 2 * 13 * 15);
  }
}

TEST(JpegParts, OrientedPhotosAreTheWholeDecodeTurnedWholeInPartsAndReduced) {
  for (const PhotoKind& kind : {kPhotoKinds[0], kPhotoKinds[1], kPhotoKinds[7]}) {
    const Bytes plain = Photo(kind);
    const Decoded stored[] = {Decode(plain), DecodePart(plain, {}, 3)};
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(std::string(kind.name) + ", orientation " + std::to_string(orientation));
      const Bytes exif = test_common::ExifSegment({orientation, orientation % 2 == 0});
      Bytes file = plain;
      file.insert(file.begin() + 2, exif.begin(), exif.end());
      const bool quarter = orientation >= 5;
      const int w = quarter ? kPhotoHeight : kPhotoWidth, h = quarter ? kPhotoWidth : kPhotoHeight;
      // The whole at a reduced scale, and at full size the whole and parts at,
      // beside and between block edges, reaching each side in turn.
      const Rect parts[] = {{},
                            {0, 0, w, h},
                            {0, 0, 13, 5},
                            {1, 7, w - 1, 9},
                            {17, 31, 40, h - 31},
                            {w - 9, 0, 9, 33},
                            {33, h - 1, w - 33, 1}};
      for (const Rect& part : parts) {
        const Decoded& from = stored[part.Empty()];
        const Decoded shown = DecodePart(file, part, part.Empty() ? 3 : kJpegFullScale);
        if (part.Empty()) {  // swapped at a reduced scale too
          EXPECT_EQ(std::pair(shown.part.width, shown.part.height),
                    quarter ? std::pair(from.part.height, from.part.width)
                            : std::pair(from.part.width, from.part.height));
        }
        EXPECT_EQ(FirstDifference(from, shown, orientation), "")
            << "part " << part.left << "," << part.top << " " << part.width << "x" << part.height;
      }
    }
  }
}

TEST(JpegParts, ScalesRoundAsTheLibraryDoesAndTheSmallestCoveringOneIsChosen) {
  for (const auto& [width, height] : {std::pair{8000, 6000}, {203, 157}, {1, 1}, {65500, 9}}) {
    Bytes file = Compress(false, false);
    SetFrameSize(file, width, height);
    for (int eighths = 1; eighths <= kJpegFullScale; ++eighths) {
      jpeg_decompress_struct info;
      jpeg_error_mgr errors;
      info.err = jpeg_std_error(&errors);
      jpeg_create_decompress(&info);
      jpeg_mem_src(&info, file.data(), file.size());
      jpeg_read_header(&info, TRUE);
      info.scale_num = eighths;
      info.scale_denom = 8;
      jpeg_calc_output_dimensions(&info);
      const Rect scaled = ScaledJpeg({width, height, false}, eighths);
      EXPECT_EQ(scaled.width, static_cast<int>(info.output_width)) << width << " " << eighths;
      EXPECT_EQ(scaled.height, static_cast<int>(info.output_height)) << height << " " << eighths;
      jpeg_destroy_decompress(&info);
    }
  }
  const JpegHeader photo{8000, 6000, false};
  EXPECT_EQ(CoveringJpegScale(photo, 1000, 750), 1);
  EXPECT_EQ(CoveringJpegScale(photo, 1001, 750), 2);
  EXPECT_EQ(CoveringJpegScale(photo, 200, 5251), 8);
  EXPECT_EQ(CoveringJpegScale(photo, 9000, 1), 8);  // nothing covers: full size
  EXPECT_EQ(CoveringJpegScale(photo, 0, 0), 1);
}

}  // namespace
}  // namespace zarumo
