// PNG through libpng: the header at load, and later the rows from the top
// down to any row, as blue, green, red and alpha bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "system/geometry.h"

namespace zarumo {

extern const char kInvalidPngMessage[];

struct PngHeader {
  int width = 0;
  int height = 0;
  // Interlaced rows are spread over the whole file: such a file is read whole.
  bool interlaced = false;
  // An alpha channel or a transparent colour (tRNS).
  bool transparent = false;
};

// Reads up to the image data. Raises InvalidPicture for any library error and
// for a picture whose whole 32-bit bitmap would outgrow the bitmap bound,
// before anything of its size is allocated.
PngHeader ReadPngHeader(const std::uint8_t* data, std::size_t size);

// Decodes rows 0 to rows - 1 (all of them for an interlaced file) into rows of
// four bytes a pixel, blue, green, red and straight alpha, the first at
// `topRow`, each `rowStep` bytes below the one before. Every colour type and
// depth is expanded; 16-bit samples are scaled to 8 bits, and a file's gamma
// is corrected to the sRGB display's. Rows below `rows` are not read; when
// the last row is, what follows it is checked too. Raises InvalidPicture for
// any library error met on the way.
void DecodePng(const std::uint8_t* data, std::size_t size, const PngHeader& header, int rows,
               std::uint8_t* topRow, std::ptrdiff_t rowStep);

// A whole factor by which the picture, each side divided and rounded up,
// still covers `width` x `height`: the smaller quotient of the sides, at least 1.
int CoveringPngFactor(const PngHeader& header, int width, int height);
// The picture's size reduced by `factor`, each side rounded up.
Size ReducedPng(const PngHeader& header, int factor);

// Decodes the whole picture reduced by `factor` into rows of ReducedPng's
// size, laid out as DecodePng's: each pixel mixes the block of `factor` x
// `factor` pixels it covers (fewer at the right and bottom edges), their
// colours weighted by their opacity. Only a row of the picture is held at a
// time, all of them for an interlaced file.
void DecodeReducedPng(const std::uint8_t* data, std::size_t size, const PngHeader& header,
                      int factor, std::uint8_t* topRow, std::ptrdiff_t rowStep);

// A decode of a non-interlaced file that keeps its place, so that a later
// drawing that shows more rows reads only those. It reads from `data`, which
// must outlive it.
class PngRowReader {
 public:
  // Reads up to the first row. Raises InvalidPicture for any library error,
  // and for an interlaced file.
  PngRowReader(const std::uint8_t* data, std::size_t size, const PngHeader& header);
  ~PngRowReader();
  PngRowReader(const PngRowReader&) = delete;
  PngRowReader& operator=(const PngRowReader&) = delete;

  int RowsRead() const { return rowsRead_; }
  // Reads rows RowsRead() to rows - 1 as DecodePng does, the first at
  // `topRow`. Raises InvalidPicture for any library error, after which the
  // reader reads nothing more.
  void ReadOn(int rows, std::uint8_t* topRow, std::ptrdiff_t rowStep);

  struct State;

 private:
  PngHeader header_;
  std::unique_ptr<State> state_;
  int rowsRead_ = 0;
};

}  // namespace zarumo
