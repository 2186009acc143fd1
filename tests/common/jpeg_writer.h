// JPEG files for the tests, compressed by libjpeg from a callback for each pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include <jpeglib.h>

#include "common/le_bytes_writer.h"

namespace test_common {

// An Exif block as a camera writes it: a TIFF header and one directory with
// a maker's tag and then the orientation, of `type` with `count` values.
struct ExifBlock {
  int orientation = 1;
  bool bigEndian = false;
  int type = 3;  // SHORT
  int count = 1;
};

// Its APP1 segment, from the marker on.
inline Bytes ExifSegment(const ExifBlock& e) {
  Bytes b = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
      b.push_back(static_cast<std::uint8_t>(v >> 8 * (e.bigEndian ? n - 1 - i : i)));
  };
  put(e.bigEndian ? 0x4D4D : 0x4949, 2), put(42, 2), put(8, 4), put(2, 2);
  put(0x010F, 2), put(2, 2), put(4, 4), put(0x41424300, 4);  // Make, four bytes of text
  put(0x0112, 2), put(e.type, 2), put(e.count, 4), put(e.orientation, 2), put(0, 2);
  put(0, 4);  // no next directory
  b[2] = static_cast<std::uint8_t>((b.size() - 2) >> 8);
  b[3] = static_cast<std::uint8_t>(b.size() - 2);
  return b;
}

struct JpegOptions {
  bool greyscale = false;
  bool progressive = false;
  int quality = 95;
  // Luma samples for each chroma sample, across and down: 2 x 2 is 4:2:0.
  int lumaAcross = 2;
  int lumaDown = 2;
  std::optional<ExifBlock> exif;  // after the JFIF marker
};

// `pixel(x, y, samples)` fills in the pixel's samples: one grey, or red, green and blue.
template <typename Pixel>
Bytes WriteJpeg(int width, int height, const JpegOptions& options, Pixel pixel) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&info, &out, &outSize);
  const int components = options.greyscale ? 1 : 3;
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = options.greyscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (!options.greyscale) {
    info.comp_info[0].h_samp_factor = options.lumaAcross;
    info.comp_info[0].v_samp_factor = options.lumaDown;
  }
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  if (options.exif) {
    const Bytes segment = ExifSegment(*options.exif);
    jpeg_write_marker(&info, JPEG_APP0 + 1, &segment[4], static_cast<unsigned>(segment.size() - 4));
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * components);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) pixel(x, y, &row[static_cast<std::size_t>(x) * components]);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes result(out, out + outSize);
  std::free(out);
  return result;
}

}  // namespace test_common
