// The configure-mode setup dialog, driven from outside the saver's process as
// a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/system_state.h"
#include "support/configure_mode.h"
#include "support/picture_files.h"
#include "support/windows.h"
#include "support/saver_process.h"
#include "system/handles.h"

using namespace wt;

namespace {

const char kSettings[] = "ザルモ.ini";

// The digit height of the form font as this system draws it.
int FormTextHeight() {
  zarumo::WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  zarumo::OwnedFont font(CreateFontA(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック"));
  zarumo::Selection selection(screen.Get(), font.Get());
  SIZE size{};
  GetTextExtentPoint32A(screen.Get(), "0", 1, &size);
  return size.cy;
}

}  // namespace

TEST(SetupDialog, LayoutIsTheStoredOneScaledByTheTextHeight) {
  ConfigureMode run;
  ASSERT_TRUE(run.Open());
  HWND window = run.dialog->Handle();
  EXPECT_EQ(WindowText(window), "ザルモセーバー設定");
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // The button face shows between the components.
  RECT corner{2, 2, 3, 3};
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&corner), 2);
  {
    zarumo::WindowDc screen(nullptr);
    EXPECT_EQ(GetPixel(screen.Get(), corner.left, corner.top), GetSysColor(COLOR_BTNFACE));
  }

  const int textHeight = FormTextHeight();
  auto scaled = [textHeight](int value) {
    return textHeight == 12 ? value : MulDiv(value, textHeight, 12);
  };
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, scaled(480));
  EXPECT_EQ(client.bottom, scaled(240));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  struct Expected {
    HWND control;
    int left, top, width, height;
  } expected[] = {
      {run.dialog->nameField, 8, 80, 393, 20},   {run.dialog->wishField, 8, 152, 393, 20},
      {run.dialog->nameBrowse, 416, 80, 49, 25}, {run.dialog->wishBrowse, 416, 152, 51, 25},
      {run.dialog->okButton, 120, 200, 75, 25},  {run.dialog->cancelButton, 288, 200, 75, 25},
  };
  for (const Expected& e : expected) {
    RECT rect = ClientRectOf(e.control, window);
    EXPECT_EQ(rect.left, scaled(e.left)) << WindowText(e.control);
    EXPECT_EQ(rect.top, scaled(e.top)) << WindowText(e.control);
    EXPECT_EQ(rect.right - rect.left, scaled(e.width)) << WindowText(e.control);
    EXPECT_EQ(rect.bottom - rect.top, scaled(e.height)) << WindowText(e.control);
  }
  // The labels stand where the layout puts them and are as big as their text.
  struct Label {
    const char* text;
    int left, top;
  } labels[] = {{"名前･願事の画像の設定を行います", 32, 17}, {"名前", 40, 57}, {"願事", 40, 128}};
  zarumo::WindowDc screen(nullptr);
  zarumo::OwnedFont labelFont(CreateFontA(-MulDiv(16, GetDeviceCaps(screen.Get(), LOGPIXELSY), 96),
                                          0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                          0, 0, 0, 0, "ＭＳ Ｐゴシック"));
  zarumo::Selection selection(screen.Get(), labelFont.Get());
  for (const Label& label : labels) {
    HWND found = nullptr;
    for (HWND candidate : run.dialog->labels) {
      if (WindowText(candidate) == label.text) found = candidate;
    }
    ASSERT_NE(found, nullptr) << label.text;
    SIZE extent{};
    GetTextExtentPoint32A(screen.Get(), label.text, lstrlenA(label.text), &extent);
    RECT rect = ClientRectOf(found, window);
    EXPECT_EQ(rect.left, scaled(label.left)) << label.text;
    EXPECT_EQ(rect.top, scaled(label.top)) << label.text;
    EXPECT_EQ(rect.right - rect.left, extent.cx) << label.text;
    EXPECT_EQ(rect.bottom - rect.top, extent.cy) << label.text;
  }
  EXPECT_EQ(FocusOf(window), run.dialog->nameBrowse);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ExitCodeAfter(*run.saver), 0u);
}

TEST(SetupDialog, WithoutSettingsTheDefaultsShowAndOkWritesThem) {
  ConfigureMode run;
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ControlText(run.dialog->nameField), run.dir / "なまえ.jpg");
  EXPECT_EQ(ControlText(run.dialog->wishField), run.dir / "ねがい.jpg");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  bool exists = false;
  EXPECT_EQ(run.dir.Read(kSettings, &exists),
            run.dir / "なまえ.jpg" + "\r\n" + run.dir / "ねがい.jpg" + "\r\n");
  EXPECT_TRUE(exists);
}

TEST(SetupDialog, OkRewritesTheFileInAFolderThatTakesNoNewFiles) {
  ConfigureMode run;
  run.dir.Write(kSettings, "old1\r\nold2\r\n");
  ASSERT_TRUE(
      CopyFileA((DriverDir() + "zarumo.scr").c_str(), (run.dir / "zarumo.scr").c_str(), FALSE));
  LockedFolder locked(run.dir.Path());
  if (!locked.Locked()) GTEST_SKIP() << "this host cannot make a folder immutable";
  ASSERT_TRUE(run.Open());
  SetControlText(run.dialog->nameField, "new1");
  PostMessageA(run.dialog->okButton, BM_CLICK, 0, 0);
  // No box: the file itself could be written.
  EXPECT_EQ(run.saver->WaitMessageBox(1500), nullptr);
  EXPECT_EQ(ExitCodeAfter(*run.saver), 0u);
  EXPECT_EQ(run.dir.Read(kSettings), "new1\r\nold2\r\n");
}

TEST(SetupDialog, CloseSentFromAnotherProcessEndsItWithoutFurtherInput) {
  // What the taskbar's close and a task manager's end-task do: a sent, not a posted, WM_CLOSE.
  ConfigureMode run;
  ASSERT_TRUE(run.Open());
  run.saver->Idle();
  const DWORD start = GetTickCount();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(
      SendMessageTimeoutA(run.dialog->Handle(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(ExitCodeAfter(*run.saver, 3000), 0u);
  RecordProperty("ms_to_exit", static_cast<int>(GetTickCount() - start));
  EXPECT_FALSE(run.dir.Has(kSettings));
}

TEST(SetupDialog, FieldsAreShownAndWrittenBackAsTheyStand) {
  ConfigureMode run;
  run.dir.Write(kSettings, "bare.jpg\r\nsub\\wish.bmp\nthird line\r\n");
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ControlText(run.dialog->nameField), "bare.jpg");
  EXPECT_EQ(ControlText(run.dialog->wishField), "sub\\wish.bmp");
  SetControlText(run.dialog->wishField, "");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  EXPECT_EQ(run.dir.Read(kSettings), "bare.jpg\r\n\r\n");
}

TEST(SetupDialog, OkWritesBackLinesLongerThanAFieldHolds) {
  for (std::size_t length : {65536u, 70000u}) {
    ConfigureMode run;
    const std::string content =
        std::string(length, 'n') + "\r\n" + std::string(length, 'w') + "\r\n";
    run.dir.Write(kSettings, content);
    ASSERT_TRUE(run.Open());
    EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
    const std::string written = run.dir.Read(kSettings);
    EXPECT_TRUE(written == content) << length << " became " << written.size() << " bytes";
  }
}

TEST(SetupDialog, LineTooLargeForMemoryIsASystemFailureAndOkKeepsTheFile) {
  ConfigureMode run;
  // 1.5 GB of zero bytes without a line end, stored sparse.
  const std::string path = run.dir / kSettings;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LONG high = 0;
  SetFilePointer(file, 0x60000000, &high, FILE_BEGIN);
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  run.Start();
  HWND box = run.saver->WaitMessageBox(120000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box).rfind("システムエラー。コード：8.\r\n", 0), 0u)
      << MessageBoxText(box);
  DismissMessageBox(box);
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0x60000000u);
}

TEST(SetupDialog, ReadOnlySettingsFileFillsTheFieldsAndOkReportsTheRefusal) {
  ConfigureMode run;
  const std::string content = "a.jpg\r\nb.jpg\r\n";
  run.dir.Write(kSettings, content);
  ASSERT_TRUE(SetFileAttributesA((run.dir / kSettings).c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ControlText(run.dialog->nameField), "a.jpg");
  EXPECT_EQ(ControlText(run.dialog->wishField), "b.jpg");
  PostMessageA(run.dialog->okButton, BM_CLICK, 0, 0);
  HWND box = run.saver->WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "ファイルへのアクセスが拒否されました.");
  EXPECT_EQ(WindowText(box), "zarumo");
  // The dialog is still up behind the box, and closes once it is dismissed.
  EXPECT_TRUE(IsWindowVisible(run.dialog->Handle()));
  EXPECT_TRUE(run.saver->Running());
  DismissMessageBox(box);
  EXPECT_EQ(ExitCodeAfter(*run.saver), 0u);
  EXPECT_EQ(run.dir.Read(kSettings), content);
}

TEST(SetupDialog, ReadingFailureIsShownBeforeTheDialogOpensWithEmptyFields) {
  ConfigureMode run;
  run.dir.Write(kSettings, "a.jpg\r\nb.jpg\r\n");
  // Held open without sharing: the saver's open fails with code 32.
  HANDLE held = CreateFileA((run.dir / kSettings).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  run.Start();
  HWND box = run.saver->WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "I/O エラー (32)");
  EXPECT_EQ(run.saver->WaitTopWindow(kSetupDialogClass, 0), nullptr);
  CloseHandle(held);
  DismissMessageBox(box);
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(ControlText(run.dialog->nameField), "");
  EXPECT_EQ(ControlText(run.dialog->wishField), "");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
  EXPECT_EQ(run.dir.Read(kSettings), "a.jpg\r\nb.jpg\r\n");
}

TEST(SetupKeyboard, TabOrderEnterAndEscape) {
  ConfigureMode run;
  ASSERT_TRUE(run.Open());
  HWND window = run.dialog->Handle();
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == run.dialog->nameBrowse; }));

  // Escape closes nothing.
  PostKey(run.dialog->nameBrowse, VK_ESCAPE);
  PostMessageA(run.dialog->nameBrowse, WM_CHAR, 0x1B, 1);
  EXPECT_FALSE(run.saver->WaitExit(700));

  const HWND order[] = {run.dialog->wishBrowse, run.dialog->okButton,  run.dialog->cancelButton,
                        run.dialog->nameField,  run.dialog->wishField, run.dialog->nameBrowse};
  for (HWND next : order) {
    PostKey(FocusOf(window), VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == next; }, 3000))
        << "expected " << WindowText(next) << ", focus on " << WindowText(FocusOf(window));
  }

  // Enter in a field does nothing, and does not reach the field either.
  for (int i = 0; i < 4; ++i) PostKey(FocusOf(window), VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == run.dialog->nameField; }, 3000));
  const std::string before = ControlText(run.dialog->nameField);
  PostKey(run.dialog->nameField, VK_RETURN);
  PostMessageA(run.dialog->nameField, WM_CHAR, '\r', 1);
  EXPECT_FALSE(run.saver->WaitExit(700));
  EXPECT_EQ(ControlText(run.dialog->nameField), before);
  EXPECT_FALSE(run.dir.Has(kSettings));

  // Enter on OK is OK.
  for (int i = 0; i < 4; ++i) PostKey(FocusOf(window), VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == run.dialog->okButton; }, 3000));
  PostKey(run.dialog->okButton, VK_RETURN);
  EXPECT_EQ(ExitCodeAfter(*run.saver), 0u);
  EXPECT_TRUE(run.dir.Has(kSettings));
}

TEST(SetupKeyboard, CloseBoxAndAltF4Cancel) {
  for (int way = 0; way < 2; ++way) {
    ConfigureMode run;
    ASSERT_TRUE(run.Open());
    HWND window = run.dialog->Handle();
    if (way == 0) {
      // A real click on the close box at the right end of the caption.
      RECT frame;
      GetWindowRect(window, &frame);
      int x = frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXEDGE) -
              GetSystemMetrics(SM_CXSIZE) / 2 - 1;
      int y = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYEDGE) +
              GetSystemMetrics(SM_CYCAPTION) / 2;
      SetCursorPos(x, y);
      Pump(100);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      Pump(50);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    } else {
      SetForegroundWindow(window);
      Pump(200);
      keybd_event(VK_MENU, 0, 0, 0);
      keybd_event(VK_F4, 0, 0, 0);
      keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
      keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    }
    EXPECT_EQ(ExitCodeAfter(*run.saver), 0u) << (way == 0 ? "close box" : "Alt+F4");
    EXPECT_FALSE(run.dir.Has(kSettings)) << (way == 0 ? "close box" : "Alt+F4");
  }
}

TEST(SetupOwner, ForegroundWindowIsDisabledWhileTheDialogExists) {
  HWND console = CreateStandInWindow("console", 20, 20, 300, 200);
  ASSERT_NE(console, nullptr);
  SetForegroundWindow(console);
  Pump(100);
  ASSERT_EQ(GetForegroundWindow(), console);
  {
    ConfigureMode run;
    ASSERT_TRUE(run.Open());
    EXPECT_EQ(GetWindow(run.dialog->Handle(), GW_OWNER), console);
    EXPECT_FALSE(IsWindowEnabled(console));
    EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
  }
  Pump(100);
  EXPECT_TRUE(IsWindowEnabled(console));
  DestroyWindow(console);
}
