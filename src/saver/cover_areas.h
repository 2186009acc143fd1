// What the saver window leaves of the monitors: the areas that black covers
// fill. Pure arithmetic on rectangles in screen coordinates.
#pragma once

#include <vector>

namespace zarumo {

// Right and bottom lie just outside, as in the system's rectangles.
struct Area {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const Area& a, const Area& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Each monitor without what `saver` covers, as at most four rectangles: the
// rows above and below the saver, then its left and right of it. A piece that
// lies within an earlier one (a mirrored monitor) is left out.
std::vector<Area> CoverAreas(const std::vector<Area>& monitors, const Area& saver);

}  // namespace zarumo
