// A bitmap picture, and drawing one 1:1 with the stretch mode that suits it.
#include "forms/bitmap_picture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "forms/display_palette.h"
#include "forms/palette_colours.h"
#include "system/geometry.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

// Set by tests: HALFTONE is refused as the 9x family refuses it.
const char kHalftoneRefusedVariable[] = "ZARUMO_HALFTONE_REFUSED";

// The 16 colours of a 4-bit display, in the system's order.
constexpr RGBQUAD kVgaColours[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

struct SectionInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];  // or the three masks of bit fields
};

// How a canvas at the display's depth is described to the system.
void DescribeDisplayFormat(SectionInfo& info) {
  const int bits = DisplayBitsPerPixel();
  if (bits == 1) {
    info.header.biBitCount = 1;
    info.header.biClrUsed = 2;
    info.colours[1] = {255, 255, 255, 0};
  } else if (bits <= 4) {
    info.header.biBitCount = 4;
    info.header.biClrUsed = 16;
    for (int i = 0; i < 16; ++i) info.colours[i] = kVgaColours[i];
  } else if (bits <= 8) {
    const std::vector<PaletteColour> colours = SaverPaletteColours();
    info.header.biBitCount = 8;
    info.header.biClrUsed = static_cast<DWORD>(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i)
      info.colours[i] = {colours[i].blue, colours[i].green, colours[i].red, 0};
  } else if (bits <= 15) {
    info.header.biBitCount = 16;  // 5-5-5
  } else if (bits == 16) {
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    static_assert(sizeof masks <= sizeof info.colours, "masks lie where the colours would");
    std::memcpy(info.colours, masks, sizeof masks);
  } else if (bits == 24) {
    info.header.biBitCount = 24;
  } else {
    info.header.biBitCount = 32;
  }
}

bool HalftoneRefusedForTest() { return std::getenv(kHalftoneRefusedVariable) != nullptr; }

}  // namespace

BitmapPicture::BitmapPicture(OwnedBitmap bitmap, bool canvas) : bitmap_(std::move(bitmap)) {
  BITMAP info{};
  if (!GetObjectA(bitmap_.Get(), sizeof info, &info)) RaiseLastError();
  width_ = info.bmWidth;
  height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  bitsPerPixel_ = info.bmBitsPixel * info.bmPlanes;
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (!dc_) RaiseLastError();
  selection_.emplace(dc_.Get(), bitmap_.Get());
  if (!selection_->Selected()) RaiseLastError();
  // Only a canvas, whose colours are the palette's: a picture keeps its own.
  if (canvas && DisplayPalette())
    palette_ =
        std::make_unique<PaletteSelection>(dc_.Get(), DisplayPalette(), PaletteSelection::kMemory);
}

std::unique_ptr<BitmapPicture> BitmapPicture::CreateScreenCompatible(int width, int height) {
  SectionInfo info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biCompression = BI_RGB;
  DescribeDisplayFormat(info);
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0));
  if (!bitmap || !bits) RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
  return std::make_unique<BitmapPicture>(std::move(bitmap), true);
}

void BitmapPicture::Draw(HDC target, int x, int y) {
  DrawBitmap1to1(target, x, y, dc_.Get(), width_, height_, bitsPerPixel_);
}

int DisplayBitsPerPixel() {
  WindowDc screen(nullptr);
  if (!screen.Get()) return 32;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

void ApplyStretchMode(HDC dc, StretchMode mode) {
  switch (mode) {
    case StretchMode::kHalftone:
      if (!HalftoneRefusedForTest() && SetStretchBltMode(dc, HALFTONE)) {
        SetBrushOrgEx(dc, 0, 0, nullptr);
        return;
      }
      SetStretchBltMode(dc, COLORONCOLOR);
      return;
    case StretchMode::kColorOnColor:
      SetStretchBltMode(dc, COLORONCOLOR);
      return;
    case StretchMode::kUnchanged:
      return;
  }
}

void DrawBitmap1to1(HDC target, int x, int y, HDC source, int width, int height,
                    int sourceBitsPerPixel) {
  if (width <= 0 || height <= 0) return;
  Blit blit{{0, 0, width, height}, x, y};
  RECT clip;
  switch (GetClipBox(target, &clip)) {
    case NULLREGION:
      return;
    case ERROR:
      break;
    default:
      blit = ClipToTarget({width, height}, {x, y},
                          {clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top});
      if (blit.source.Empty()) return;
  }
  ApplyStretchMode(target, ChooseStretchMode(DisplayBitsPerPixel(), sourceBitsPerPixel));
  StretchBlt(target, blit.destX, blit.destY, blit.source.width, blit.source.height, source,
             blit.source.left, blit.source.top, blit.source.width, blit.source.height, SRCCOPY);
}

}  // namespace zarumo
