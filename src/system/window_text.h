// The window functions that carry text, in one place: where the saver's
// texts are shown wide (ShowsTextWide), its windows are wide windows and every
// text goes through the wide functions, looked up at run time because
// Windows 95 lacks them; everywhere else the ANSI functions, as ever.
#pragma once

#include <windows.h>

#include "system/handles.h"
#include "system/mixed_text.h"

namespace zarumo {

// CreateWindowExA or CreateWindowExW; the class name is ASCII.
HWND CreateTextWindow(DWORD exStyle, const char* className, const MixedText& caption, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu, void* param);
// RegisterClassA or RegisterClassW; the class name is ASCII.
ATOM RegisterTextWindowClass(const WNDCLASSA& wc);
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True for a window that takes its texts in UTF-16.
bool IsWideWindow(HWND window);
// SendMessageW, for a wide window only.
LRESULT SendWideMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL SetShownText(HWND window, const MixedText& text);
// The window's text: outside words, in UTF-16 where texts are shown wide.
MixedText ShownTextOf(HWND window);

// Whether two texts look the same as the system shows them.
bool SameShownText(const MixedText& a, const MixedText& b);

int ShowMessageBox(HWND owner, const MixedText& text, const MixedText& caption, UINT style);

// The message loop's two calls, for wide windows in the wide form.
BOOL NextMessage(MSG& message);
void DispatchNextMessage(const MSG& message);

// A font of the character height `height` (negative: without the internal leading).
OwnedFont CreateTextFont(int height, int charset, const MixedText& face);
SIZE TextExtent(HDC dc, const MixedText& text);
void DrawShownText(HDC dc, const MixedText& text, RECT& area, UINT format);

}  // namespace zarumo
