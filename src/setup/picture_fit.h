// Where a picture goes when it is shown scaled in an area, and how big the
// preview window is.
#pragma once

namespace zarumo {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The largest box with the picture's proportions that fits the area, centred
// in it; empty for an empty picture or area.
Box FitCentred(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

struct Extent {
  int width = 0;
  int height = 0;
};

// A window that holds the picture with `margin` on each side, its frame
// (`frameWidth` x `frameHeight` of non-client area) around that, and no more
// than three quarters of the monitor in either direction.
Extent PreviewWindowExtent(int pictureWidth, int pictureHeight, int margin, int frameWidth,
                           int frameHeight, int monitorWidth, int monitorHeight);

}  // namespace zarumo
