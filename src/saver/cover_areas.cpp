#include "saver/cover_areas.h"

#include <algorithm>

namespace zarumo {
namespace {

bool Empty(const Area& a) { return a.right <= a.left || a.bottom <= a.top; }

bool Within(const Area& inner, const Area& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

void Add(std::vector<Area>& covers, const Area& piece) {
  if (Empty(piece)) return;
  for (const Area& cover : covers)
    if (Within(piece, cover)) return;
  covers.push_back(piece);
}

}  // namespace

std::vector<Area> CoverAreas(const std::vector<Area>& monitors, const Area& saver) {
  std::vector<Area> covers;
  for (const Area& m : monitors) {
    const Area overlap{std::max(m.left, saver.left), std::max(m.top, saver.top),
                       std::min(m.right, saver.right), std::min(m.bottom, saver.bottom)};
    if (Empty(overlap)) {
      Add(covers, m);
      continue;
    }
    Add(covers, {m.left, m.top, m.right, overlap.top});
    Add(covers, {m.left, overlap.bottom, m.right, m.bottom});
    Add(covers, {m.left, overlap.top, overlap.left, overlap.bottom});
    Add(covers, {overlap.right, overlap.top, m.right, overlap.bottom});
  }
  return covers;
}

}  // namespace zarumo
