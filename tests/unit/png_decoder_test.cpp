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

Bytes ReadTestFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The rows of the whole picture, or of the first `rows`, four bytes a pixel.
Bytes Decode(const Bytes& file, int rows = -1, std::uint8_t fill = 0) {
  const PngHeader header = ReadPngHeader(file.data(), file.size());
  Bytes pixels(static_cast<std::size_t>(header.width) * header.height * 4, fill);
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

TEST(PngDecoder, EverySuiteFileAsTheSimplifiedReaderSeesIt) {
  int files = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(ZARUMO_SOURCE_DIR "/tests/data/pngsuite")) {
    if (entry.path().extension() != ".png") continue;
    ++files;
    const std::string name = entry.path().filename().string();
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
    ASSERT_EQ(pixels.size(), reference.size()) << name;
    // The simplified reader takes 16-bit samples without a gamma as linear
    // light (and mixes up the passes of interlaced ones): these are checked
    // against their twins below.
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

// The "i" files of the suite are the others interlaced (or, for two, not),
// with the gamma of the others left out.
TEST(PngDecoder, InterlacedFilesAsTheirTwins) {
  int twins = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(ZARUMO_SOURCE_DIR "/tests/data/pngsuite")) {
    const std::string name = entry.path().filename().string();
    if (name[0] != 'i') continue;
    ++twins;
    const Bytes interlaced = WithoutChunk(ReadTestFile(entry.path()), "gAMA");
    const Bytes plain =
        WithoutChunk(ReadTestFile(entry.path().parent_path() / name.substr(1)), "gAMA");
    EXPECT_EQ(Decode(interlaced), Decode(plain)) << name;
  }
  EXPECT_GE(twins, 20);
}

TEST(PngDecoder, RowsFromTheTopAreThoseOfTheWholePicture) {
  for (const char* name : {"basn2c16.png", "basn3p04.png", "basn6a08.png"}) {
    const Bytes file = ReadTestFile(ZARUMO_SOURCE_DIR "/tests/data/pngsuite/" + std::string(name));
    const Bytes whole = Decode(file);
    const Bytes top = Decode(file, 5, 0xAB);
    const std::size_t split = 32 * 4 * 5;
    EXPECT_TRUE(std::equal(top.begin(), top.begin() + split, whole.begin())) << name;
    EXPECT_TRUE(std::all_of(top.begin() + split, top.end(), [](int b) { return b == 0xAB; }))
        << name;
  }
}

// The previews' reduction: each pixel the opacity-weighted mean of its block,
// against a plain mean of the whole picture's pixels.
TEST(PngDecoder, ReducedPicturesMixTheirBlocks) {
  const struct {
    const char* name;
    int factor;
  } cases[] = {
      {"basn6a08.png", 3}, {"ibasn6a16.png", 5}, {"basn2c08.png", 32}, {"ftbwn3p08.png", 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file =
        ReadTestFile(ZARUMO_SOURCE_DIR "/tests/data/pngsuite/" + std::string(c.name));
    const PngHeader header = ReadPngHeader(file.data(), file.size());
    const Bytes whole = Decode(file);
    const Size size = ReducedPng(header, c.factor);
    Bytes reduced(static_cast<std::size_t>(size.width) * size.height * 4);
    DecodeReducedPng(file.data(), file.size(), header, c.factor, reduced.data(), size.width * 4);
    int worst = 0;
    for (int ry = 0; ry < size.height; ++ry) {
      for (int rx = 0; rx < size.width; ++rx) {
        double sum[4] = {}, count = 0;
        for (int y = ry * c.factor; y < std::min(header.height, (ry + 1) * c.factor); ++y) {
          for (int x = rx * c.factor; x < std::min(header.width, (rx + 1) * c.factor); ++x) {
            const std::uint8_t* p = &whole[(static_cast<std::size_t>(y) * header.width + x) * 4];
            for (int k = 0; k < 3; ++k) sum[k] += p[k] * p[3];
            sum[3] += p[3], ++count;
          }
        }
        const std::uint8_t* got = &reduced[(static_cast<std::size_t>(ry) * size.width + rx) * 4];
        worst = std::max(worst, std::abs(got[3] - static_cast<int>(sum[3] / count + 0.5)));
        for (int k = 0; k < 3 && sum[3] > 0; ++k)
          worst = std::max(worst, std::abs(got[k] - static_cast<int>(sum[k] / sum[3] + 0.5)));
      }
    }
    EXPECT_LE(worst, 1);
  }
  const PngHeader photo{4000, 3000, false, false};
  EXPECT_EQ(CoveringPngFactor(photo, 156, 117), 25);
  EXPECT_EQ(ReducedPng(photo, 25).width, 160);
  EXPECT_EQ(CoveringPngFactor(photo, 4000, 3000), 1);
  EXPECT_EQ(CoveringPngFactor(photo, 5000, 10), 1);
  EXPECT_EQ(CoveringPngFactor(photo, 0, 0), 1);
}

// A palette picture of 3 x 2: red, green and half-transparent blue, with
// the third entry beyond tRNS and so opaque.
Bytes PalettePng() {
  return PngFile(3, 2, 8, 3, {0, 1, 2, 2, 1, 0},
                 {{"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}}, {"tRNS", {255, 128}}});
}

TEST(PngDecoder, PaletteTransparencyOnlyCoversItsEntries) {
  const Bytes pixels = Decode(PalettePng());
  EXPECT_EQ(pixels, Bytes({0,   0, 255, 255, 0, 255, 0, 128, 255, 0, 0,   255,  //
                           255, 0, 0,   255, 0, 255, 0, 128, 0,   0, 255, 255}));
}

TEST(PngDecoder, BoundAndDamage) {
  // The largest picture within the bitmap bound reads; one row more does not.
  const Bytes tiny = test_common::StoredZlib({0});
  auto header = [&](std::uint32_t width, std::uint32_t height) {
    Bytes file = PngFile(1, 1, 8, 0, {0});
    for (int i = 0; i < 4; ++i) {
      file[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
      file[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const std::uint32_t crc = test_common::Crc32(file.data() + 12, 17);
    for (int i = 0; i < 4; ++i) file[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return file;
  };
  EXPECT_EQ(ReadPngHeader(header(8192, 8192).data(), header(8192, 8192).size()).height, 8192);

  Bytes badDataCrc = PalettePng();
  badDataCrc[badDataCrc.size() - 13] ^= 1;  // the last byte of IDAT's CRC
  Bytes badHeaderCrc = PalettePng();
  badHeaderCrc[32] ^= 1;
  const Bytes good = PalettePng();
  const struct {
    const char* what;
    Bytes file;
  } refused[] = {
      {"100,000 x 100,000", header(100000, 100000)},
      {"8192 x 8193", header(8192, 8193)},
      {"empty", {}},
      {"not a PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
      {"cut in the image data", Bytes(good.begin(), good.end() - 24)},
      {"without its end", Bytes(good.begin(), good.end() - 12)},
      {"a bad checksum on the image data", badDataCrc},
      {"a bad checksum on the header", badHeaderCrc},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.what);
    ExpectFailure<InvalidPicture>([&] { Decode(r.file); }, "PNG イメージが不正です");
  }
  // The first row lies before the damage: it decodes.
  EXPECT_EQ(Decode(badDataCrc, 1)[2], 255);
}

}  // namespace
}  // namespace zarumo
