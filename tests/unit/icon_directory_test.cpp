// Reading an icon file's directory and choosing the image to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/expect_failure.h"
#include "common/icon_file.h"
#include "common/le_bytes_writer.h"
#include "pictures/icon_directory.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;

// A complete DIB image: header, table, colour rows and mask rows.
Bytes DibImage(int side, int bitCount) {
  Bytes b = test_common::IconImageHeader(side, bitCount);
  const std::size_t table = bitCount <= 8 ? std::size_t{4} << bitCount : 0;
  const std::size_t colourRows = (static_cast<std::size_t>(side) * bitCount + 31) / 32 * 4 * side;
  const std::size_t maskRows = (static_cast<std::size_t>(side) + 31) / 32 * 4 * side;
  b.resize(b.size() + table + colourRows + maskRows, 0x5A);
  return b;
}

Bytes PngImage(std::uint32_t width, std::uint32_t height) {
  Bytes b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  b.insert(b.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
  return b;
}

// Every entry claims 32 x 32 in 32 bits: what counts is each image's own header.
Bytes IconFile(const std::vector<Bytes>& images, std::uint16_t type = 1) {
  return test_common::IconFile(images, type, {32, 32, 32});
}

std::vector<IconImage> Parse(const Bytes& b) { return ParseIconDirectory(b.data(), b.size()); }

void ExpectRejected(const Bytes& b) {
  test_common::ExpectFailure<InvalidPicture>([&] { Parse(b); }, "アイコンイメージが不正です");
}

TEST(IconDirectory, ListsEachImageWithItsOwnSizeAndDepth) {
  const Bytes file = IconFile({DibImage(16, 4), DibImage(32, 32), PngImage(256, 128)});
  const std::vector<IconImage> images = Parse(file);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ(images[0].width, 16);
  EXPECT_EQ(images[0].height, 16);
  EXPECT_EQ(images[0].bitsPerPixel, 4);
  EXPECT_EQ(images[0].offset, 6u + 3 * 16);
  EXPECT_EQ(images[1].bitsPerPixel, 32);
  EXPECT_EQ(images[1].offset, images[0].offset + images[0].size);
  EXPECT_EQ(images[2].width, 256);
  EXPECT_EQ(images[2].height, 128);
  EXPECT_EQ(images[2].offset + images[2].size, file.size());
}

TEST(IconDirectory, TypeAboveOneAndEmptyOrCutDirectoriesAreRejected) {
  ExpectRejected(IconFile({DibImage(32, 8)}, 2));
  EXPECT_EQ(Parse(IconFile({DibImage(32, 8)}, 0)).size(), 1u);
  ExpectRejected(IconFile({}));
  ExpectRejected(Bytes{0, 0, 1});
  Bytes cut = IconFile({DibImage(32, 8), DibImage(16, 8)});
  cut.resize(6 + 16 + 8);
  ExpectRejected(cut);
}

TEST(IconDirectory, ImagesThatDoNotAccountForTheirBytesAreLeftOut) {
  Bytes noMask = DibImage(32, 8);
  noMask.resize(noMask.size() - 4 * 32);
  Bytes oddPlanes = DibImage(16, 8);
  oddPlanes[12] = 2;
  Bytes hugeTable = DibImage(16, 8);
  hugeTable[32] = 0x01;
  hugeTable[33] = 0x01;  // 257 colours
  Bytes compressed = DibImage(16, 8);
  compressed[16] = 1;
  Bytes tooWide = DibImage(16, 8);
  tooWide[5] = 0x10;  // 4112 pixels
  ExpectRejected(IconFile({noMask, oddPlanes, hugeTable, compressed, tooWide, PngImage(0, 16)}));

  Bytes file = IconFile({noMask, DibImage(48, 24)});
  EXPECT_EQ(Parse(file).size(), 1u);
  file[6 + 8] = 0xFF;  // the first entry's byte count now runs past the end
  file[6 + 11] = 0x7F;
  EXPECT_EQ(Parse(file).size(), 1u);
  file[6 + 16 + 12] = 0xF0;  // and the second's offset too
  file[6 + 16 + 15] = 0xFF;
  ExpectRejected(file);
}

// Web icon generators write 32-bit images of colour rows alone.
TEST(IconDirectory, MasklessImageOf32BitsTakesItsMaskFromItsAlpha) {
  Bytes image = DibImage(32, 32);
  image.resize(40 + 32 * 32 * 4);
  for (std::size_t at = 40 + 3; at < image.size(); at += 4) image[at] = at == 43 ? 0 : 0xFF;
  // The bottom row's first pixel is transparent; without any alpha all are opaque.
  for (const std::uint8_t firstMaskByte : {0x80, 0x00}) {
    const Bytes file = IconFile({image});
    ASSERT_TRUE(Parse(file).at(0).maskless);
    const Bytes whole = MaskedIconImage(file.data(), Parse(file)[0]);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), whole.begin()));
    EXPECT_EQ(whole.at(image.size()), firstMaskByte);
    EXPECT_EQ(std::count(whole.begin() + image.size(), whole.end(), 0),
              4 * 32 - 1 + !firstMaskByte);
    for (std::size_t at = 40 + 3; at < image.size(); at += 4) image[at] = 0;
  }
  // Fewer bits have no alpha to stand for the mask; nor does a cut colour row.
  Bytes colours = DibImage(32, 24);
  colours.resize(40 + 32 * 32 * 3);
  image.pop_back();
  ExpectRejected(IconFile({colours, image}));
}

std::vector<IconImage> Images(std::initializer_list<std::array<int, 3>> list) {
  std::vector<IconImage> images;
  for (const auto& [w, h, bits] : list) images.push_back({0, 0, w, h, bits});
  return images;
}

TEST(IconDirectory, ChoosesTheNearestSizeThenTheMostColours) {
  EXPECT_EQ(ChooseIconImage(Images({{16, 16, 8}, {48, 48, 8}, {32, 32, 8}}), 32, 32, 32), 2u);
  EXPECT_EQ(ChooseIconImage(Images({{24, 24, 8}, {40, 40, 8}}), 32, 32, 32), 0u);
  EXPECT_EQ(ChooseIconImage(Images({{24, 24, 4}, {40, 40, 8}}), 32, 32, 32), 1u);
  EXPECT_EQ(ChooseIconImage(Images({{32, 32, 24}, {32, 32, 32}}), 32, 32, 32), 0u);
}

TEST(IconDirectory, KeepsToTheDisplaysColours) {
  const std::vector<IconImage> images = Images({{32, 32, 32}, {32, 32, 8}, {16, 16, 4}});
  EXPECT_EQ(ChooseIconImage(images, 32, 32, 32), 0u);
  EXPECT_EQ(ChooseIconImage(images, 32, 32, 16), 1u);
  EXPECT_EQ(ChooseIconImage(images, 32, 32, 8), 1u);
  EXPECT_EQ(ChooseIconImage(images, 32, 32, 4), 2u);
  // None with so few colours: those with the fewest.
  EXPECT_EQ(ChooseIconImage(Images({{32, 32, 32}, {16, 16, 8}, {48, 48, 8}}), 32, 32, 1), 1u);
}

}  // namespace
}  // namespace zarumo
