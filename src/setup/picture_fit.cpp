// Where a picture goes when it is shown scaled in an area, and how big the preview window is.
#include "setup/picture_fit.h"

#include <algorithm>
#include <cstdint>

#include "system/arithmetic.h"

namespace zarumo {
Rect FitCentred(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
  Rect box;
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return box;
  // Compare the proportions without dividing: is the picture wider than the area?
  if (static_cast<std::int64_t>(pictureWidth) * areaHeight >=
      static_cast<std::int64_t>(pictureHeight) * areaWidth) {
    box.width = areaWidth;
    box.height =
        std::max(1, static_cast<int>(MulDivRounded(pictureHeight, areaWidth, pictureWidth)));
  } else {
    box.height = areaHeight;
    box.width =
        std::max(1, static_cast<int>(MulDivRounded(pictureWidth, areaHeight, pictureHeight)));
  }
  box.left = (areaWidth - box.width) / 2;
  box.top = (areaHeight - box.height) / 2;
  return box;
}

Size PreviewWindowExtent(int pictureWidth, int pictureHeight, int margin, int frameWidth,
                         int frameHeight, int monitorWidth, int monitorHeight) {
  Size extent;
  extent.width = std::max(0, pictureWidth) + 2 * margin + frameWidth;
  extent.height = std::max(0, pictureHeight) + 2 * margin + frameHeight;
  extent.width = std::min(extent.width, monitorWidth * 3 / 4);
  extent.height = std::min(extent.height, monitorHeight * 3 / 4);
  return extent;
}

}  // namespace zarumo
