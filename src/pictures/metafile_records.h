// Checks of what single metafile records carry, before the system plays them:
// every count, size and offset in a record must keep its data inside it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

// Whether an enhanced metafile record of `length` bytes, already framed,
// holds all the data its fields describe. Escapes to the device never pass.
bool EnhRecordHoldsItsData(const std::uint8_t* record, std::size_t length);

// The same for a Windows metafile record of `length` bytes.
bool WinRecordHoldsItsData(const std::uint8_t* record, std::size_t length);

}  // namespace zarumo
