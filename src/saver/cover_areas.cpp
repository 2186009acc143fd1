// What the saver window leaves of the monitors.
#include "saver/cover_areas.h"

namespace zarumo {
namespace {

void Add(std::vector<Rect>& covers, const Rect& piece) {
  if (piece.Empty()) return;
  for (const Rect& cover : covers)
    if (cover.Contains(piece)) return;
  covers.push_back(piece);
}

}  // namespace

std::vector<Rect> CoverAreas(const std::vector<Rect>& monitors, const Rect& saver) {
  std::vector<Rect> covers;
  for (const Rect& m : monitors) {
    const Rect overlap = Intersection(m, saver);
    if (overlap.Empty()) {
      Add(covers, m);
      continue;
    }
    Add(covers, {m.left, m.top, m.width, overlap.top - m.top});
    Add(covers, {m.left, overlap.Bottom(), m.width, m.Bottom() - overlap.Bottom()});
    Add(covers, {m.left, overlap.top, overlap.left - m.left, overlap.height});
    Add(covers, {overlap.Right(), overlap.top, m.Right() - overlap.Right(), overlap.height});
  }
  return covers;
}

}  // namespace zarumo
