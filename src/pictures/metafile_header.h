// Checks of the metafile formats before the system is handed their bytes,
// and the size in pixels at which a metafile is shown.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

extern const char kInvalidMetafileMessage[];

// The most records and the deepest nesting of saved drawing states a metafile
// may have. Drawings converted from real documents have up to some 44,000
// records and a nesting of 4; a million records take Wine about 8 s to play.
constexpr std::uint64_t kMaxMetafileRecords = 500000;
constexpr std::int64_t kMaxMetafileNesting = 256;

struct MetafileFrame {
  std::size_t offset = 0;  // of the bytes the system takes
  std::size_t size = 0;
  int width = 0;  // in pixels
  int height = 0;
  int frameWidth = 0;  // in 0.01 mm, what the conversion of a Windows metafile is told
  int frameHeight = 0;
};

// An enhanced metafile: its header, and records that follow one another up to
// an end-of-file record within the declared length. The size is the frame
// (0.01 mm) at the given resolution, or when the frame is empty the bounds in
// device pixels. Raises InvalidPicture, also beyond the bounds above.
MetafileFrame CheckEnhMetafile(const std::uint8_t* data, std::size_t size, int dpiX, int dpiY);

// A Windows metafile, with or without the 22-byte placeable header, its
// records checked in the same way. The size is the placeable header's box at
// its units per inch; without that header it is the first window extent the
// records set, taken as pixels. A file that states neither has width and
// height 0: its size is that of what it draws. Raises InvalidPicture.
MetafileFrame CheckWinMetafile(const std::uint8_t* data, std::size_t size, int dpiX, int dpiY);

// The frame of a picture `width` x `height` pixels at the given resolution.
// Raises InvalidPicture beyond what drawing calls can hold.
MetafileFrame MeasuredFrame(std::int64_t width, std::int64_t height, int dpiX, int dpiY);

}  // namespace zarumo
