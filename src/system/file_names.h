// The file functions the settings file needs, by a name that may hold the
// saver's own words: through the wide functions where texts are shown wide
// (a name in code page 932 has no ANSI form there), the ANSI ones elsewhere.
#pragma once

#include <windows.h>

#include "system/mixed_text.h"

namespace zarumo {

HANDLE CreateFileByName(const MixedText& path, DWORD access, DWORD share, DWORD disposition);
DWORD FileAttributesByName(const MixedText& path);
BOOL MoveFileByName(const MixedText& from, const MixedText& to);
BOOL DeleteFileByName(const MixedText& path);
// MoveFileEx where the system has it; null where it does not.
using ReplacingMove = BOOL (*)(const MixedText& from, const MixedText& to, DWORD flags);
ReplacingMove FindReplacingMove();
// FindFirstFile's answer for the name, searched as a pattern; false when nothing matches.
bool FindFileByName(const MixedText& path, DWORD& attributes, FILETIME& lastWrite);

}  // namespace zarumo
