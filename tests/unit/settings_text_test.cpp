// The settings file's bytes.
#include "settings/settings_text.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(PicturePath, BareNamesLieBesideTheExecutable) {
  LeadBytes lead = LeadBytes::Cp932();
  const std::string dir = "C:\\\x83\x5C\\";
  EXPECT_EQ(ResolvePicturePath("a.jpg", dir, lead), dir + "a.jpg");
  EXPECT_EQ(ResolvePicturePath("\x83\x5C.jpg", dir, lead), dir + "\x83\x5C.jpg");
  EXPECT_EQ(ResolvePicturePath("", dir, lead), dir);
  EXPECT_EQ(ResolvePicturePath("D:a.jpg", dir, lead), "D:a.jpg");
  EXPECT_EQ(ResolvePicturePath("sub\\a.jpg", dir, lead), "sub\\a.jpg");
  EXPECT_EQ(ResolvePicturePath("..\\a.jpg", dir, lead), "..\\a.jpg");
}

TEST(PicturePath, TheSystemFolderIsReachedThroughSysnative) {
  const LeadBytes lead = LeadBytes::Cp932();
  const struct {
    const char* folder;
    const char* system;
    const char* seen;
  } cases[] = {
      {"C:\\Windows\\System32\\", "C:\\Windows\\System32", "C:\\Windows\\Sysnative\\"},
      {"c:\\WINDOWS\\system32\\", "C:\\Windows\\System32", "C:\\Windows\\Sysnative\\"},
      {"C:\\Windows\\System32\\", "C:\\Windows\\System32\\", "C:\\Windows\\Sysnative\\"},
      {"D:\\\x83\x5C\\System32\\", "D:\\\x83\x5C\\System32", "D:\\\x83\x5C\\Sysnative\\"},
      // Below it, beside it or elsewhere: as it is.
      {"C:\\Windows\\System32\\sub\\", "C:\\Windows\\System32", "C:\\Windows\\System32\\sub\\"},
      {"C:\\Windows\\SysWOW64\\", "C:\\Windows\\System32", "C:\\Windows\\SysWOW64\\"},
      {"C:\\Windows\\", "C:\\Windows\\System32", "C:\\Windows\\"},
      {"C:\\Windows\\System32\\", "", "C:\\Windows\\System32\\"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NativeSystemFolder(c.folder, c.system, lead), c.seen) << c.folder << " " << c.system;
}

void ExpectLines(const std::string& content, const std::string& namePicture,
                 const std::string& wishPicture) {
  std::string gotName = "unset", gotWish = "unset";
  SplitSettings(content, gotName, gotWish);
  EXPECT_EQ(gotName, namePicture) << content;
  EXPECT_EQ(gotWish, wishPicture) << content;
}

TEST(SettingsLines, EndAtLfOrCrLf) {
  ExpectLines("a\r\nb\r\n", "a", "b");
  ExpectLines("a\nb\n", "a", "b");
  ExpectLines("a\nb", "a", "b");
  ExpectLines("a\r\nb\r\nc\r\nd", "a", "b");
  ExpectLines("only", "only", "");
  ExpectLines("", "", "");
  ExpectLines("\r\n\r\n", "", "");
  ExpectLines("\n\nthird", "", "");
}

TEST(SettingsLines, LoneCrIsDroppedAndTheLineGoesOn) {
  ExpectLines("a\rb\r\nc", "ab", "c");
  ExpectLines("a\r\r\nb", "a", "b");
  ExpectLines("a\r", "a", "");
  ExpectLines("\ra\n\rb\r", "a", "b");
}

TEST(SettingsLines, KeepOtherBytesAsTheyAre) {
  std::string longLine(700, 'x');
  ExpectLines(longLine + "\r\n" + longLine, longLine, longLine);
  ExpectLines(
      "\xEF\xBB\xBF"
      "a.jpg\r\nb",
      "\xEF\xBB\xBF"
      "a.jpg",
      "b");
  ExpectLines(std::string("a\x1A"
                          "b\r\n\x1A",
                          6),
              std::string("a\x1A"
                          "b",
                          3),
              "\x1A");
  ExpectLines(std::string("a\0b\nc", 5), std::string("a\0b", 3), "c");
}

TEST(SettingsLines, SplitterWorksOnPiecesOfAnySize) {
  const std::string content = "first\r\r\nsecond\r";
  for (std::size_t piece = 1; piece <= content.size(); ++piece) {
    LineSplitter splitter;
    std::string lines[2];
    std::size_t pos = 0;
    for (std::string& line : lines) {
      while (!splitter.LineComplete() && pos < content.size())
        pos += splitter.Feed(content.data() + pos, std::min(piece, content.size() - pos));
      line = splitter.TakeLine();
    }
    EXPECT_EQ(lines[0], "first") << piece;
    EXPECT_EQ(lines[1], "second") << piece;
  }
}

TEST(SettingsFormat, IsTwoLinesEachEndedByCrLf) {
  EXPECT_EQ(FormatSettings("a", "b"), "a\r\nb\r\n");
  EXPECT_EQ(FormatSettings("", ""), "\r\n\r\n");
  std::string namePicture, wishPicture;
  SplitSettings(FormatSettings("C:\\\x83\x5C.jpg", "x y"), namePicture, wishPicture);
  EXPECT_EQ(namePicture, "C:\\\x83\x5C.jpg");
  EXPECT_EQ(wishPicture, "x y");
}

}  // namespace
}  // namespace zarumo
