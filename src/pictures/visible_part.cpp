// The part of a picture drawn at (x, y) that the target's clipping lets through.
#include "pictures/visible_part.h"

namespace zarumo {

Rect VisiblePart(HDC target, int x, int y, int width, int height) {
  const Rect whole{0, 0, width, height};
  RECT clip;
  switch (GetClipBox(target, &clip)) {
    case NULLREGION:
      return {};
    case ERROR:
      return whole;
  }
  return Intersection(
      whole, {clip.left - x, clip.top - y, clip.right - clip.left, clip.bottom - clip.top});
}

}  // namespace zarumo
