// PNG and GIF files for the tests, written plainly: PNG through zlib, GIF
// pixels as literal codes with a clear code before the table would widen them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <zlib.h>

#include "common/le_bytes_writer.h"

namespace test_common {

inline void PutBig32(Bytes& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void PutChunk(Bytes& file, const char* type, const Bytes& data) {
  PutBig32(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  PutBig32(file, crc32(0, file.data() + start, static_cast<uInt>(file.size() - start)));
}

using PngChunk = std::pair<std::string, Bytes>;  // type and data

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
  for (const PngChunk& c : before) PutChunk(file, c.first.c_str(), c.second);
  const std::size_t rowBytes = height ? rows.size() / height : 0;
  Bytes filtered;
  for (std::size_t y = 0; y < height; ++y) {
    filtered.push_back(0);
    filtered.insert(filtered.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
  }
  Bytes compressed(compressBound(filtered.size()));
  uLongf size = compressed.size();
  compress(compressed.data(), &size, filtered.data(), filtered.size());
  compressed.resize(size);
  PutChunk(file, "IDAT", compressed);
  PutChunk(file, "IEND", {});
  return file;
}

struct GifFrame {
  int left, top, width, height;
  Bytes localColours;    // RGB triplets, a power of two of them, or none
  int transparentIndex;  // a graphic control block before the image; -1: none
  Bytes pixels;          // width x height indices
};

// A GIF89a file of the frames on a screen of `width` x `height`, its pixels
// nine-bit literal codes, a clear code every 250 keeping them that wide.
inline Bytes GifFile(int width, int height, const Bytes& globalColours,
                     const std::vector<GifFrame>& frames) {
  Bytes file = {'G', 'I', 'F', '8', '9', 'a'};
  auto put16 = [&](int v) { file.insert(file.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
  auto table = [&](const Bytes& colours, int flags) {  // 2^(n+1) entries
    int n = 0;
    while ((2u << n) * 3 < colours.size()) ++n;
    file.push_back(std::uint8_t(flags | (colours.empty() ? 0 : 0x80 | n)));
  };
  put16(width), put16(height), table(globalColours, 0), put16(0);
  file.insert(file.end(), globalColours.begin(), globalColours.end());
  for (const GifFrame& f : frames) {
    if (f.transparentIndex >= 0)
      file.insert(file.end(), {0x21, 0xF9, 4, 1, 0, 0, std::uint8_t(f.transparentIndex), 0});
    file.push_back(0x2C);
    put16(f.left), put16(f.top), put16(f.width), put16(f.height), table(f.localColours, 0);
    file.insert(file.end(), f.localColours.begin(), f.localColours.end());
    Bytes data;
    std::uint32_t bits = 0, count = 0, literals = 0;
    auto code = [&](std::uint32_t c) {
      for (bits |= c << count, count += 9; count >= 8; count -= 8, bits >>= 8)
        data.push_back(std::uint8_t(bits));
    };
    code(256);
    for (std::uint8_t pixel : f.pixels) {
      if (++literals == 250) code(256), literals = 1;
      code(pixel);
    }
    code(257);
    if (count) data.push_back(std::uint8_t(bits));
    file.push_back(8);
    for (std::size_t at = 0; at < data.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, data.size() - at);
      file.push_back(std::uint8_t(n));
      file.insert(file.end(), data.begin() + at, data.begin() + at + n);
    }
    file.push_back(0);
  }
  file.push_back(0x3B);
  return file;
}

}  // namespace test_common
