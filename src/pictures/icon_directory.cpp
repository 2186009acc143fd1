// The images listed in an icon file, and the choice of the one to show.
#include "pictures/icon_directory.h"

#include <algorithm>
#include <cstdlib>

#include "pictures/bitmap_layout.h"
#include "pictures/le_bytes.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidIconMessage[] = "アイコンイメージが不正です";

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr int kMaxIconSide = 1024;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t ReadU32BigEndian(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

bool SideOk(std::int64_t side) { return side >= 1 && side <= kMaxIconSide; }

// A PNG image: its signature and the header chunk that gives its size.
bool ReadPngImage(const std::uint8_t* p, std::size_t n, IconImage& image) {
  constexpr std::size_t kIhdrEnd = 8 + 8 + 13 + 4;
  if (n < kIhdrEnd || !std::equal(kPngSignature, kPngSignature + 8, p)) return false;
  if (ReadU32BigEndian(p + 8) != 13 || !std::equal(p + 12, p + 16, "IHDR")) return false;
  const std::uint32_t width = ReadU32BigEndian(p + 16);
  const std::uint32_t height = ReadU32BigEndian(p + 20);
  if (!SideOk(width) || !SideOk(height)) return false;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bitsPerPixel = 32;
  return true;
}

// A DIB image: header, colour table, colour rows and mask rows, all within `n`.
bool ReadDibImage(const std::uint8_t* p, std::size_t n, IconImage& image) {
  if (n < kBitmapInfoHeaderSize) return false;
  const std::uint32_t headerSize = ReadU32(p);
  const std::int32_t width = ReadS32(p + 4);
  const std::int32_t doubleHeight = ReadS32(p + 8);  // colour rows and mask rows
  const std::uint16_t planes = ReadU16(p + 12);
  const std::uint16_t bitCount = ReadU16(p + 14);
  const std::uint32_t compression = ReadU32(p + 16);
  const std::uint32_t clrUsed = ReadU32(p + 32);
  if (headerSize < kBitmapInfoHeaderSize || headerSize > n) return false;
  if (planes != 1 || compression != 0) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32) {
    return false;
  }
  const std::int64_t height = doubleHeight / 2;
  if (!SideOk(width) || !SideOk(height)) return false;
  std::uint64_t colours = clrUsed;
  if (bitCount <= 8 && colours == 0) colours = std::uint64_t{1} << bitCount;
  if (colours > 256) return false;
  const std::uint64_t colourStride = DibRowBytes(width, bitCount);
  const std::uint64_t maskStride = DibRowBytes(width, 1);
  const std::uint64_t rows = static_cast<std::uint64_t>(height);
  const std::uint64_t colourEnd = headerSize + colours * 4 + colourStride * rows;
  if (colourEnd + maskStride * rows > n) {
    // Web icon generators leave the mask out of 32-bit images, whose alpha
    // channel says the same; browsers show them.
    if (bitCount != 32 || colourEnd > n) return false;
    image.maskless = true;
  }
  image.width = width;
  image.height = static_cast<int>(height);
  image.bitsPerPixel = bitCount;
  return true;
}

// Above 24 bits the colours are what the eye sees as the same.
int ColourBits(int bitsPerPixel) { return std::min(bitsPerPixel, 24); }

}  // namespace

std::vector<IconImage> ParseIconDirectory(const std::uint8_t* data, std::size_t size) {
  if (size < kDirectorySize) throw InvalidPicture(kInvalidIconMessage);
  const std::uint16_t type = ReadU16(data + 2);
  const std::uint16_t count = ReadU16(data + 4);
  if (type > 1 || count == 0) throw InvalidPicture(kInvalidIconMessage);
  if (!Fits(kDirectorySize, std::uint64_t{count} * kEntrySize, size)) {
    throw InvalidPicture(kInvalidIconMessage);
  }
  std::vector<IconImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = data + kDirectorySize + i * kEntrySize;
    IconImage image;
    const std::uint32_t bytes = ReadU32(entry + 8);
    const std::uint32_t offset = ReadU32(entry + 12);
    if (!Fits(offset, bytes, size)) continue;
    image.offset = offset;
    image.size = bytes;
    const std::uint8_t* p = data + offset;
    if (ReadPngImage(p, bytes, image) || ReadDibImage(p, bytes, image)) images.push_back(image);
  }
  if (images.empty()) throw InvalidPicture(kInvalidIconMessage);
  return images;
}

std::vector<std::uint8_t> MaskedIconImage(const std::uint8_t* data, const IconImage& image) {
  const std::uint8_t* p = data + image.offset;
  const std::size_t rowsAt = ReadU32(p) + std::size_t{ReadU32(p + 32)} * 4;
  const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
  const std::size_t rows = static_cast<std::size_t>(image.height);
  std::vector<std::uint8_t> out(p, p + rowsAt + stride * rows);
  const std::uint8_t* pixels = out.data() + rowsAt;
  bool anyAlpha = false;
  for (std::size_t i = 3; i < stride * rows; i += 4) anyAlpha |= pixels[i] != 0;
  const std::size_t maskStride = static_cast<std::size_t>(DibRowBytes(image.width, 1));
  std::vector<std::uint8_t> mask(maskStride * rows, 0);
  for (std::size_t y = 0; y < rows && anyAlpha; ++y)
    for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x)
      if (pixels[y * stride + x * 4 + 3] == 0) mask[y * maskStride + x / 8] |= 0x80 >> (x % 8);
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

std::size_t ChooseIconImage(const std::vector<IconImage>& images, int wantWidth, int wantHeight,
                            int displayBitsPerPixel) {
  if (images.empty()) throw InvalidPicture(kInvalidIconMessage);
  int limit = ColourBits(displayBitsPerPixel);
  const bool anyFits = std::any_of(images.begin(), images.end(), [&](const IconImage& image) {
    return ColourBits(image.bitsPerPixel) <= limit;
  });
  if (!anyFits) {
    limit = ColourBits(
        std::min_element(images.begin(), images.end(), [](const IconImage& a, const IconImage& b) {
          return a.bitsPerPixel < b.bitsPerPixel;
        })->bitsPerPixel);
  }
  std::size_t best = images.size();
  long bestDistance = 0;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    const int bits = ColourBits(image.bitsPerPixel);
    if (bits > limit) continue;
    const long distance = std::labs(static_cast<long>(image.width) - wantWidth) +
                          std::labs(static_cast<long>(image.height) - wantHeight);
    // Nearer in size wins; at the same distance, more colours.
    if (best == images.size() || distance < bestDistance ||
        (distance == bestDistance && bits > ColourBits(images[best].bitsPerPixel))) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace zarumo
