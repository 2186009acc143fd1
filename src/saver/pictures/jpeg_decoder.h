// JPEG through libjpeg: the header at load, the whole picture at first drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zarumo {

struct JpegHeader {
  int width = 0;
  int height = 0;
  bool greyscale = false;
};

// Where the decoded rows go. Colour pictures give three bytes per pixel in
// blue, green, red order; greyscale ones one index into `greys` per pixel.
struct JpegTarget {
  std::uint8_t* topRow = nullptr;
  std::ptrdiff_t rowStep = 0;  // from one row to the one below it
  JpegHeader header;           // what the buffer was made for
};

// The library's colour map of a greyscale picture: at most 236 levels.
struct JpegGreys {
  int count = 0;
  std::uint8_t level[256] = {};
};

// "JPEG エラー #n" for the library's message code n.
std::string JpegErrorMessage(int code);
// The same for a picture beyond the size limits.
std::string JpegTooBigMessage();

// Reads up to the first scan. Raises InvalidPicture for any library error and
// for pictures larger than the limits.
JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size);

// Decodes at full size with the floating-point inverse DCT and block
// smoothing; greyscale pictures are quantized by the library into `greys`.
// Raises InvalidPicture for any library error.
void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegTarget& target,
                JpegGreys& greys);

}  // namespace zarumo
