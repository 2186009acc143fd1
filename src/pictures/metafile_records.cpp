// Checks of what single metafile records carry, before the system plays them.
#include "pictures/metafile_records.h"

#include <algorithm>

#include "pictures/bitmap_layout.h"
#include "pictures/le_bytes.h"
#include "pictures/metafile_numbers.h"

namespace zarumo {

namespace {

// A record's bytes. A field read beyond the end reads 0 and spoils the record,
// so a check never reads outside it even when it asks about a short record.
class Record {
 public:
  Record(const std::uint8_t* bytes, std::size_t length) : bytes_(bytes), length_(length) {}

  std::uint64_t Length() const { return length_; }
  const std::uint8_t* At(std::uint64_t offset) const { return bytes_ + offset; }
  bool Whole() const { return whole_; }

  // Whether `count` items of `unit` bytes from `offset` lie inside.
  bool Has(std::uint64_t offset, std::uint64_t count = 0, std::uint64_t unit = 1) const {
    return Fits(offset, count * unit, length_);
  }
  std::uint32_t U32(std::uint64_t offset) {
    if (!Has(offset, 4)) return Spoil();
    return ReadU32(bytes_ + offset);
  }
  std::uint16_t U16(std::uint64_t offset) {
    if (!Has(offset, 2)) return static_cast<std::uint16_t>(Spoil());
    return ReadU16(bytes_ + offset);
  }
  std::uint8_t U8(std::uint64_t offset) {
    if (!Has(offset, 1)) return static_cast<std::uint8_t>(Spoil());
    return bytes_[offset];
  }

 private:
  std::uint32_t Spoil() {
    whole_ = false;
    return 0;
  }

  const std::uint8_t* bytes_;
  std::uint64_t length_;
  bool whole_ = true;
};

constexpr std::uint64_t kRegionHeaderSize = 32;

// What the system's conversion to a Windows metafile puts in the comments
// that carry the enhanced metafile it came from.
constexpr std::uint32_t kEmbeddedEnhMetafile = 0x43464D57;  // "WMFC"
constexpr std::uint64_t kEmbeddedPartAt = 34;               // of the comment's data

// Escapes that real drawings carry and that do nothing on a screen: comments,
// which hold private data of the programs that wrote them, and what only a
// PostScript printer takes (its paths, its data). None has output for the
// player to fill or code for it to run, as SETABORTPROC (9) has.
bool HarmlessEscape(std::uint32_t function) {
  switch (function) {
    case kMfComment:
    case kEscapePassThrough:
    case kEscapePostScriptData:
    case kEscapePostScriptIgnore:
    case kEscapeBeginPath:
    case kEscapeClipToPath:
    case kEscapeEndPath:
    case kEscapePostScriptPassThrough:
    case kEscapeEncapsulatedPostScript:
      return true;
    default:
      return false;
  }
}

bool KnownUsage(std::uint32_t usage) { return usage <= kDibNoColours; }

ColourTable TableFor(std::uint32_t usage) {
  return usage == kDibRgbColours       ? ColourTable::kColours
         : usage == kDibPaletteColours ? ColourTable::kPaletteIndices
                                       : ColourTable::kNone;
}

// --- Enhanced metafiles ---------------------------------------------------

// A bitmap given by four fields at `at`: the offsets and sizes of its header
// and of its bits. Without a header it is absent, which `optional` allows.
bool EnhBitmap(Record& r, std::uint64_t at, std::uint32_t usage, bool optional,
               std::uint32_t rows = UINT32_MAX) {
  const std::uint32_t infoAt = r.U32(at);
  const std::uint32_t infoSize = r.U32(at + 4);
  const std::uint32_t bitsAt = r.U32(at + 8);
  const std::uint32_t bitsSize = r.U32(at + 12);
  if (!r.Whole()) return false;
  if (infoSize == 0) return optional;
  return KnownUsage(usage) && r.Has(infoAt, infoSize) && r.Has(bitsAt, bitsSize) &&
         BitmapInfoAndBitsFit(r.At(infoAt), infoSize, bitsSize, TableFor(usage), rows);
}

// One text of `charSize` bytes a character, described at `at`: its count,
// where its characters lie and where its spacing array does.
bool EnhText(Record& r, std::uint64_t at, std::uint64_t charSize) {
  const std::uint32_t chars = r.U32(at + 8);
  const std::uint32_t textAt = r.U32(at + 12);
  const std::uint32_t options = r.U32(at + 16);
  const std::uint32_t spacingAt = r.U32(at + 36);
  if (!r.Whole()) return false;
  const std::uint64_t spacing = options & kTextPdy ? 8 : 4;
  return chars == 0 || (r.Has(textAt, chars, charSize) && r.Has(spacingAt, chars, spacing));
}

bool EnhPolyText(Record& r, std::uint64_t charSize) {
  const std::uint32_t texts = r.U32(36);
  if (!r.Whole() || !r.Has(40, texts, 40)) return false;
  for (std::uint64_t i = 0; i < texts; ++i) {
    if (!EnhText(r, 40 + 40 * i, charSize)) return false;
  }
  return true;
}

bool EnhSmallText(Record& r) {
  const std::uint32_t chars = r.U32(16);
  const std::uint32_t options = r.U32(20);
  if (!r.Whole() || !r.Has(36)) return false;
  const std::uint64_t textAt = options & kTextNoRect ? 36 : 52;
  return r.Has(textAt, chars, options & kTextSmallChars ? 1 : 2);
}

// A count at 24, then that many points (and, for drawn paths, a byte each).
bool EnhPoints(Record& r, std::uint64_t pointSize) {
  const std::uint32_t points = r.U32(24);
  return r.Whole() && r.Has(28, points, pointSize);
}

// Counts of polygons and of points, each polygon's count, then the points.
bool EnhPolyPoints(Record& r, std::uint64_t pointSize) {
  const std::uint32_t polygons = r.U32(24);
  const std::uint32_t points = r.U32(28);
  if (!r.Whole() || !r.Has(32, polygons, 4)) return false;
  std::uint64_t sum = 0;
  for (std::uint64_t i = 0; i < polygons; ++i) sum += r.U32(32 + 4 * i);
  return sum == points && r.Has(32 + std::uint64_t{polygons} * 4, points, pointSize);
}

// A region's size at `sizeAt` and its data at `dataAt`; a clip region may be
// absent, which sets the default clipping.
bool EnhRegion(Record& r, std::uint64_t sizeAt, std::uint64_t dataAt, bool optional) {
  const std::uint32_t size = r.U32(sizeAt);
  if (!r.Whole() || !r.Has(dataAt)) return false;
  if (size == 0) return optional;
  if (size < kRegionHeaderSize || !r.Has(dataAt, size)) return false;
  const std::uint32_t headerSize = r.U32(dataAt);
  const std::uint32_t rectangles = r.U32(dataAt + 8);
  return headerSize >= kRegionHeaderSize && Fits(headerSize, std::uint64_t{rectangles} * 16, size);
}

bool EnhPen(Record& r) {
  const std::uint32_t style = r.U32(36);
  const std::uint32_t colour = r.U32(40);
  const std::uint32_t entries = r.U32(48);
  if (!r.Whole() || !r.Has(52, entries, 4)) return false;
  const bool pattern = style == kBrushDibPattern || style == kBrushDibPatternPt;
  return EnhBitmap(r, 12, pattern ? colour : kDibRgbColours, !pattern);
}

bool EnhPalette(Record& r, std::uint64_t countAt, std::uint32_t count, std::uint64_t entriesAt) {
  return r.Whole() && r.Has(countAt) && (count == 0 || r.Has(entriesAt, count, 4));
}

// An escape to the device: its function at 8, then `counts` byte counts
// whose data follow one another after them.
bool EnhEscape(Record& r, int counts) {
  const std::uint32_t function = r.U32(8);
  std::uint64_t bytes = 0;
  for (int i = 0; i < counts; ++i) bytes += r.U32(12 + 4 * i);
  return r.Whole() && HarmlessEscape(function) && r.Has(12 + 4 * counts, bytes);
}

// --- Windows metafiles ----------------------------------------------------

// An escape: its function, its byte count and that many bytes. A comment that
// carries part of an enhanced metafile holds all of that part.
bool WinEscape(Record& r) {
  const std::uint16_t function = r.U16(6);
  const std::uint16_t bytes = r.U16(8);
  if (!r.Whole() || !HarmlessEscape(function) || !r.Has(10, bytes)) return false;
  if (function != kMfComment || bytes < 4 || r.U32(10) != kEmbeddedEnhMetafile) return true;
  const std::uint32_t part = r.U32(10 + 22);
  return r.Whole() && bytes >= kEmbeddedPartAt && Fits(kEmbeddedPartAt, part, bytes);
}

std::uint64_t Padded(std::uint64_t bytes) { return (bytes + 1) / 2 * 2; }

// The old device-dependent bitmap at `at`: a 10-byte header, then its bits.
// Players read that header in two ways: type, width, height, row bytes,
// planes and bits per pixel as bytes; or width, height, row bytes, planes and
// bits per pixel as words. The bits must serve every reading a system could
// make a bitmap of.
bool WinBitmap16(Record& r, std::uint64_t at) {
  if (!r.Has(at, 10)) return false;
  const std::uint64_t bits = r.Length() - at - 10;
  auto need = [](std::uint64_t width, std::uint64_t height, std::uint64_t rowBytes,
                 std::uint64_t planes, std::uint64_t bitCount) {
    return std::max(rowBytes, (width * bitCount + 15) / 16 * 2) * height * planes;
  };
  if (need(r.U16(at + 2), r.U16(at + 4), r.U16(at + 6), r.U8(at + 8), r.U8(at + 9)) > bits) {
    return false;
  }
  const std::uint16_t wordBitCount = r.U16(at + 8);
  return wordBitCount > 32 ||
         need(r.U16(at), r.U16(at + 2), r.U16(at + 4), r.U16(at + 6), wordBitCount) <= bits;
}

// A packed bitmap from `at` to the end of the record.
bool WinDib(Record& r, std::uint64_t at, std::uint32_t usage, std::uint32_t rows = UINT32_MAX) {
  return r.Whole() && KnownUsage(usage) && r.Has(at) &&
         PackedBitmapFits(r.At(at), static_cast<std::size_t>(r.Length() - at), TableFor(usage),
                          rows);
}

bool WinExtText(Record& r) {
  const std::uint16_t chars = r.U16(10);
  const std::uint16_t options = r.U16(12);
  if (!r.Whole()) return false;
  const std::uint64_t textAt = options & (kTextOpaque | kTextClipped) ? 22 : 14;
  return r.Has(textAt, chars);
}

bool WinPolyPolygon(Record& r) {
  const std::uint16_t polygons = r.U16(6);
  if (!r.Whole() || !r.Has(8, polygons, 2)) return false;
  std::uint64_t points = 0;
  for (std::uint64_t i = 0; i < polygons; ++i) points += r.U16(8 + 2 * i);
  return r.Has(8 + std::uint64_t{polygons} * 2, points, 4);
}

// The region object: its scans from byte 28, each a count of coordinates,
// top and bottom, the coordinates and the count again.
bool WinRegion(Record& r) {
  const std::uint16_t scans = r.U16(16);
  if (!r.Whole() || !r.Has(28)) return false;
  std::uint64_t at = 28;
  for (std::uint32_t i = 0; i < scans; ++i) {
    const std::uint16_t coordinates = r.U16(at);
    if (!r.Whole()) return false;
    const std::uint64_t size = 8 + std::uint64_t{coordinates} * 2;
    if (!r.Has(at, size)) return false;
    at += size;
  }
  return true;
}

}  // namespace

bool EnhRecordHoldsItsData(const std::uint8_t* record, std::size_t length) {
  Record r(record, length);
  switch (r.U32(0)) {
    case kEmrPolyBezier:
    case kEmrPolygon:
    case kEmrPolyline:
    case kEmrPolyBezierTo:
    case kEmrPolylineTo:
      return EnhPoints(r, 8);
    case kEmrPolyBezier16:  // the same with 16-bit points
    case kEmrPolygon16:
    case kEmrPolyline16:
    case kEmrPolyBezierTo16:
    case kEmrPolylineTo16:
      return EnhPoints(r, 4);
    case kEmrPolyDraw:
      return EnhPoints(r, 9);
    case kEmrPolyDraw16:
      return EnhPoints(r, 5);
    case kEmrPolyPolyline:
    case kEmrPolyPolygon:
      return EnhPolyPoints(r, 8);
    case kEmrPolyPolyline16:  // the same with 16-bit points
    case kEmrPolyPolygon16:
      return EnhPolyPoints(r, 4);
    case kEmrEof:  // the palette it may carry
      return EnhPalette(r, 16, r.U32(8), r.U32(12));
    case kEmrCreatePalette:
      return EnhPalette(r, 16, r.U16(14), 16);
    case kEmrSetPaletteEntries:
      return EnhPalette(r, 20, r.U32(16), 20);
    case kEmrFillRgn:
      return EnhRegion(r, 24, 32, false);
    case kEmrFrameRgn:
      return EnhRegion(r, 24, 40, false);
    case kEmrInvertRgn:
    case kEmrPaintRgn:
      return EnhRegion(r, 24, 28, false);
    case kEmrExtSelectClipRgn:
      return EnhRegion(r, 8, 16, true);
    case kEmrBitBlt:
      return r.Has(100) && EnhBitmap(r, 84, r.U32(80), true);
    case kEmrStretchBlt:
    case kEmrAlphaBlend:
    case kEmrTransparentBlt:
      return r.Has(108) && EnhBitmap(r, 84, r.U32(80), true);
    case kEmrMaskBlt:
      return r.Has(128) && EnhBitmap(r, 84, r.U32(80), true) && EnhBitmap(r, 112, r.U32(108), true);
    case kEmrPlgBlt:
      return r.Has(140) && EnhBitmap(r, 96, r.U32(92), true) && EnhBitmap(r, 124, r.U32(120), true);
    case kEmrSetDiBitsToDevice:  // only the scan lines it sets
      return r.Has(76) && EnhBitmap(r, 48, r.U32(64), false, r.U32(72));
    case kEmrStretchDiBits:
      return r.Has(80) && EnhBitmap(r, 48, r.U32(64), false);
    case kEmrCreateMonoBrush:
    case kEmrCreateDibPatternBrushPt:
      return r.Has(32) && EnhBitmap(r, 16, r.U32(12), false);
    case kEmrExtCreatePen:
      return EnhPen(r);
    case kEmrExtTextOutA:
      return r.Has(76) && EnhText(r, 36, 1);
    case kEmrExtTextOutW:
      return r.Has(76) && EnhText(r, 36, 2);
    case kEmrPolyTextOutA:
      return EnhPolyText(r, 1);
    case kEmrPolyTextOutW:
      return EnhPolyText(r, 2);
    case kEmrSmallTextOut:
      return EnhSmallText(r);
    case kEmrGdiComment:
      return r.Has(12, r.U32(8)) && r.Whole();
    case kEmrDrawEscape:
    case kEmrExtEscape:
      return EnhEscape(r, 1);
    case kEmrNamedEscape:  // the driver's name, then the data
      return EnhEscape(r, 2);
    default:
      return r.Whole();
  }
}

bool WinRecordHoldsItsData(const std::uint8_t* record, std::size_t length) {
  Record r(record, length);
  // Blits without a source bitmap have a fixed length: (function >> 8) + 3 words.
  const std::uint16_t function = r.U16(4);
  const bool sourceless = length == (std::uint64_t{function} >> 8) * 2 + 6;
  switch (function) {
    case kMetaBitBlt:
      return sourceless || WinBitmap16(r, 22);
    case kMetaStretchBlt:
      return sourceless || WinBitmap16(r, 26);
    case kMetaDibBitBlt:
      return sourceless || WinDib(r, 22, kDibRgbColours);
    case kMetaDibStretchBlt:
      return sourceless || WinDib(r, 26, kDibRgbColours);
    case kMetaSetDibToDev:  // only the scan lines it sets
      return WinDib(r, 24, r.U16(6), r.U16(8));
    case kMetaStretchDib:
      return WinDib(r, 28, r.U16(10));
    case kMetaDibCreatePatternBrush: {  // a plain pattern takes colours
      const std::uint16_t style = r.U16(6);
      return WinDib(r, 10, style == kBrushPattern ? kDibRgbColours : r.U16(8));
    }
    case kMetaTextOut: {  // the text, then its position
      const std::uint16_t chars = r.U16(6);
      return r.Whole() && r.Has(8, Padded(chars) + 4);
    }
    case kMetaExtTextOut:
      return WinExtText(r);
    case kMetaPolygon:
    case kMetaPolyline: {
      const std::uint16_t points = r.U16(6);
      return r.Whole() && r.Has(8, points, 4);
    }
    case kMetaPolyPolygon:
      return WinPolyPolygon(r);
    case kMetaCreatePalette:
    case kMetaSetPalEntries:
    case kMetaAnimatePalette: {
      const std::uint16_t entries = r.U16(8);
      return r.Whole() && r.Has(10, entries, 4);
    }
    case kMetaCreateRegion:
      return WinRegion(r);
    case kMetaEscape:
      return WinEscape(r);
    default:
      return r.Whole();
  }
}

bool EmbeddedEnhMetafilePart(const std::uint8_t* record, std::size_t length,
                             const std::uint8_t*& part, std::size_t& size) {
  Record r(record, length);
  if (r.U16(4) != kMetaEscape || r.U16(6) != kMfComment || r.U16(8) < kEmbeddedPartAt ||
      r.U32(10) != kEmbeddedEnhMetafile || !r.Whole()) {
    return false;
  }
  part = r.At(10 + kEmbeddedPartAt);
  size = r.U32(10 + 22);
  return true;
}

}  // namespace zarumo
