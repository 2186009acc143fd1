// The images listed in an icon file, and the choice of the one to show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarumo {

extern const char kInvalidIconMessage[];

struct IconImage {
  std::size_t offset = 0;  // of the image's own bytes in the file
  std::size_t size = 0;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool maskless = false;  // a 32-bit image of colour rows only
};

// The usable images: each lies within the file and its own header accounts
// for all of its bytes. Raises InvalidPicture when the directory is malformed,
// its type is above 1, or no image is usable.
std::vector<IconImage> ParseIconDirectory(const std::uint8_t* data, std::size_t size);

// The bytes of a mask-less image (from `data`, the file) followed by the mask
// its alpha channel gives: transparent where alpha is 0, unless every alpha
// is 0, which is an image without alpha and so opaque.
std::vector<std::uint8_t> MaskedIconImage(const std::uint8_t* data, const IconImage& image);

// Index of the image that best fits the wanted size among those with no more
// colours than the display; if every image has more, among those with the fewest.
std::size_t ChooseIconImage(const std::vector<IconImage>& images, int wantWidth, int wantHeight,
                            int displayBitsPerPixel);

}  // namespace zarumo
