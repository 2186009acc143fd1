// JPEG through libjpeg: header at load, full decode later, library errors as failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "common/jpeg_writer.h"
#include "system/failure.h"
#include "saver/pictures/jpeg_decoder.h"

namespace zarumo {
namespace {

using test_common::Bytes;

constexpr int kWidth = 40;
constexpr int kHeight = 24;

int SourceChannel(int x, int y, int channel) {  // red, green, blue
  return channel == 0 ? x * 6 : channel == 1 ? y * 10 : 128;
}
int SourceGrey(int x, int y) { return (x * 5 + y * 2) % 256; }

Bytes Compress(bool grey, bool progressive) {
  test_common::JpegOptions options;
  options.greyscale = grey;
  options.progressive = progressive;
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

// A bottom-up buffer, as a device-independent bitmap keeps its rows.
struct Decoded {
  JpegHeader header;
  Bytes pixels;
  std::ptrdiff_t stride = 0;
  JpegGreys greys;

  int At(int x, int y, int byte) const {
    return pixels[(header.height - 1 - y) * stride + x * (header.greyscale ? 1 : 3) + byte];
  }
};

Decoded Decode(const Bytes& file) {
  Decoded d;
  d.header = ReadJpegHeader(file.data(), file.size());
  d.stride = (d.header.width * (d.header.greyscale ? 1 : 3) + 3) / 4 * 4;
  d.pixels.assign(d.stride * d.header.height, 0);
  JpegTarget target;
  target.header = d.header;
  target.topRow = d.pixels.data() + (d.header.height - 1) * d.stride;
  target.rowStep = -d.stride;
  DecodeJpeg(file.data(), file.size(), target, d.greys);
  return d;
}

std::string FailureOf(const Bytes& file) {
  try {
    Decode(file);
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

TEST(JpegDecoder, PicturesBeyondTheLimitsAreRefusedAtTheHeader) {
  Bytes file = Compress(false, false);
  const std::size_t frame = FindSegment(file, 0xC0);
  ASSERT_NE(frame, std::string::npos);
  for (int i = 0; i < 4; ++i) file[frame + 5 + i] = i % 2 ? 0x40 : 0x1F;  // 8000 x 8000
  EXPECT_EQ(FailureOf(file), JpegTooBigMessage());
}

TEST(JpegDecoder, EndlessScansAreCutOff) {
  Bytes file = Compress(false, true);
  std::size_t lastScan = std::string::npos;
  for (std::size_t i = 0; i + 1 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] == 0xDA) lastScan = i;
  }
  ASSERT_NE(lastScan, std::string::npos);
  const Bytes scan(file.begin() + lastScan, file.end() - 2);
  auto repeated = [&](int times) {
    Bytes b(file.begin(), file.end() - 2);
    for (int i = 0; i < times; ++i) b.insert(b.end(), scan.begin(), scan.end());
    b.insert(b.end(), {0xFF, 0xD9});
    return b;
  };
  // Repeating a refinement is only a warning; the number of scans is what ends it.
  EXPECT_EQ(FailureOf(repeated(900)), "(decoded)");
  EXPECT_EQ(FailureOf(repeated(1200)), Code(JERR_BAD_PROGRESSION));
}

}  // namespace
}  // namespace zarumo
