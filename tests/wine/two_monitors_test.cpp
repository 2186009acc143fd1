// Show mode on two monitors side by side: the saver window keeps the primary
// one, black covers take the other. Run in a session of its own (ZARUMO_MONITORS).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "saver/saver_window.h"
#include "support/password_double.h"
#include "support/registry.h"
#include "support/saver_process.h"
#include "support/screen.h"
#include "system/display_monitors.h"
#include "system/system_function.h"

using namespace wt;

namespace {

// The monitor that is not the primary one (which lies at the origin).
RECT SecondMonitor() {
  for (const RECT& m : zarumo::DisplayMonitors())
    if (m.left != 0 || m.top != 0) return m;
  return {};
}

std::vector<HWND> CoversOf(const Saver& saver) {
  std::vector<HWND> covers;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
    if (WindowProcessId(w) == saver.Pid() && ClassName(w) == "ZarumoMonitorCover")
      covers.push_back(w);
  return covers;
}

// Another program's window on the second monitor, for the saver to hide.
class TwoMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "needs the two-monitor session";
    second_ = SecondMonitor();
    ASSERT_EQ(second_.left, GetSystemMetrics(SM_CXSCREEN));
    CopyFileA("C:\\windows\\system32\\notepad.exe", (programDir_ / "notepad.exe").c_str(), FALSE);
    notepad_ = std::make_unique<Saver>(programDir_, "", SaverOptions{"notepad.exe", {}});
    HWND window = notepad_->WaitTopWindow("Notepad");
    ASSERT_NE(window, nullptr);
    notepadArea_ = {second_.left + 40, 40, second_.left + 440, 340};
    SetWindowPos(window, HWND_TOP, notepadArea_.left, notepadArea_.top, 400, 300, SWP_SHOWWINDOW);
    ASSERT_TRUE(WaitFor([this] { return Capture::Area(notepadArea_).CountLit(Whole()) > 50000; }))
        << "Notepad does not show on the second monitor";
  }
  RECT Whole() const {
    return {0, 0, notepadArea_.right - notepadArea_.left, notepadArea_.bottom - notepadArea_.top};
  }
  // Nothing lit anywhere on the second monitor.
  void ExpectSecondMonitorBlack() {
    Capture shot = Capture::Area(second_);
    EXPECT_EQ(shot.CountLit({0, 0, shot.Width(), shot.Height()}), 0);
  }
  void ExpectOneCoverOverTheSecondMonitor(const Saver& saver) {
    std::vector<HWND> covers = CoversOf(saver);
    ASSERT_EQ(covers.size(), 1u);
    RECT rect;
    GetWindowRect(covers[0], &rect);
    EXPECT_TRUE(EqualRect(&rect, &second_));
    EXPECT_TRUE(IsWindowVisible(covers[0]));
    EXPECT_TRUE(GetWindowLongA(covers[0], GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(covers[0], GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  }

  RECT second_{};
  RECT notepadArea_{};
  TempDir programDir_;
  std::unique_ptr<Saver> notepad_;
  TempDir dir_;
};

TEST_F(TwoMonitors, AnotherProgramsWindowIsHiddenWhileTheSaverRuns) {
  Saver saver(dir_, "/s");
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return CoversOf(saver).size() == 1; }));
  Pump(500);
  ExpectOneCoverOverTheSecondMonitor(saver);
  ExpectSecondMonitorBlack();
  // The saver window itself keeps the primary monitor's size at the origin.
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  PostMessageA(window, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_TRUE(WaitFor([this] { return Capture::Area(notepadArea_).CountLit(Whole()) > 50000; }));
}

TEST_F(TwoMonitors, PointerMovedOverTheSecondMonitorEndsTheSaver) {
  struct Row {
    const char* what;
    POINT start;
    POINT moved;
  };
  const int x = second_.left + 500;
  const Row rows[] = {
      {"from the primary monitor", {300, 300}, {x, 300}},
      {"within the second monitor", {x, 300}, {x + 1, 300}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetCursorPos(row.start.x, row.start.y);
    Saver saver(dir_, "/s");
    ASSERT_NE(saver.WaitTopWindow(kSaverClass), nullptr);
    // Appearing under the pointer only records where it is.
    EXPECT_TRUE(StaysUp(saver));
    SetCursorPos(row.moved.x, row.moved.y);
    EXPECT_EQ(ExitCodeAfter(saver), 0u);
  }
}

TEST_F(TwoMonitors, RefusedPasswordKeepsBothMonitorsBlack) {
  PasswordDouble check;
  Windows98ForSaver win98;
  ScopedRegistryValue flag("Control Panel\\desktop", "ScreenSaveUsePassword", 1);
  Saver saver(dir_, "/s", check.Options(dir_, "01"));
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitFor([&] { return CoversOf(saver).size() == 1; }));
  HWND cover = CoversOf(saver)[0];
  // A key on the cover asks for the password on behalf of the saver window.
  PostMessageA(cover, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(StaysUp(saver, 1000));
  EXPECT_EQ(check.Calls(dir_), 1);
  EXPECT_NE(dir_.Read("log").find("VerifyScreenSavePwd " +
                                  std::to_string(reinterpret_cast<UINT_PTR>(window)) + " -> 0"),
            std::string::npos);
  ExpectOneCoverOverTheSecondMonitor(saver);
  ExpectSecondMonitorBlack();
  Capture primary = Capture::Screen();
  EXPECT_GT(primary.CountLit({0, 0, primary.Width(), primary.Height()}), 20000);
  PostMessageA(cover, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(check.Calls(dir_), 2);
}

// The saver window built in the driver's own process.
class TwoMonitorsInProcess : public ::testing::Test {
 protected:
  ~TwoMonitorsInProcess() override { ShowCursor(TRUE); }
};

TEST_F(TwoMonitorsInProcess, CoversFollowDisplayChangesAndReportScreenPoints) {
  const RECT second = SecondMonitor();
  ASSERT_GT(second.right, second.left) << "needs the two-monitor session";
  zarumo::SaverWindow form;
  form.CreateHandle();
  form.Show();
  auto expectCoverOverSecond = [&] {
    ASSERT_EQ(form.Covers().size(), 1u);
    EXPECT_TRUE(EqualRect(&form.Covers()[0]->Area(), &second));
    EXPECT_TRUE(IsWindowVisible(form.Covers()[0]->Handle()));
  };
  expectCoverOverSecond();
  {
    // A system without the monitor functions has nothing to cover.
    zarumo::HiddenSystemFunction hidden("EnumDisplayMonitors");
    SendMessageA(form.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(form.Covers().empty());
  }
  SendMessageA(form.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  expectCoverOverSecond();
  SendMessageA(form.Covers()[0]->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
  EXPECT_EQ(form.MouseBaseline().x, second.left + 10);
  EXPECT_EQ(form.MouseBaseline().y, second.top + 20);
}

}  // namespace
