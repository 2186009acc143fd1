// The setup dialog on a system whose code page for programs without Unicode
// is 1252: the saver's own texts read back as Japanese through the wide
// functions, its labels are measured in their Japanese font, and OK stores a
// default picture by a name the code page can hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/configure_mode.h"
#include "support/picture_files.h"
#include "support/saver_process.h"
#include "support/windows.h"

using namespace wt;

TEST(OtherCodePage, SetupDialogReadsInJapaneseAndStoresWhatOpens) {
  ASSERT_EQ(GetACP(), 1252u);
  ConfigureMode run;
  run.dir.WriteWide(Japanese("なまえ.jpg"),
                    MakeJpeg(40, 30, [](int, int) { return RGB(0, 0, 255); }));
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(WideWindowText(run.dialog->Handle()), Japanese("ザルモセーバー設定"));
  EXPECT_EQ(WideWindowText(run.dialog->nameField), run.dir.WidePath() + Japanese("なまえ.jpg"));
  EXPECT_EQ(WideWindowText(run.dialog->wishField), run.dir.WidePath() + Japanese("ねがい.jpg"));

  // Each label is as wide as its text in the labels' own font.
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, Japanese("ＭＳ Ｐゴシック").c_str());
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  std::vector<std::wstring> labels;
  for (HWND label : run.dialog->labels) {
    const std::wstring text = WideWindowText(label);
    SIZE size{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
    const RECT bounds = ClientRectOf(label, run.dialog->Handle());
    EXPECT_EQ(bounds.right - bounds.left, size.cx);
    labels.push_back(text);
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  std::sort(labels.begin(), labels.end());
  std::vector<std::wstring> expected{Japanese("名前･願事の画像の設定を行います"), Japanese("名前"),
                                     Japanese("願事")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(labels, expected);

  // The name picture goes into the file by a name the ANSI functions open.
  EXPECT_EQ(ClickAndWaitExit(*run.saver, run.dialog->okButton), 0u);
  const std::string settings = run.dir.ReadWide(Japanese("ザルモ.ini"));
  const std::string name = settings.substr(0, settings.find("\r\n"));
  EXPECT_EQ(name.find('?'), std::string::npos) << name;
  EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES) << name;
}
