// Checking metafiles before the system plays them, and the size they are shown at.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/le_bytes_writer.h"
#include "common/placeable_metafile.h"
#include "pictures/metafile_header.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::Put16;
using test_common::Put32;
using test_common::Set32;

struct Rect {
  std::int32_t left, top, right, bottom;
};

// Header, one 12-byte record, end of file.
Bytes Emf(Rect bounds, Rect frame) {
  Bytes b;
  Put32(b, 1);
  Put32(b, 88);
  for (std::int32_t v : {bounds.left, bounds.top, bounds.right, bounds.bottom, frame.left,
                         frame.top, frame.right, frame.bottom}) {
    Put32(b, static_cast<std::uint32_t>(v));
  }
  Put32(b, 0x464D4520);
  Put32(b, 0x10000);
  Put32(b, 0);  // total, set below
  Put32(b, 3);
  Put32(b, 1);
  for (int i = 0; i < 7; ++i) Put32(b, 0);
  Put32(b, 18);  // EMR_SETMAPMODE
  Put32(b, 12);
  Put32(b, 1);
  Put32(b, 14);  // EMR_EOF
  Put32(b, 20);
  Put32(b, 0);
  Put32(b, 16);
  Put32(b, 20);
  Set32(b, 48, static_cast<std::uint32_t>(b.size()));
  return b;
}

Bytes Wmf(bool placeable, bool windowExtent) {
  Bytes b = placeable ? test_common::PlaceableHeader(100, 50, 1540, 770, 1440, false) : Bytes();
  const std::size_t start = b.size();
  Put16(b, 1);
  Put16(b, 9);
  Put16(b, 0x300);
  Put32(b, 0);  // total words, set below
  Put16(b, 0);
  Put32(b, 5);
  Put16(b, 0);
  if (windowExtent) {
    Put32(b, 5);
    Put16(b, 0x020C);
    Put16(b, static_cast<std::uint16_t>(-120));  // y
    Put16(b, 300);                               // x
  }
  Put32(b, 3);
  Put16(b, 0);
  Set32(b, start + 6, static_cast<std::uint32_t>((b.size() - start) / 2));
  return b;
}

MetafileFrame CheckEnh(const Bytes& b, int dpi = 96) {
  return CheckEnhMetafile(b.data(), b.size(), dpi, dpi);
}
MetafileFrame CheckWin(const Bytes& b, int dpi = 96) {
  return CheckWinMetafile(b.data(), b.size(), dpi, dpi);
}

template <typename Check>
void ExpectRejected(Check check, const Bytes& b) {
  try {
    check(b, 96);
    ADD_FAILURE() << "accepted";
  } catch (const InvalidPicture& failure) {
    EXPECT_EQ(failure.Message(), "メタファイルが不正です");
  }
}

TEST(MetafileHeader, EnhancedSizeIsItsFrameAtTheResolution) {
  const Bytes b = Emf({0, 0, 9, 9}, {0, 0, 2540, 1270});
  MetafileFrame frame = CheckEnh(b);
  EXPECT_EQ(frame.width, 96);
  EXPECT_EQ(frame.height, 48);
  EXPECT_EQ(frame.offset, 0u);
  EXPECT_EQ(frame.size, b.size());
  frame = CheckEnh(b, 120);
  EXPECT_EQ(frame.width, 120);
  EXPECT_EQ(frame.height, 60);
  // No frame: the bounds, inclusive, in pixels.
  frame = CheckEnh(Emf({10, 20, 59, 39}, {0, 0, 0, 0}));
  EXPECT_EQ(frame.width, 50);
  EXPECT_EQ(frame.height, 20);
  ExpectRejected(CheckEnh, Emf({0, 0, -1, -1}, {0, 0, 0, 0}));
  ExpectRejected(CheckEnh, Emf({0, 0, 9, 9}, {0, 0, 0x7FFFFFFF, 100}));
}

TEST(MetafileHeader, EnhancedHeaderAndRecordsMustHoldTogether) {
  const Bytes good = Emf({0, 0, 9, 9}, {0, 0, 2540, 2540});
  auto changed = [&](std::size_t at, std::uint32_t v) {
    Bytes b = good;
    Set32(b, at, v);
    return b;
  };
  ExpectRejected(CheckEnh, changed(0, 2));                 // not a header record
  ExpectRejected(CheckEnh, changed(40, 0x464D4521));       // signature
  ExpectRejected(CheckEnh, changed(4, 84));                // header too short
  ExpectRejected(CheckEnh, changed(48, good.size() + 4));  // longer than the file
  ExpectRejected(CheckEnh, changed(48, 100));              // ends inside a record
  ExpectRejected(CheckEnh, changed(92, 0));                // record of no length
  ExpectRejected(CheckEnh, changed(92, 10));               // not a whole number of words
  ExpectRejected(CheckEnh, changed(100, 3));               // no end-of-file record
  ExpectRejected(CheckEnh, changed(88, 1));                // a second header
  Bytes description = changed(60, 10);
  Set32(description, 64, 110);  // ten characters from byte 110: past the end
  ExpectRejected(CheckEnh, description);
  ExpectRejected(CheckEnh, Bytes(good.begin(), good.begin() + 87));
  // Bytes after the declared length are not the metafile's.
  Bytes longer = good;
  longer.resize(longer.size() + 8, 0xCC);
  EXPECT_EQ(CheckEnh(longer).size, good.size());
}

TEST(MetafileHeader, PlaceableBoxGivesTheSize) {
  const Bytes b = Wmf(true, true);
  const MetafileFrame frame = CheckWin(b);
  EXPECT_EQ(frame.offset, 22u);
  EXPECT_EQ(frame.size, b.size() - 22);
  EXPECT_EQ(frame.width, 96);  // 1440 units at 1440 per inch
  EXPECT_EQ(frame.height, 48);
  EXPECT_EQ(frame.frameWidth, 2540);
  EXPECT_EQ(frame.frameHeight, 1270);

  Bytes noInch = b;
  noInch[14] = noInch[15] = 0;
  ExpectRejected(CheckWin, noInch);
  ExpectRejected(CheckWin, Bytes(b.begin(), b.begin() + 30));
}

TEST(MetafileHeader, WithoutPlaceableHeaderTheWindowExtentGivesTheSize) {
  const MetafileFrame frame = CheckWin(Wmf(false, true));
  EXPECT_EQ(frame.offset, 0u);
  EXPECT_EQ(frame.width, 300);
  EXPECT_EQ(frame.height, 120);
  EXPECT_EQ(frame.frameWidth, 7938);  // 300 pixels at 96 per inch, in 0.01 mm
  ExpectRejected(CheckWin, Wmf(false, false));
}

TEST(MetafileHeader, WindowsHeaderAndRecordsMustHoldTogether) {
  const Bytes good = Wmf(false, true);
  auto changed = [&](std::size_t at, std::uint32_t v) {
    Bytes b = good;
    Set32(b, at, v);
    return b;
  };
  ExpectRejected(CheckWin, changed(0, 0x00090003));   // type 3
  ExpectRejected(CheckWin, changed(2, 0x03000008));   // header of 8 words
  ExpectRejected(CheckWin, changed(6, 1000));         // longer than the file
  ExpectRejected(CheckWin, changed(6, 12));           // ends inside a record
  ExpectRejected(CheckWin, changed(18, 0));           // record of no length
  ExpectRejected(CheckWin, changed(18, 0x40000000));  // record past the end
  Bytes noEnd = good;
  noEnd[good.size() - 2] = 0x01;  // the last record is no end-of-file
  ExpectRejected(CheckWin, noEnd);
}

// `records` put in before the end-of-file record, the lengths mended.
Bytes EmfWith(const Bytes& records) {
  Bytes b = Emf({0, 0, 99, 49}, {0, 0, 2540, 1270});
  b.insert(b.end() - 20, records.begin(), records.end());
  Set32(b, 48, static_cast<std::uint32_t>(b.size()));
  return b;
}
Bytes WmfWith(const Bytes& records) {
  Bytes b = Wmf(false, true);
  b.insert(b.end() - 6, records.begin(), records.end());
  Set32(b, 6, static_cast<std::uint32_t>(b.size() / 2));
  return b;
}
Bytes Repeated(const Bytes& records, std::size_t times) {
  Bytes b;
  for (std::size_t i = 0; i < times; ++i) b.insert(b.end(), records.begin(), records.end());
  return b;
}

TEST(MetafileHeader, NestingOfSavedStatesIsBounded) {
  Bytes emfSave, emfRestore, wmfSave, wmfRestore;
  Put32(emfSave, 33);
  Put32(emfSave, 8);
  Put32(emfRestore, 34);
  Put32(emfRestore, 12);
  Put32(emfRestore, static_cast<std::uint32_t>(-1));
  Put32(wmfSave, 3);
  Put16(wmfSave, 0x001E);
  Put32(wmfRestore, 4);
  Put16(wmfRestore, 0x0127);
  Put16(wmfRestore, static_cast<std::uint16_t>(-1));
  const std::size_t deepest = static_cast<std::size_t>(kMaxMetafileNesting);
  for (bool enhanced : {true, false}) {
    const Bytes& save = enhanced ? emfSave : wmfSave;
    const Bytes& restore = enhanced ? emfRestore : wmfRestore;
    auto with = [&](const Bytes& records) {
      return enhanced ? EmfWith(records) : WmfWith(records);
    };
    auto check = [&](const Bytes& b) { enhanced ? CheckEnh(b) : CheckWin(b); };
    EXPECT_NO_THROW(check(with(Repeated(save, deepest)))) << enhanced;
    ExpectRejected([&](const Bytes& b, int) { check(b); }, with(Repeated(save, deepest + 1)));
    // A restored state makes room again: many shallow saves, then the deepest nesting.
    Bytes pair = save;
    pair.insert(pair.end(), restore.begin(), restore.end());
    Bytes shallowThenDeep = Repeated(pair, 1000);
    const Bytes deep = Repeated(save, deepest);
    shallowThenDeep.insert(shallowThenDeep.end(), deep.begin(), deep.end());
    EXPECT_NO_THROW(check(with(shallowThenDeep))) << enhanced;
  }
}

TEST(MetafileHeader, RecordCountIsBounded) {
  Bytes emfLine, wmfLine;
  Put32(emfLine, 54);  // EMR_LINETO
  Put32(emfLine, 16);
  Put32(emfLine, 10);
  Put32(emfLine, 20);
  Put32(wmfLine, 5);
  Put16(wmfLine, 0x0213);  // META_LINETO
  Put16(wmfLine, 20);
  Put16(wmfLine, 10);
  // Both samples carry two records of their own, the end-of-file record included.
  const std::size_t most = static_cast<std::size_t>(kMaxMetafileRecords) - 2;
  EXPECT_NO_THROW(CheckEnh(EmfWith(Repeated(emfLine, most))));
  ExpectRejected(CheckEnh, EmfWith(Repeated(emfLine, most + 1)));
  EXPECT_NO_THROW(CheckWin(WmfWith(Repeated(wmfLine, most))));
  ExpectRejected(CheckWin, WmfWith(Repeated(wmfLine, most + 1)));
}

}  // namespace
}  // namespace zarumo
