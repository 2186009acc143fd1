// The saver's modes and its window, checked from outside the saver's process.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/system_state.h"
#include "support/windows.h"
#include "support/saver_process.h"

using namespace wt;

namespace {

const char kDesktopKey[] = "Control Panel\\desktop";
const char kFlagName[] = "ScreenSaveUsePassword";

void ExpectShowWindow(HWND window) {
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), "ザルモセーバー");
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CHILD));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
}

std::string ToString(UINT_PTR value) { return std::to_string(value); }

// The exit code of a saver asked to close its window.
DWORD ExitCodeOnClose(const Saver& saver, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  return ExitCodeAfter(saver);
}

// A saver started in a folder of its own, and its window once there is one.
struct Shown {
  explicit Shown(const std::string& arguments)
      : saver(dir, arguments), window(saver.WaitTopWindow(kSaverClass)) {}
  TempDir dir;
  Saver saver;
  HWND window;
};

}  // namespace

TEST(ShowMode, IsATopMostScreenSizedPopupThatKeyAndButtonClose) {
  for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
    Shown shown("/s");
    ExpectShowWindow(shown.window);
    EXPECT_TRUE(IsWindowVisible(shown.window));
    EXPECT_TRUE(StaysUp(shown.saver, 300));
    PostMessageA(shown.window, message, message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? 'A' : 0,
                 0);
    EXPECT_EQ(ExitCodeAfter(shown.saver), 0u) << "message " << message;
  }
}

TEST(ShowMode, FirstMouseMovementOnlyRecordsThePoint) {
  SetCursorPos(300, 300);
  Shown shown("-S");
  ASSERT_NE(shown.window, nullptr);
  // The system reports the pointer once the window lies under it; that first
  // movement must not end the saver, nor a report at the same point.
  EXPECT_TRUE(StaysUp(shown.saver));
  PostMessageA(shown.window, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
  EXPECT_TRUE(StaysUp(shown.saver, 500));
  // One pixel away is enough.
  SetCursorPos(301, 300);
  EXPECT_EQ(ExitCodeAfter(shown.saver), 0u);
}

TEST(ShowMode, ScreenSaveCommandIsAnsweredAndCloseRequestEnds) {
  Shown shown("/S");
  ASSERT_NE(shown.window, nullptr);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(shown.window, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG,
                                  5000, &answer));
  EXPECT_EQ(answer, 1u);
  EXPECT_TRUE(StaysUp(shown.saver));
  EXPECT_EQ(ExitCodeOnClose(shown.saver, shown.window), 0u);
}

TEST(ShowMode, CloseSentFromAnotherProcessEndsIt) {
  Shown shown("/s");
  ASSERT_NE(shown.window, nullptr);
  shown.saver.Idle();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(shown.window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(ExitCodeAfter(shown.saver, 3000), 0u);
}

TEST(ShowMode, OneCharacterSwitchAndUnknownSwitchShow) {
  for (const char* arguments : {"s", "x", "/p 12ab", "/p 4294967295", "/P"}) {
    Shown shown(arguments);
    ExpectShowWindow(shown.window);
    EXPECT_EQ(ExitCodeOnClose(shown.saver, shown.window), 0u) << arguments;
  }
}

TEST(PreviewMode, DisabledChildFillsTheHostForEveryHandleForm) {
  PreviewHost host;
  UINT_PTR handle = reinterpret_cast<UINT_PTR>(host.Handle());
  char hex[32];
  wsprintfA(hex, "%X", static_cast<unsigned>(handle));
  for (std::string arguments :
       {"/p " + ToString(handle), "/p $" + std::string(hex), "/P 0x" + std::string(hex),
        "\"\" /p \"" + ToString(handle) + "\""}) {
    TempDir dir;
    Saver saver(dir, arguments);
    HWND child = host.WaitChild();
    ASSERT_NE(child, nullptr) << arguments;
    // Showing it maximised is what makes it fill the host.
    EXPECT_EQ(
        static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~static_cast<DWORD>(WS_MAXIMIZE),
        static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_DISABLED))
        << arguments;
    EXPECT_EQ(GetClassLongA(child, GCL_STYLE), static_cast<DWORD>(CS_PARENTDC));
    EXPECT_FALSE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT client, childRect;
    GetClientRect(host.Handle(), &client);
    GetClientRect(child, &childRect);
    EXPECT_EQ(childRect.right, client.right);
    EXPECT_EQ(childRect.bottom, client.bottom);
    EXPECT_TRUE(StaysUp(saver, 300));
    EXPECT_EQ(ExitCodeOnClose(saver, child), 0u) << arguments;
    EXPECT_FALSE(IsWindow(child));
  }
}

TEST(PreviewMode, EndsWhenTheHostGoesAway) {
  PreviewHost host;
  TempDir dir;
  Saver saver(dir, "/p " + ToString(reinterpret_cast<UINT_PTR>(host.Handle())));
  ASSERT_NE(host.WaitChild(), nullptr);
  host.Destroy();
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

TEST(PreviewMode, HandleOfNoWindowIsAnApplicationError) {
  TempDir dir;
  Saver saver(dir, "/p 1234567");
  HWND box = saver.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "アプリケーション エラー");
  std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("がモジュール zarumo.scr の "), std::string::npos) << text;
  EXPECT_NE(text.find("で発生しました。\nシステムエラー。コード：1400.\r\n"), std::string::npos)
      << text;
  DismissMessageBox(box);
  EXPECT_EQ(ExitCodeAfter(saver), 1u);
}

TEST(ConfigureMode, NoArgumentAndSwitchesOpenTheSetupDialog) {
  for (const char* arguments : {"", "/c", "/c:1234", "?C 99", "-c"}) {
    TempDir dir;
    Saver saver(dir, arguments);
    HWND dialog = saver.WaitTopWindow("TScrnSaveSetupDlg");
    ASSERT_NE(dialog, nullptr) << arguments;
    EXPECT_EQ(WindowText(dialog), "ザルモセーバー設定");
    EXPECT_EQ(saver.WaitTopWindow(kSaverClass, 0), nullptr);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(ExitCodeAfter(saver), 0u) << arguments;
  }
}

class ChangePassword : public ::testing::Test {
 protected:
  SaverOptions Options() {
    CopyFileA((DriverDir() + "doubles\\MPR.DLL").c_str(), (dir_ / "MPR.DLL").c_str(), FALSE);
    SaverOptions options;
    options.environment = {{"ZARUMO_DOUBLE_LOG", dir_ / "log"}};
    return options;
  }
  TempDir dir_;
  // Wine takes the DLL beside the saver only when told to prefer native ones.
  ScopedRegistryValue override_{"Software\\Wine\\AppDefaults\\zarumo.scr\\DllOverrides", "mpr",
                                REG_SZ, std::string("native,builtin", 15)};
};

TEST_F(ChangePassword, HandsTheHandleToTheChangeService) {
  Saver saver(dir_, "/a 1234", Options());
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(dir_.Read("log"), "PwdChangePasswordA SCRSAVE 1234 0 0\n");
}

TEST_F(ChangePassword, WithoutHandleOrWithAByteWiseSwitch) {
  // A double-byte character whose second byte is "A" (0x41) is the change switch.
  for (const char* arguments : {"/a", "\x83\x41 $10"}) {
    Saver saver(dir_, arguments, Options());
    EXPECT_EQ(ExitCodeAfter(saver), 0u) << arguments;
  }
  EXPECT_EQ(dir_.Read("log"),
            "PwdChangePasswordA SCRSAVE 0 0 0\nPwdChangePasswordA SCRSAVE 16 0 0\n");
}

// The close query on a 9x system asks the system's password check.
class PasswordCheck : public ::testing::Test {
 protected:
  SaverOptions Options(const std::string& answers) { return check_.Options(dir_, answers); }
  int Calls() { return check_.Calls(dir_); }
  PasswordDouble check_;
  TempDir dir_;
};

TEST_F(PasswordCheck, RefusedThenAllowedOnWindows98) {
  Windows98ForSaver win98;
  ScopedRegistryValue flag(kDesktopKey, kFlagName, 1);
  Saver saver(dir_, "/s", Options("01"));
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(StaysUp(saver, 1000));
  EXPECT_EQ(Calls(), 1);
  EXPECT_NE(dir_.Read("log").find("VerifyScreenSavePwd " +
                                  ToString(reinterpret_cast<UINT_PTR>(window)) + " -> 0"),
            std::string::npos);
  // After a refusal the next movement only records a new point.
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(StaysUp(saver, 500));
  EXPECT_EQ(Calls(), 1);
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(Calls(), 2);
}

TEST_F(PasswordCheck, FlagOffAbsentOrNtClosesWithoutAsking) {
  auto closes = [this] {
    Saver saver(dir_, "/s", Options("0"));
    EXPECT_EQ(ExitCodeOnClose(saver, saver.WaitTopWindow(kSaverClass)), 0u);
  };
  {
    Windows98ForSaver win98;
    ScopedRegistryValue flag(kDesktopKey, kFlagName, 0);
    closes();
  }
  {
    // The flag absent means no password, rather than an error on every key.
    Windows98ForSaver win98;
    closes();
  }
  {
    ScopedRegistryValue flag(kDesktopKey, kFlagName, 1);
    closes();
  }
  EXPECT_EQ(Calls(), 0);
}

TEST_F(PasswordCheck, MalformedFlagStillAsks) {
  Windows98ForSaver win98;
  ScopedRegistryValue flag(kDesktopKey, kFlagName, REG_SZ, std::string("1", 2));
  Saver saver(dir_, "/s", Options("1"));
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ExitCodeOnClose(saver, window), 0u);
  EXPECT_EQ(Calls(), 1);
}
