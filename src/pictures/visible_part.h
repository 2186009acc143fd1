// The part of a picture drawn at (x, y) that the target's clipping lets through.
#pragma once

#include <windows.h>

#include "system/geometry.h"

namespace zarumo {

// Within {0, 0, width, height}; all of it when the clipping cannot be asked.
Rect VisiblePart(HDC target, int x, int y, int width, int height);

}  // namespace zarumo
