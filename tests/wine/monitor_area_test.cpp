// Where the preview window may spread out, with and without the monitor functions.
#include <gtest/gtest.h>
#include <windows.h>

#include "system/monitor_area.h"
#include "system/system_function.h"

namespace {

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A work area smaller than the screen for one test, so that it cannot be taken for the monitor.
class NarrowWorkArea {
 public:
  NarrowWorkArea() {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &old_, 0);
    RECT narrow{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    set_ = SystemParametersInfoA(SPI_SETWORKAREA, 0, &narrow, 0) != FALSE;
  }
  ~NarrowWorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &old_, 0); }
  bool Set() const { return set_; }

 private:
  RECT old_{};
  bool set_ = false;
};

TEST(MonitorArea, IsTheMonitorWhereKnownElseTheWorkArea) {
  NarrowWorkArea narrow;
  ASSERT_TRUE(narrow.Set());
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT half{0, 0, screen.right / 2, screen.bottom / 2};
  EXPECT_TRUE(zarumo::MonitorArea(GetDesktopWindow()) == screen);
  {
    zarumo::HiddenSystemFunction hidden("MonitorFromWindow");
    EXPECT_TRUE(zarumo::MonitorArea(GetDesktopWindow()) == half);
  }
  zarumo::HiddenSystemFunction hidden("GetMonitorInfoA");
  EXPECT_TRUE(zarumo::MonitorArea(nullptr) == half);
}

}  // namespace
