// The orientation tag of the Exif block a JPEG file carries in an APP1 segment.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

// 1 to 8, from the first Exif block before the first scan. A file without
// one, a block that is cut short or malformed, and a tag that is missing, of
// another type or out of range all give 1: the picture as stored.
int ReadExifOrientation(const std::uint8_t* data, std::size_t size);

}  // namespace zarumo
