#include "saver/cover_areas.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarumo {

void PrintTo(const Area& a, std::ostream* out) {
  *out << "(" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom << ")";
}

namespace {

TEST(CoverAreas, WhatTheSaverLeavesOfEachMonitor) {
  const Area saver{0, 0, 1024, 768};
  const Area primary = saver;
  struct Row {
    const char* what;
    std::vector<Area> monitors;
    std::vector<Area> covers;
  };
  const Row rows[] = {
      {"one monitor", {primary}, {}},
      {"no monitors known", {}, {}},
      {"side by side", {primary, {1024, 0, 1824, 600}}, {{1024, 0, 1824, 600}}},
      {"left of and above the primary",
       {{-1280, -200, 0, 824}, primary, {0, -600, 800, 0}},
       {{-1280, -200, 0, 824}, {0, -600, 800, 0}}},
      // Stacked at one origin: the saver covers the smaller one whole.
      {"stacked at the origin", {primary, {0, 0, 800, 600}}, {}},
      // A larger monitor at the origin keeps a band at the right and one below.
      {"larger at the origin", {{0, 0, 1280, 1024}}, {{0, 768, 1280, 1024}, {1024, 0, 1280, 768}}},
      {"overlapping on every side",
       {{-10, -20, 1034, 788}},
       {{-10, -20, 1034, 0}, {-10, 768, 1034, 788}, {-10, 0, 0, 768}, {1024, 0, 1034, 768}}},
      {"mirrored twice",
       {primary, {1024, 0, 1824, 600}, {1024, 0, 1824, 600}},
       {{1024, 0, 1824, 600}}},
      {"within an earlier one",
       {{1024, 0, 2048, 768}, {1024, 0, 1824, 600}},
       {{1024, 0, 2048, 768}}},
      {"empty monitors", {{1024, 0, 1024, 600}, {1024, 600, 1824, 300}}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CoverAreas(row.monitors, saver), row.covers);
  }
}

}  // namespace
}  // namespace zarumo
