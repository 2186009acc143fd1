// The structure of a bitmap file, checked against its length before use.
#include "pictures/bitmap_layout.h"

#include <algorithm>

#include "pictures/le_bytes.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidBitmapMessage[] = "ビットマップイメージが不正です";

namespace {

// From this size on the masks are part of the header.
constexpr std::uint32_t kHeaderWithMasks = 52;

[[noreturn]] void Invalid() { throw InvalidPicture(kInvalidBitmapMessage); }
[[noreturn]] void CutShort() { throw ReadFailure(); }

bool ValidFormat(bool core, std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                 std::uint32_t compression) {
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;
  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  // Run-length data becomes a bitmap of the display's format: up to 4 bytes a pixel.
  const bool runLength = compression == kBitmapRle8 || compression == kBitmapRle4;
  const std::uint64_t rowBytes =
      runLength ? static_cast<std::uint64_t>(width) * 4 : DibRowBytes(width, bitCount);
  if (rowBytes * rows > kMaxBitmapBytes) return false;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      break;
    case 16:
    case 32:
      if (core) return false;
      break;
    default:
      return false;
  }
  switch (compression) {
    case kBitmapRgb:
      return true;
    case kBitmapRle8:
      return bitCount == 8 && height > 0;
    case kBitmapRle4:
      return bitCount == 4 && height > 0;
    case kBitmapBitFields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

struct HeaderFields {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kBitmapRgb;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
};

// The header at `h`, whose length the caller has checked.
HeaderFields ReadHeader(const std::uint8_t* h, bool core) {
  HeaderFields f;
  if (core) {
    f.width = ReadU16(h + 4);
    f.height = ReadU16(h + 6);
    f.planes = ReadU16(h + 8);
    f.bitCount = ReadU16(h + 10);
  } else {
    f.width = ReadS32(h + 4);
    f.height = ReadS32(h + 8);
    f.planes = ReadU16(h + 12);
    f.bitCount = ReadU16(h + 14);
    f.compression = ReadU32(h + 16);
    f.sizeImage = ReadU32(h + 20);
    f.clrUsed = ReadU32(h + 32);
  }
  return f;
}

bool ValidHeader(bool core, const HeaderFields& f) {
  return f.planes == 1 && ValidFormat(core, f.width, f.height, f.bitCount, f.compression);
}

// Entries of the colour table that follows the header and masks.
std::uint64_t ColourCount(std::uint16_t bitCount, std::uint32_t clrUsed) {
  const std::uint64_t paletteSize = bitCount <= 8 ? std::uint64_t{1} << bitCount : 0;
  return clrUsed ? clrUsed : paletteSize;
}

}  // namespace

std::uint32_t BitmapLayout::Rows() const {
  return height < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(height))
                    : static_cast<std::uint32_t>(height);
}

BitmapLayout ParseBitmapFile(const std::uint8_t* data, std::size_t size) {
  BitmapLayout layout;
  if (size == 0) return layout;
  if (size < kBitmapFileHeaderSize) CutShort();
  if (data[0] != 'B' || data[1] != 'M') Invalid();
  const std::uint32_t offBits = ReadU32(data + 10);

  std::size_t pos = kBitmapFileHeaderSize;
  if (!Fits(pos, 4, size)) CutShort();
  const std::uint32_t headerSize = ReadU32(data + pos);
  if (headerSize != kBitmapCoreHeaderSize && headerSize < kBitmapInfoHeaderSize) Invalid();
  if (!Fits(pos, headerSize, size)) CutShort();
  const std::uint8_t* h = data + pos;
  const bool core = headerSize == kBitmapCoreHeaderSize;

  const HeaderFields fields = ReadHeader(h, core);
  if (!ValidHeader(core, fields)) Invalid();
  layout.width = fields.width;
  layout.height = fields.height;
  layout.bitCount = fields.bitCount;
  layout.compression = fields.compression;
  const std::uint32_t sizeImage = fields.sizeImage;
  const std::uint32_t clrUsed = fields.clrUsed;
  pos += headerSize;

  if (layout.compression == kBitmapBitFields) {
    const std::uint8_t* m = h + kBitmapInfoHeaderSize;
    if (headerSize < kHeaderWithMasks) {
      if (!Fits(pos, 12, size)) CutShort();
      m = data + pos;
      pos += 12;
    }
    for (int i = 0; i < 3; ++i) layout.masks[i] = ReadU32(m + 4 * i);
  }

  // Palette bitmaps without a count have the full table; a core header has
  // no count, so a table that reaches past the pixel offset is taken as short.
  const std::uint64_t entrySize = core ? 3 : 4;
  const std::uint64_t paletteSize = ColourCount(layout.bitCount, 0);
  std::uint64_t count = ColourCount(layout.bitCount, clrUsed);
  if (core && offBits > pos && offBits < pos + count * entrySize) {
    count = (offBits - pos) / entrySize;
  }
  if (!Fits(pos, count * entrySize, size)) CutShort();
  if (paletteSize) {
    layout.colours.assign(paletteSize, 0);
    const std::uint64_t kept = std::min(count, paletteSize);
    for (std::uint64_t i = 0; i < kept; ++i) {
      const std::uint8_t* e = data + pos + i * entrySize;
      layout.colours[i] = e[0] | e[1] << 8 | e[2] << 16;
    }
  }
  pos += count * entrySize;

  // The pixel offset is trusted only where it lies between the table and the end.
  layout.pixelOffset = offBits >= pos && offBits <= size ? offBits : pos;
  const std::uint64_t remaining = size - layout.pixelOffset;
  layout.stride = static_cast<std::uint32_t>(DibRowBytes(layout.width, layout.bitCount));
  const std::uint64_t full = static_cast<std::uint64_t>(layout.stride) * layout.Rows();
  std::uint64_t declared = sizeImage;
  if (layout.RunLength()) {
    if (declared == 0) declared = remaining;
  } else if (declared == 0 || declared > full) {
    declared = full;
  }
  layout.pixelSize = static_cast<std::size_t>(std::min(declared, remaining));
  return layout;
}

namespace {

// The length of a bitmap's header, masks and colour table within `available`
// bytes, or 0 when they do not fit or the reader would not take the format.
std::uint64_t InfoLength(const std::uint8_t* info, std::size_t available, ColourTable table,
                         HeaderFields& f) {
  if (available < 4) return 0;
  const std::uint32_t headerSize = ReadU32(info);
  if (headerSize != kBitmapCoreHeaderSize && headerSize < kBitmapInfoHeaderSize) return 0;
  if (headerSize > available) return 0;
  const bool core = headerSize == kBitmapCoreHeaderSize;
  f = ReadHeader(info, core);
  if (!ValidHeader(core, f)) return 0;
  std::uint64_t tableAt = headerSize;
  if (f.compression == kBitmapBitFields && headerSize < kHeaderWithMasks) tableAt += 12;
  // The system reads no more entries than a palette bitmap's pixels can index.
  std::uint64_t colours = ColourCount(f.bitCount, f.clrUsed);
  if (f.bitCount <= 8) colours = std::min(colours, ColourCount(f.bitCount, 0));
  const std::uint64_t entrySize = table == ColourTable::kNone             ? 0
                                  : table == ColourTable::kPaletteIndices ? 2
                                  : core                                  ? 3
                                                                          : 4;
  if (!Fits(tableAt, colours * entrySize, available)) return 0;
  return tableAt + colours * entrySize;
}

bool BitsSuffice(const HeaderFields& f, std::uint64_t bitsSize, std::uint32_t rows) {
  if (f.compression == kBitmapRle8 || f.compression == kBitmapRle4) {
    return f.sizeImage != 0 && f.sizeImage <= bitsSize;
  }
  const std::uint64_t allRows = f.height < 0 ? -static_cast<std::int64_t>(f.height) : f.height;
  return DibRowBytes(f.width, f.bitCount) * std::min<std::uint64_t>(allRows, rows) <= bitsSize;
}

// A JPEG or PNG image as a whole (bit count 0): the player hands its
// declared bytes on to the device, and there is no colour table to read.
bool EmbeddedImageFits(const std::uint8_t* info, std::size_t infoSize, std::uint64_t bitsSize) {
  if (infoSize < kBitmapInfoHeaderSize) return false;
  const std::uint32_t headerSize = ReadU32(info);
  if (headerSize < kBitmapInfoHeaderSize || headerSize > infoSize) return false;
  const HeaderFields f = ReadHeader(info, false);
  if (f.bitCount != 0 || (f.compression != kBitmapJpeg && f.compression != kBitmapPng)) {
    return false;
  }
  const std::uint64_t colours = std::min<std::uint64_t>(f.clrUsed, 256);
  return f.planes == 1 && f.width > 0 && f.height != 0 && f.height != INT32_MIN &&
         Fits(headerSize, colours * 4, infoSize) && f.sizeImage <= bitsSize;
}

}  // namespace

bool BitmapInfoAndBitsFit(const std::uint8_t* info, std::size_t infoSize, std::uint64_t bitsSize,
                          ColourTable table, std::uint32_t rows) {
  HeaderFields f;
  return (InfoLength(info, infoSize, table, f) != 0 && BitsSuffice(f, bitsSize, rows)) ||
         EmbeddedImageFits(info, infoSize, bitsSize);
}

bool PackedBitmapFits(const std::uint8_t* dib, std::size_t size, ColourTable table,
                      std::uint32_t rows) {
  HeaderFields f;
  const std::uint64_t info = InfoLength(dib, size, table, f);
  return info != 0 && BitsSuffice(f, size - info, rows);
}

std::vector<std::uint8_t> BitmapInfoBytes(const BitmapLayout& layout) {
  std::vector<std::uint8_t> out;
  out.reserve(kBitmapInfoHeaderSize + 12 + layout.colours.size() * 4);
  Put32(out, kBitmapInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(layout.width));
  Put32(out, static_cast<std::uint32_t>(layout.height));
  Put16(out, 1);
  Put16(out, layout.bitCount);
  Put32(out, layout.compression);
  Put32(out, layout.RunLength() ? static_cast<std::uint32_t>(layout.pixelSize)
                                : layout.stride * layout.Rows());
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(layout.colours.size()));
  Put32(out, 0);
  if (layout.compression == kBitmapBitFields) {
    for (std::uint32_t m : layout.masks) Put32(out, m);
  }
  for (std::uint32_t c : layout.colours) Put32(out, c);
  return out;
}

}  // namespace zarumo
