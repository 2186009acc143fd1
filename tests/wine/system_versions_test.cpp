// The modes on every system the saver promises, as Wine reports each of them
// to the saver: the 9x family takes other paths (the password check, the
// settings write without a replacing move, the older open-dialog structure).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "support/system_state.h"
#include "support/windows.h"
#include "support/configure_mode.h"
#include "support/saver_process.h"

using namespace wt;

namespace {

class EverySystem : public ::testing::TestWithParam<const char*> {
 protected:
  bool NineX() const {
    return std::strcmp(GetParam(), "win95") == 0 || std::strcmp(GetParam(), "win98") == 0 ||
           std::strcmp(GetParam(), "winme") == 0;
  }
  ReportedSystem system_{GetParam()};
};

TEST_P(EverySystem, ShowModeCoversTheScreenAndAKeyEndsIt) {
  TempDir dir;
  Saver saver(dir, "/s");
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_TRUE(StaysUp(saver, 300));
  PostMessageA(window, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

TEST_P(EverySystem, PreviewFillsTheHostAndEndsWithIt) {
  PreviewHost host;
  TempDir dir;
  Saver saver(dir, "/p " + std::to_string(reinterpret_cast<UINT_PTR>(host.Handle())));
  HWND child = host.WaitChild();
  ASSERT_NE(child, nullptr);
  RECT client, childRect;
  GetClientRect(host.Handle(), &client);
  GetClientRect(child, &childRect);
  EXPECT_EQ(childRect.right, client.right);
  EXPECT_EQ(childRect.bottom, client.bottom);
  host.Destroy();
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

// OK in the setup dialog with a new wish line: the saver ends with 0, the
// settings file holds the new lines and nothing stands beside it.
void ExpectOkReplacesTheSettings(ConfigureMode& run) {
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ControlText(run.dialog->nameField), "old1");
  SetControlText(run.dialog->wishField, "新しい.jpg");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  EXPECT_EQ(run.dir.Read("ザルモ.ini"), "old1\r\n新しい.jpg\r\n");
  for (const char* name : {"ザルモ.new", "ザルモ.old"}) {
    EXPECT_FALSE(run.dir.Has(name)) << name;
  }
}

TEST_P(EverySystem, ConfigureOkReplacesTheSettingsAndLeavesNothingBeside) {
  ConfigureMode run;
  run.dir.Write("ザルモ.ini", "old1\r\nold2\r\n");
  ExpectOkReplacesTheSettings(run);
}

TEST_P(EverySystem, ConfigureOkRewritesAFileThatAnotherProgramReadsWithoutDeleteSharing) {
  // As many editors and viewers hold a file: the move and the renames are
  // refused, a plain rewrite is not.
  ConfigureMode run;
  run.dir.Write("ザルモ.ini", "old1\r\nold2\r\n");
  HANDLE reader =
      CreateFileA((run.dir / "ザルモ.ini").c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ExpectOkReplacesTheSettings(run);
  CloseHandle(reader);
}

TEST_P(EverySystem, PasswordIsAskedOnTheNineXFamilyOnly) {
  PasswordDouble check;
  TempDir dir;
  ScopedRegistryValue flag("Control Panel\\desktop", "ScreenSaveUsePassword", 1);
  Saver saver(dir, "/s", check.Options(dir, "1"));
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(check.Calls(dir), NineX() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Wine, EverySystem,
                         ::testing::Values("win95", "win98", "winme", "nt40", "win2k", "winxp"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
