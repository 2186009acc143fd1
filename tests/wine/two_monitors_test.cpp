// Show mode on two monitors side by side, in a session of its own (ZARUMO_MONITORS).
#include <gtest/gtest.h>
#include <windows.h>

#include "saver/saver_window.h"
#include "support/system_state.h"
#include "support/saver_process.h"
#include "support/screen.h"
#include "system/display_monitors.h"
#include "system/system_function.h"

using namespace wt;

namespace {

// Notepad on the monitor right of the primary one, for the saver to hide.
class TwoMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const RECT& m : zarumo::DisplayMonitors())
      if (m.left == GetSystemMetrics(SM_CXSCREEN)) second_ = m;
    ASSERT_GT(second_.right, second_.left) << "needs the two-monitor session";
    SetWindowPos(notepad_.WaitTopWindow("Notepad"), HWND_TOP, second_.left + 40, 40, 400, 300,
                 SWP_SHOWWINDOW);
    ASSERT_TRUE(WaitFor([this] { return LitOnSecond() > 50000; })) << "Notepad does not show";
  }
  int LitOnSecond() const {
    return Capture::Area(second_).CountLit(
        {0, 0, second_.right - second_.left, second_.bottom - second_.top});
  }
  // The saver's cover, once one lies visible and top-most over the whole second monitor.
  HWND CoverOf(const Saver& saver) const {
    HWND cover = nullptr;
    WaitFor([&] {
      for (HWND w = GetTopWindow(nullptr); w && !cover; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r;
        if (WindowProcessId(w) == saver.Pid() && IsWindowVisible(w) && GetWindowRect(w, &r) &&
            EqualRect(&r, &second_) && GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST)
          cover = w;
      }
      return cover != nullptr;
    });
    return cover;
  }

  RECT second_{};
  TempDir programDir_;
  bool copied_ =
      CopyFileA("C:\\windows\\system32\\notepad.exe", (programDir_ / "notepad.exe").c_str(), FALSE);
  Saver notepad_{programDir_, "", {"notepad.exe", {}, {}}};
  TempDir dir_;
};

TEST_F(TwoMonitors, PointerMovedOverTheSecondMonitorEndsTheSaver) {
  SetCursorPos(300, 300);
  Saver saver(dir_, "/s");
  ASSERT_NE(CoverOf(saver), nullptr);
  EXPECT_TRUE(StaysUp(saver));
  SetCursorPos(second_.left + 300, 300);  // the same point of the cover's client area
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

TEST_F(TwoMonitors, AnotherProgramsWindowStaysHiddenWhilePasswordsAreRefused) {
  PasswordDouble check;
  Windows98ForSaver win98;
  ScopedRegistryValue flag("Control Panel\\desktop", "ScreenSaveUsePassword", 1);
  Saver saver(dir_, "/s", check.Options(dir_, "01"));
  HWND cover = CoverOf(saver);
  EXPECT_EQ(LitOnSecond(), 0);
  ASSERT_NE(cover, nullptr);
  // A key on the cover is the saver's: the password is asked and refused, the button's allowed.
  PostMessageA(cover, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(StaysUp(saver, 1000));
  EXPECT_EQ(LitOnSecond(), 0);
  PostMessageA(cover, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_TRUE(WaitFor([this] { return LitOnSecond() > 50000; })) << "a cover outlived the saver";
}

TEST_F(TwoMonitors, CoversFollowDisplayChanges) {
  zarumo::SaverWindow form;
  form.Show();
  {
    zarumo::HiddenSystemFunction hidden("EnumDisplayMonitors");  // as on 95 and NT 4.0
    SendMessageA(form.Handle(), WM_DISPLAYCHANGE, 32, 0);
    EXPECT_TRUE(form.Covers().empty());
  }
  SendMessageA(form.Handle(), WM_DISPLAYCHANGE, 32, 0);
  ASSERT_EQ(form.Covers().size(), 1u);
  EXPECT_TRUE(EqualRect(&form.Covers()[0]->Area(), &second_));
  ShowCursor(TRUE);
}

}  // namespace
