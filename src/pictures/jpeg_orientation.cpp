// The eight orientations of a photo's Exif tag.
#include "pictures/jpeg_orientation.h"

namespace zarumo {

namespace {

// Shown (x, y) comes from stored (u, v), with (u, v) = (y, x) when the sides
// swap, and each of u, v counted from the far edge when mirrored.
struct Axes {
  bool swap;
  bool mirrorX;
  bool mirrorY;
};

Axes AxesOf(int orientation) {
  switch (orientation) {
    case 2:
      return {false, true, false};
    case 3:
      return {false, true, true};
    case 4:
      return {false, false, true};
    case 5:
      return {true, false, false};
    case 6:
      return {true, false, true};
    case 7:
      return {true, true, true};
    case 8:
      return {true, true, false};
    default:
      return {false, false, false};
  }
}

}  // namespace

bool TurnsQuarter(int orientation) { return AxesOf(orientation).swap; }

Point ShownPoint(int orientation, int width, int height, int x, int y) {
  const Axes axes = AxesOf(orientation);
  const int u = axes.mirrorX ? width - 1 - x : x;
  const int v = axes.mirrorY ? height - 1 - y : y;
  return axes.swap ? Point{v, u} : Point{u, v};
}

Rect StoredRect(int orientation, int width, int height, const Rect& shown) {
  const Axes axes = AxesOf(orientation);
  Rect stored = axes.swap ? Rect{shown.top, shown.left, shown.height, shown.width} : shown;
  if (axes.mirrorX) stored.left = width - stored.Right();
  if (axes.mirrorY) stored.top = height - stored.Bottom();
  return stored;
}

}  // namespace zarumo
