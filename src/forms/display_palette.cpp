// The process's logical palette on a palette display.
#include "forms/display_palette.h"

#include <vector>

#include "forms/palette_colours.h"
#include "system/handles.h"

namespace zarumo {

bool PaletteDisplay() {
  WindowDc screen(nullptr);
  return screen.Get() && (GetDeviceCaps(screen.Get(), RASTERCAPS) & RC_PALETTE) != 0;
}

HPALETTE DisplayPalette() {
  static const OwnedPalette palette([]() -> HPALETTE {
    if (!PaletteDisplay()) return nullptr;
    const std::vector<PaletteColour> colours = SaverPaletteColours();
    std::vector<std::uint8_t> bytes(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(bytes.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i)
      logical->palPalEntry[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
    return CreatePalette(logical);
  }());
  return palette.Get();
}

bool HandlePaletteMessage(HWND window, HWND repaint, UINT message, WPARAM wParam, LRESULT& result) {
  if (message != WM_QUERYNEWPALETTE && message != WM_PALETTECHANGED) return false;
  HPALETTE palette = DisplayPalette();
  if (!palette) return false;
  if (message == WM_PALETTECHANGED) {
    // A window of this process realized this same palette: the colours are
    // already ours, and answering would start the windows realizing in turn.
    DWORD process = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(wParam), &process);
    if (process == GetCurrentProcessId()) {
      result = 0;
      return true;
    }
  }
  WindowDc dc(window);
  if (!dc.Get()) return false;
  // Coming to the front, the palette is realized anew rather than as it was
  // last realized in the background, so that its own colours enter the
  // system palette.
  if (message == WM_QUERYNEWPALETTE) UnrealizeObject(palette);
  PaletteSelection selection(dc.Get(), palette);
  if (selection.Realized() != 0 && selection.Realized() != GDI_ERROR)
    InvalidateRect(repaint, nullptr, FALSE);
  result = message == WM_QUERYNEWPALETTE ? TRUE : 0;
  return true;
}

}  // namespace zarumo
