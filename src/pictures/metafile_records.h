// Checks of what single metafile records carry, before the system plays them:
// every count, size and offset in a record must keep its data inside it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

// Whether an enhanced metafile record of `length` bytes, already framed,
// holds all the data its fields describe. Escapes to the device pass only
// when they do nothing on a screen.
bool EnhRecordHoldsItsData(const std::uint8_t* record, std::size_t length);

// The same for a Windows metafile record of `length` bytes.
bool WinRecordHoldsItsData(const std::uint8_t* record, std::size_t length);

// Whether a Windows metafile record that holds its data is a comment carrying
// `size` bytes at `part` of an enhanced metafile. The system's conversion to
// a Windows metafile keeps the original that way, and the conversion back
// plays that original instead of the records.
bool EmbeddedEnhMetafilePart(const std::uint8_t* record, std::size_t length,
                             const std::uint8_t*& part, std::size_t& size);

}  // namespace zarumo
