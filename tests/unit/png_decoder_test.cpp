// Reading PNG files through libpng: every colour type and depth of the PNG
// suite as the library's own simplified reader sees it, rows from the top,
// the size bound, and damage.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/expect_failure.h"
#include "common/png_gif_writer.h"
#include "pictures/png_decoder.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::ExpectFailure;
using test_common::PngFile;

const std::string kSuite = ZARUMO_SOURCE_DIR "/tests/data/pngsuite/";

Bytes ReadTestFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The rows of the whole picture, or of the first `rows`, four bytes a pixel.
Bytes Decode(const Bytes& file, int rows = -1) {
  const PngHeader header = ReadPngHeader(file.data(), file.size());
  Bytes pixels(static_cast<std::size_t>(header.width) * header.height * 4);
  DecodePng(file.data(), file.size(), header, rows < 0 ? header.height : rows, pixels.data(),
            header.width * 4);
  return pixels;
}

// The file without its chunks of `type`.
Bytes WithoutChunk(const Bytes& file, const std::string& type) {
  Bytes kept(file.begin(), file.begin() + 8);
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::size_t next =
        at + 12 + (file[at] << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]);
    if (std::string(file.begin() + at + 4, file.begin() + at + 8) != type)
      kept.insert(kept.end(), file.begin() + at, file.begin() + next);
    at = next;
  }
  return kept;
}

// Every file of the suite as the library's simplified reader sees it, the
// "i" files, the others interlaced (two not), as their twins, and the others
// read on from where a first read stopped.
TEST(PngDecoder, EverySuiteFile) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".png") continue;
    ++files;
    const Bytes file = ReadTestFile(entry.path());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, file.data(), file.size())) << name;
    const bool alpha = image.format & PNG_FORMAT_FLAG_ALPHA;
    image.format = PNG_FORMAT_BGRA;
    Bytes reference(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, reference.data(), 0, nullptr)) << name;

    const PngHeader header = ReadPngHeader(file.data(), file.size());
    EXPECT_EQ(header.width, static_cast<int>(image.width)) << name;
    EXPECT_EQ(header.height, static_cast<int>(image.height)) << name;
    EXPECT_EQ(header.interlaced, file.at(28) == 1) << name;
    EXPECT_EQ(header.transparent, alpha) << name;
    const Bytes pixels = Decode(file);
    if (name[0] == 'i') {
      EXPECT_EQ(Decode(WithoutChunk(file, "gAMA")),
                Decode(WithoutChunk(ReadTestFile(kSuite + name.substr(1)), "gAMA")))
          << name;
    } else {  // read on in two steps
      Bytes steps(pixels.size());
      PngRowReader reader(file.data(), file.size(), header);
      reader.ReadOn(5, steps.data(), header.width * 4);
      reader.ReadOn(header.height, steps.data() + header.width * 4 * 5, header.width * 4);
      EXPECT_EQ(steps, pixels) << name;
    }
    // The simplified reader takes 16-bit samples without a gamma as linear
    // light (and mixes up the passes of interlaced ones).
    if (file.at(24) == 16 && WithoutChunk(file, "gAMA") == file) continue;
    int worst = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      worst = std::max(worst, std::abs(pixels[i + 3] - reference[i + 3]));
      if (reference[i + 3] == 0) continue;  // the colour of nothing
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(pixels[i + c] - reference[i + c]));
    }
    // The simplified reader goes through linear light and back.
    EXPECT_LE(worst, 1) << name;
  }
  EXPECT_GE(files, 50);
}

Bytes Reduced(const Bytes& file, int factor) {
  const PngHeader header = ReadPngHeader(file.data(), file.size());
  const Size size = ReducedPng(header, factor);
  Bytes pixels(static_cast<std::size_t>(size.width) * size.height * 4);
  DecodeReducedPng(file.data(), file.size(), header, factor, pixels.data(), size.width * 4);
  return pixels;
}

// The previews' reduction: each pixel mixes its block, colours weighted by
// their opacity; the blocks at the edges are smaller.
TEST(PngDecoder, ReducedPicturesMixTheirBlocks) {
  const Bytes rgba = PngFile(3, 2, 8, 6, {255, 0, 0, 255, 0,   255, 0,   255, 0, 0, 255, 255,  //
                                          255, 0, 0, 0,   255, 255, 255, 51,  0, 0, 0,   255});
  EXPECT_EQ(Reduced(rgba, 2), Bytes({23, 139, 139, 140, 128, 0, 0, 255}));
  for (const char* name : {"basn6a16.png", "basn3p08.png"}) {
    const Bytes plain = WithoutChunk(ReadTestFile(kSuite + name), "gAMA");
    const Bytes interlaced = WithoutChunk(ReadTestFile(kSuite + "i" + name), "gAMA");
    EXPECT_EQ(Reduced(interlaced, 5), Reduced(plain, 5)) << name;
  }
  const PngHeader photo{4000, 3000, false, false};
  EXPECT_EQ(CoveringPngFactor(photo, 156, 117), 25);
}

// A palette picture of 3 x 2, its second entry half transparent.
Bytes PalettePng() {
  return PngFile(3, 2, 8, 3, {0, 1, 2, 2, 1, 0},
                 {{"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}}, {"tRNS", {255, 128}}});
}

TEST(PngDecoder, BoundAndDamage) {
  // The largest picture within the bitmap bound reads; one row more does not.
  const Bytes largest = PngFile(8192, 8192, 8, 0, {});
  EXPECT_EQ(ReadPngHeader(largest.data(), largest.size()).height, 8192);

  Bytes badDataCrc = PalettePng();
  badDataCrc[badDataCrc.size() - 13] ^= 1;  // the last byte of IDAT's CRC
  Bytes badHeaderCrc = PalettePng();
  badHeaderCrc[32] ^= 1;
  const Bytes good = PalettePng();
  const Bytes refused[] = {PngFile(100000, 100000, 8, 0, {}),
                           PngFile(8192, 8193, 8, 0, {}),
                           {},
                           {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0},
                           Bytes(good.begin(), good.end() - 24),  // cut in the image data
                           Bytes(good.begin(), good.end() - 12),  // without its end
                           badDataCrc,
                           badHeaderCrc};
  for (const Bytes& file : refused) {
    ExpectFailure<InvalidPicture>([&] { Decode(file); }, "PNG イメージが不正です");
  }
  PngRowReader reader(badDataCrc.data(), badDataCrc.size(),
                      ReadPngHeader(good.data(), good.size()));
  Bytes rows(24);
  reader.ReadOn(1, rows.data(), 12);
  ExpectFailure<InvalidPicture>([&] { reader.ReadOn(2, rows.data() + 12, 12); },
                                "PNG イメージが不正です");
  // The first row lies before the damage: it decodes, the palette's red
  // opaque and its half-transparent green as it is.
  EXPECT_EQ(Decode(badDataCrc, 1), Bytes({0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 255,  //
                                          0, 0, 0,   0,   0, 0,   0, 0,   0,   0, 0, 0}));
}

}  // namespace
}  // namespace zarumo
