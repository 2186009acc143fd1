// The SDK's names for the numbers that pure code keeps under names of its
// own: the build stops where one differs from the SDK header.
#include <windows.h>

#include <cstddef>

#include "pictures/bitmap_layout.h"
#include "pictures/metafile_numbers.h"
#include "setup/setup_layout.h"

namespace zarumo {

static_assert(kEmrHeader == EMR_HEADER);
static_assert(kEmrPolyBezier == EMR_POLYBEZIER);
static_assert(kEmrPolygon == EMR_POLYGON);
static_assert(kEmrPolyline == EMR_POLYLINE);
static_assert(kEmrPolyBezierTo == EMR_POLYBEZIERTO);
static_assert(kEmrPolylineTo == EMR_POLYLINETO);
static_assert(kEmrPolyPolyline == EMR_POLYPOLYLINE);
static_assert(kEmrPolyPolygon == EMR_POLYPOLYGON);
static_assert(kEmrEof == EMR_EOF);
static_assert(kEmrSaveDc == EMR_SAVEDC);
static_assert(kEmrRestoreDc == EMR_RESTOREDC);
static_assert(kEmrCreatePalette == EMR_CREATEPALETTE);
static_assert(kEmrSetPaletteEntries == EMR_SETPALETTEENTRIES);
static_assert(kEmrPolyDraw == EMR_POLYDRAW);
static_assert(kEmrGdiComment == EMR_GDICOMMENT);
static_assert(kEmrFillRgn == EMR_FILLRGN);
static_assert(kEmrFrameRgn == EMR_FRAMERGN);
static_assert(kEmrInvertRgn == EMR_INVERTRGN);
static_assert(kEmrPaintRgn == EMR_PAINTRGN);
static_assert(kEmrExtSelectClipRgn == EMR_EXTSELECTCLIPRGN);
static_assert(kEmrBitBlt == EMR_BITBLT);
static_assert(kEmrStretchBlt == EMR_STRETCHBLT);
static_assert(kEmrMaskBlt == EMR_MASKBLT);
static_assert(kEmrPlgBlt == EMR_PLGBLT);
static_assert(kEmrSetDiBitsToDevice == EMR_SETDIBITSTODEVICE);
static_assert(kEmrStretchDiBits == EMR_STRETCHDIBITS);
static_assert(kEmrExtTextOutA == EMR_EXTTEXTOUTA);
static_assert(kEmrExtTextOutW == EMR_EXTTEXTOUTW);
static_assert(kEmrPolyBezier16 == EMR_POLYBEZIER16);
static_assert(kEmrPolygon16 == EMR_POLYGON16);
static_assert(kEmrPolyline16 == EMR_POLYLINE16);
static_assert(kEmrPolyBezierTo16 == EMR_POLYBEZIERTO16);
static_assert(kEmrPolylineTo16 == EMR_POLYLINETO16);
static_assert(kEmrPolyPolyline16 == EMR_POLYPOLYLINE16);
static_assert(kEmrPolyPolygon16 == EMR_POLYPOLYGON16);
static_assert(kEmrPolyDraw16 == EMR_POLYDRAW16);
static_assert(kEmrCreateMonoBrush == EMR_CREATEMONOBRUSH);
static_assert(kEmrCreateDibPatternBrushPt == EMR_CREATEDIBPATTERNBRUSHPT);
static_assert(kEmrExtCreatePen == EMR_EXTCREATEPEN);
static_assert(kEmrPolyTextOutA == EMR_POLYTEXTOUTA);
static_assert(kEmrPolyTextOutW == EMR_POLYTEXTOUTW);
static_assert(kEmrAlphaBlend == EMR_ALPHABLEND);
static_assert(kEmrTransparentBlt == EMR_TRANSPARENTBLT);
static_assert(kMetaSaveDc == META_SAVEDC);
static_assert(kMetaSetPalEntries == META_SETPALENTRIES);
static_assert(kMetaCreatePalette == META_CREATEPALETTE);
static_assert(kMetaRestoreDc == META_RESTOREDC);
static_assert(kMetaDibCreatePatternBrush == META_DIBCREATEPATTERNBRUSH);
static_assert(kMetaSetWindowExt == META_SETWINDOWEXT);
static_assert(kMetaPolygon == META_POLYGON);
static_assert(kMetaPolyline == META_POLYLINE);
static_assert(kMetaAnimatePalette == META_ANIMATEPALETTE);
static_assert(kMetaTextOut == META_TEXTOUT);
static_assert(kMetaPolyPolygon == META_POLYPOLYGON);
static_assert(kMetaEscape == META_ESCAPE);
static_assert(kMetaCreateRegion == META_CREATEREGION);
static_assert(kMetaBitBlt == META_BITBLT);
static_assert(kMetaDibBitBlt == META_DIBBITBLT);
static_assert(kMetaExtTextOut == META_EXTTEXTOUT);
static_assert(kMetaStretchBlt == META_STRETCHBLT);
static_assert(kMetaDibStretchBlt == META_DIBSTRETCHBLT);
static_assert(kMetaSetDibToDev == META_SETDIBTODEV);
static_assert(kMetaStretchDib == META_STRETCHDIB);
static_assert(kMfComment == MFCOMMENT);
static_assert(kEscapePassThrough == PASSTHROUGH);
static_assert(kEscapePostScriptData == POSTSCRIPT_DATA);
static_assert(kEscapePostScriptIgnore == POSTSCRIPT_IGNORE);
static_assert(kEscapeBeginPath == BEGIN_PATH);
static_assert(kEscapeClipToPath == CLIP_TO_PATH);
static_assert(kEscapeEndPath == END_PATH);
static_assert(kEscapePostScriptPassThrough == POSTSCRIPT_PASSTHROUGH);
static_assert(kEscapeEncapsulatedPostScript == ENCAPSULATED_POSTSCRIPT);
static_assert(kEmfSignature == ENHMETA_SIGNATURE);
static_assert(kWmfHeaderSize == sizeof(METAHEADER));
static_assert(kDibRgbColours == DIB_RGB_COLORS);
static_assert(kDibPaletteColours == DIB_PAL_COLORS);
static_assert(kTextOpaque == ETO_OPAQUE);
static_assert(kTextClipped == ETO_CLIPPED);
static_assert(kTextPdy == ETO_PDY);
static_assert(kBrushPattern == BS_PATTERN);
static_assert(kBrushDibPattern == BS_DIBPATTERN);
static_assert(kBrushDibPatternPt == BS_DIBPATTERNPT);
static_assert(kBitmapRgb == BI_RGB);
static_assert(kBitmapJpeg == BI_JPEG);
static_assert(kBitmapPng == BI_PNG);
static_assert(kBitmapRle8 == BI_RLE8);
static_assert(kBitmapRle4 == BI_RLE4);
static_assert(kBitmapBitFields == BI_BITFIELDS);
static_assert(kBitmapFileHeaderSize == sizeof(BITMAPFILEHEADER));
static_assert(kBitmapCoreHeaderSize == sizeof(BITMAPCOREHEADER));
static_assert(kBitmapInfoHeaderSize == sizeof(BITMAPINFOHEADER));
static_assert(kShiftJisCharset == SHIFTJIS_CHARSET);

}  // namespace zarumo
