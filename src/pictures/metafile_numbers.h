// The numbers the metafile checks meet in files, by the names the SDK's
// wingdi.h gives them; the few it lacks are named as the formats'
// documentation names them. A Win32-only file checks each against the header.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarumo {

// Enhanced metafile record types.
constexpr std::uint32_t kEmrHeader = 1;                    // EMR_HEADER
constexpr std::uint32_t kEmrPolyBezier = 2;                // EMR_POLYBEZIER
constexpr std::uint32_t kEmrPolygon = 3;                   // EMR_POLYGON
constexpr std::uint32_t kEmrPolyline = 4;                  // EMR_POLYLINE
constexpr std::uint32_t kEmrPolyBezierTo = 5;              // EMR_POLYBEZIERTO
constexpr std::uint32_t kEmrPolylineTo = 6;                // EMR_POLYLINETO
constexpr std::uint32_t kEmrPolyPolyline = 7;              // EMR_POLYPOLYLINE
constexpr std::uint32_t kEmrPolyPolygon = 8;               // EMR_POLYPOLYGON
constexpr std::uint32_t kEmrEof = 14;                      // EMR_EOF
constexpr std::uint32_t kEmrSaveDc = 33;                   // EMR_SAVEDC
constexpr std::uint32_t kEmrRestoreDc = 34;                // EMR_RESTOREDC
constexpr std::uint32_t kEmrCreatePalette = 49;            // EMR_CREATEPALETTE
constexpr std::uint32_t kEmrSetPaletteEntries = 50;        // EMR_SETPALETTEENTRIES
constexpr std::uint32_t kEmrPolyDraw = 56;                 // EMR_POLYDRAW
constexpr std::uint32_t kEmrGdiComment = 70;               // EMR_GDICOMMENT
constexpr std::uint32_t kEmrFillRgn = 71;                  // EMR_FILLRGN
constexpr std::uint32_t kEmrFrameRgn = 72;                 // EMR_FRAMERGN
constexpr std::uint32_t kEmrInvertRgn = 73;                // EMR_INVERTRGN
constexpr std::uint32_t kEmrPaintRgn = 74;                 // EMR_PAINTRGN
constexpr std::uint32_t kEmrExtSelectClipRgn = 75;         // EMR_EXTSELECTCLIPRGN
constexpr std::uint32_t kEmrBitBlt = 76;                   // EMR_BITBLT
constexpr std::uint32_t kEmrStretchBlt = 77;               // EMR_STRETCHBLT
constexpr std::uint32_t kEmrMaskBlt = 78;                  // EMR_MASKBLT
constexpr std::uint32_t kEmrPlgBlt = 79;                   // EMR_PLGBLT
constexpr std::uint32_t kEmrSetDiBitsToDevice = 80;        // EMR_SETDIBITSTODEVICE
constexpr std::uint32_t kEmrStretchDiBits = 81;            // EMR_STRETCHDIBITS
constexpr std::uint32_t kEmrExtTextOutA = 83;              // EMR_EXTTEXTOUTA
constexpr std::uint32_t kEmrExtTextOutW = 84;              // EMR_EXTTEXTOUTW
constexpr std::uint32_t kEmrPolyBezier16 = 85;             // EMR_POLYBEZIER16
constexpr std::uint32_t kEmrPolygon16 = 86;                // EMR_POLYGON16
constexpr std::uint32_t kEmrPolyline16 = 87;               // EMR_POLYLINE16
constexpr std::uint32_t kEmrPolyBezierTo16 = 88;           // EMR_POLYBEZIERTO16
constexpr std::uint32_t kEmrPolylineTo16 = 89;             // EMR_POLYLINETO16
constexpr std::uint32_t kEmrPolyPolyline16 = 90;           // EMR_POLYPOLYLINE16
constexpr std::uint32_t kEmrPolyPolygon16 = 91;            // EMR_POLYPOLYGON16
constexpr std::uint32_t kEmrPolyDraw16 = 92;               // EMR_POLYDRAW16
constexpr std::uint32_t kEmrCreateMonoBrush = 93;          // EMR_CREATEMONOBRUSH
constexpr std::uint32_t kEmrCreateDibPatternBrushPt = 94;  // EMR_CREATEDIBPATTERNBRUSHPT
constexpr std::uint32_t kEmrExtCreatePen = 95;             // EMR_EXTCREATEPEN
constexpr std::uint32_t kEmrPolyTextOutA = 96;             // EMR_POLYTEXTOUTA
constexpr std::uint32_t kEmrPolyTextOutW = 97;             // EMR_POLYTEXTOUTW
constexpr std::uint32_t kEmrDrawEscape = 105;              // EMR_DRAWESCAPE (not in the SDK header)
constexpr std::uint32_t kEmrExtEscape = 106;               // EMR_EXTESCAPE (not in the SDK header)
constexpr std::uint32_t kEmrSmallTextOut = 108;    // EMR_SMALLTEXTOUT (not in the SDK header)
constexpr std::uint32_t kEmrNamedEscape = 110;     // EMR_NAMEDESCAPE (not in the SDK header)
constexpr std::uint32_t kEmrAlphaBlend = 114;      // EMR_ALPHABLEND
constexpr std::uint32_t kEmrTransparentBlt = 116;  // EMR_TRANSPARENTBLT

// Windows metafile record functions.
constexpr std::uint16_t kMetaEof = 0x0000;                    // META_EOF (not in the SDK header)
constexpr std::uint16_t kMetaSaveDc = 0x001E;                 // META_SAVEDC
constexpr std::uint16_t kMetaSetPalEntries = 0x0037;          // META_SETPALENTRIES
constexpr std::uint16_t kMetaCreatePalette = 0x00F7;          // META_CREATEPALETTE
constexpr std::uint16_t kMetaRestoreDc = 0x0127;              // META_RESTOREDC
constexpr std::uint16_t kMetaDibCreatePatternBrush = 0x0142;  // META_DIBCREATEPATTERNBRUSH
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;           // META_SETWINDOWEXT
constexpr std::uint16_t kMetaPolygon = 0x0324;                // META_POLYGON
constexpr std::uint16_t kMetaPolyline = 0x0325;               // META_POLYLINE
constexpr std::uint16_t kMetaAnimatePalette = 0x0436;         // META_ANIMATEPALETTE
constexpr std::uint16_t kMetaTextOut = 0x0521;                // META_TEXTOUT
constexpr std::uint16_t kMetaPolyPolygon = 0x0538;            // META_POLYPOLYGON
constexpr std::uint16_t kMetaEscape = 0x0626;                 // META_ESCAPE
constexpr std::uint16_t kMetaCreateRegion = 0x06FF;           // META_CREATEREGION
constexpr std::uint16_t kMetaBitBlt = 0x0922;                 // META_BITBLT
constexpr std::uint16_t kMetaDibBitBlt = 0x0940;              // META_DIBBITBLT
constexpr std::uint16_t kMetaExtTextOut = 0x0A32;             // META_EXTTEXTOUT
constexpr std::uint16_t kMetaStretchBlt = 0x0B23;             // META_STRETCHBLT
constexpr std::uint16_t kMetaDibStretchBlt = 0x0B41;          // META_DIBSTRETCHBLT
constexpr std::uint16_t kMetaSetDibToDev = 0x0D33;            // META_SETDIBTODEV
constexpr std::uint16_t kMetaStretchDib = 0x0F43;             // META_STRETCHDIB

// Escape functions, in the records that carry escapes.
constexpr std::uint32_t kMfComment = 15;                       // MFCOMMENT
constexpr std::uint32_t kEscapePassThrough = 19;               // PASSTHROUGH
constexpr std::uint32_t kEscapePostScriptData = 37;            // POSTSCRIPT_DATA
constexpr std::uint32_t kEscapePostScriptIgnore = 38;          // POSTSCRIPT_IGNORE
constexpr std::uint32_t kEscapeBeginPath = 4096;               // BEGIN_PATH
constexpr std::uint32_t kEscapeClipToPath = 4097;              // CLIP_TO_PATH
constexpr std::uint32_t kEscapeEndPath = 4098;                 // END_PATH
constexpr std::uint32_t kEscapePostScriptPassThrough = 4115;   // POSTSCRIPT_PASSTHROUGH
constexpr std::uint32_t kEscapeEncapsulatedPostScript = 4116;  // ENCAPSULATED_POSTSCRIPT

// Values of record fields and headers.
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // ENHMETA_SIGNATURE, " EMF"
constexpr std::size_t kWmfHeaderSize = 18;           // sizeof(METAHEADER)
constexpr std::uint32_t kDibRgbColours = 0;          // DIB_RGB_COLORS
constexpr std::uint32_t kDibPaletteColours = 1;      // DIB_PAL_COLORS
constexpr std::uint32_t kDibNoColours =
    2;  // DIB_PAL_INDICES (not in the SDK header), masks and monochrome brushes
constexpr std::uint32_t kTextOpaque = 0x0002;      // ETO_OPAQUE
constexpr std::uint32_t kTextClipped = 0x0004;     // ETO_CLIPPED
constexpr std::uint32_t kTextNoRect = 0x0100;      // ETO_NO_RECT (not in the SDK header)
constexpr std::uint32_t kTextSmallChars = 0x0200;  // ETO_SMALL_CHARS (not in the SDK header)
constexpr std::uint32_t kTextPdy = 0x2000;         // ETO_PDY
constexpr std::uint32_t kBrushPattern = 3;         // BS_PATTERN
constexpr std::uint32_t kBrushDibPattern = 5;      // BS_DIBPATTERN
constexpr std::uint32_t kBrushDibPatternPt = 6;    // BS_DIBPATTERNPT

}  // namespace zarumo
