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

Blit ClipToTarget(Size source, Point at, const Rect& target) {
  // In 64 bits: a picture near the int limits must not wrap its far edge.
  const long long left = std::max<long long>(at.x, target.left);
  const long long top = std::max<long long>(at.y, target.top);
  const long long right =
      std::min<long long>(static_cast<long long>(at.x) + source.width, target.Right());
  const long long bottom =
      std::min<long long>(static_cast<long long>(at.y) + source.height, target.Bottom());
  if (right <= left || bottom <= top) return {};
  return {{static_cast<int>(left - at.x), static_cast<int>(top - at.y),
           static_cast<int>(right - left), static_cast<int>(bottom - top)},
          static_cast<int>(left),
          static_cast<int>(top)};
}

}  // namespace zarumo
