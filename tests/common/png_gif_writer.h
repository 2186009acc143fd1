// PNG and GIF files for the tests, written plainly: PNG image data in stored
// deflate blocks, GIF pixels as literal codes with a clear code before the
// table would widen them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/le_bytes_writer.h"

namespace test_common {

inline void PutBig32(Bytes& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

inline void PutChunk(Bytes& file, const char* type, const Bytes& data) {
  PutBig32(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  PutBig32(file, Crc32(file.data() + start, file.size() - start));
}

// A zlib stream of stored blocks.
inline Bytes StoredZlib(const Bytes& data) {
  Bytes z = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(data.size() - at, 65535);
    const bool last = at + n == data.size();
    z.insert(z.end(), {static_cast<std::uint8_t>(last), static_cast<std::uint8_t>(n),
                       static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(~n),
                       static_cast<std::uint8_t>(~n >> 8)});
    z.insert(z.end(), data.begin() + at, data.begin() + at + n);
    at += n;
  } while (at < data.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : data) a = (a + v) % 65521, b = (b + a) % 65521;
  PutBig32(z, b << 16 | a);
  return z;
}

struct PngChunk {
  std::string type;
  Bytes data;
};

// A non-interlaced PNG: `rows` holds each row's packed samples, without the
// filter byte; `before` are chunks between IHDR and IDAT (PLTE, tRNS, ...).
inline Bytes PngFile(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                     const Bytes& rows, const std::vector<PngChunk>& before = {}) {
  Bytes file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header;
  PutBig32(header, width), PutBig32(header, height);
  header.insert(header.end(),
                {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0, 0});
  PutChunk(file, "IHDR", header);
  for (const PngChunk& c : before) PutChunk(file, c.type.c_str(), c.data);
  const std::size_t rowBytes = height ? rows.size() / height : 0;
  Bytes filtered;
  for (std::size_t y = 0; y < height; ++y) {
    filtered.push_back(0);
    filtered.insert(filtered.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
  }
  PutChunk(file, "IDAT", StoredZlib(filtered));
  PutChunk(file, "IEND", {});
  return file;
}

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  Bytes localColours;  // RGB triplets, a power of two of them, or none
  bool interlaced = false;
  int transparentIndex = -1;  // a graphic control block before the image
  Bytes pixels;               // width x height indices, rows in picture order
};

// A GIF89a file of the frames on a screen of `width` x `height`.
inline Bytes GifFile(int width, int height, const Bytes& globalColours,
                     const std::vector<GifFrame>& frames) {
  auto put16 = [](Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v)), b.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  // The colour table size field: 2^(n+1) entries.
  auto sizeField = [](const Bytes& colours) {
    int n = 0;
    while ((2u << n) * 3 < colours.size()) ++n;
    return n;
  };
  Bytes file = {'G', 'I', 'F', '8', '9', 'a'};
  put16(file, width), put16(file, height);
  file.push_back(
      static_cast<std::uint8_t>(globalColours.empty() ? 0 : 0x80 | sizeField(globalColours)));
  file.insert(file.end(), {0, 0});
  file.insert(file.end(), globalColours.begin(), globalColours.end());
  for (const GifFrame& f : frames) {
    if (f.transparentIndex >= 0) {
      file.insert(file.end(),
                  {0x21, 0xF9, 4, 1, 0, 0, static_cast<std::uint8_t>(f.transparentIndex), 0});
    }
    file.push_back(0x2C);
    put16(file, f.left), put16(file, f.top), put16(file, f.width), put16(file, f.height);
    file.push_back(
        static_cast<std::uint8_t>((f.localColours.empty() ? 0 : 0x80 | sizeField(f.localColours)) |
                                  (f.interlaced ? 0x40 : 0)));
    file.insert(file.end(), f.localColours.begin(), f.localColours.end());
    // Interlaced images store rows 0, 8, ..., 4, 12, ..., 2, 6, ..., 1, 3, ...
    std::vector<int> order;
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (f.interlaced ? 4 : 1); ++pass)
      for (int y = f.interlaced ? starts[pass] : 0; y < f.height;
           y += f.interlaced ? steps[pass] : 1)
        order.push_back(y);
    // Nine-bit codes: a clear code every 250 literals keeps them that wide.
    Bytes data;
    std::uint32_t bits = 0;
    int count = 0;
    auto code = [&](int c) {
      bits |= static_cast<std::uint32_t>(c) << count;
      for (count += 9; count >= 8; count -= 8, bits >>= 8)
        data.push_back(static_cast<std::uint8_t>(bits));
    };
    int literals = 0;
    code(256);
    for (int y : order) {
      for (int x = 0; x < f.width; ++x) {
        if (++literals == 250) code(256), literals = 1;
        code(f.pixels[static_cast<std::size_t>(y * f.width + x)]);
      }
    }
    code(257);
    if (count) data.push_back(static_cast<std::uint8_t>(bits));
    file.push_back(8);
    for (std::size_t at = 0; at < data.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, data.size() - at);
      file.push_back(static_cast<std::uint8_t>(n));
      file.insert(file.end(), data.begin() + at, data.begin() + at + n);
    }
    file.push_back(0);
  }
  file.push_back(0x3B);
  return file;
}

}  // namespace test_common
