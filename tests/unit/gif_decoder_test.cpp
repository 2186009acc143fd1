// Reading the first image of GIF files through giflib: the files of giflib's
// own pictures against renderings by another reader, and placement, colour
// tables, transparency, interlacing and damage in files made here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/expect_failure.h"
#include "common/png_gif_writer.h"
#include "pictures/gif_decoder.h"
#include "pictures/png_decoder.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::GifFile;
using test_common::GifFrame;

Bytes ReadTestFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Decoded {
  GifHeader header;
  Bytes pixels;
};

Decoded Decode(const Bytes& file) {
  Decoded d{ReadGifHeader(file.data(), file.size()), {}};
  d.pixels.assign(static_cast<std::size_t>(d.header.width) * d.header.height * 4, 0xAB);
  DecodeGif(file.data(), file.size(), d.header, d.pixels.data(), d.header.width * 4);
  return d;
}

TEST(GifDecoder, GiflibsPicturesAsAnotherReaderShowsTheirFirstImage) {
  const std::filesystem::path suite = ZARUMO_SOURCE_DIR "/tests/data/gifsuite";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(suite)) {
    if (entry.path().extension() != ".gif") continue;
    ++files;
    const std::string name = entry.path().stem().string();
    const Decoded gif = Decode(ReadTestFile(entry.path()));
    const Bytes png = ReadTestFile(suite / "reference" / (name + ".png"));
    const PngHeader header = ReadPngHeader(png.data(), png.size());
    Bytes reference(static_cast<std::size_t>(header.width) * header.height * 4);
    DecodePng(png.data(), png.size(), header, header.height, reference.data(), header.width * 4);
    EXPECT_EQ(gif.header.width, header.width) << name;
    EXPECT_EQ(gif.pixels, reference) << name;
  }
  EXPECT_GE(files, 8);
}

// A global table of black, white, red and green.
const Bytes kGlobal = {0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0};

// Placement, graphic control, local and missing tables, codes beyond a table,
// an image beyond its screen, which widens it as browsers show it (BGRA).
TEST(GifDecoder, TheFirstImageAsTheFileSays) {
  const Bytes o = {0, 0, 0, 0}, w = {255, 255, 255, 255}, r = {0, 0, 255, 255}, g = {0, 255, 0, 0},
              k = {0, 0, 0, 255}, n = {9, 9, 9, 255};
  const auto row = [](std::initializer_list<Bytes> pixels) {
    Bytes all;
    for (const Bytes& p : pixels) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const struct {
    Bytes file;
    int width, height;
    Bytes pixels;
  } cases[] = {
      {GifFile(4, 2, kGlobal,
               {{1, 0, 2, 2, {}, 3, {1, 2, 3, 1}}, {0, 0, 4, 2, {}, -1, Bytes(8, 2)}}),
       4, 2, row({o, w, r, o, o, g, w, o})},
      {GifFile(3, 1, kGlobal, {{0, 0, 3, 1, {255, 0, 0, 9, 9, 9}, -1, {0, 1, 3}}}), 3, 1,
       row({r, n, k})},
      {GifFile(2, 1, {}, {{0, 0, 2, 1, {}, -1, {7, 200}}}), 2, 1,
       Bytes({7, 7, 7, 255, 200, 200, 200, 255})},
      {GifFile(1, 1, kGlobal, {{1, 0, 1, 2, {}, -1, {1, 1}}}), 2, 2, row({o, w, o, w})},
  };
  for (const auto& c : cases) {
    const Decoded d = Decode(c.file);
    EXPECT_EQ(d.header.width * d.header.height, c.width * c.height);
    EXPECT_EQ(d.header.transparent, c.pixels[3] == 0 || c.pixels[7] == 0);
    EXPECT_EQ(d.pixels, c.pixels);
  }
}

TEST(GifDecoder, DamageAndTheBound) {
  const Bytes good = GifFile(4, 4, kGlobal, {{0, 0, 4, 4, {}, -1, Bytes(16, 2)}});
  Bytes huge = good;
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;  // 65535 x 65535
  const Bytes refused[] = {{},
                           {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0},
                           GifFile(4, 4, kGlobal, {}),  // no image
                           Bytes(good.begin(), good.end() - 6),
                           huge};
  for (const Bytes& file : refused) {
    test_common::ExpectFailure<InvalidPicture>([&] { Decode(file); }, "GIF イメージが不正です");
  }
}

}  // namespace
}  // namespace zarumo
