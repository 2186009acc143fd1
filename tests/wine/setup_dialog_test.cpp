// The configure-mode setup dialog and its open-picture dialog, driven from
// outside the saver's process as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/locked_folder.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/setup_dialog.h"
#include "support/windows_of.h"

using namespace wt;

namespace {

const char kPreviewClass[] = "ZarumoPreviewWindow";
const char kSettings[] = "ザルモ.ini";
const int kPaneCaption = 0x5A01;
const int kPanePreviewButton = 0x5A02;
const int kPaneArea = 0x5A03;

// A blue 48 x 32 JPEG.
const char kBlueJpeg[] =
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00"
    "\x43"
    "\x00\x05\x03\x04\x04\x04\x03\x05\x04\x04\x04\x05\x05\x05\x06\x07\x0C\x08\x07\x07\x07\x07\x0F"
    "\x0B"
    "\x0B\x09\x0C\x11\x0F\x12\x12\x11\x0F\x11\x11\x13\x16\x1C\x17\x13\x14\x1A\x15\x11\x11\x18\x21"
    "\x18"
    "\x1A\x1D\x1D\x1F\x1F\x1F\x13\x17\x22\x24\x22\x1E\x24\x1C\x1E\x1F\x1E\xFF\xDB\x00\x43\x01\x05"
    "\x05"
    "\x05\x07\x06\x07\x0E\x08\x08\x0E\x1E\x14\x11\x14\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E"
    "\x1E"
    "\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E"
    "\x1E"
    "\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\x1E\xFF\xC0\x00\x11\x08\x00\x20\x00\x30"
    "\x03"
    "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xC4\x00\x1F\x00\x00\x01\x05\x01\x01\x01\x01\x01\x01"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\xFF\xC4\x00\xB5\x10"
    "\x00"
    "\x02\x01\x03\x03\x02\x04\x03\x05\x05\x04\x04\x00\x00\x01\x7D\x01\x02\x03\x00\x04\x11\x05\x12"
    "\x21"
    "\x31\x41\x06\x13\x51\x61\x07\x22\x71\x14\x32\x81\x91\xA1\x08\x23\x42\xB1\xC1\x15\x52\xD1\xF0"
    "\x24"
    "\x33\x62\x72\x82\x09\x0A\x16\x17\x18\x19\x1A\x25\x26\x27\x28\x29\x2A\x34\x35\x36\x37\x38\x39"
    "\x3A"
    "\x43\x44\x45\x46\x47\x48\x49\x4A\x53\x54\x55\x56\x57\x58\x59\x5A\x63\x64\x65\x66\x67\x68\x69"
    "\x6A"
    "\x73\x74\x75\x76\x77\x78\x79\x7A\x83\x84\x85\x86\x87\x88\x89\x8A\x92\x93\x94\x95\x96\x97\x98"
    "\x99"
    "\x9A\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xC2\xC3\xC4\xC5"
    "\xC6"
    "\xC7\xC8\xC9\xCA\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA"
    "\xF1"
    "\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFF\xC4\x00\x1F\x01\x00\x03\x01\x01\x01\x01\x01\x01\x01"
    "\x01"
    "\x01\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\xFF\xC4\x00\xB5\x11"
    "\x00"
    "\x02\x01\x02\x04\x04\x03\x04\x07\x05\x04\x04\x00\x01\x02\x77\x00\x01\x02\x03\x11\x04\x05\x21"
    "\x31"
    "\x06\x12\x41\x51\x07\x61\x71\x13\x22\x32\x81\x08\x14\x42\x91\xA1\xB1\xC1\x09\x23\x33\x52\xF0"
    "\x15"
    "\x62\x72\xD1\x0A\x16\x24\x34\xE1\x25\xF1\x17\x18\x19\x1A\x26\x27\x28\x29\x2A\x35\x36\x37\x38"
    "\x39"
    "\x3A\x43\x44\x45\x46\x47\x48\x49\x4A\x53\x54\x55\x56\x57\x58\x59\x5A\x63\x64\x65\x66\x67\x68"
    "\x69"
    "\x6A\x73\x74\x75\x76\x77\x78\x79\x7A\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x92\x93\x94\x95\x96"
    "\x97"
    "\x98\x99\x9A\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xC2\xC3"
    "\xC4"
    "\xC5\xC6\xC7\xC8\xC9\xCA\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9"
    "\xEA"
    "\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00"
    "\xF9"
    "\x86\x8A\x28\xAF\xEC\xB3\xE7\x42\x8A\x28\xA0\x02\x8A\x28\xA0\x02\x8A\x28\xA0\x02\x8A\x28\xA0"
    "\x02"
    "\x8A\x28\xA0\x0F\xFF\xD9";

// A green 16 x 16 progressive JPEG whose first scan asks for what a DC scan
// cannot have: its header reads, its decoding fails.
const char kUndecodableJpeg[] =
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00"
    "\x43"
    "\x00\x10\x0B\x0C\x0E\x0C\x0A\x10\x0E\x0D\x0E\x12\x11\x10\x13\x18\x28\x1A\x18\x16\x16\x18\x31"
    "\x23"
    "\x25\x1D\x28\x3A\x33\x3D\x3C\x39\x33\x38\x37\x40\x48\x5C\x4E\x40\x44\x57\x45\x37\x38\x50\x6D"
    "\x51"
    "\x57\x5F\x62\x67\x68\x67\x3E\x4D\x71\x79\x70\x64\x78\x5C\x65\x67\x63\xFF\xDB\x00\x43\x01\x11"
    "\x12"
    "\x12\x18\x15\x18\x2F\x1A\x1A\x2F\x63\x42\x38\x42\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\xFF\xC2\x00\x11\x08\x00\x10\x00\x10"
    "\x03"
    "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xFF\xC4\x00\x15\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x02\xFF\xC4\x00\x14\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00\x00\x05\xFF\xDA\x00\x0C\x03\x01\x00\x02\x10\x03\x10\x00\x05\x01\x80\x79\x7F"
    "\xFF"
    "\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x20\xFF\xDA"
    "\x00"
    "\x08\x01\x01\x00\x01\x05\x02\x1F\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x03\x01\x01\x3F\x01\x7F\xFF\xC4\x00\x14\x11\x01"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x02\x01\x01"
    "\x3F"
    "\x01\x7F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x20"
    "\xFF\xDA\x00\x08\x01\x01\x00\x06\x3F\x02\x1F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x20\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x21\x1F\xFF\xDA\x00"
    "\x0C"
    "\x03\x01\x00\x02\x00\x03\x00\x00\x00\x10\x0B\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x03\x01\x01\x3F\x10\x7F\xFF\xC4\x00"
    "\x14"
    "\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01"
    "\x02"
    "\x01\x01\x3F\x10\x7F\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x20\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x10\x1F\xFF\xD9";

// A 24-bit BMP of one colour.
std::string SolidBitmap(int width, int height, BYTE red, BYTE green, BYTE blue) {
  const int stride = (width * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(stride, '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(blue);
    row[x * 3 + 1] = static_cast<char>(green);
    row[x * 3 + 2] = static_cast<char>(red);
  }
  for (int y = 0; y < height; ++y) bytes += row;
  return bytes;
}

// The digit height of the form font as this system draws it.
int FormTextHeight() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  HFONT font = CreateFontA(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
  HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32A(screen, "0", 1, &size);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return size.cy;
}

}  // namespace

TEST(SetupDialog, LayoutIsTheStoredOneScaledByTheTextHeight) {
  TempDir dir;
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  HWND window = dialog.Handle();
  EXPECT_EQ(WindowText(window), "ザルモセーバー設定");
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // The button face shows between the components.
  RECT corner{2, 2, 3, 3};
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&corner), 2);
  HDC screenDc = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screenDc, corner.left, corner.top), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(nullptr, screenDc);

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
      {dialog.nameField, 8, 80, 393, 20},     {dialog.wishField, 8, 152, 393, 20},
      {dialog.nameBrowse, 416, 80, 49, 25},  {dialog.wishBrowse, 416, 152, 51, 25},
      {dialog.okButton, 120, 200, 75, 25}, {dialog.cancelButton, 288, 200, 75, 25},
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
  HDC screen = GetDC(nullptr);
  HFONT labelFont =
      CreateFontA(-MulDiv(16, GetDeviceCaps(screen, LOGPIXELSY), 96), 0, 0, 0, FW_NORMAL, FALSE,
                  FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
  HGDIOBJ old = SelectObject(screen, labelFont);
  for (const Label& label : labels) {
    HWND found = nullptr;
    for (HWND candidate : dialog.labels) {
      if (WindowText(candidate) == label.text) found = candidate;
    }
    ASSERT_NE(found, nullptr) << label.text;
    SIZE extent{};
    GetTextExtentPoint32A(screen, label.text, lstrlenA(label.text), &extent);
    RECT rect = ClientRectOf(found, window);
    EXPECT_EQ(rect.left, scaled(label.left)) << label.text;
    EXPECT_EQ(rect.top, scaled(label.top)) << label.text;
    EXPECT_EQ(rect.right - rect.left, extent.cx) << label.text;
    EXPECT_EQ(rect.bottom - rect.top, extent.cy) << label.text;
  }
  SelectObject(screen, old);
  DeleteObject(labelFont);
  ReleaseDC(nullptr, screen);

  EXPECT_EQ(FocusOf(window), dialog.nameBrowse);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

TEST(SetupDialog, WithoutSettingsTheDefaultsShowAndOkWritesThem) {
  TempDir dir;
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  EXPECT_EQ(ControlText(dialog.nameField), dir / "なまえ.jpg");
  EXPECT_EQ(ControlText(dialog.wishField), dir / "ねがい.jpg");
  PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  bool exists = false;
  EXPECT_EQ(dir.Read(kSettings, &exists),
            dir / "なまえ.jpg" + "\r\n" + dir / "ねがい.jpg" + "\r\n");
  EXPECT_TRUE(exists);
}

TEST(SetupDialog, OkRewritesTheFileInAFolderThatTakesNoNewFiles) {
  TempDir dir;
  dir.Write(kSettings, "old1\r\nold2\r\n");
  ASSERT_TRUE(CopyFileA((DriverDir() + "zarumo.scr").c_str(), (dir / "zarumo.scr").c_str(), FALSE));
  LockedFolder locked(dir.Path());
  if (!locked.Locked()) GTEST_SKIP() << "this host cannot make a folder immutable";
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  SetControlText(dialog.nameField, "new1");
  PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
  // No box: the file itself could be written.
  EXPECT_EQ(saver.WaitMessageBox(1500), nullptr);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(dir.Read(kSettings), "new1\r\nold2\r\n");
}

TEST(SetupDialog, CloseSentFromAnotherProcessEndsItWithoutFurtherInput) {
  // What the taskbar's close and a task manager's end-task do: a sent, not a posted, WM_CLOSE.
  TempDir dir;
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  saver.Idle();
  const DWORD start = GetTickCount();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(dialog.Handle(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(ExitCodeAfter(saver, 3000), 0u);
  RecordProperty("ms_to_exit", static_cast<int>(GetTickCount() - start));
  bool written = true;
  dir.Read(kSettings, &written);
  EXPECT_FALSE(written);
}

TEST(SetupDialog, FieldsAreShownAndWrittenBackAsTheyStand) {
  TempDir dir;
  dir.Write(kSettings, "bare.jpg\r\nsub\\wish.bmp\nthird line\r\n");
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  EXPECT_EQ(ControlText(dialog.nameField), "bare.jpg");
  EXPECT_EQ(ControlText(dialog.wishField), "sub\\wish.bmp");
  SetControlText(dialog.wishField, "");
  PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(dir.Read(kSettings), "bare.jpg\r\n\r\n");
}

TEST(SetupDialog, OkWritesBackLinesLongerThanAFieldHolds) {
  for (std::size_t length : {65536u, 70000u}) {
    TempDir dir;
    const std::string content = std::string(length, 'n') + "\r\n" + std::string(length, 'w') + "\r\n";
    dir.Write(kSettings, content);
    Saver saver(dir, "/c");
    SetupDialog dialog(saver);
    ASSERT_TRUE(dialog.Complete());
    PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
    EXPECT_EQ(ExitCodeAfter(saver), 0u);
    const std::string written = dir.Read(kSettings);
    EXPECT_TRUE(written == content) << length << " became " << written.size() << " bytes";
  }
}

TEST(SetupDialog, LineTooLargeForMemoryIsASystemFailureAndOkKeepsTheFile) {
  TempDir dir;
  // 1.5 GB of zero bytes without a line end, stored sparse.
  const std::string path = dir / kSettings;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LONG high = 0;
  SetFilePointer(file, 0x60000000, &high, FILE_BEGIN);
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  Saver saver(dir, "/c");
  HWND box = saver.WaitMessageBox(120000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box).rfind("システムエラー。コード：8.\r\n", 0), 0u) << MessageBoxText(box);
  DismissMessageBox(box);
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0x60000000u);
}

TEST(SetupDialog, ReadOnlySettingsFileFillsTheFieldsAndOkReportsTheRefusal) {
  TempDir dir;
  const std::string content = "a.jpg\r\nb.jpg\r\n";
  dir.Write(kSettings, content);
  ASSERT_TRUE(SetFileAttributesA((dir / kSettings).c_str(), FILE_ATTRIBUTE_READONLY));
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  EXPECT_EQ(ControlText(dialog.nameField), "a.jpg");
  EXPECT_EQ(ControlText(dialog.wishField), "b.jpg");
  PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
  HWND box = saver.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "ファイルへのアクセスが拒否されました.");
  EXPECT_EQ(WindowText(box), "zarumo");
  // The dialog is still up behind the box, and closes once it is dismissed.
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
  EXPECT_TRUE(saver.Running());
  DismissMessageBox(box);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(dir.Read(kSettings), content);
}

TEST(SetupDialog, ReadingFailureIsShownBeforeTheDialogOpensWithEmptyFields) {
  TempDir dir;
  dir.Write(kSettings, "a.jpg\r\nb.jpg\r\n");
  // Held open without sharing: the saver's open fails with code 32.
  HANDLE held = CreateFileA((dir / kSettings).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Saver saver(dir, "/c");
  HWND box = saver.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "I/O エラー (32)");
  EXPECT_EQ(saver.WaitTopWindow(kSetupDialogClass, 0), nullptr);
  CloseHandle(held);
  DismissMessageBox(box);
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  EXPECT_EQ(ControlText(dialog.nameField), "");
  EXPECT_EQ(ControlText(dialog.wishField), "");
  PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  EXPECT_EQ(dir.Read(kSettings), "a.jpg\r\nb.jpg\r\n");
}

TEST(SetupKeyboard, TabOrderEnterAndEscape) {
  TempDir dir;
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  HWND window = dialog.Handle();
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == dialog.nameBrowse; }));

  // Escape closes nothing.
  PostKey(dialog.nameBrowse, VK_ESCAPE);
  PostMessageA(dialog.nameBrowse, WM_CHAR, 0x1B, 1);
  EXPECT_FALSE(saver.WaitExit(700));

  const HWND order[] = {dialog.wishBrowse, dialog.okButton, dialog.cancelButton,
                        dialog.nameField,   dialog.wishField,   dialog.nameBrowse};
  for (HWND next : order) {
    PostKey(FocusOf(window), VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == next; }, 3000))
        << "expected " << WindowText(next) << ", focus on " << WindowText(FocusOf(window));
  }

  // Enter in a field does nothing, and does not reach the field either.
  for (int i = 0; i < 4; ++i) PostKey(FocusOf(window), VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == dialog.nameField; }, 3000));
  const std::string before = ControlText(dialog.nameField);
  PostKey(dialog.nameField, VK_RETURN);
  PostMessageA(dialog.nameField, WM_CHAR, '\r', 1);
  EXPECT_FALSE(saver.WaitExit(700));
  EXPECT_EQ(ControlText(dialog.nameField), before);
  bool exists = true;
  dir.Read(kSettings, &exists);
  EXPECT_FALSE(exists);

  // Enter on OK is OK.
  for (int i = 0; i < 4; ++i) PostKey(FocusOf(window), VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == dialog.okButton; }, 3000));
  PostKey(dialog.okButton, VK_RETURN);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  dir.Read(kSettings, &exists);
  EXPECT_TRUE(exists);
}

TEST(SetupKeyboard, CloseBoxAndAltF4Cancel) {
  for (int way = 0; way < 2; ++way) {
    TempDir dir;
    Saver saver(dir, "/c");
    SetupDialog dialog(saver);
    ASSERT_TRUE(dialog.Complete());
    HWND window = dialog.Handle();
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
    EXPECT_EQ(ExitCodeAfter(saver), 0u) << (way == 0 ? "close box" : "Alt+F4");
    bool exists = true;
    dir.Read(kSettings, &exists);
    EXPECT_FALSE(exists) << (way == 0 ? "close box" : "Alt+F4");
  }
}

TEST(SetupOwner, ForegroundWindowIsDisabledWhileTheDialogExists) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ConsoleStandIn";
  RegisterClassA(&wc);
  HWND console = CreateWindowExA(0, "ConsoleStandIn", "console", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 20, 20, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(console, nullptr);
  SetForegroundWindow(console);
  Pump(100);
  ASSERT_EQ(GetForegroundWindow(), console);
  {
    TempDir dir;
    Saver saver(dir, "/c");
    SetupDialog dialog(saver);
    ASSERT_TRUE(dialog.Complete());
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), console);
    EXPECT_FALSE(IsWindowEnabled(console));
    PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
    EXPECT_EQ(ExitCodeAfter(saver), 0u);
  }
  Pump(100);
  EXPECT_TRUE(IsWindowEnabled(console));
  DestroyWindow(console);
}

namespace {

// The open dialog over the setup dialog, with its file-name box.
struct OpenDialog {
  explicit OpenDialog(const Saver& saver) {
    window = saver.WaitMessageBox();
    if (!window) return;
    HWND box = GetDlgItem(window, 0x480);
    if (!box) box = GetDlgItem(window, 0x47C);
    fileName = box && ClassName(box) == "Edit" ? box : DescendantByClass(box, "Edit");
  }
  // Types into the file-name box and presses the open button.
  void Enter(const std::string& text) const {
    SetControlText(fileName, text);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
  }
  void Cancel() const {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
  }
  HWND window = nullptr;
  HWND fileName = nullptr;
};

}  // namespace

TEST(SetupBrowse, ConfirmedFileFillsTheFieldAndCancelWritesNothing) {
  TempDir dir;
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  PostMessageA(dialog.nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(saver);
  ASSERT_NE(open.window, nullptr);
  ASSERT_NE(open.fileName, nullptr);
  EXPECT_EQ(GetWindow(open.window, GW_OWNER), dialog.Handle());
  EXPECT_EQ(ControlText(open.fileName), "");
  // A typed name is taken even though no such file exists.
  open.Enter(dir / "chosen.jpg");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  EXPECT_EQ(ControlText(dialog.nameField), dir / "chosen.jpg");
  EXPECT_EQ(ControlText(dialog.wishField), dir / "ねがい.jpg");
  PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
  bool exists = true;
  dir.Read(kSettings, &exists);
  EXPECT_FALSE(exists);
}

TEST(SetupBrowse, TheOtherButtonOffersTheFileLastConfirmed) {
  TempDir dir;
  dir.Write("first.bmp", SolidBitmap(4, 4, 255, 0, 0));
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  PostMessageA(dialog.nameBrowse, BM_CLICK, 0, 0);
  OpenDialog first(saver);
  ASSERT_NE(first.fileName, nullptr);
  first.Enter(dir / "first.bmp");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(first.window); }));
  EXPECT_EQ(ControlText(dialog.nameField), dir / "first.bmp");

  PostMessageA(dialog.wishBrowse, BM_CLICK, 0, 0);
  OpenDialog second(saver);
  ASSERT_NE(second.fileName, nullptr);
  std::string offered = ControlText(second.fileName);
  // The system may show the name alone, in the file's folder.
  EXPECT_TRUE(offered == "first.bmp" || offered == dir / "first.bmp") << offered;
  second.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(second.window); }));
  EXPECT_EQ(ControlText(dialog.wishField), dir / "ねがい.jpg");
  // Focus comes back to where it was.
  EXPECT_TRUE(WaitFor([&] { return FocusOf(dialog.Handle()) == dialog.wishBrowse; }, 3000));
  PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

namespace {

// The colour on the screen at the middle of a window, or `up` pixels above it.
COLORREF CentreColour(HWND window, int up = 0) {
  RECT rect;
  GetWindowRect(window, &rect);
  HDC screen = GetDC(nullptr);
  COLORREF colour =
      GetPixel(screen, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 - up);
  ReleaseDC(nullptr, screen);
  return colour;
}

int ColourDistance(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// Types one letter into the file list, which selects the first file it begins;
// the pause keeps the list from reading it as part of a longer name.
void SelectByLetter(HWND list, char letter) {
  Pump(600);
  PostMessageA(list, WM_CHAR, static_cast<WPARAM>(letter), 1);
}

struct Pane {
  explicit Pane(HWND open)
      : caption(DescendantById(open, kPaneCaption)),
        button(DescendantById(open, kPanePreviewButton)),
        area(DescendantById(open, kPaneArea)) {}
  bool Shows(const std::string& captionText, const std::string& areaText) const {
    return WindowText(caption) == captionText && WindowText(area) == areaText;
  }
  HWND caption;
  HWND button;
  HWND area;
};

}  // namespace

TEST(SetupPicturePane, FollowsTheSelection) {
  TempDir dir;
  dir.Write("a.bmp", SolidBitmap(40, 30, 255, 0, 0));
  dir.Write("b.jpg", std::string(kBlueJpeg, sizeof kBlueJpeg - 1));
  dir.Write("c.png", "\x89PNG\r\n\x1a\n not really");
  dir.Write("d.jpg", "not a jpeg at all");
  dir.Write("e.jpg", std::string(kUndecodableJpeg, sizeof kUndecodableJpeg - 1));
  dir.Write("x.bmp", SolidBitmap(8, 8, 0, 255, 0));
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  PostMessageA(dialog.nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(saver);
  ASSERT_NE(open.fileName, nullptr);
  Pane pane(open.window);
  ASSERT_TRUE(pane.caption && pane.button && pane.area);

  // The pane opens empty, and lies to the right of the file list.
  EXPECT_TRUE(pane.Shows("画像:", "(なし)"));
  EXPECT_FALSE(IsWindowEnabled(pane.button));
  HWND list = DescendantByClass(open.window, "SysListView32");
  ASSERT_NE(list, nullptr);
  EXPECT_GT(ClientRectOf(pane.area, open.window).left, ClientRectOf(list, open.window).right);

  // Into the test's folder, if the dialog did not start there.
  open.Enter(dir.Path());
  ASSERT_TRUE(WaitFor([&] {
    list = DescendantByClass(open.window, "SysListView32");
    return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 5;  // all but c.png
  }));
  SelectByLetter(list, 'a');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (40x30)", ""); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);
  EXPECT_TRUE(IsWindowEnabled(pane.button));
  EXPECT_TRUE(WaitFor([&] { return CentreColour(pane.area) == RGB(255, 0, 0); }, 3000))
      << std::hex << CentreColour(pane.area);

  // The preview window: centred, resizable, a tool window; Escape closes it.
  PostMessageA(pane.button, BM_CLICK, 0, 0);
  HWND preview = saver.WaitTopWindow(kPreviewClass);
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(preview) != FALSE; }));
  EXPECT_EQ(WindowText(preview), "プレビュー");
  EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT frame, client;
  GetWindowRect(preview, &frame);
  GetClientRect(preview, &client);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_GT(client.right, 40);
  EXPECT_GT(client.bottom, 30);
  EXPECT_LE(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN) * 3 / 4);
  EXPECT_TRUE(WaitFor([&] { return CentreColour(preview) == RGB(255, 0, 0); }, 3000));
  PostKey(preview, VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(preview); }, 3000));

  SelectByLetter(list, 'b');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (48x32)", ""); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);
  EXPECT_TRUE(WaitFor(
      [&] {
        COLORREF colour = CentreColour(pane.area);
        return GetBValue(colour) > 200 && GetRValue(colour) < 60 && GetGValue(colour) < 60;
      },
      3000))
      << std::hex << CentreColour(pane.area);

  // A file of a listed kind that is no picture.
  SelectByLetter(list, 'd');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows("画像:", "(なし)"); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);
  EXPECT_FALSE(IsWindowEnabled(pane.button));

  // A picture that fails when it is drawn keeps its size and says so.
  SelectByLetter(list, 'e');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (16x16)", "画像が不正です"); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);

  // A file that went away after it was listed.
  ASSERT_TRUE(DeleteFileA((dir / "x.bmp").c_str()));
  SelectByLetter(list, 'a');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (40x30)", ""); }));
  SelectByLetter(list, 'x');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows("画像:", "(なし)"); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);

  // A kind that is not offered shows once every file is listed.
  open.Enter("*.*");
  Pump(500);
  list = DescendantByClass(open.window, "SysListView32");
  SelectByLetter(list, 'a');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (40x30)", ""); }));
  SelectByLetter(list, 'c');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows("画像:", "(なし)"); }))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);
  EXPECT_FALSE(IsWindowEnabled(pane.button));

  open.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  EXPECT_EQ(ControlText(dialog.nameField), dir / "なまえ.jpg");
  PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}

TEST(SetupPicturePane, ShowsALargePhotoSoonAfterItIsSelected) {
  TempDir dir;
  dir.Write("a.bmp", SolidBitmap(40, 30, 255, 0, 0));
  dir.Write("photo.jpg", LargePhoto());
  Saver saver(dir, "/c");
  SetupDialog dialog(saver);
  ASSERT_TRUE(dialog.Complete());
  PostMessageA(dialog.nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(saver);
  ASSERT_NE(open.fileName, nullptr);
  Pane pane(open.window);
  open.Enter(dir.Path());
  HWND list = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    list = DescendantByClass(open.window, "SysListView32");
    return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2;
  }));
  SelectByLetter(list, 'a');
  ASSERT_TRUE(WaitFor([&] { return pane.Shows(" (40x30)", ""); }));

  // Decoded at an eighth of its size, which still covers the pane; the
  // caption keeps the photo's own size.
  SelectByLetter(list, 'p');
  const DWORD selected = GetTickCount();
  EXPECT_TRUE(WaitFor(
      [&] {
        // The photo's top half lies above the middle, its bottom half below.
        return pane.Shows(" (8000x6000)", "") &&
               ColourDistance(CentreColour(pane.area, 20), kLargePhotoTop) <= 12 &&
               ColourDistance(CentreColour(pane.area, -20), kLargePhotoBottom) <= 12;
      },
      3000))
      << WindowText(pane.caption) << " / " << WindowText(pane.area);
  std::printf("the pane showed the 8000 x 6000 photo %lu ms after its selection\n",
              GetTickCount() - selected);

  // The preview window is larger than the pane: it decodes larger.
  PostMessageA(pane.button, BM_CLICK, 0, 0);
  HWND preview = saver.WaitTopWindow(kPreviewClass);
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(WaitFor(
      [&] {
        RECT client;
        GetClientRect(preview, &client);
        return client.right > 500 &&
               ColourDistance(CentreColour(preview, 40), kLargePhotoTop) <= 12 &&
               ColourDistance(CentreColour(preview, -40), kLargePhotoBottom) <= 12;
      },
      3000));
  PostKey(preview, VK_ESCAPE);
  open.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  PostMessageA(dialog.cancelButton, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeAfter(saver), 0u);
}
