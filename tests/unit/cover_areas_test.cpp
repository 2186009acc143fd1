// What the saver window leaves of the monitors for covers.
#include "saver/cover_areas.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarumo {

namespace {

// The rows give rectangles by their edges, as the system's monitors come.
Rect Edges(int left, int top, int right, int bottom) {
  return {left, top, right - left, bottom - top};
}

TEST(CoverAreas, WhatTheSaverLeavesOfEachMonitor) {
  const Rect saver = Edges(0, 0, 1024, 768);
  struct Row {
    const char* what;
    std::vector<Rect> monitors;
    std::vector<Rect> covers;
  };
  const Row rows[] = {
      {"one monitor", {saver}, {}},
      {"side by side, mirrored twice",
       {saver, Edges(1024, 0, 1824, 600), Edges(1024, 0, 1824, 600)},
       {Edges(1024, 0, 1824, 600)}},
      {"left of and above the primary",
       {Edges(-1280, -200, 0, 824), saver, Edges(0, -600, 800, 0)},
       {Edges(-1280, -200, 0, 824), Edges(0, -600, 800, 0)}},
      {"stacked at the origin", {saver, Edges(0, 0, 800, 600)}, {}},
      {"larger at the origin",
       {Edges(0, 0, 1280, 1024)},
       {Edges(0, 768, 1280, 1024), Edges(1024, 0, 1280, 768)}},
      {"overlapping on every side",
       {Edges(-10, -20, 1034, 788)},
       {Edges(-10, -20, 1034, 0), Edges(-10, 768, 1034, 788), Edges(-10, 0, 0, 768),
        Edges(1024, 0, 1034, 768)}},
      {"empty monitors", {Edges(1024, 0, 1024, 600), Edges(1024, 600, 1824, 300)}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CoverAreas(row.monitors, saver), row.covers);
  }
}

}  // namespace
}  // namespace zarumo
