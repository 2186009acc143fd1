// JPEG through libjpeg: the header at load, and later any part of the
// picture, at full size or reduced by one of the library's scales.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "system/geometry.h"

namespace zarumo {

struct JpegHeader {
  int width = 0;
  int height = 0;
  bool greyscale = false;
  // Progressive and other files of several scans are read whole at every decode.
  bool severalScans = false;
  // The Exif orientation, 1 to 8; `width` and `height` are the stored ones.
  int orientation = 1;
};

// The library's scales are eighths, from 1/8 to 8/8.
constexpr int kJpegFullScale = 8;

// The whole picture decoded at `eighths`/8 as it is shown: each stored side
// rounded up, as the library does, and the two swapped for a quarter turn.
Rect ScaledJpeg(const JpegHeader& header, int eighths);

// The smallest scale whose whole picture is at least `width` x `height`, or
// full scale when none is.
int CoveringJpegScale(const JpegHeader& header, int width, int height);

// Where the decoded rows go. Colour pictures give three bytes per pixel in
// blue, green, red order; greyscale ones one index into `greys` per pixel.
struct JpegTarget {
  std::uint8_t* topRow = nullptr;  // the first row of `part`
  std::ptrdiff_t rowStep = 0;      // from one row to the one below it
  JpegHeader header;               // what the buffer was made for
  int eighths = kJpegFullScale;
  Rect part;  // what the buffer holds, within ScaledJpeg(header, eighths)
};

// The library's colour map of a greyscale picture: at most 236 levels.
struct JpegGreys {
  int count = 0;
  std::uint8_t level[256] = {};
};

// "JPEG エラー #n" for the library's message code n.
std::string JpegErrorMessage(int code);
// The same for a file beyond the size limits.
std::string JpegTooBigMessage();

// Reads up to the first scan, and the orientation. Raises InvalidPicture for
// any library error.
JpegHeader ReadJpegHeader(const std::uint8_t* data, std::size_t size);

// Decodes the target's part with the floating-point inverse DCT and block
// smoothing; greyscale pictures are quantized by the library into `greys`.
// The pixels are those a decode of the whole picture gives there, mirrored and
// turned as the header's orientation says: only the stored rectangle shown as
// the part is decoded. Stored rows below it are not read, so damage that lies
// wholly below it goes unseen; a file of several scans is read whole first.
// Raises InvalidPicture for any library error met on the way, and for a file
// whose coefficients would outgrow the decoder's memory bound.
void DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegTarget& target,
                JpegGreys& greys);

}  // namespace zarumo
