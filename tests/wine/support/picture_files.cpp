#include "support/picture_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace wt {
namespace {

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

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
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      COLORREF c = colour(x, y);
      row[3 * x] = GetRValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetBValue(c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace wt
