// The colours of the saver's logical palette.
#include "forms/palette_colours.h"

namespace zarumo {
namespace {

constexpr int kCubeLevels = 6;
constexpr int kRampSteps = 10;

// The banner's front and side ramps, from their darkest colour to their lightest.
constexpr PaletteColour kRamps[][2] = {
    {{255, 151, 47}, {255, 255, 15}},
    {{144, 151, 0}, {223, 223, 0}},
};

// The weighted mean of the two ends, rounded.
std::uint8_t Between(std::uint8_t from, std::uint8_t to, int step) {
  const int spans = kRampSteps - 1;
  return static_cast<std::uint8_t>((from * (spans - step) + to * step + spans / 2) / spans);
}

}  // namespace

std::vector<PaletteColour> SaverPaletteColours() {
  std::vector<PaletteColour> colours;
  colours.reserve(kPaletteColourCount);
  // The ramps first: a system short of free colours gives the first entries
  // their own and maps the rest to the nearest it has.
  for (const auto& ramp : kRamps)
    for (int step = 0; step < kRampSteps; ++step)
      colours.push_back({Between(ramp[0].red, ramp[1].red, step),
                         Between(ramp[0].green, ramp[1].green, step),
                         Between(ramp[0].blue, ramp[1].blue, step)});
  const int levelStep = 255 / (kCubeLevels - 1);
  for (int r = 0; r < kCubeLevels; ++r)
    for (int g = 0; g < kCubeLevels; ++g)
      for (int b = 0; b < kCubeLevels; ++b)
        colours.push_back({static_cast<std::uint8_t>(r * levelStep),
                           static_cast<std::uint8_t>(g * levelStep),
                           static_cast<std::uint8_t>(b * levelStep)});
  return colours;
}

}  // namespace zarumo
