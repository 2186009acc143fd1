// The open-picture dialog the setup dialog's browse buttons open, with its
// picture pane and preview window, driven from outside the saver's process.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/png_gif_writer.h"
#include "support/configure_mode.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/windows.h"
#include "system/handles.h"

using namespace wt;

namespace {

const char kPreviewClass[] = "ZarumoPreviewWindow";
const char kSettings[] = "ザルモ.ini";
const int kPaneCaption = 0x5A01;
const int kPanePreviewButton = 0x5A02;
const int kPaneArea = 0x5A03;

// A 24-bit BMP of one colour.
std::string SolidBitmap(int width, int height, BYTE red, BYTE green, BYTE blue) {
  return MakeBmp(width, height, [=](int, int) { return RGB(red, green, blue); });
}

}  // namespace

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
  // Goes into `folder` and gives its file list once it lists `count` files;
  // null if it never does.
  HWND EnterFolder(const std::string& folder, LRESULT count) const {
    Enter(folder);
    HWND list = nullptr;
    const bool listed = WaitFor([&] {
      list = DescendantByClass(window, "SysListView32");
      return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == count;
    });
    return listed ? list : nullptr;
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
  ConfigureMode run;
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(*run.saver);
  ASSERT_NE(open.window, nullptr);
  ASSERT_NE(open.fileName, nullptr);
  EXPECT_EQ(GetWindow(open.window, GW_OWNER), run.dialog->Handle());
  EXPECT_EQ(ControlText(open.fileName), "");
  // A typed name is taken even though no such file exists.
  open.Enter(run.dir / "chosen.jpg");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  EXPECT_EQ(ControlText(run.dialog->nameField), run.dir / "chosen.jpg");
  EXPECT_EQ(ControlText(run.dialog->wishField), run.dir / "ねがい.jpg");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
  EXPECT_FALSE(run.dir.Has(kSettings));
}

TEST(SetupBrowse, TheOtherButtonOffersTheFileLastConfirmed) {
  ConfigureMode run;
  run.dir.Write("first.bmp", SolidBitmap(4, 4, 255, 0, 0));
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog first(*run.saver);
  ASSERT_NE(first.fileName, nullptr);
  first.Enter(run.dir / "first.bmp");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(first.window); }));
  EXPECT_EQ(ControlText(run.dialog->nameField), run.dir / "first.bmp");

  PostMessageA(run.dialog->wishBrowse, BM_CLICK, 0, 0);
  OpenDialog second(*run.saver);
  ASSERT_NE(second.fileName, nullptr);
  std::string offered = ControlText(second.fileName);
  // The system may show the name alone, in the file's folder.
  EXPECT_TRUE(offered == "first.bmp" || offered == run.dir / "first.bmp") << offered;
  second.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(second.window); }));
  EXPECT_EQ(ControlText(run.dialog->wishField), run.dir / "ねがい.jpg");
  // Focus comes back to where it was.
  EXPECT_TRUE(
      WaitFor([&] { return FocusOf(run.dialog->Handle()) == run.dialog->wishBrowse; }, 3000));
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
}

namespace {

// The colour on the screen at the middle of a window, or `up` pixels above it.
COLORREF CentreColour(HWND window, int up = 0) {
  RECT rect;
  GetWindowRect(window, &rect);
  zarumo::WindowDc screen(nullptr);
  return GetPixel(screen.Get(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 - up);
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
  // Selects the first file of the list that begins with `letter` and waits
  // for the pane to show that caption and area text.
  ::testing::AssertionResult SelectShows(HWND list, char letter, const std::string& captionText,
                                         const std::string& areaText) const {
    SelectByLetter(list, letter);
    if (WaitFor([&] { return Shows(captionText, areaText); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << WindowText(caption) << " / " << WindowText(area);
  }
  HWND caption;
  HWND button;
  HWND area;
};

}  // namespace

TEST(SetupPicturePane, FollowsTheSelection) {
  ConfigureMode run;
  run.dir.Write("a.bmp", SolidBitmap(40, 30, 255, 0, 0));
  run.dir.Write("b.jpg", MakeJpeg(48, 32, [](int, int) { return RGB(0, 0, 255); }));
  run.dir.Write("c.png", "\x89PNG\r\n\x1a\n not really");
  run.dir.Write("d.jpg", "not a jpeg at all");
  run.dir.Write("e.jpg", MakeUndecodableJpeg(16, 16, RGB(0, 200, 0)));
  run.dir.Write("x.bmp", SolidBitmap(8, 8, 0, 255, 0));
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(*run.saver);
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
  list = open.EnterFolder(run.dir.Path(), 5);  // all but c.png
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(pane.SelectShows(list, 'a', " (40x30)", ""));
  EXPECT_TRUE(IsWindowEnabled(pane.button));
  EXPECT_TRUE(WaitFor([&] { return CentreColour(pane.area) == RGB(255, 0, 0); }, 3000))
      << std::hex << CentreColour(pane.area);

  // The preview window: centred, resizable, a tool window; Escape closes it.
  PostMessageA(pane.button, BM_CLICK, 0, 0);
  HWND preview = run.saver->WaitTopWindow(kPreviewClass);
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

  ASSERT_TRUE(pane.SelectShows(list, 'b', " (48x32)", ""));
  EXPECT_TRUE(WaitFor(
      [&] {
        COLORREF colour = CentreColour(pane.area);
        return GetBValue(colour) > 200 && GetRValue(colour) < 60 && GetGValue(colour) < 60;
      },
      3000))
      << std::hex << CentreColour(pane.area);

  // A file of a listed kind that is no picture.
  ASSERT_TRUE(pane.SelectShows(list, 'd', "画像:", "(なし)"));
  EXPECT_FALSE(IsWindowEnabled(pane.button));

  // A picture that fails when it is drawn keeps its size and says so.
  ASSERT_TRUE(pane.SelectShows(list, 'e', " (16x16)", "画像が不正です"));

  // A file that went away after it was listed.
  ASSERT_TRUE(DeleteFileA((run.dir / "x.bmp").c_str()));
  ASSERT_TRUE(pane.SelectShows(list, 'a', " (40x30)", ""));
  ASSERT_TRUE(pane.SelectShows(list, 'x', "画像:", "(なし)"));

  // A kind that is not offered shows once every file is listed.
  open.Enter("*.*");
  Pump(500);
  list = DescendantByClass(open.window, "SysListView32");
  ASSERT_TRUE(pane.SelectShows(list, 'a', " (40x30)", ""));
  ASSERT_TRUE(pane.SelectShows(list, 'c', "画像:", "(なし)"));
  EXPECT_FALSE(IsWindowEnabled(pane.button));

  open.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  EXPECT_EQ(ControlText(run.dialog->nameField), run.dir / "なまえ.jpg");
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
}

TEST(SetupPicturePane, TheSecondFileTypeListsEveryKindAndThePanePreviewsThem) {
  ConfigureMode run;
  run.dir.Write("a.bmp", SolidBitmap(40, 30, 255, 0, 0));
  const test_common::Bytes gif = test_common::GifFile(
      20, 10, {0, 0, 255, 0, 0, 0}, {{0, 0, 20, 10, {}, -1, test_common::Bytes(200, 0)}});
  run.dir.Write("g.gif", std::string(gif.begin(), gif.end()));
  // Transparent above, opaque red below: the pane's own colour shows above.
  run.dir.Write("p.png", MakePng(
                             40, 30, [](int, int) { return RGB(255, 0, 0); },
                             [](int, int y) { return y < 15 ? 0 : 255; }));
  run.dir.Write("t.txt", "not a picture");
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(*run.saver);
  ASSERT_NE(open.fileName, nullptr);
  Pane pane(open.window);
  ASSERT_NE(open.EnterFolder(run.dir.Path(), 1), nullptr);  // the first type: a.bmp alone

  HWND types = GetDlgItem(open.window, 0x470);
  ASSERT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
  // The list is a Unicode window: its text is compared in the code page.
  wchar_t wide[128] = {};
  SendMessageW(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(wide));
  char text[256] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  EXPECT_STREQ(text, "すべての画像 (*.bmp,*.jpg,*.jpeg,*.png,*.gif,*.ico,*.wmf,*.emf)");
  // Chosen as a user does: the selection changes, and the list closes on it.
  SendMessageA(types, CB_SETCURSEL, 1, 0);
  for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
    PostMessageA(open.window, WM_COMMAND, MAKEWPARAM(0x470, notification),
                 reinterpret_cast<LPARAM>(types));
  }
  HWND list = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    list = DescendantByClass(open.window, "SysListView32");
    return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 3;
  }));

  ASSERT_TRUE(pane.SelectShows(list, 'p', " (40x30)", ""));
  EXPECT_TRUE(WaitFor([&] { return CentreColour(pane.area, -20) == RGB(255, 0, 0); }, 3000));
  EXPECT_LE(ColourDistance(CentreColour(pane.area, 20), GetSysColor(COLOR_BTNFACE)), 2);
  ASSERT_TRUE(pane.SelectShows(list, 'g', " (20x10)", ""));
  EXPECT_TRUE(WaitFor([&] { return CentreColour(pane.area) == RGB(0, 0, 255); }, 3000));

  open.Cancel();
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
}

TEST(SetupPicturePane, ShowsALargePhotoSoonAfterItIsSelected) {
  ConfigureMode run;
  run.dir.Write("a.bmp", SolidBitmap(40, 30, 255, 0, 0));
  run.dir.Write("photo.jpg", LargePhoto());
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(*run.saver);
  ASSERT_NE(open.fileName, nullptr);
  Pane pane(open.window);
  HWND list = open.EnterFolder(run.dir.Path(), 2);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(pane.SelectShows(list, 'a', " (40x30)", ""));

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
  HWND preview = run.saver->WaitTopWindow(kPreviewClass);
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
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->cancelButton), 0u);
}

// On a system whose code page is 1252, a chosen file whose name it cannot
// hold is taken by its short name, which opens it.
TEST(OtherCodePageBrowse, NameOutsideTheCodePageIsTakenByItsShortForm) {
  ASSERT_EQ(GetACP(), 1252u);
  ConfigureMode run;
  run.dir.WriteWide(Japanese("写真.bmp"), SolidBitmap(4, 4, 0, 0, 255));
  ASSERT_TRUE(run.Open());
  PostMessageA(run.dialog->nameBrowse, BM_CLICK, 0, 0);
  OpenDialog open(*run.saver);
  ASSERT_NE(open.fileName, nullptr);
  SetWideControlText(open.fileName, run.dir.WidePath() + Japanese("写真.bmp"));
  PostMessageA(open.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(open.window, IDOK)));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open.window); }));
  const std::string field = ControlText(run.dialog->nameField);
  EXPECT_EQ(field.find('?'), std::string::npos) << field;
  wchar_t longForm[MAX_PATH] = {};
  const std::wstring shortForm(field.begin(), field.end());
  GetLongPathNameW(shortForm.c_str(), longForm, MAX_PATH);
  EXPECT_EQ(longForm, run.dir.WidePath() + Japanese("写真.bmp"));
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  EXPECT_EQ(run.dir.ReadWide(Japanese("ザルモ.ini")).substr(0, field.size() + 2), field + "\r\n");
}
