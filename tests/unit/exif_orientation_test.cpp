// The orientation tag read from a JPEG file's Exif block; each orientation
// read in either byte order is in the decoder's tests.
#include <gtest/gtest.h>

#include "common/jpeg_writer.h"
#include "pictures/exif_orientation.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::ExifSegment;

// A small JPEG with `segments` after its start marker, or before its end marker.
int Orientation(std::initializer_list<Bytes> segments, bool atEnd = false) {
  Bytes file =
      test_common::WriteJpeg(9, 7, {}, [](int, int, std::uint8_t* s) { s[0] = s[1] = s[2] = 9; });
  for (auto it = std::rbegin(segments); it != std::rend(segments); ++it)
    file.insert(atEnd ? file.end() - 2 : file.begin() + 2, it->begin(), it->end());
  return ReadExifOrientation(file.data(), file.size());
}

TEST(ExifOrientation, AnythingButOneWellFormedTagOfTheFirstBlockBeforeTheScanIsOne) {
  const Bytes six = ExifSegment({6}), xmp = {0xFF, 0xE1, 0, 8, 'h', 't', 't', 'p', ':', '/'};
  EXPECT_EQ(Orientation({xmp, six}), 6);
  for (const Bytes& segment : {ExifSegment({0}), ExifSegment({9, true}), ExifSegment({0x106}),
                               ExifSegment({6, false, 4}), ExifSegment({6, true, 3, 2})})
    EXPECT_EQ(Orientation({segment, six}), 1) << testing::PrintToString(segment);
  EXPECT_EQ(Orientation({six}, true), 1);
  EXPECT_EQ(Orientation({}), 1);
  // Cut short before the tag's value, the segment's length saying so.
  for (std::size_t size = 4; size + 4 < six.size(); ++size) {
    Bytes cut(six.begin(), six.begin() + size);
    cut[2] = static_cast<std::uint8_t>((size - 2) >> 8),
    cut[3] = static_cast<std::uint8_t>(size - 2);
    EXPECT_EQ(Orientation({cut}), 1) << size;
  }
}

}  // namespace
}  // namespace zarumo
