// Checks of the object table that metafile records fill and name, before the
// system plays them: its player indexes the table with what a record says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarumo {

// An enhanced metafile's table of `handles` slots, as its header declares
// them; slot 0 stands for the metafile itself.
class EnhObjectTable {
 public:
  explicit EnhObjectTable(std::uint32_t handles) : handles_(handles) {}

  // Whether every slot that a record of `length` bytes, already framed, names
  // lies in the table. Selections may name a stock object instead.
  bool Allows(const std::uint8_t* record, std::size_t length) const;

 private:
  bool InTable(std::uint32_t slot) const { return slot < handles_; }

  std::uint32_t handles_;
};

// A Windows metafile's table of `objects` slots. Records that create an
// object take the lowest free slot and records that delete one free it, so
// the table follows the records in order.
class WinObjectTable {
 public:
  explicit WinObjectTable(std::uint16_t objects) : used_(objects, false) {}

  // Whether a record names only slots inside the table and creates no object
  // when every slot is taken; takes or frees the slots the record does.
  bool Allows(const std::uint8_t* record, std::size_t length);

 private:
  std::vector<bool> used_;
};

}  // namespace zarumo
