// Checking metafiles before the system plays them, and the size they are shown at.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/expect_failure.h"
#include "common/le_bytes_writer.h"
#include "common/metafile_writer.h"
#include "pictures/metafile_header.h"
#include "system/failure.h"

namespace zarumo {
namespace {

using test_common::Bytes;
using test_common::Put16s;
using test_common::Put32s;
using test_common::Set16;
using test_common::Set32;

using Rect = test_common::MetafileRect;

// Header, one 12-byte record, `more` records, end of file.
Bytes Emf(Rect bounds, Rect frame, const Bytes& more = {}) {
  Bytes records;
  Put32s(records, {18, 12, 1});  // EMR_SETMAPMODE
  records.insert(records.end(), more.begin(), more.end());
  return test_common::EnhancedMetafile(bounds, frame, records);
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

// The check for either kind, as one function.
void CheckEither(bool enhanced, const Bytes& b, int dpi = 96) {
  enhanced ? CheckEnh(b, dpi) : CheckWin(b, dpi);
}

// `good` with the 32 bits at `at` set to `v`.
Bytes Changed(const Bytes& good, std::size_t at, std::uint32_t v) {
  Bytes b = good;
  Set32(b, at, v);
  return b;
}

template <typename Check>
void ExpectRejected(Check check, const Bytes& b) {
  test_common::ExpectFailure<InvalidPicture>([&] { check(b, 96); }, "メタファイルが不正です");
}

template <typename Check>
bool Passes(Check check, const Bytes& b) {
  try {
    check(b, 96);
    return true;
  } catch (const InvalidPicture&) {
    return false;
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
  const std::uint32_t longer = static_cast<std::uint32_t>(good.size() + 4);
  // Not a header record, its signature, header too short, longer than the file, ends inside a
  // record, record of no length, not a whole number of words, no end of file, a second header.
  const std::pair<std::size_t, std::uint32_t> changes[] = {{0, 2},       {40, 0x464D4521}, {4, 84},
                                                           {48, longer}, {48, 100},        {92, 0},
                                                           {92, 10},     {100, 3},         {88, 1}};
  for (const auto& [at, v] : changes) {
    SCOPED_TRACE(at);
    ExpectRejected(CheckEnh, Changed(good, at, v));
  }
  Bytes description = Changed(good, 60, 10);
  Set32(description, 64, 110);  // ten characters from byte 110: past the end
  ExpectRejected(CheckEnh, description);
  ExpectRejected(CheckEnh, Bytes(good.begin(), good.begin() + 87));
  // Bytes after the declared length are not the metafile's.
  Bytes trailed = good;
  trailed.resize(trailed.size() + 8, 0xCC);
  EXPECT_EQ(CheckEnh(trailed).size, good.size());
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
  // Nothing stated: the size is that of what it draws, which the system measures.
  const MetafileFrame unsized = CheckWin(Wmf(false, false));
  EXPECT_EQ(unsized.width + unsized.height + unsized.frameWidth, 0);
  EXPECT_EQ(MeasuredFrame(150, 40, 96, 96).frameHeight, 1058);
  ExpectRejected([](const Bytes&, int) { return MeasuredFrame(0, 40, 96, 96); }, Bytes());
}

TEST(MetafileHeader, WindowsHeaderAndRecordsMustHoldTogether) {
  const Bytes good = Wmf(false, true);
  // Type 3, a header of 8 words, longer than the file, ends inside a record, a record of no
  // length, a record past the end.
  const std::pair<std::size_t, std::uint32_t> changes[] = {
      {0, 0x00090003}, {2, 0x03000008}, {6, 1000}, {6, 12}, {18, 0}, {18, 0x40000000}};
  for (const auto& [at, v] : changes) {
    SCOPED_TRACE(at);
    ExpectRejected(CheckWin, Changed(good, at, v));
  }
  Bytes noEnd = good;
  noEnd[good.size() - 2] = 0x01;  // the last record is no end-of-file
  ExpectRejected(CheckWin, noEnd);
}

// `records` after the one record each of the samples above has.
Bytes With(bool enhanced, const Bytes& records) {
  if (enhanced) return Emf({0, 0, 99, 49}, {0, 0, 2540, 1270}, records);
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
  Put32s(emfSave, {33, 8});
  Put32s(emfRestore, {34, 12, static_cast<std::uint32_t>(-1)});
  Put32s(wmfSave, {3});
  Put16s(wmfSave, {0x001E});
  Put32s(wmfRestore, {4});
  Put16s(wmfRestore, {0x0127, static_cast<std::uint16_t>(-1)});
  const std::size_t deepest = static_cast<std::size_t>(kMaxMetafileNesting);
  for (bool enhanced : {true, false}) {
    const Bytes& save = enhanced ? emfSave : wmfSave;
    const Bytes& restore = enhanced ? emfRestore : wmfRestore;
    auto check = [&](const Bytes& b, int dpi = 96) { CheckEither(enhanced, b, dpi); };
    EXPECT_NO_THROW(check(With(enhanced, Repeated(save, deepest)))) << enhanced;
    ExpectRejected(check, With(enhanced, Repeated(save, deepest + 1)));
    // A restored state makes room again: many shallow saves, then the deepest nesting.
    Bytes pair = save;
    pair.insert(pair.end(), restore.begin(), restore.end());
    Bytes shallowThenDeep = Repeated(pair, 1000);
    const Bytes deep = Repeated(save, deepest);
    shallowThenDeep.insert(shallowThenDeep.end(), deep.begin(), deep.end());
    EXPECT_NO_THROW(check(With(enhanced, shallowThenDeep))) << enhanced;
  }
}

TEST(MetafileHeader, RecordCountIsBounded) {
  Bytes emfLine, wmfLine;
  Put32s(emfLine, {54, 16, 10, 20});  // EMR_LINETO
  Put32s(wmfLine, {5});
  Put16s(wmfLine, {0x0213, 20, 10});  // META_LINETO
  // Both samples carry two records of their own, the end-of-file record included.
  const std::size_t most = static_cast<std::size_t>(kMaxMetafileRecords) - 2;
  EXPECT_NO_THROW(CheckEnh(With(true, Repeated(emfLine, most))));
  ExpectRejected(CheckEnh, With(true, Repeated(emfLine, most + 1)));
  EXPECT_NO_THROW(CheckWin(With(false, Repeated(wmfLine, most))));
  ExpectRejected(CheckWin, With(false, Repeated(wmfLine, most + 1)));
}

// The fuzz target's seeds of the counted record kinds: each holds exactly
// the data its fields describe.
Bytes RecordSeed(const std::string& name) {
  std::ifstream in(ZARUMO_SOURCE_DIR "/tests/fuzz/seeds/metafile/record-" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Where the first record of `kind` starts.
std::size_t RecordAt(const Bytes& b, bool enhanced, std::uint32_t kind) {
  std::size_t at = enhanced ? test_common::Get32(b, 4) : 18;
  while ((enhanced ? test_common::Get32(b, at) : (b.at(at + 4) | b.at(at + 5) << 8)) != kind)
    at += enhanced ? test_common::Get32(b, at + 4) : test_common::Get32(b, at) * 2;
  return at;
}

// A seed's record of `kind`, and the field within it (two where given) whose
// growth by one takes its data past the record; a 16-bit field grows as the
// low half of 32 bits.
struct BoundRow {
  const char* seed;
  std::uint32_t kind;
  std::size_t field;
  std::size_t alsoField;
};

TEST(MetafileRecords, DataPastTheRecordIsRefusedForEveryKind) {
  // Bitmaps by their height, a few by their fields.
  const std::vector<BoundRow> bitmaps = {
      {"bitblt.emf", 76, 108, 0},           {"bitblt.emf", 76, 96, 0},
      {"stretchblt.emf", 77, 116, 0},       {"maskblt.emf", 78, 136, 0},
      {"maskblt-mask.emf", 78, 136, 0},     {"plgblt.emf", 79, 148, 0},
      {"plgblt-mask.emf", 79, 148, 0},      {"setdibits.emf", 80, 84, 0},
      {"setdibits-lines.emf", 80, 84, 72},  {"stretchdibits.emf", 81, 88, 0},
      {"monobrush.emf", 93, 40, 0},         {"dibbrush.emf", 94, 40, 0},
      {"alphablend.emf", 114, 116, 0},      {"transparentblt.emf", 116, 116, 0},
      {"pen-pattern.emf", 95, 60, 0},       {"bitblt.wmf", 0x0922, 26, 0},
      {"stretchblt.wmf", 0x0B23, 30, 0},    {"dibbitblt.wmf", 0x0940, 30, 0},
      {"dibstretchblt.wmf", 0x0B41, 34, 0}, {"setdibtodev.wmf", 0x0D33, 32, 0},
      {"stretchdib.wmf", 0x0F43, 36, 0},    {"dibpatternbrush.wmf", 0x0142, 18, 0}};
  // Texts by their counts and offsets.
  const std::vector<BoundRow> texts = {
      {"exttextouta.emf", 83, 44, 0},           {"exttextoutw.emf", 84, 44, 0},
      {"exttextoutw.emf", 84, 48, 0},           {"exttextoutw-spacing.emf", 84, 72, 0},
      {"polytextouta.emf", 96, 48, 0},          {"polytextoutw.emf", 97, 48, 0},
      {"polytextoutw.emf", 97, 36, 0},          {"smalltextout.emf", 108, 16, 0},
      {"smalltextout-clipped.emf", 108, 16, 0}, {"textout.wmf", 0x0521, 6, 0},
      {"exttextout.wmf", 0x0A32, 10, 0},        {"exttextout-clipped.wmf", 0x0A32, 10, 0}};
  // Points by their counts: a polygon's with the total, or the total alone.
  const std::vector<BoundRow> points = {
      {"poly2.emf", 2, 24, 0},        {"poly3.emf", 3, 24, 0},
      {"poly4.emf", 4, 24, 0},        {"poly5.emf", 5, 24, 0},
      {"poly6.emf", 6, 24, 0},        {"poly85.emf", 85, 24, 0},
      {"poly86.emf", 86, 24, 0},      {"poly87.emf", 87, 24, 0},
      {"poly88.emf", 88, 24, 0},      {"poly89.emf", 89, 24, 0},
      {"poly7.emf", 7, 32, 28},       {"poly8.emf", 8, 32, 28},
      {"poly90.emf", 90, 32, 28},     {"poly91.emf", 91, 32, 28},
      {"poly7.emf", 7, 28, 0},        {"polydraw.emf", 56, 24, 0},
      {"polydraw16.emf", 92, 24, 0},  {"polygon.wmf", 0x0324, 6, 0},
      {"polyline.wmf", 0x0325, 6, 0}, {"polypolygon.wmf", 0x0538, 8, 0}};
  // Palettes, pens and regions by their entries and sizes.
  const std::vector<BoundRow> tables = {
      {"createpalette.emf", 49, 14, 0},    {"setpaletteentries.emf", 50, 16, 0},
      {"extcreatepen.emf", 95, 48, 0},     {"fillrgn.emf", 71, 40, 0},
      {"fillrgn.emf", 71, 24, 0},          {"framergn.emf", 72, 48, 0},
      {"invertrgn.emf", 73, 36, 0},        {"paintrgn.emf", 74, 36, 0},
      {"extselectcliprgn.emf", 75, 24, 0}, {"createpalette.wmf", 0x00F7, 8, 0},
      {"setpalentries.wmf", 0x0037, 8, 0}, {"animatepalette.wmf", 0x0436, 8, 0},
      {"createregion.wmf", 0x06FF, 16, 0}, {"createregion.wmf", 0x06FF, 28, 0}};
  // Escapes, comments and whole images by their byte counts.
  const std::vector<BoundRow> data = {
      {"comment.wmf", 0x0626, 8, 0},           {"drawescape-comment.emf", 105, 12, 0},
      {"extescape-path.emf", 106, 12, 0},      {"namedescape-comment.emf", 110, 12, 0},
      {"namedescape-comment.emf", 110, 16, 0}, {"gdicomment.emf", 70, 8, 0},
      {"stretchdibits-png.emf", 81, 100, 0},   {"stretchdibits-jpeg.emf", 81, 100, 0},
      {"embedded-emf.wmf", 0x0626, 32, 0}};
  for (const auto* group : {&bitmaps, &texts, &points, &tables, &data})
    for (const BoundRow& row : *group) {
      SCOPED_TRACE(std::string(row.seed) + " " + std::to_string(row.field));
      const bool enhanced = std::string(row.seed).find(".emf") != std::string::npos;
      auto check = [&](const Bytes& b, int dpi = 96) { CheckEither(enhanced, b, dpi); };
      Bytes past = RecordSeed(row.seed);
      EXPECT_NO_THROW(check(past, 96));
      const std::size_t at = RecordAt(past, enhanced, row.kind);
      for (std::size_t field : {row.field, row.alsoField})
        if (field) Set32(past, at + field, test_common::Get32(past, at + field) + 1);
      ExpectRejected(check, past);
    }
}

TEST(MetafileRecords, OnlyEscapesThatDoNothingOnAScreenPass) {
  for (const char* seed : {"drawescape.emf", "extescape.emf", "namedescape.emf"}) {
    SCOPED_TRACE(seed);
    ExpectRejected(CheckEnh, RecordSeed(seed));  // function 0
  }
  // Comments, PostScript's paths and data pass; what prints, asks or runs code does not.
  const std::pair<std::uint16_t, bool> functions[] = {
      {15, true}, {4096, true}, {4098, true}, {37, true},  {4116, true}, {9, false},
      {1, false}, {10, false},  {12, false},  {14, false}, {0, false},   {0x7FFF, false}};
  const Bytes comment = RecordSeed("comment.wmf");
  for (const auto& [function, passes] : functions) {
    SCOPED_TRACE(function);
    Bytes b = comment;
    Set16(b, RecordAt(b, false, 0x0626) + 6, function);
    EXPECT_EQ(Passes(CheckWin, b), passes);
  }
  // The enhanced metafile that comments carry is what the system plays.
  Bytes b = RecordSeed("embedded-emf.wmf");
  EXPECT_NO_THROW(CheckWin(b));
  Set32(b, RecordAt(b, false, 0x0626) + 10 + 34 + 40, 0);  // its signature
  ExpectRejected(CheckWin, b);
}

// Every kind that names an object slot: 32 bits at 8 in an enhanced metafile,
// 16 at 6 in a Windows one, or where given. Every seed's table has 4 slots.
TEST(MetafileObjects, SlotsPastTheTableAreRefusedForEveryKind) {
  const std::string rows[] = {
      "selectobject.emf",  "selectpalette.emf", "deleteobject.emf",      "createpen.emf",
      "brushindirect.emf", "createpalette.emf", "setpaletteentries.emf", "resizepalette.emf",
      "extcreatefont.emf", "monobrush.emf",     "dibbrush.emf",          "extcreatepen.emf",
      "colorspace.emf",    "setcolorspace.emf", "deletecolorspace.emf",  "colorcorrect.emf",
      "colorspacew.emf",   "fillrgn.emf 28",    "framergn.emf 28",       "selectobject.wmf",
      "deleteobject.wmf",  "selectpalette.wmf", "selectclipregion.wmf",  "invertregion.wmf",
      "paintregion.wmf",   "fillregion.wmf",    "fillregion.wmf 8",      "frameregion.wmf 10",
      "frameregion.wmf 12"};
  // Creating and deleting never touch slot 0, the metafile's own.
  const std::set<std::uint32_t> owning = {38, 39, 40, 49, 82, 93, 94, 95, 99, 101, 122};
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const bool enhanced = row.find(".emf") != std::string::npos;
    auto check = [&](const Bytes& b, int dpi = 96) { CheckEither(enhanced, b, dpi); };
    const Bytes good = RecordSeed(row.substr(0, row.find(' ')));
    EXPECT_NO_THROW(check(good, 96));
    // The seed's own record follows the three of the sample it is put in.
    const std::size_t given = row.find(' ');
    const std::size_t field =
        given == std::string::npos ? (enhanced ? 8 : 6) : std::stoul(row.substr(given));
    const std::size_t at = (enhanced ? 132 : 60) + field;
    const std::uint32_t kind = enhanced ? test_common::Get32(good, 132) : 0;
    auto with = [&](std::uint32_t slot) {
      Bytes b = good;
      enhanced ? Set32(b, at, slot) : Set16(b, at, static_cast<std::uint16_t>(slot));
      return b;
    };
    ExpectRejected(check, with(4));
    ExpectRejected(check, with(enhanced ? 0x00FFFFF0 : 0xFFF0));  // as in the files that crashed
    EXPECT_EQ(Passes(check, with(0x80000004)), kind == 37 || kind == 48);  // stock
    EXPECT_EQ(Passes(check, with(0)), !owning.count(kind));
  }
  Bytes b = RecordSeed("create-delete.wmf");  // four created, one deleted, one more
  EXPECT_NO_THROW(CheckWin(b));
  Set16(b, RecordAt(b, false, 0x01F0) + 4, 0x0035);  // the deletion made a realisation
  ExpectRejected(CheckWin, b);
}

}  // namespace
}  // namespace zarumo
