// Metafiles for the tests: enhanced and Windows metafiles around the records
// a test gives, and the placeable header that may stand before the latter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/le_bytes_writer.h"

namespace test_common {

struct MetafileRect {
  std::int32_t left, top, right, bottom;
};

// An enhanced metafile: its header with these bounds (pixels) and frame
// (0.01 mm), then `records`, then the end-of-file record.
inline Bytes EnhancedMetafile(MetafileRect bounds, MetafileRect frame, const Bytes& records) {
  std::uint32_t count = 2;  // the header and the end of file
  for (std::size_t at = 0; at + 8 <= records.size() && Get32(records, at + 4) >= 8;
       at += Get32(records, at + 4))
    ++count;
  Bytes b;
  Put32(b, 1);  // EMR_HEADER
  Put32(b, 88);
  for (std::int32_t v : {bounds.left, bounds.top, bounds.right, bounds.bottom, frame.left,
                         frame.top, frame.right, frame.bottom})
    Put32(b, static_cast<std::uint32_t>(v));
  Put32(b, 0x464D4520);  // " EMF"
  Put32(b, 0x10000);
  Put32(b, static_cast<std::uint32_t>(88 + records.size() + 20));
  Put32(b, count);
  Put32(b, 1);  // handles, reserved
  for (std::uint32_t v : {0u, 0u, 0u, 1024u, 768u, 320u, 240u}) Put32(b, v);
  b.insert(b.end(), records.begin(), records.end());
  for (std::uint32_t v : {14u, 20u, 0u, 16u, 20u}) Put32(b, v);  // EMR_EOF
  return b;
}

// A Windows metafile: `prefix` (a placeable header, or nothing), the header,
// `records`, then the end-of-file record.
inline Bytes WindowsMetafile(const Bytes& records, const Bytes& prefix = {}) {
  Bytes b = prefix;
  Put16(b, 1);  // in memory
  Put16(b, 9);  // header words
  Put16(b, 0x300);
  Put32(b, static_cast<std::uint32_t>((18 + records.size() + 6) / 2));
  Put16(b, 0);
  Put32(b, 5);  // largest record, words
  Put16(b, 0);
  b.insert(b.end(), records.begin(), records.end());
  Put32(b, 3);
  Put16(b, 0);  // META_EOF
  return b;
}

// The record that sets a Windows metafile's window extent.
inline Bytes WindowExtentRecord(std::int16_t width, std::int16_t height) {
  Bytes b;
  Put32(b, 5);
  Put16(b, 0x020C);  // META_SETWINDOWEXT: height, then width
  Put16(b, static_cast<std::uint16_t>(height));
  Put16(b, static_cast<std::uint16_t>(width));
  return b;
}

// The box is in metafile units, `perInch` of them to the inch; without
// `checksum` the checksum word is left 0.
inline Bytes PlaceableHeader(std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::uint16_t perInch, bool checksum) {
  Bytes b;
  Put32(b, 0x9AC6CDD7);
  Put16(b, 0);
  for (std::int16_t v : {left, top, right, bottom}) Put16(b, static_cast<std::uint16_t>(v));
  Put16(b, perInch);
  Put32(b, 0);
  std::uint16_t sum = 0;
  if (checksum) {
    for (std::size_t i = 0; i < b.size(); i += 2)
      sum ^= static_cast<std::uint16_t>(b[i] | b[i + 1] << 8);
  }
  Put16(b, sum);
  return b;
}

// A bitmap of 16 bits a pixel or more as metafile records carry it: the
// 40-byte header (with the size of the bits, which the system's recorders
// rely on), then exactly the bits its rows need.
struct MetafileBitmap {
  Bytes info;
  Bytes bits;
};
inline MetafileBitmap RecordBitmap(std::uint32_t width, std::uint32_t height,
                                   std::uint16_t bitCount) {
  MetafileBitmap m;
  const std::uint32_t size = (width * bitCount + 31) / 32 * 4 * height;
  for (std::uint32_t v : {40u, width, height, bitCount << 16 | 1u, 0u, size, 0u, 0u, 0u, 0u})
    Put32(m.info, v);
  m.bits.assign(size, 0x80);
  return m;
}

}  // namespace test_common
