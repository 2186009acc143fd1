// Picture files made by the tests, from a colour for each pixel.
#include "support/picture_files.h"

#include "common/jpeg_writer.h"
#include "common/le_bytes_writer.h"
#include "common/png_gif_writer.h"

namespace wt {

using test_common::Put16;
using test_common::Put32;

std::string MakeBmp(int width, int height, const PixelColour& colour) {
  const unsigned stride = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
  const unsigned imageSize = stride * static_cast<unsigned>(height);
  std::string out = "BM";
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(width));
  Put32(out, static_cast<unsigned>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 3780);
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  std::string row(stride, '\0');
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = colour(x, y);
      row[3 * x] = static_cast<char>(GetBValue(c));
      row[3 * x + 1] = static_cast<char>(GetGValue(c));
      row[3 * x + 2] = static_cast<char>(GetRValue(c));
    }
    out += row;
  }
  return out;
}

std::string MakeJpeg(int width, int height, const PixelColour& colour) {
  const test_common::Bytes bytes = test_common::WriteJpeg(
      width, height, {}, [&colour](int x, int y, std::uint8_t* rgb) { PutRgb(colour(x, y), rgb); });
  return std::string(bytes.begin(), bytes.end());
}

std::string MakeUndecodableJpeg(int width, int height, COLORREF colour) {
  test_common::JpegOptions options;
  options.progressive = true;
  const test_common::Bytes bytes = test_common::WriteJpeg(
      width, height, options, [colour](int, int, std::uint8_t* rgb) { PutRgb(colour, rgb); });
  std::string jpeg(bytes.begin(), bytes.end());
  // The first scan is the DC scan: spectral selection 0 to 0. Make it 0 to 1.
  const std::size_t scan = jpeg.find("\xFF\xDA");
  if (scan != std::string::npos) {
    const std::size_t components = static_cast<unsigned char>(jpeg[scan + 4]);
    jpeg[scan + 5 + 2 * components + 1] = 1;  // Se
  }
  return jpeg;
}

const std::string& LargePhoto() {
  static const std::string photo = [] {
    test_common::JpegOptions options;
    options.quality = 75;
    const test_common::Bytes bytes = test_common::WriteJpeg(
        kLargePhotoWidth, kLargePhotoHeight, options, [](int, int y, std::uint8_t* rgb) {
          PutRgb(y < kLargePhotoHeight / 2 ? kLargePhotoTop : kLargePhotoBottom, rgb);
        });
    return std::string(bytes.begin(), bytes.end());
  }();
  return photo;
}

std::string MakePng(int width, int height, const PixelColour& colour,
                    const std::function<int(int x, int y)>& alpha) {
  test_common::Bytes rows;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      rows.insert(rows.end(), {GetRValue(c), GetGValue(c), GetBValue(c),
                               static_cast<std::uint8_t>(alpha(x, y))});
    }
  }
  const test_common::Bytes file = test_common::PngFile(width, height, 8, 6, rows);
  return std::string(file.begin(), file.end());
}

}  // namespace wt
