// The orientation tag of the Exif block a JPEG file carries in an APP1 segment.
#include "pictures/exif_orientation.h"

#include <cstring>

namespace zarumo {

namespace {

constexpr int kAsStored = 1;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// The TIFF structure inside the block: offsets count from its first byte.
class Tiff {
 public:
  Tiff(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool ReadOrder() {
    if (size_ < 8) return false;
    if (data_[0] == 'I' && data_[1] == 'I') {
      bigEndian_ = false;
    } else if (data_[0] == 'M' && data_[1] == 'M') {
      bigEndian_ = true;
    } else {
      return false;
    }
    return U16(2) == 42;
  }

  bool Holds(std::size_t at, std::size_t length) const {
    return at <= size_ && length <= size_ - at;
  }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(bigEndian_ ? data_[at] << 8 | data_[at + 1]
                                                 : data_[at + 1] << 8 | data_[at]);
  }
  std::uint32_t U32(std::size_t at) const {
    const std::uint32_t first = U16(at);
    const std::uint32_t second = U16(at + 2);
    return bigEndian_ ? first << 16 | second : second << 16 | first;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool bigEndian_ = false;
};

// The orientation in the first directory of a TIFF structure.
int OrientationIn(const std::uint8_t* data, std::size_t size) {
  Tiff tiff(data, size);
  if (!tiff.ReadOrder()) return kAsStored;
  const std::size_t directory = tiff.U32(4);
  if (directory < 8 || !tiff.Holds(directory, 2)) return kAsStored;
  const std::size_t count = tiff.U16(directory);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = directory + 2 + 12 * i;
    if (!tiff.Holds(entry, 12)) return kAsStored;
    if (tiff.U16(entry) != kOrientationTag) continue;
    if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) != 1) return kAsStored;
    const int value = tiff.U16(entry + 8);
    return value >= 1 && value <= 8 ? value : kAsStored;
  }
  return kAsStored;
}

}  // namespace

int ReadExifOrientation(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return kAsStored;
  std::size_t pos = 2;
  while (pos + 4 <= size) {
    if (data[pos] != 0xFF) return kAsStored;
    const std::uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {  // a fill byte before the marker
      ++pos;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return kAsStored;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      pos += 2;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(data[pos + 2] << 8 | data[pos + 3]);
    if (length < 2 || length > size - pos - 2) return kAsStored;
    const std::uint8_t* payload = data + pos + 4;
    const std::size_t payloadSize = length - 2;
    if (marker == 0xE1 && payloadSize >= sizeof kExif &&
        std::memcmp(payload, kExif, sizeof kExif) == 0) {
      return OrientationIn(payload + sizeof kExif, payloadSize - sizeof kExif);
    }
    pos += 2 + length;
  }
  return kAsStored;
}

}  // namespace zarumo
