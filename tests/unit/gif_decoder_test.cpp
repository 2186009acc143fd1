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
    EXPECT_EQ(gif.header.height, header.height) << name;
    EXPECT_EQ(gif.pixels, reference) << name;
  }
  EXPECT_GE(files, 8);
}

// A screen of 6 x 4 with a global table of black, white, red and green.
const Bytes kGlobal = {0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0};

TEST(GifDecoder, TheFirstImageOnItsScreen) {
  GifFrame first{2, 1, 3, 2, {}, false, 3, {1, 2, 3, 3, 2, 1}};
  GifFrame second{0, 0, 6, 4, {}, false, -1, Bytes(24, 1)};
  const Decoded d = Decode(GifFile(6, 4, kGlobal, {first, second}));
  EXPECT_TRUE(d.header.transparent);
  EXPECT_TRUE(d.header.image == (Rect{2, 1, 3, 2}));
  // ARGB as the bytes read back; the transparent green keeps its colour.
  const std::uint32_t o = 0, w = 0xFFFFFFFF, r = 0xFFFF0000, g = 0x0000FF00;
  const std::uint32_t expected[24] = {o, o, o, o, o, o,  //
                                      o, o, w, r, g, o,  //
                                      o, o, g, r, w, o,  //
                                      o, o, o, o, o, o};
  for (int i = 0; i < 24; ++i) {
    const std::uint32_t pixel = d.pixels[i * 4] | d.pixels[i * 4 + 1] << 8 |
                                d.pixels[i * 4 + 2] << 16 |
                                static_cast<std::uint32_t>(d.pixels[i * 4 + 3]) << 24;
    EXPECT_EQ(pixel, expected[i]) << "pixel " << i;
  }
}

TEST(GifDecoder, TablesInterlacingAndAnImageBeyondTheScreen) {
  Bytes pixels(2 * 11);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 4);
  const GifFrame plain{0, 0, 2, 11, {}, false, -1, pixels};
  GifFrame interlaced = plain;
  interlaced.interlaced = true;
  EXPECT_EQ(Decode(GifFile(2, 11, kGlobal, {interlaced})).pixels,
            Decode(GifFile(2, 11, kGlobal, {plain})).pixels);
  EXPECT_FALSE(Decode(GifFile(2, 11, kGlobal, {plain})).header.transparent);

  // A local table wins; codes beyond a table are black; without any table
  // codes are grey levels.
  const GifFrame local{0, 0, 3, 1, {0, 0, 255, 9, 9, 9}, false, -1, {0, 1, 3}};
  EXPECT_EQ(Decode(GifFile(3, 1, kGlobal, {local})).pixels,
            Bytes({255, 0, 0, 255, 9, 9, 9, 255, 0, 0, 0, 255}));
  const GifFrame grey{0, 0, 2, 1, {}, false, -1, {7, 200}};
  EXPECT_EQ(Decode(GifFile(2, 1, {}, {grey})).pixels, Bytes({7, 7, 7, 255, 200, 200, 200, 255}));

  // An image reaching beyond its screen widens it, as browsers show it.
  const GifFrame beyond{1, 0, 3, 2, {}, false, -1, Bytes(6, 1)};
  const Decoded wide = Decode(GifFile(2, 1, kGlobal, {beyond}));
  EXPECT_EQ(wide.header.width, 4);
  EXPECT_EQ(wide.header.height, 2);
}

TEST(GifDecoder, DamageAndTheBound) {
  const Bytes good = GifFile(4, 4, kGlobal, {{0, 0, 4, 4, {}, false, -1, Bytes(16, 2)}});
  Bytes huge = good;
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;  // 65535 x 65535
  const struct {
    const char* what;
    Bytes file;
  } refused[] = {
      {"empty", {}},
      {"not a GIF", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0}},
      {"no image", GifFile(4, 4, kGlobal, {})},
      {"cut in the image", Bytes(good.begin(), good.end() - 6)},
      {"a screen of 65535 x 65535", huge},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.what);
    test_common::ExpectFailure<InvalidPicture>([&] { Decode(r.file); }, "GIF イメージが不正です");
  }
}

}  // namespace
}  // namespace zarumo
