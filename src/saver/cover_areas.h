// What the saver window leaves of the monitors: the areas that black covers
// fill. Pure arithmetic on rectangles in screen coordinates.
#pragma once

#include <vector>

#include "system/geometry.h"

namespace zarumo {

// Each monitor without what `saver` covers, as at most four rectangles: the
// rows above and below the saver, then its left and right of it. A piece that
// lies within an earlier one (a mirrored monitor) is left out.
std::vector<Rect> CoverAreas(const std::vector<Rect>& monitors, const Rect& saver);

}  // namespace zarumo
