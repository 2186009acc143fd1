// GIF through giflib: the first image of a file, placed on its logical screen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "system/geometry.h"

namespace zarumo {

extern const char kInvalidGifMessage[];

struct GifHeader {
  // The logical screen, grown to hold a first image that reaches beyond it.
  int width = 0;
  int height = 0;
  // Where the first image lies on it.
  Rect image;
  // The first image leaves part of the screen uncovered, or has a
  // transparent colour.
  bool transparent = false;
};

// Reads up to the first image's descriptor. Raises InvalidPicture for any
// library error, for a file without an image and for a screen whose 32-bit
// bitmap would outgrow the bitmap bound.
GifHeader ReadGifHeader(const std::uint8_t* data, std::size_t size);

// Decodes the first image onto the logical screen as rows of four bytes a
// pixel, blue, green, red and straight alpha, the first row at `topRow`, each
// `rowStep` bytes below the one before: the image's pixels from its own or
// the global colour table, interlaced rows in their places, transparent black
// wherever the image leaves the screen showing, and no alpha where it has its
// transparent colour. Raises InvalidPicture for any library error.
void DecodeGif(const std::uint8_t* data, std::size_t size, const GifHeader& header,
               std::uint8_t* topRow, std::ptrdiff_t rowStep);

}  // namespace zarumo
