// Laying pixels with straight alpha over what lies beneath them.
#include <gtest/gtest.h>

#include <vector>

#include "pictures/alpha_blend.h"

namespace zarumo {
namespace {

TEST(AlphaBlend, MixesInProportionAndKeepsTheUnusedByte) {
  const struct {
    std::vector<std::uint8_t> source, beneath, expected;
  } cases[] = {
      {{10, 20, 30, 255}, {200, 200, 200, 7}, {10, 20, 30, 7}},
      {{10, 20, 30, 0}, {200, 100, 50, 7}, {200, 100, 50, 7}},
      {{255, 0, 128, 128}, {0, 255, 128, 0}, {128, 127, 128, 0}},
      {{255, 255, 255, 1}, {0, 0, 0, 0}, {1, 1, 1, 0}},
      {{0, 0, 0, 254}, {255, 255, 255, 0}, {1, 1, 1, 0}},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> target = c.beneath;
    BlendOver(c.source.data(), target.data(), 1);
    EXPECT_EQ(target, c.expected);
  }
}

}  // namespace
}  // namespace zarumo
