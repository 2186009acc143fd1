// JPEG files for the tests, compressed by libjpeg from a callback for each pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "common/le_bytes_writer.h"

namespace test_common {

struct JpegOptions {
  bool greyscale = false;
  bool progressive = false;
  int quality = 95;
  // Luma samples for each chroma sample, across and down: 2 x 2 is 4:2:0.
  int lumaAcross = 2;
  int lumaDown = 2;
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
