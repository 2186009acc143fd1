#include "pictures/bitmap_layout.h"

#include <algorithm>

#include "pictures/le_bytes.h"
#include "pictures/picture_limits.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidBitmapMessage[] = "ビットマップイメージが不正です";

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
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
  const std::uint64_t rowBytes = runLength
                                     ? static_cast<std::uint64_t>(width) * 4
                                     : (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
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

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

std::uint32_t BitmapLayout::Rows() const {
  return height < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(height))
                    : static_cast<std::uint32_t>(height);
}

BitmapLayout ParseBitmapFile(const std::uint8_t* data, std::size_t size) {
  BitmapLayout layout;
  if (size == 0) return layout;
  if (size < kFileHeaderSize) CutShort();
  if (data[0] != 'B' || data[1] != 'M') Invalid();
  const std::uint32_t offBits = ReadU32(data + 10);

  std::size_t pos = kFileHeaderSize;
  if (!Fits(pos, 4, size)) CutShort();
  const std::uint32_t headerSize = ReadU32(data + pos);
  if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) Invalid();
  if (!Fits(pos, headerSize, size)) CutShort();
  const std::uint8_t* h = data + pos;
  const bool core = headerSize == kCoreHeaderSize;

  std::uint16_t planes;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
  if (core) {
    layout.width = ReadU16(h + 4);
    layout.height = ReadU16(h + 6);
    planes = ReadU16(h + 8);
    layout.bitCount = ReadU16(h + 10);
  } else {
    layout.width = ReadS32(h + 4);
    layout.height = ReadS32(h + 8);
    planes = ReadU16(h + 12);
    layout.bitCount = ReadU16(h + 14);
    layout.compression = ReadU32(h + 16);
    sizeImage = ReadU32(h + 20);
    clrUsed = ReadU32(h + 32);
  }
  if (planes != 1) Invalid();
  if (!ValidFormat(core, layout.width, layout.height, layout.bitCount, layout.compression)) {
    Invalid();
  }
  pos += headerSize;

  if (layout.compression == kBitmapBitFields) {
    const std::uint8_t* m = h + kInfoHeaderSize;
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
  const std::uint64_t paletteSize = layout.bitCount <= 8 ? std::uint64_t{1} << layout.bitCount : 0;
  std::uint64_t count = clrUsed ? clrUsed : paletteSize;
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
  layout.stride = static_cast<std::uint32_t>(
      (static_cast<std::uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4);
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

std::vector<std::uint8_t> BitmapInfoBytes(const BitmapLayout& layout) {
  std::vector<std::uint8_t> out;
  out.reserve(kInfoHeaderSize + 12 + layout.colours.size() * 4);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(layout.width));
  PutU32(out, static_cast<std::uint32_t>(layout.height));
  PutU16(out, 1);
  PutU16(out, layout.bitCount);
  PutU32(out, layout.compression);
  PutU32(out, layout.RunLength() ? static_cast<std::uint32_t>(layout.pixelSize)
                                 : layout.stride * layout.Rows());
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(layout.colours.size()));
  PutU32(out, 0);
  if (layout.compression == kBitmapBitFields) {
    for (std::uint32_t m : layout.masks) PutU32(out, m);
  }
  for (std::uint32_t c : layout.colours) PutU32(out, c);
  return out;
}

}  // namespace zarumo
