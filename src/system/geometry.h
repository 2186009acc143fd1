// Rectangles and sizes in pixels for the pure code; code at the system's
// calls uses RECT and SIZE.
#pragma once

namespace zarumo {

struct Size {
  int width = 0;
  int height = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
  // False for an empty `other`.
  bool Contains(const Rect& other) const;
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// A block copy of the `source` rectangle to the same size at (destX, destY).
struct Blit {
  Rect source;
  int destX = 0;
  int destY = 0;
};

// The part of a 1:1 copy of a whole `source`-sized picture to (x, y) that
// lands inside `target`. A copy cut this way hands the system only
// coordinates within the target and the picture, which the 9x family keeps in
// 16 bits; an empty source when nothing lands.
Blit ClipToTarget(Size source, Point at, const Rect& target);

// The smallest rectangle that holds both; an empty one adds nothing.
Rect Union(const Rect& a, const Rect& b);
// What both cover; an empty rectangle at the origin when that is nothing.
Rect Intersection(const Rect& a, const Rect& b);

}  // namespace zarumo
