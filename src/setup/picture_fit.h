// Where a picture goes when it is shown scaled in an area, and how big the
// preview window is.
#pragma once

#include "system/geometry.h"

namespace zarumo {

// The largest box with the picture's proportions that fits the area, centred
// in it; empty for an empty picture or area.
Rect FitCentred(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// A window that holds the picture with `margin` on each side, its frame
// (`frameWidth` x `frameHeight` of non-client area) around that, and no more
// than three quarters of the monitor in either direction.
Size PreviewWindowExtent(int pictureWidth, int pictureHeight, int margin, int frameWidth,
                         int frameHeight, int monitorWidth, int monitorHeight);

}  // namespace zarumo
