// The saver's palette: the colour cube and the banner's ramps.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "forms/palette_colours.h"

namespace zarumo {
namespace {

TEST(PaletteColours, FillTheRoomBesideTheStaticColoursWithDistinctColours) {
  const std::vector<PaletteColour> colours = SaverPaletteColours();
  ASSERT_EQ(colours.size(), static_cast<std::size_t>(kPaletteColourCount));
  std::set<std::tuple<int, int, int>> distinct;
  for (const PaletteColour& c : colours) distinct.insert({c.red, c.green, c.blue});
  EXPECT_EQ(distinct.size(), colours.size());
  // The cube's corners, and both ends of each ramp.
  for (const auto& want : std::vector<std::tuple<int, int, int>>{{0, 0, 0},
                                                                 {255, 255, 255},
                                                                 {255, 0, 0},
                                                                 {0, 0, 255},
                                                                 {51, 102, 153},
                                                                 {255, 151, 47},
                                                                 {255, 255, 15},
                                                                 {144, 151, 0},
                                                                 {223, 223, 0}})
    EXPECT_EQ(distinct.count(want), 1u)
        << std::get<0>(want) << "," << std::get<1>(want) << "," << std::get<2>(want);
}

}  // namespace
}  // namespace zarumo
