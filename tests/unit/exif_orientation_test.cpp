// The orientation tag read from a JPEG file's Exif block.
#include <gtest/gtest.h>

#include "common/jpeg_writer.h"
#include "pictures/exif_orientation.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::ExifBlock;
using test_common::ExifSegment;

// A small JPEG with `segments` spliced in at `at`, read.
int Orientation(std::initializer_list<Bytes> segments, std::size_t at = 2) {
  Bytes file =
      test_common::WriteJpeg(9, 7, {}, [](int, int, std::uint8_t* s) { s[0] = s[1] = s[2] = 90; });
  if (at > file.size()) at = file.size() - 2;
  for (auto it = std::rbegin(segments); it != std::rend(segments); ++it)
    file.insert(file.begin() + at, it->begin(), it->end());
  return ReadExifOrientation(file.data(), file.size());
}

TEST(ExifOrientation, OnlyAWellFormedTagOfTheFirstExifBlockBeforeTheScanCounts) {
  const struct {
    const char* name;
    ExifBlock block;
    int read;
  } rows[] = {{"II 6", {6}, 6},
              {"MM 3", {3, true}, 3},
              {"zero", {0}, 1},
              {"nine", {9, true}, 1},
              {"beyond a byte", {0x106}, 1},
              {"a LONG", {6, false, 4}, 1},
              {"two values", {6, true, 3, 2}, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Orientation({ExifSegment(row.block)}), row.read);
  }
  const Bytes six = ExifSegment({6}), xmp = {0xFF, 0xE1, 0, 8, 'h', 't', 't', 'p', ':', '/'};
  EXPECT_EQ(Orientation({}), 1);
  EXPECT_EQ(Orientation({xmp, six}), 6);
  EXPECT_EQ(Orientation({ExifSegment({0}), six}), 1);
  EXPECT_EQ(Orientation({six}, SIZE_MAX), 1);                 // after the scan
  EXPECT_EQ(ReadExifOrientation(six.data(), six.size()), 1);  // no start of image
  // Cut short before the tag's value, the length saying so or the file ending there.
  for (std::size_t size = 4; size + 4 < six.size(); ++size) {
    SCOPED_TRACE(size);
    Bytes cut(six.begin(), six.begin() + size);
    cut[2] = static_cast<std::uint8_t>((size - 2) >> 8),
    cut[3] = static_cast<std::uint8_t>(size - 2);
    EXPECT_EQ(Orientation({cut}), 1);
    Bytes file = {0xFF, 0xD8};
    file.insert(file.end(), six.begin(), six.begin() + size);
    EXPECT_EQ(ReadExifOrientation(file.data(), file.size()), 1);
  }
}

}  // namespace
}  // namespace zarumo
