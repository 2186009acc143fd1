// Checks of the object table that metafile records fill and name.
#include "pictures/metafile_objects.h"

#include <algorithm>
#include <cstdint>

#include "pictures/le_bytes.h"

namespace zarumo {

namespace {

constexpr std::uint32_t kStockObject = 0x80000000;

}  // namespace

bool EnhObjectTable::Allows(const std::uint8_t* record, std::size_t length) const {
  const std::uint32_t type = ReadU32(record);
  auto slot = [&](std::size_t at, std::uint32_t& value) {
    if (!Fits(at, 4, length)) return false;
    value = ReadU32(record + at);
    return true;
  };
  std::uint32_t index = 0;
  switch (type) {
    case 38:   // EMR_CREATEPEN
    case 39:   // EMR_CREATEBRUSHINDIRECT
    case 49:   // EMR_CREATEPALETTE
    case 82:   // EMR_EXTCREATEFONTINDIRECTW
    case 93:   // EMR_CREATEMONOBRUSH
    case 94:   // EMR_CREATEDIBPATTERNBRUSHPT
    case 95:   // EMR_EXTCREATEPEN
    case 99:   // EMR_CREATECOLORSPACE
    case 122:  // EMR_CREATECOLORSPACEW
    case 40:   // EMR_DELETEOBJECT
    case 101:  // EMR_DELETECOLORSPACE
      // Slot 0 is the metafile's own: neither replaced nor deleted.
      return slot(8, index) && index != 0 && InTable(index);
    case 37:  // EMR_SELECTOBJECT, SELECTPALETTE
    case 48:
      return slot(8, index) && ((index & kStockObject) || InTable(index));
    case 50:  // EMR_SETPALETTEENTRIES, RESIZEPALETTE
    case 51:
    case 100:  // EMR_SETCOLORSPACE
    case 111:  // EMR_COLORCORRECTPALETTE
      return slot(8, index) && InTable(index);
    case 71:  // EMR_FILLRGN, FRAMERGN: their brush
    case 72:
      return slot(28, index) && InTable(index);
    default:
      return true;
  }
}

bool WinObjectTable::Allows(const std::uint8_t* record, std::size_t length) {
  const std::uint16_t function = ReadU16(record + 4);
  // SIZE_MAX when the record is too short to hold the index.
  auto slot = [&](std::size_t at) -> std::size_t {
    return Fits(at, 2, length) ? ReadU16(record + at) : SIZE_MAX;
  };
  auto inTable = [&](std::size_t index) { return index < used_.size(); };
  switch (function) {
    case 0x00F7:    // META_CREATEPALETTE
    case 0x00F8:    // META_CREATEBRUSH
    case 0x0142:    // META_DIBCREATEPATTERNBRUSH
    case 0x01F9:    // META_CREATEPATTERNBRUSH
    case 0x02FA:    // META_CREATEPENINDIRECT
    case 0x02FB:    // META_CREATEFONTINDIRECT
    case 0x02FC:    // META_CREATEBRUSHINDIRECT
    case 0x02FD:    // META_CREATEBITMAPINDIRECT
    case 0x06FE:    // META_CREATEBITMAP
    case 0x06FF: {  // META_CREATEREGION
      const auto free = std::find(used_.begin(), used_.end(), false);
      if (free == used_.end()) return false;
      *free = true;
      return true;
    }
    case 0x01F0: {  // META_DELETEOBJECT
      const std::size_t index = slot(6);
      if (!inTable(index)) return false;
      used_[index] = false;
      return true;
    }
    case 0x012C: {  // META_SELECTCLIPREGION: slot 0 restores the default clipping
      const std::size_t index = slot(6);
      return index == 0 || inTable(index);
    }
    case 0x012D:  // META_SELECTOBJECT, SELECTPALETTE
    case 0x0234:
    case 0x012A:  // META_INVERTREGION, PAINTREGION
    case 0x012B:
      return inTable(slot(6));
    case 0x0228:  // META_FILLREGION: region and brush
      return inTable(slot(6)) && inTable(slot(8));
    case 0x0429:  // META_FRAMEREGION: region and brush after the stroke's size
      return inTable(slot(10)) && inTable(slot(12));
    default:
      return true;
  }
}

}  // namespace zarumo
