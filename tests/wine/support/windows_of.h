// Windows and controls of another process, read and driven from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wt {

// The text of a control of another process, asked for as the control keeps it.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// A key pressed and released, as posted messages.
void PostKey(HWND window, WPARAM key);

std::vector<HWND> Descendants(HWND parent);
HWND DescendantById(HWND parent, int id);
HWND DescendantByClass(HWND parent, const char* className);

// A control's rectangle in the client coordinates of `reference`.
RECT ClientRectOf(HWND control, HWND reference);

}  // namespace wt
