// The structure of a device-independent bitmap file, checked against the
// file's own length before any of it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarumo {

extern const char kInvalidBitmapMessage[];

enum BitmapCompression : std::uint32_t {
  kBitmapRgb = 0,        // BI_RGB
  kBitmapRle8 = 1,       // BI_RLE8
  kBitmapRle4 = 2,       // BI_RLE4
  kBitmapBitFields = 3,  // BI_BITFIELDS
  kBitmapJpeg = 4,       // BI_JPEG: a whole image in the pixel data, as metafile records may hold
  kBitmapPng = 5,        // BI_PNG
};

constexpr std::size_t kBitmapFileHeaderSize = 14;    // sizeof(BITMAPFILEHEADER)
constexpr std::uint32_t kBitmapCoreHeaderSize = 12;  // sizeof(BITMAPCOREHEADER)
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;  // sizeof(BITMAPINFOHEADER)

struct BitmapLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows from the top down
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kBitmapRgb;
  std::uint32_t masks[3] = {};  // red, green, blue, for bit fields
  // Colour table as the system takes it (blue in the low byte); always the
  // full 2^bitCount entries for palette bitmaps, empty otherwise.
  std::vector<std::uint32_t> colours;
  std::size_t pixelOffset = 0;
  std::size_t pixelSize = 0;  // never more than the file holds, nor than the rows need
  std::uint32_t stride = 0;   // bytes per row

  bool Empty() const { return width == 0; }
  bool RunLength() const { return compression == kBitmapRle8 || compression == kBitmapRle4; }
  std::uint32_t Rows() const;
};

// Bytes in one row of a device-independent bitmap: rows are padded to whole
// 32-bit words.
inline std::uint64_t DibRowBytes(std::int64_t width, int bitCount) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

// Zero bytes give an empty layout. A wrong type, plane count or format raises
// InvalidPicture; a header or colour table cut short raises ReadFailure.
BitmapLayout ParseBitmapFile(const std::uint8_t* data, std::size_t size);

// What a bitmap's colour table holds, as the drawing calls are told.
enum class ColourTable {
  kColours,         // RGB entries
  kPaletteIndices,  // 16-bit indices into the selected palette
  kNone,            // no table: the pixels are palette indices
};

// Whether a bitmap without its file header, as metafile records carry it,
// holds together: `info` (`infoSize` bytes) holds the header, its masks and
// its colour table of the given kind; the format is one ParseBitmapFile takes; and `bitsSize`
// bytes hold the rows, or `rows` of them when fewer. Run-length bits must
// declare their size. A JPEG or PNG image (bit count 0) fits when its
// declared size does.
bool BitmapInfoAndBitsFit(const std::uint8_t* info, std::size_t infoSize, std::uint64_t bitsSize,
                          ColourTable table, std::uint32_t rows = UINT32_MAX);

// The same for a packed bitmap of `size` bytes, whose bits follow its colour table.
bool PackedBitmapFits(const std::uint8_t* dib, std::size_t size, ColourTable table,
                      std::uint32_t rows = UINT32_MAX);

// The BITMAPINFO (40-byte header, masks, colour table) that describes the
// layout's pixel data to the system.
std::vector<std::uint8_t> BitmapInfoBytes(const BitmapLayout& layout);

}  // namespace zarumo
