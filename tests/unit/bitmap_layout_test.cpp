// Checking a bitmap file's headers and colour table against its length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/expect_failure.h"
#include "common/le_bytes_writer.h"
#include "pictures/bitmap_layout.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::Get32;
using test_common::Put16s;
using test_common::Put32s;
using test_common::Set32;

struct Fields {
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = kBitmapRgb;
  std::uint32_t headerSize = 40;
  std::uint16_t planes = 1;
  std::uint32_t clrUsed = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t tableEntries = 0;  // written after the header (and masks)
  bool masksAfterHeader = false;
  std::uint32_t offBits = 0;  // 0: right after the table
  std::size_t pixelBytes = 0;
};

// Colour table entry i is (i, i + 1, i + 2) in blue, green, red order; pixel byte i is i.
Bytes Build(const Fields& s) {
  Bytes b{'B', 'M'};
  Put32s(b, {0, 0, s.offBits, s.headerSize});
  const auto width = static_cast<std::uint32_t>(s.width);
  const auto height = static_cast<std::uint32_t>(s.height);
  if (s.headerSize == 12) {
    Put16s(b, {width, height, s.planes, s.bitCount});
  } else {
    Put32s(b, {width, height});
    Put16s(b, {s.planes, s.bitCount});
    Put32s(b, {s.compression, s.sizeImage, 2835, 2835, s.clrUsed, 0});
    if (s.headerSize >= 52) Put32s(b, {0xF800, 0x07E0, 0x001F});
    b.resize(std::max<std::size_t>(b.size(), 14 + s.headerSize), 0);
  }
  if (s.masksAfterHeader) Put32s(b, {0x7C00, 0x03E0, 0x001F});
  for (std::uint32_t i = 0; i < s.tableEntries; ++i) {
    b.insert(b.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i + 1),
                       static_cast<std::uint8_t>(i + 2)});
    if (s.headerSize != 12) b.push_back(0);
  }
  if (s.offBits == 0) Set32(b, 10, static_cast<std::uint32_t>(b.size()));
  b.resize(std::max<std::size_t>(b.size(), s.offBits), 0xEE);
  for (std::size_t i = 0; i < s.pixelBytes; ++i) b.push_back(static_cast<std::uint8_t>(i));
  return b;
}

// The default fields as `change` leaves them.
template <typename Change>
Bytes With(Change change) {
  Fields s;
  change(s);
  return Build(s);
}

BitmapLayout Parse(const Bytes& b) { return ParseBitmapFile(b.data(), b.size()); }

void ExpectInvalid(const Bytes& b) {
  test_common::ExpectFailure<InvalidPicture>([&] { Parse(b); }, "ビットマップイメージが不正です");
}
void ExpectCutShort(const Bytes& b) {
  test_common::ExpectFailure<ReadFailure>([&] { Parse(b); }, "ストリームからの読み込みエラー");
}

TEST(BitmapLayout, EmptyFileIsAnEmptyPicture) { EXPECT_TRUE(ParseBitmapFile(nullptr, 0).Empty()); }

TEST(BitmapLayout, TypeAndPlanesAreChecked) {
  Bytes b = Build({});
  b[1] = 'A';
  ExpectInvalid(b);
  ExpectInvalid(With([](Fields& s) { s.planes = 2; }));
  ExpectInvalid(With([](Fields& s) { s.headerSize = 12, s.planes = 0; }));
}

TEST(BitmapLayout, HeaderSizesBetweenTheFormsAreInvalid) {
  for (std::uint32_t size : {0u, 11u, 13u, 16u, 39u}) {
    Bytes b = With([&](Fields& s) { s.headerSize = size; });
    b.resize(14 + 64, 0);
    ExpectInvalid(b);
  }
}

TEST(BitmapLayout, CutShortHeaderOrTableIsAReadFailure) {
  const Bytes full = Build({});
  for (std::size_t length : {10, 16, 14 + 39})
    ExpectCutShort(Bytes(full.begin(), full.begin() + length));
  Bytes huge = full;
  huge[17] = 0xFF;  // a header of more than 4 GB
  ExpectCutShort(huge);
  const Bytes withTable = With([](Fields& s) { s.bitCount = 8, s.tableEntries = 256; });
  ExpectCutShort(Bytes(withTable.begin(), withTable.end() - 1));
  const Bytes withMasks = With([](Fields& s) {
    s.bitCount = 16, s.compression = kBitmapBitFields, s.masksAfterHeader = true;
  });
  ExpectCutShort(Bytes(withMasks.begin(), withMasks.begin() + 14 + 40 + 8));
  // A count that no file can hold.
  ExpectCutShort(With([](Fields& s) { s.bitCount = 8, s.clrUsed = 0xFFFFFFFF; }));
}

TEST(BitmapLayout, FormatsTheSystemCannotTakeAreInvalid) {
  ExpectInvalid(With([](Fields& s) { s.bitCount = 3; }));
  ExpectInvalid(With([](Fields& s) { s.bitCount = 0; }));
  ExpectInvalid(With([](Fields& s) { s.bitCount = 16, s.headerSize = 12; }));
  ExpectInvalid(With([](Fields& s) { s.compression = kBitmapRle8; }));
  ExpectInvalid(With([](Fields& s) { s.bitCount = 8, s.compression = kBitmapRle4; }));
  ExpectInvalid(
      With([](Fields& s) { s.bitCount = 8, s.compression = kBitmapRle8, s.height = -2; }));
  ExpectInvalid(With([](Fields& s) { s.compression = kBitmapBitFields; }));
  ExpectInvalid(With([](Fields& s) { s.compression = 4; }));  // JPEG inside
  ExpectInvalid(With([](Fields& s) { s.width = 0; }));
  ExpectInvalid(With([](Fields& s) { s.width = -4; }));
  ExpectInvalid(With([](Fields& s) { s.height = 0; }));
  ExpectInvalid(With([](Fields& s) { s.height = INT32_MIN; }));
  ExpectInvalid(With([](Fields& s) { s.width = 0x7FFFFFFF, s.height = 0x7FFFFFFF; }));
  // One row more than the pixel bytes a bitmap may have; run-length data counts 4 a pixel.
  const int rows = static_cast<int>(kMaxBitmapBytes / (8192 * 4)) + 1;
  ExpectInvalid(With([&](Fields& s) { s.width = 8192, s.height = -rows, s.bitCount = 32; }));
  ExpectInvalid(With([&](Fields& s) {
    s.width = 8192, s.height = rows, s.bitCount = 8, s.compression = kBitmapRle8;
  }));
}

TEST(BitmapLayout, PaletteIsAlwaysFullAndTakesItsEntriesFromTheFile) {
  const BitmapLayout layout = Parse(
      With([](Fields& s) { s.bitCount = 8, s.clrUsed = 2, s.tableEntries = 2, s.pixelBytes = 8; }));
  ASSERT_EQ(layout.colours.size(), 256u);
  EXPECT_EQ(layout.colours[0], 0x020100u);
  EXPECT_EQ(layout.colours[1], 0x030201u);
  EXPECT_EQ(layout.colours[2], 0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 8);
  EXPECT_EQ(layout.stride, 4u);
  EXPECT_EQ(layout.pixelSize, 8u);
}

TEST(BitmapLayout, OversizedAndTrueColourTablesAreSkipped) {
  BitmapLayout layout = Parse(With(
      [](Fields& s) { s.bitCount = 4, s.clrUsed = 20, s.tableEntries = 20, s.pixelBytes = 8; }));
  EXPECT_EQ(layout.colours.size(), 16u);
  EXPECT_EQ(layout.colours[15], 0x11100Fu);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 80);
  layout = Parse(With([](Fields& s) { s.clrUsed = 3, s.tableEntries = 3, s.pixelBytes = 24; }));
  EXPECT_TRUE(layout.colours.empty());
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 12);
  EXPECT_EQ(layout.pixelSize, 24u);
}

TEST(BitmapLayout, CoreHeaderHasThreeByteEntriesAndMayEndItsTableEarly) {
  Fields s;
  s.headerSize = 12, s.bitCount = 8, s.tableEntries = 256, s.pixelBytes = 8;
  BitmapLayout layout = Parse(Build(s));
  EXPECT_EQ(layout.width, 4);
  EXPECT_EQ(layout.height, 2);
  EXPECT_EQ(layout.colours[255], 0x0100FFu);  // bytes 255, 256, 257 wrap
  EXPECT_EQ(layout.pixelOffset, 14u + 12 + 768);
  s.tableEntries = 5, s.offBits = 14 + 12 + 15;
  layout = Parse(Build(s));
  EXPECT_EQ(layout.colours[4], 0x060504u);
  EXPECT_EQ(layout.colours[5], 0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 12 + 15);
}

TEST(BitmapLayout, BitFieldMasksFollowAShortHeaderOrLieInALongOne) {
  Fields s;
  s.bitCount = 16, s.compression = kBitmapBitFields, s.masksAfterHeader = true, s.pixelBytes = 16;
  BitmapLayout layout = Parse(Build(s));
  EXPECT_EQ(layout.masks[0], 0x7C00u);
  EXPECT_EQ(layout.masks[2], 0x001Fu);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 12);
  s.headerSize = 124, s.masksAfterHeader = false;
  layout = Parse(Build(s));
  EXPECT_EQ(layout.masks[0], 0xF800u);
  EXPECT_EQ(layout.masks[1], 0x07E0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 124);
}

TEST(BitmapLayout, PixelDataIsTheSmallerOfDeclaredAndRemaining) {
  // 4 x 2 at 24 bits: stride 12, 24 bytes of rows; undeclared, the rows.
  // Run-length data, undeclared, is the rest of the file.
  const struct {
    bool rle;
    std::uint32_t sizeImage;
    std::size_t pixelBytes, pixelSize;
  } rows[] = {{false, 0, 30, 24},          {false, 16, 30, 16}, {false, 0x7EEEEEEE, 30, 24},
              {false, 0x7EEEEEEE, 10, 10}, {true, 0, 100, 100}, {true, 40, 100, 40}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.sizeImage);
    EXPECT_EQ(Parse(With([&](Fields& s) {
                if (row.rle) s.bitCount = 8, s.compression = kBitmapRle8, s.tableEntries = 256;
                s.sizeImage = row.sizeImage, s.pixelBytes = row.pixelBytes;
              })).pixelSize,
              row.pixelSize);
  }
}

TEST(BitmapLayout, PixelOffsetIsTrustedOnlyBetweenTableAndEnd) {
  Bytes b = With([](Fields& s) { s.offBits = 100, s.pixelBytes = 24; });
  EXPECT_EQ(Parse(b).pixelOffset, 100u);
  b[10] = 20;  // inside the header
  EXPECT_EQ(Parse(b).pixelOffset, 54u);
  b[10] = 0xFF;
  b[11] = 0xFF;  // past the end
  EXPECT_EQ(Parse(b).pixelOffset, 54u);
  EXPECT_EQ(Parse(b).pixelSize, 24u);
}

TEST(BitmapLayout, InfoBytesDescribeTheLayoutToTheSystem) {
  const Bytes info = BitmapInfoBytes(Parse(With([](Fields& s) {
    s.bitCount = 16, s.compression = kBitmapBitFields, s.masksAfterHeader = true;
    s.height = -3, s.width = 3, s.pixelBytes = 24;
  })));
  ASSERT_EQ(info.size(), 40u + 12);
  EXPECT_EQ(Get32(info, 0), 40u);
  EXPECT_EQ(Get32(info, 4), 3u);
  EXPECT_EQ(static_cast<std::int32_t>(Get32(info, 8)), -3);
  EXPECT_EQ(Get32(info, 12), 1u | 16u << 16);
  EXPECT_EQ(Get32(info, 16), kBitmapBitFields);
  EXPECT_EQ(Get32(info, 20), 24u);  // stride 8 x 3 rows
  EXPECT_EQ(Get32(info, 40), 0x7C00u);
  const Bytes paletteInfo = BitmapInfoBytes(
      Parse(With([](Fields& s) { s.bitCount = 1, s.tableEntries = 2, s.pixelBytes = 8; })));
  ASSERT_EQ(paletteInfo.size(), 40u + 8);
  EXPECT_EQ(Get32(paletteInfo, 32), 2u);
  EXPECT_EQ(Get32(paletteInfo, 44), 0x030201u);
}

}  // namespace
}  // namespace zarumo
