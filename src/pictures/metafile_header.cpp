// Checks of the metafile formats, and the size at which a metafile is shown.
#include "pictures/metafile_header.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "pictures/le_bytes.h"
#include "pictures/metafile_objects.h"
#include "pictures/metafile_numbers.h"
#include "pictures/metafile_records.h"
#include "system/arithmetic.h"
#include "system/failure.h"

namespace zarumo {

const char kInvalidMetafileMessage[] = "メタファイルが不正です";

namespace {

constexpr std::size_t kEmfHeaderSize = 88;  // up to szlMillimeters

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;

// Shown sizes are kept to what coordinates of the drawing calls can hold.
constexpr std::int64_t kMaxSide = 0x7FFF;

[[noreturn]] void Invalid() { throw InvalidPicture(kInvalidMetafileMessage); }

// Playing costs the system time for every record and memory for every saved
// state: a file of nothing but saves kept the saver busy for minutes. Real
// drawings stay far below both bounds.
class PlayCost {
 public:
  void Record() {
    if (++records_ > kMaxMetafileRecords) Invalid();
  }
  void Save() {
    if (++depth_ > kMaxMetafileNesting) Invalid();
  }
  // `which` as the restoring call takes it: below 0 relative to the current
  // state, above 0 the saved state of that number.
  void Restore(std::int64_t which) {
    if (which < 0) {
      depth_ = std::max<std::int64_t>(0, depth_ + which);
    } else if (which > 0 && which <= depth_) {
      depth_ = which - 1;
    }
  }

 private:
  std::uint64_t records_ = 0;
  std::int64_t depth_ = 0;
};

int Side(std::int64_t pixels) {
  if (pixels < 1 || pixels > kMaxSide) Invalid();
  return static_cast<int>(pixels);
}

void CheckResolution(int dpiX, int dpiY) {
  if (dpiX < 1 || dpiY < 1 || dpiX > 10000 || dpiY > 10000) Invalid();
}

}  // namespace

MetafileFrame CheckEnhMetafile(const std::uint8_t* data, std::size_t size, int dpiX, int dpiY) {
  CheckResolution(dpiX, dpiY);
  if (size < kEmfHeaderSize) Invalid();
  const std::uint32_t headerSize = ReadU32(data + 4);
  const std::uint32_t totalSize = ReadU32(data + 48);
  if (ReadU32(data) != kEmrHeader || ReadU32(data + 40) != kEmfSignature) Invalid();
  if (headerSize < kEmfHeaderSize || headerSize % 4 != 0 || totalSize % 4 != 0 ||
      totalSize < headerSize || totalSize > size) {
    Invalid();
  }
  const std::uint32_t descriptionChars = ReadU32(data + 60);
  const std::uint32_t descriptionOffset = ReadU32(data + 64);
  if (descriptionChars &&
      !Fits(descriptionOffset, std::uint64_t{descriptionChars} * 2, totalSize)) {
    Invalid();
  }

  // The player makes a table of this many object slots, the first for the metafile.
  const std::uint16_t handles = ReadU16(data + 56);
  if (handles == 0) Invalid();
  const EnhObjectTable objects(handles);

  PlayCost cost;
  std::uint64_t pos = headerSize;
  for (;;) {
    if (!Fits(pos, 8, totalSize)) Invalid();
    const std::uint32_t type = ReadU32(data + pos);
    const std::uint32_t length = ReadU32(data + pos + 4);
    if (length < 8 || length % 4 != 0 || !Fits(pos, length, totalSize)) Invalid();
    if (type == kEmrHeader || !EnhRecordHoldsItsData(data + pos, length) ||
        !objects.Allows(data + pos, length)) {
      Invalid();
    }
    cost.Record();
    if (type == kEmrSaveDc) cost.Save();
    if (type == kEmrRestoreDc && length >= 12) cost.Restore(ReadS32(data + pos + 8));
    pos += length;
    if (type == kEmrEof) break;
  }

  // Frame and bounds are inclusive rectangles.
  const std::int64_t frameW = std::int64_t{ReadS32(data + 32)} - ReadS32(data + 24);
  const std::int64_t frameH = std::int64_t{ReadS32(data + 36)} - ReadS32(data + 28);
  MetafileFrame frame =
      frameW > 0 && frameH > 0
          ? MeasuredFrame(MulDivRounded(frameW, dpiX, 2540), MulDivRounded(frameH, dpiY, 2540),
                          dpiX, dpiY)
          : MeasuredFrame(std::int64_t{ReadS32(data + 16)} - ReadS32(data + 8) + 1,
                          std::int64_t{ReadS32(data + 20)} - ReadS32(data + 12) + 1, dpiX, dpiY);
  frame.offset = 0;
  frame.size = totalSize;
  return frame;
}

MetafileFrame MeasuredFrame(std::int64_t width, std::int64_t height, int dpiX, int dpiY) {
  CheckResolution(dpiX, dpiY);
  MetafileFrame frame;
  frame.width = Side(width);
  frame.height = Side(height);
  frame.frameWidth = static_cast<int>(MulDivRounded(frame.width, 2540, dpiX));
  frame.frameHeight = static_cast<int>(MulDivRounded(frame.height, 2540, dpiY));
  return frame;
}

MetafileFrame CheckWinMetafile(const std::uint8_t* data, std::size_t size, int dpiX, int dpiY) {
  CheckResolution(dpiX, dpiY);
  MetafileFrame frame;
  std::int64_t placeableW = 0;
  std::int64_t placeableH = 0;
  std::int64_t unitsPerInch = 0;
  if (size >= 4 && ReadU32(data) == kPlaceableKey) {
    if (size < kPlaceableSize) Invalid();
    placeableW = std::llabs(std::int64_t{ReadS16(data + 10)} - ReadS16(data + 6));
    placeableH = std::llabs(std::int64_t{ReadS16(data + 12)} - ReadS16(data + 8));
    unitsPerInch = ReadU16(data + 14);
    if (placeableW == 0 || placeableH == 0 || unitsPerInch == 0) Invalid();
    frame.offset = kPlaceableSize;
  }

  const std::uint8_t* m = data + frame.offset;
  const std::size_t available = size - frame.offset;
  if (available < kWmfHeaderSize) Invalid();
  const std::uint16_t type = ReadU16(m);
  const std::uint16_t headerWords = ReadU16(m + 2);
  const std::uint16_t version = ReadU16(m + 4);
  const std::uint64_t totalSize = std::uint64_t{ReadU32(m + 6)} * 2;
  if ((type != 1 && type != 2) || headerWords != kWmfHeaderSize / 2 ||
      (version != 0x0100 && version != 0x0300)) {
    Invalid();
  }
  if (totalSize < kWmfHeaderSize || totalSize > available) Invalid();

  std::int64_t extentW = 0;
  std::int64_t extentH = 0;
  WinObjectTable objects(ReadU16(m + 10));
  std::vector<std::uint8_t> embedded;
  PlayCost cost;
  std::uint64_t pos = kWmfHeaderSize;
  for (;;) {
    if (!Fits(pos, 6, totalSize)) Invalid();
    const std::uint64_t length = std::uint64_t{ReadU32(m + pos)} * 2;
    const std::uint16_t function = ReadU16(m + pos + 4);
    if (length < 6 || !Fits(pos, length, totalSize)) Invalid();
    const std::uint8_t* record = m + pos;
    const std::size_t recordLength = static_cast<std::size_t>(length);
    if (!WinRecordHoldsItsData(record, recordLength) || !objects.Allows(record, recordLength)) {
      Invalid();
    }
    const std::uint8_t* part = nullptr;
    std::size_t partSize = 0;
    if (EmbeddedEnhMetafilePart(record, recordLength, part, partSize)) {
      embedded.insert(embedded.end(), part, part + partSize);
    }
    cost.Record();
    if (function == kMetaSaveDc) cost.Save();
    if (function == kMetaRestoreDc && length >= 8) cost.Restore(ReadS16(m + pos + 6));
    if (function == kMetaSetWindowExt && extentW == 0 && length >= 10) {
      extentH = std::llabs(ReadS16(m + pos + 6));
      extentW = std::llabs(ReadS16(m + pos + 8));
    }
    pos += length;
    if (function == kMetaEof) break;
  }

  // The system takes the enhanced metafile that comments carry instead of the
  // records: it must pass as any other.
  if (!embedded.empty()) CheckEnhMetafile(embedded.data(), embedded.size(), dpiX, dpiY);

  if (unitsPerInch) {
    frame.width = Side(MulDivRounded(placeableW, dpiX, unitsPerInch));
    frame.height = Side(MulDivRounded(placeableH, dpiY, unitsPerInch));
    frame.frameWidth = static_cast<int>(MulDivRounded(placeableW, 2540, unitsPerInch));
    frame.frameHeight = static_cast<int>(MulDivRounded(placeableH, 2540, unitsPerInch));
  } else if (extentW != 0 || extentH != 0) {
    const std::size_t offset = frame.offset;
    frame = MeasuredFrame(extentW, extentH, dpiX, dpiY);
    frame.offset = offset;
  }
  frame.size = static_cast<std::size_t>(totalSize);
  return frame;
}

}  // namespace zarumo
