// Checking metafiles before the system plays them, and the size they are shown at.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/le_bytes_writer.h"
#include "common/metafile_writer.h"
#include "pictures/metafile_header.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::EmfBitmapRecord;
using test_common::EmfRecord;
using test_common::Put16;
using test_common::Put32;
using test_common::RecordBitmap;
using test_common::Set32;
using test_common::WmfBitmapRecord;
using test_common::WmfRecord;

using Rect = test_common::MetafileRect;

// Header, one 12-byte record, end of file.
Bytes Emf(Rect bounds, Rect frame) {
  Bytes mapMode;
  for (std::uint32_t v : {18u, 12u, 1u}) Put32(mapMode, v);  // EMR_SETMAPMODE
  return test_common::EnhancedMetafile(bounds, frame, mapMode);
}

Bytes Wmf(bool placeable, bool windowExtent) {
  return test_common::WindowsMetafile(
      windowExtent ? test_common::WindowExtentRecord(300, -120) : Bytes(),
      placeable ? test_common::PlaceableHeader(100, 50, 1540, 770, 1440, false) : Bytes());
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

// `records` after the one record each of the samples above has.
Bytes EmfWith(const Bytes& records) {
  Bytes all;
  for (std::uint32_t v : {18u, 12u, 1u}) Put32(all, v);  // EMR_SETMAPMODE
  all.insert(all.end(), records.begin(), records.end());
  return test_common::EnhancedMetafile({0, 0, 99, 49}, {0, 0, 2540, 1270}, all);
}
Bytes WmfWith(const Bytes& records) {
  Bytes all = test_common::WindowExtentRecord(300, -120);
  all.insert(all.end(), records.begin(), records.end());
  return test_common::WindowsMetafile(all);
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

// A record at the bound of what it carries, and the fields whose growth by
// one (both together where two are given) takes its data past the record.
struct BoundRow {
  const char* kind;
  bool enhanced;
  Bytes record;
  std::size_t field;
  int width;  // of the field: 2 or 4 bytes
  std::size_t alsoField = 0;
};

void Grow(Bytes& b, std::size_t at, int width) {
  if (width == 4) {
    Set32(b, at, test_common::Get32(b, at) + 1);
  } else {
    const std::uint16_t v = static_cast<std::uint16_t>((b.at(at) | b.at(at + 1) << 8) + 1);
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
}

Bytes WithSet(Bytes b, std::size_t at, std::uint32_t v) {
  Set32(b, at, v);
  return b;
}

// Region data: header, one rectangle.
#define REGION 32, 1, 1, 16, 0, 0, 9, 9, 0, 0, 9, 9
// Text: reference point, count, offset of the characters, options, clip, offset of the spacing.
#define EMR_TEXT(chars, textAt, spacingAt) 0, 0, chars, textAt, 0, 0, 0, 9, 9, spacingAt

TEST(MetafileRecords, DataPastTheRecordIsRefusedForEveryKind) {
  const auto bits = RecordBitmap(3, 2, 8);
  const auto mono = RecordBitmap(8, 8, 1);
  std::vector<BoundRow> rows = {
      {"EMR_BITBLT", true, EmfBitmapRecord(76, 100, 84, bits), 108, 4},
      {"EMR_BITBLT bits", true, EmfBitmapRecord(76, 100, 84, bits), 96, 4},
      {"EMR_BITBLT bits offset", true, EmfBitmapRecord(76, 100, 84, bits), 92, 4},
      {"EMR_STRETCHBLT", true, EmfBitmapRecord(77, 108, 84, bits), 116, 4},
      {"EMR_MASKBLT", true, EmfBitmapRecord(78, 128, 84, bits), 136, 4},
      {"EMR_MASKBLT mask", true, EmfBitmapRecord(78, 128, 112, mono), 136, 4},
      {"EMR_PLGBLT", true, EmfBitmapRecord(79, 140, 96, bits), 148, 4},
      {"EMR_PLGBLT mask", true, EmfBitmapRecord(79, 140, 124, mono), 148, 4},
      {"EMR_SETDIBITSTODEVICE", true, WithSet(EmfBitmapRecord(80, 76, 48, bits), 72, 99), 84, 4},
      {"EMR_SETDIBITSTODEVICE lines", true, WithSet(EmfBitmapRecord(80, 76, 48, bits), 72, 2), 84,
       4, 72},
      {"EMR_STRETCHDIBITS", true, EmfBitmapRecord(81, 80, 48, bits), 88, 4},
      {"EMR_CREATEMONOBRUSH", true, EmfBitmapRecord(93, 32, 16, mono), 40, 4},
      {"EMR_CREATEDIBPATTERNBRUSHPT", true, EmfBitmapRecord(94, 32, 16, bits), 40, 4},
      {"EMR_ALPHABLEND", true, EmfBitmapRecord(114, 108, 84, bits), 116, 4},
      {"EMR_TRANSPARENTBLT", true, EmfBitmapRecord(116, 108, 84, bits), 116, 4},
      {"META_BITBLT", false, WmfRecord(0x0922, {0, 0, 0, 0, 2, 8, 0, 0, 0, 8, 2, 2, 0x0101, 0, 0}),
       26, 2},
      {"META_STRETCHBLT", false,
       WmfRecord(0x0B23, {0, 0, 2, 8, 0, 0, 0, 0, 0, 0, 0, 8, 2, 2, 0x0101, 0, 0}), 30, 2},
      {"META_DIBBITBLT", false, WmfBitmapRecord(0x0940, {0, 0, 0, 0, 2, 3, 0, 0}, bits), 30, 4},
      {"META_DIBSTRETCHBLT", false, WmfBitmapRecord(0x0B41, {0, 0, 2, 3, 0, 0, 2, 3, 0, 0}, bits),
       34, 4},
      {"META_SETDIBTODEV", false, WmfBitmapRecord(0x0D33, {0, 99, 0, 0, 0, 2, 3, 0, 0}, bits), 32,
       4},
      {"META_STRETCHDIB", false, WmfBitmapRecord(0x0F43, {0, 0, 0, 2, 3, 0, 0, 2, 3, 0, 0}, bits),
       36, 4},
      {"META_DIBCREATEPATTERNBRUSH", false, WmfBitmapRecord(0x0142, {5, 0}, bits), 18, 4},
      {"EMR_EXTTEXTOUTA", true,
       EmfRecord(83, {0, 0, 9, 9, 1, 0, 0, EMR_TEXT(4, 92, 76), 0, 0, 0, 0, 0}), 44, 4},
      {"EMR_EXTTEXTOUTW", true, EmfRecord(84, {0, 0, 9, 9, 1, 0, 0, EMR_TEXT(2, 84, 76), 0, 0, 0}),
       44, 4},
      {"EMR_EXTTEXTOUTW text", true,
       EmfRecord(84, {0, 0, 9, 9, 1, 0, 0, EMR_TEXT(2, 84, 76), 0, 0, 0}), 48, 4},
      {"EMR_EXTTEXTOUTW spacing", true,
       EmfRecord(84, {0, 0, 9, 9, 1, 0, 0, EMR_TEXT(2, 76, 80), 0, 0, 0}), 72, 4},
      {"EMR_POLYTEXTOUTA", true,
       EmfRecord(96, {0, 0, 9, 9, 1, 0, 0, 1, EMR_TEXT(4, 96, 80), 0, 0, 0, 0, 0}), 48, 4},
      {"EMR_POLYTEXTOUTW", true,
       EmfRecord(97, {0, 0, 9, 9, 1, 0, 0, 1, EMR_TEXT(2, 88, 80), 0, 0, 0}), 48, 4},
      {"EMR_POLYTEXTOUTW texts", true,
       EmfRecord(97, {0, 0, 9, 9, 1, 0, 0, 1, EMR_TEXT(2, 88, 80), 0, 0, 0}), 36, 4},
      {"EMR_SMALLTEXTOUT", true, EmfRecord(108, {0, 0, 4, 0x300, 1, 0, 0, 0}), 16, 4},
      {"EMR_SMALLTEXTOUT wide", true, EmfRecord(108, {0, 0, 2, 0x100, 1, 0, 0, 0}), 16, 4},
      {"EMR_SMALLTEXTOUT clipped", true, EmfRecord(108, {0, 0, 4, 0x200, 1, 0, 0, 0, 0, 9, 9, 0}),
       16, 4},
      {"META_TEXTOUT", false, WmfRecord(0x0521, {4, 0, 0, 0, 0}), 6, 2},
      {"META_EXTTEXTOUT", false, WmfRecord(0x0A32, {0, 0, 4, 0, 0, 0}), 10, 2},
      {"META_EXTTEXTOUT clipped", false, WmfRecord(0x0A32, {0, 0, 4, 4, 0, 0, 9, 9, 0, 0}), 10, 2},
      {"EMR_POLYDRAW", true, EmfRecord(56, {0, 0, 9, 9, 2, 1, 1, 2, 2, 0}), 24, 4},
      {"EMR_POLYDRAW16", true, EmfRecord(92, {0, 0, 9, 9, 2, 1, 2, 0}), 24, 4},
      {"EMR_POLYPOLYLINE sums", true, EmfRecord(7, {0, 0, 9, 9, 2, 3, 1, 2, 0, 0, 0, 0, 0, 0}), 28,
       4},
      {"META_POLYGON", false, WmfRecord(0x0324, {2, 1, 1, 2, 2}), 6, 2},
      {"META_POLYLINE", false, WmfRecord(0x0325, {2, 1, 1, 2, 2}), 6, 2},
      {"META_POLYPOLYGON", false, WmfRecord(0x0538, {2, 1, 2, 0, 0, 0, 0, 0, 0}), 8, 2},
      {"EMR_CREATEPALETTE", true, EmfRecord(49, {1, 0x20300, 0, 0}), 14, 2},
      {"EMR_SETPALETTEENTRIES", true, EmfRecord(50, {1, 0, 2, 0, 0}), 16, 4},
      {"EMR_EXTCREATEPEN", true, EmfRecord(95, {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 1, 1}), 48, 4},
      {"EMR_EXTCREATEPEN pattern", true, WithSet(EmfBitmapRecord(95, 52, 12, mono), 36, 5), 60, 4},
      {"EMR_FILLRGN", true, EmfRecord(71, {0, 0, 9, 9, 48, 1, REGION}), 40, 4},
      {"EMR_FILLRGN bytes", true, EmfRecord(71, {0, 0, 9, 9, 48, 1, REGION}), 24, 4},
      {"EMR_FRAMERGN", true, EmfRecord(72, {0, 0, 9, 9, 48, 1, 1, 1, REGION}), 48, 4},
      {"EMR_INVERTRGN", true, EmfRecord(73, {0, 0, 9, 9, 48, REGION}), 36, 4},
      {"EMR_PAINTRGN", true, EmfRecord(74, {0, 0, 9, 9, 48, REGION}), 36, 4},
      {"EMR_EXTSELECTCLIPRGN", true, EmfRecord(75, {48, 5, REGION}), 24, 4},
      {"META_CREATEPALETTE", false, WmfRecord(0x00F7, {0x300, 2, 0, 0, 0, 0}), 8, 2},
      {"META_SETPALENTRIES", false, WmfRecord(0x0037, {0, 2, 0, 0, 0, 0}), 8, 2},
      {"META_ANIMATEPALETTE", false, WmfRecord(0x0436, {0, 2, 0, 0, 0, 0}), 8, 2},
      {"META_CREATEREGION", false,
       WmfRecord(0x06FF, {0, 6, 0, 0, 0, 1, 2, 0, 0, 9, 9, 2, 0, 9, 0, 9, 2}), 16, 2},
      {"META_CREATEREGION scan", false,
       WmfRecord(0x06FF, {0, 6, 0, 0, 0, 1, 2, 0, 0, 9, 9, 2, 0, 9, 0, 9, 2}), 28, 2},
  };
  // Points and polygons, in 32-bit and 16-bit forms: the count, or a
  // polygon's count together with the total.
  for (std::uint32_t kind : {2, 3, 4, 5, 6, 85, 86, 87, 88, 89}) {
    const bool wide = kind < 85;
    rows.push_back({"EMR_POLY*", true,
                    wide ? EmfRecord(kind, {0, 0, 9, 9, 2, 1, 1, 2, 2})
                         : EmfRecord(kind, {0, 0, 9, 9, 2, 0x10001, 0x20002}),
                    24, 4});
  }
  for (std::uint32_t kind : {7, 8, 90, 91}) {
    rows.push_back({"EMR_POLYPOLY*", true,
                    kind < 90 ? EmfRecord(kind, {0, 0, 9, 9, 2, 3, 1, 2, 0, 0, 0, 0, 0, 0})
                              : EmfRecord(kind, {0, 0, 9, 9, 2, 3, 1, 2, 0, 0, 0}),
                    32, 4, 28});
  }
  for (const BoundRow& row : rows) {
    SCOPED_TRACE(row.kind + std::string(" ") + std::to_string(row.record[0]));
    auto check = [&](const Bytes& record) {
      return row.enhanced ? CheckEnh(EmfWith(record)) : CheckWin(WmfWith(record));
    };
    EXPECT_NO_THROW(check(row.record));
    Bytes past = row.record;
    Grow(past, row.field, row.width);
    if (row.alsoField) Grow(past, row.alsoField, row.width);
    ExpectRejected([&](const Bytes& b, int) { check(b); }, past);
  }
}

TEST(MetafileRecords, EscapesToTheDeviceAreRefused) {
  const Bytes abortProc = WmfRecord(0x0626, {9, 4, 0, 0});  // SETABORTPROC with its code
  ExpectRejected(CheckWin, WmfWith(abortProc));
  for (std::uint32_t kind : {105, 106, 110}) {  // DRAWESCAPE, EXTESCAPE, NAMEDESCAPE
    SCOPED_TRACE(kind);
    ExpectRejected(CheckEnh, EmfWith(EmfRecord(kind, {0, 0, 9, 9, 4096, 0})));
  }
  // A comment beside them plays.
  EXPECT_NO_THROW(CheckEnh(EmfWith(EmfRecord(70, {4, 0}))));
}

}  // namespace
}  // namespace zarumo
