// The process's logical palette on a palette display (256 colours and
// fewer): every canvas and every window that shows pictures selects and
// realizes it, so that their colours reach the screen rather than the 20 the
// system keeps. On other displays there is none and nothing changes.
#pragma once

#include <windows.h>

namespace zarumo {

// Whether the display maps colours through a palette.
bool PaletteDisplay();
// The saver's palette, made at the first call on a palette display; null elsewhere.
HPALETTE DisplayPalette();

// Answers the palette messages of a window that paints with the palette
// (WM_QUERYNEWPALETTE, WM_PALETTECHANGED): realizes it and repaints what the
// new mapping changed. `repaint` is the window to repaint. False for other
// messages, and where there is no palette.
bool HandlePaletteMessage(HWND window, HWND repaint, UINT message, WPARAM wParam, LRESULT& result);

}  // namespace zarumo
