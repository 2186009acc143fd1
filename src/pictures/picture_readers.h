// The reader of each picture kind, from the file's bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "forms/picture.h"

namespace zarumo {

using FileBytes = std::vector<std::uint8_t>;

// A picture of 0 x 0 that draws nothing.
class EmptyPicture : public Picture {
 public:
  int Width() const override { return 0; }
  int Height() const override { return 0; }
  void Draw(HDC, int, int) override {}
};

std::unique_ptr<Picture> ReadBitmapPicture(const FileBytes& bytes);
// Keeps the bytes and decodes them at the first drawing.
std::unique_ptr<Picture> ReadJpegPicture(FileBytes bytes);
// Keeps the bytes and decodes the rows shown at each drawing.
std::unique_ptr<Picture> ReadPngPicture(FileBytes bytes);
std::unique_ptr<Picture> ReadGifPicture(const FileBytes& bytes);
std::unique_ptr<Picture> ReadIconPicture(const FileBytes& bytes);
std::unique_ptr<Picture> ReadEnhMetafilePicture(const FileBytes& bytes);
std::unique_ptr<Picture> ReadWinMetafilePicture(const FileBytes& bytes);

}  // namespace zarumo
