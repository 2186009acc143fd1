#include "saver/cover_areas.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarumo {

namespace {

TEST(CoverAreas, WhatTheSaverLeavesOfEachMonitor) {
  const Area saver{0, 0, 1024, 768};
  struct Row {
    const char* what;
    std::vector<Area> monitors;
    std::vector<Area> covers;
  };
  const Row rows[] = {
      {"one monitor", {saver}, {}},
      {"side by side, mirrored twice",
       {saver, {1024, 0, 1824, 600}, {1024, 0, 1824, 600}},
       {{1024, 0, 1824, 600}}},
      {"left of and above the primary",
       {{-1280, -200, 0, 824}, saver, {0, -600, 800, 0}},
       {{-1280, -200, 0, 824}, {0, -600, 800, 0}}},
      {"stacked at the origin", {saver, {0, 0, 800, 600}}, {}},
      {"larger at the origin", {{0, 0, 1280, 1024}}, {{0, 768, 1280, 1024}, {1024, 0, 1280, 768}}},
      {"overlapping on every side",
       {{-10, -20, 1034, 788}},
       {{-10, -20, 1034, 0}, {-10, 768, 1034, 788}, {-10, 0, 0, 768}, {1024, 0, 1034, 768}}},
      {"empty monitors", {{1024, 0, 1024, 600}, {1024, 600, 1824, 300}}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CoverAreas(row.monitors, saver), row.covers);
  }
}

}  // namespace
}  // namespace zarumo
