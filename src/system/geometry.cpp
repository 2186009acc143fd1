// Rectangles and sizes in pixels.
#include "system/geometry.h"

#include <algorithm>

namespace zarumo {

bool Rect::Contains(const Rect& other) const {
  return !other.Empty() && other.left >= left && other.top >= top && other.Right() <= Right() &&
         other.Bottom() <= Bottom();
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  const int left = std::min(a.left, b.left);
  const int top = std::min(a.top, b.top);
  return {left, top, std::max(a.Right(), b.Right()) - left, std::max(a.Bottom(), b.Bottom()) - top};
}

Rect Intersection(const Rect& a, const Rect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const Rect r{left, top, std::min(a.Right(), b.Right()) - left,
               std::min(a.Bottom(), b.Bottom()) - top};
  return r.Empty() ? Rect{} : r;
}

}  // namespace zarumo
