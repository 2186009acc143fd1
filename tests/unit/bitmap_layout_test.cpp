// Checking a bitmap file's headers and colour table against its length.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/le_bytes_writer.h"
#include "pictures/bitmap_layout.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::Get32;
using test_common::Put16;
using test_common::Put32;

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
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, s.offBits);
  Put32(b, s.headerSize);
  if (s.headerSize == 12) {
    Put16(b, static_cast<std::uint32_t>(s.width));
    Put16(b, static_cast<std::uint32_t>(s.height));
    Put16(b, s.planes);
    Put16(b, s.bitCount);
  } else {
    Put32(b, static_cast<std::uint32_t>(s.width));
    Put32(b, static_cast<std::uint32_t>(s.height));
    Put16(b, s.planes);
    Put16(b, s.bitCount);
    Put32(b, s.compression);
    Put32(b, s.sizeImage);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, s.clrUsed);
    Put32(b, 0);
    if (s.headerSize >= 52) {
      Put32(b, 0xF800);
      Put32(b, 0x07E0);
      Put32(b, 0x001F);
    }
    while (b.size() < 14 + s.headerSize) b.push_back(0);
  }
  if (s.masksAfterHeader) {
    Put32(b, 0x7C00);
    Put32(b, 0x03E0);
    Put32(b, 0x001F);
  }
  for (std::uint32_t i = 0; i < s.tableEntries; ++i) {
    b.push_back(static_cast<std::uint8_t>(i));
    b.push_back(static_cast<std::uint8_t>(i + 1));
    b.push_back(static_cast<std::uint8_t>(i + 2));
    if (s.headerSize != 12) b.push_back(0);
  }
  if (s.offBits == 0) {
    b[10] = static_cast<std::uint8_t>(b.size());
    b[11] = static_cast<std::uint8_t>(b.size() >> 8);
  }
  while (b.size() < s.offBits) b.push_back(0xEE);
  for (std::size_t i = 0; i < s.pixelBytes; ++i) b.push_back(static_cast<std::uint8_t>(i));
  return b;
}

BitmapLayout Parse(const Bytes& b) { return ParseBitmapFile(b.data(), b.size()); }

void ExpectInvalid(const Bytes& b) {
  try {
    Parse(b);
    ADD_FAILURE() << "accepted";
  } catch (const InvalidPicture& failure) {
    EXPECT_EQ(failure.Message(), "ビットマップイメージが不正です");
  }
}

void ExpectCutShort(const Bytes& b) {
  try {
    Parse(b);
    ADD_FAILURE() << "accepted";
  } catch (const ReadFailure& failure) {
    EXPECT_EQ(failure.Message(), "ストリームからの読み込みエラー");
  }
}

TEST(BitmapLayout, EmptyFileIsAnEmptyPicture) { EXPECT_TRUE(ParseBitmapFile(nullptr, 0).Empty()); }

TEST(BitmapLayout, TypeAndPlanesAreChecked) {
  Bytes b = Build({});
  b[1] = 'A';
  ExpectInvalid(b);
  Fields twoPlanes;
  twoPlanes.planes = 2;
  ExpectInvalid(Build(twoPlanes));
  Fields corePlanes;
  corePlanes.headerSize = 12;
  corePlanes.planes = 0;
  ExpectInvalid(Build(corePlanes));
}

TEST(BitmapLayout, HeaderSizesBetweenTheFormsAreInvalid) {
  for (std::uint32_t size : {0u, 11u, 13u, 16u, 39u}) {
    Fields s;
    s.headerSize = size;
    Bytes b = Build(s);
    b.resize(14 + 64, 0);
    ExpectInvalid(b);
  }
}

TEST(BitmapLayout, CutShortHeaderOrTableIsAReadFailure) {
  const Bytes full = Build({});
  ExpectCutShort(Bytes(full.begin(), full.begin() + 10));
  ExpectCutShort(Bytes(full.begin(), full.begin() + 16));
  ExpectCutShort(Bytes(full.begin(), full.begin() + 14 + 39));
  Bytes huge = full;
  huge[17] = 0xFF;  // a header of more than 4 GB
  ExpectCutShort(huge);

  Fields palette;
  palette.bitCount = 8;
  palette.tableEntries = 256;
  const Bytes withTable = Build(palette);
  ExpectCutShort(Bytes(withTable.begin(), withTable.end() - 1));

  Fields fields;
  fields.bitCount = 16;
  fields.compression = kBitmapBitFields;
  fields.masksAfterHeader = true;
  const Bytes withMasks = Build(fields);
  ExpectCutShort(Bytes(withMasks.begin(), withMasks.begin() + 14 + 40 + 8));

  Fields countless;  // a count that no file can hold
  countless.bitCount = 8;
  countless.clrUsed = 0xFFFFFFFF;
  ExpectCutShort(Build(countless));
}

TEST(BitmapLayout, FormatsTheSystemCannotTakeAreInvalid) {
  auto with = [](auto change) {
    Fields s;
    change(s);
    return Build(s);
  };
  ExpectInvalid(with([](Fields& s) { s.bitCount = 3; }));
  ExpectInvalid(with([](Fields& s) { s.bitCount = 0; }));
  ExpectInvalid(with([](Fields& s) { s.bitCount = 16, s.headerSize = 12; }));
  ExpectInvalid(with([](Fields& s) { s.compression = kBitmapRle8; }));
  ExpectInvalid(with([](Fields& s) { s.bitCount = 8, s.compression = kBitmapRle4; }));
  ExpectInvalid(
      with([](Fields& s) { s.bitCount = 8, s.compression = kBitmapRle8, s.height = -2; }));
  ExpectInvalid(with([](Fields& s) { s.compression = kBitmapBitFields; }));
  ExpectInvalid(with([](Fields& s) { s.compression = 4; }));  // JPEG inside
  ExpectInvalid(with([](Fields& s) { s.width = 0; }));
  ExpectInvalid(with([](Fields& s) { s.width = -4; }));
  ExpectInvalid(with([](Fields& s) { s.height = 0; }));
  ExpectInvalid(with([](Fields& s) { s.height = INT32_MIN; }));
  ExpectInvalid(with([](Fields& s) { s.width = 0x7FFFFFFF, s.height = 0x7FFFFFFF; }));
  // One row more than the pixel bytes a bitmap may have; run-length data counts 4 a pixel.
  const int rows = static_cast<int>(kMaxBitmapBytes / (8192 * 4)) + 1;
  ExpectInvalid(with([&](Fields& s) { s.width = 8192, s.height = -rows, s.bitCount = 32; }));
  ExpectInvalid(with([&](Fields& s) {
    s.width = 8192, s.height = rows, s.bitCount = 8, s.compression = kBitmapRle8;
  }));
}

TEST(BitmapLayout, PaletteIsAlwaysFullAndTakesItsEntriesFromTheFile) {
  Fields s;
  s.bitCount = 8;
  s.clrUsed = 2;
  s.tableEntries = 2;
  s.pixelBytes = 8;
  const Bytes b = Build(s);
  const BitmapLayout layout = Parse(b);
  ASSERT_EQ(layout.colours.size(), 256u);
  EXPECT_EQ(layout.colours[0], 0x020100u);
  EXPECT_EQ(layout.colours[1], 0x030201u);
  EXPECT_EQ(layout.colours[2], 0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 8);
  EXPECT_EQ(layout.stride, 4u);
  EXPECT_EQ(layout.pixelSize, 8u);
}

TEST(BitmapLayout, OversizedAndTrueColourTablesAreSkipped) {
  Fields big;
  big.bitCount = 4;
  big.clrUsed = 20;
  big.tableEntries = 20;
  big.pixelBytes = 8;
  BitmapLayout layout = Parse(Build(big));
  EXPECT_EQ(layout.colours.size(), 16u);
  EXPECT_EQ(layout.colours[15], 0x11100Fu);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 80);

  Fields trueColour;
  trueColour.clrUsed = 3;
  trueColour.tableEntries = 3;
  trueColour.pixelBytes = 24;
  layout = Parse(Build(trueColour));
  EXPECT_TRUE(layout.colours.empty());
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 12);
  EXPECT_EQ(layout.pixelSize, 24u);
}

TEST(BitmapLayout, CoreHeaderHasThreeByteEntriesAndMayEndItsTableEarly) {
  Fields s;
  s.headerSize = 12;
  s.bitCount = 8;
  s.tableEntries = 256;
  s.pixelBytes = 8;
  BitmapLayout layout = Parse(Build(s));
  EXPECT_EQ(layout.width, 4);
  EXPECT_EQ(layout.height, 2);
  EXPECT_EQ(layout.colours[255], 0x0100FFu);  // bytes 255, 256, 257 wrap
  EXPECT_EQ(layout.pixelOffset, 14u + 12 + 768);

  s.tableEntries = 5;
  s.offBits = 14 + 12 + 15;
  layout = Parse(Build(s));
  EXPECT_EQ(layout.colours[4], 0x060504u);
  EXPECT_EQ(layout.colours[5], 0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 12 + 15);
}

TEST(BitmapLayout, BitFieldMasksFollowAShortHeaderOrLieInALongOne) {
  Fields after;
  after.bitCount = 16;
  after.compression = kBitmapBitFields;
  after.masksAfterHeader = true;
  after.pixelBytes = 16;
  BitmapLayout layout = Parse(Build(after));
  EXPECT_EQ(layout.masks[0], 0x7C00u);
  EXPECT_EQ(layout.masks[2], 0x001Fu);
  EXPECT_EQ(layout.pixelOffset, 14u + 40 + 12);

  Fields inside = after;
  inside.headerSize = 124;
  inside.masksAfterHeader = false;
  layout = Parse(Build(inside));
  EXPECT_EQ(layout.masks[0], 0xF800u);
  EXPECT_EQ(layout.masks[1], 0x07E0u);
  EXPECT_EQ(layout.pixelOffset, 14u + 124);
}

TEST(BitmapLayout, PixelDataIsTheSmallerOfDeclaredAndRemaining) {
  Fields s;  // 4 x 2 at 24 bits: stride 12, 24 bytes of rows
  s.pixelBytes = 30;
  EXPECT_EQ(Parse(Build(s)).pixelSize, 24u);  // undeclared: the rows
  s.sizeImage = 16;
  EXPECT_EQ(Parse(Build(s)).pixelSize, 16u);
  s.sizeImage = 0x7EEEEEEE;
  EXPECT_EQ(Parse(Build(s)).pixelSize, 24u);
  s.pixelBytes = 10;
  EXPECT_EQ(Parse(Build(s)).pixelSize, 10u);

  Fields rle;
  rle.bitCount = 8;
  rle.compression = kBitmapRle8;
  rle.tableEntries = 256;
  rle.pixelBytes = 100;
  EXPECT_EQ(Parse(Build(rle)).pixelSize, 100u);  // undeclared: the rest of the file
  rle.sizeImage = 40;
  EXPECT_EQ(Parse(Build(rle)).pixelSize, 40u);
}

TEST(BitmapLayout, PixelOffsetIsTrustedOnlyBetweenTableAndEnd) {
  Fields s;
  s.offBits = 100;
  s.pixelBytes = 24;
  EXPECT_EQ(Parse(Build(s)).pixelOffset, 100u);
  Bytes b = Build(s);
  b[10] = 20;  // inside the header
  EXPECT_EQ(Parse(b).pixelOffset, 54u);
  b[10] = 0xFF;
  b[11] = 0xFF;  // past the end
  EXPECT_EQ(Parse(b).pixelOffset, 54u);
  EXPECT_EQ(Parse(b).pixelSize, 24u);
}

TEST(BitmapLayout, InfoBytesDescribeTheLayoutToTheSystem) {
  Fields s;
  s.bitCount = 16;
  s.compression = kBitmapBitFields;
  s.masksAfterHeader = true;
  s.height = -3;
  s.width = 3;
  s.pixelBytes = 24;
  const BitmapLayout layout = Parse(Build(s));
  const Bytes info = BitmapInfoBytes(layout);
  ASSERT_EQ(info.size(), 40u + 12);
  EXPECT_EQ(Get32(info, 0), 40u);
  EXPECT_EQ(Get32(info, 4), 3u);
  EXPECT_EQ(static_cast<std::int32_t>(Get32(info, 8)), -3);
  EXPECT_EQ(Get32(info, 12), 1u | 16u << 16);
  EXPECT_EQ(Get32(info, 16), kBitmapBitFields);
  EXPECT_EQ(Get32(info, 20), 24u);  // stride 8 x 3 rows
  EXPECT_EQ(Get32(info, 40), 0x7C00u);

  Fields palette;
  palette.bitCount = 1;
  palette.tableEntries = 2;
  palette.pixelBytes = 8;
  const Bytes paletteInfo = BitmapInfoBytes(Parse(Build(palette)));
  ASSERT_EQ(paletteInfo.size(), 40u + 8);
  EXPECT_EQ(Get32(paletteInfo, 32), 2u);
  EXPECT_EQ(Get32(paletteInfo, 44), 0x030201u);
}

}  // namespace
}  // namespace zarumo
