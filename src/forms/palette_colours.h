// The colours of the saver's logical palette on a palette display.
#pragma once

#include <cstdint>
#include <vector>

namespace zarumo {

struct PaletteColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// The entries the system leaves to an application beside its 20 static colours.
constexpr int kPaletteColourCount = 236;

// One fixed palette for every picture, so that choosing another picture never
// changes the palette (nor the colours of other windows): a 6 x 6 x 6 colour
// cube, which photos map into evenly, and the two gold ramps of the built-in
// banner, which the cube alone would flatten to a few yellows.
std::vector<PaletteColour> SaverPaletteColours();

}  // namespace zarumo
