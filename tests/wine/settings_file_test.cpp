// The settings file on real files: the driver's own folder stands for the
// executable's folder, since both come from the running module's path.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/settings_file.h"
#include "support/saver_process.h"
#include "system/failure.h"
#include "system/system_function.h"

using namespace wt;
using zarumo::IoFailure;

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() { Remove(); }
  ~SettingsFile() override { Remove(); }
  static std::string Path() { return DriverDir() + "ザルモ.ini"; }
  static void Remove() {
    for (const std::string& path :
         {Path(), DriverDir() + "ザルモ.new", DriverDir() + "ザルモ.old"}) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
      RemoveDirectoryA(path.c_str());
    }
  }
  static void SetLastWrite(WORD year) {
    HANDLE file =
        CreateFileA(Path().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME when{};
    when.wYear = year;
    when.wMonth = 6;
    when.wDay = 1;
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
  }
  // Reads both lines; `present` false for an absent file.
  static std::pair<std::string, std::string> Read(bool* present) {
    zarumo::SettingsReader reader;
    *present = reader.Open();
    std::pair<std::string, std::string> lines;
    if (*present) {
      lines.first = reader.ReadLine();
      lines.second = reader.ReadLine();
      reader.Close();
    }
    return lines;
  }
  // A write leaves no file of its own beside the settings file.
  static void ExpectNothingBeside() {
    for (const char* name : {"ザルモ.new", "ザルモ.old"})
      EXPECT_EQ(GetFileAttributesA((DriverDir() + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
  static int WriteFailureCode(const std::string& namePicture, const std::string& wishPicture) {
    try {
      zarumo::WriteSettings(namePicture, wishPicture);
    } catch (const IoFailure& failure) {
      return failure.Code();
    }
    return 0;
  }
};

TEST_F(SettingsFile, ExeDirIsTheDriversFolder) {
  EXPECT_EQ(zarumo::ExeDir(), DriverDir());
  EXPECT_EQ(zarumo::SettingsPath().Ansi(), Path());
}

TEST_F(SettingsFile, AbsentEmptyAndOrdinaryFiles) {
  bool present = true;
  Read(&present);
  EXPECT_FALSE(present);

  WriteFileBytes(Path(), "");
  auto lines = Read(&present);
  EXPECT_TRUE(present);
  EXPECT_EQ(lines, std::make_pair(std::string(), std::string()));

  WriteFileBytes(Path(), "C:\\name.bmp\nwish.jpg\r\nthird\r\n");
  lines = Read(&present);
  EXPECT_EQ(lines, std::make_pair(std::string("C:\\name.bmp"), std::string("wish.jpg")));
}

TEST_F(SettingsFile, WriteGivesTwoCrLfLinesAndReplacesTheOld) {
  WriteFileBytes(Path(), "one\r\ntwo\r\nthree\r\n");
  ASSERT_EQ(WriteFailureCode("a", ""), 0);
  EXPECT_EQ(ReadFileBytes(Path()), "a\r\n\r\n");
  std::string longLine(600, 'x');
  ASSERT_EQ(WriteFailureCode(longLine, "\x83\x5C.jpg"), 0);
  EXPECT_EQ(ReadFileBytes(Path()), longLine + "\r\n\x83\x5C.jpg\r\n");
  ExpectNothingBeside();
}

TEST_F(SettingsFile, WithoutAReplacingMoveTheOldFileStepsAside) {
  // As on the 9x family, where MoveFileExA is not implemented.
  zarumo::HiddenSystemFunction noMoveFileEx("MoveFileExA");
  ASSERT_EQ(WriteFailureCode("first", "file"), 0);
  EXPECT_EQ(ReadFileBytes(Path()), "first\r\nfile\r\n");
  // Leftovers of a write that was killed half-way are taken over, not multiplied.
  WriteFileBytes(DriverDir() + "ザルモ.new", "killed\r\n");
  WriteFileBytes(DriverDir() + "ザルモ.old", "older\r\n");
  ASSERT_EQ(WriteFailureCode("second", "write"), 0);
  EXPECT_EQ(ReadFileBytes(Path()), "second\r\nwrite\r\n");
  ExpectNothingBeside();
  // A refusal still keeps the old content and leaves nothing behind.
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteFailureCode("third", "try"), 5);
  EXPECT_EQ(ReadFileBytes(Path()), "second\r\nwrite\r\n");
  ExpectNothingBeside();
}

TEST_F(SettingsFile, FolderThatTakesNoNewFileStillLetsTheFileBeRewritten) {
  // Nothing can be created under the name of the new file.
  const std::string blocker = DriverDir() + "ザルモ.new";
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  WriteFileBytes(Path(), "old1\r\nold2\r\n");
  EXPECT_EQ(WriteFailureCode("new1", "new2"), 0);
  EXPECT_EQ(ReadFileBytes(Path()), "new1\r\nnew2\r\n");
  // Written in place, the file keeps its refusals and their codes.
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteFailureCode("a", "b"), 5);
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE reader = CreateFileA(Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(WriteFailureCode("a", "b"), 32);
  CloseHandle(reader);
  EXPECT_EQ(ReadFileBytes(Path()), "new1\r\nnew2\r\n");
  RemoveDirectoryA(blocker.c_str());
}

TEST_F(SettingsFile, FolderOfThatNameIsAbsentAndCannotBeWritten) {
  ASSERT_TRUE(CreateDirectoryA(Path().c_str(), nullptr));
  bool present = true;
  Read(&present);
  EXPECT_FALSE(present);
  EXPECT_EQ(WriteFailureCode("a", "b"), 5);
  EXPECT_TRUE(GetFileAttributesA(Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SettingsFile, ReadOnlyHiddenOrSystemFileReadsButRefusesWritesKeepingItsContent) {
  for (DWORD attribute : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    Remove();
    WriteFileBytes(Path(), "old1\r\nold2\r\n");
    SetFileAttributesA(Path().c_str(), attribute);
    bool present = false;
    auto lines = Read(&present);
    EXPECT_TRUE(present) << attribute;
    EXPECT_EQ(lines.first, "old1");
    EXPECT_EQ(WriteFailureCode("new1", "new2"), 5) << attribute;
    EXPECT_EQ(ReadFileBytes(Path()), "old1\r\nold2\r\n") << attribute;
  }
}

TEST_F(SettingsFile, LastWriteBefore1980CountsAsAbsentUntilRewritten) {
  WriteFileBytes(Path(), "a\r\nb\r\n");
  SetLastWrite(1975);
  bool present = true;
  Read(&present);
  EXPECT_FALSE(present);
  EXPECT_FALSE(zarumo::FileExists(Path()));
  ASSERT_EQ(WriteFailureCode("c", "d"), 0);
  auto lines = Read(&present);
  EXPECT_TRUE(present);
  EXPECT_EQ(lines.first, "c");
}

TEST_F(SettingsFile, ExistenceTestTakesPatternsAndRefusesFolders) {
  WriteFileBytes(Path(), "x");
  EXPECT_TRUE(zarumo::FileExists(DriverDir() + "ザルモ.i?i"));
  EXPECT_TRUE(zarumo::FileExists(DriverDir() + "ザルモ*"));
  EXPECT_FALSE(zarumo::FileExists(DriverDir()));
  EXPECT_FALSE(zarumo::FileExists(DriverDir() + "no such file"));
  EXPECT_FALSE(zarumo::FileExists(std::string()));
}

TEST_F(SettingsFile, HeldOpenElsewhereFailsWith32BothWays) {
  WriteFileBytes(Path(), "old1\r\nold2\r\n");
  {
    // A reader holding the file keeps writers out...
    HANDLE reader = CreateFileA(Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteFailureCode("new1", "new2"), 32);
    CloseHandle(reader);
    EXPECT_EQ(ReadFileBytes(Path()), "old1\r\nold2\r\n");
  }
  {
    // ...and a writer keeps readers out.
    HANDLE writer = CreateFileA(Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    try {
      bool present;
      Read(&present);
      ADD_FAILURE() << "the read went through";
    } catch (const IoFailure& failure) {
      EXPECT_EQ(failure.Code(), 32);
      EXPECT_STREQ(failure.what(), "I/O エラー (32)");
    }
    CloseHandle(writer);
  }
}

// The saver reading a settings file that another process holds open for writing.
void ExpectSharingFailureBox(const TempDir& dir, const std::string& exeName) {
  dir.Write("ザルモ.ini", "a\r\nb\r\n");
  HANDLE writer = CreateFileA((dir / "ザルモ.ini").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  SaverOptions options;
  options.exeName = exeName;
  Saver saver(dir, "/s", options);
  HWND box = saver.WaitMessageBox();
  ASSERT_NE(box, nullptr) << exeName;
  // No period after the closing parenthesis.
  EXPECT_EQ(MessageBoxText(box), "I/O エラー (32)");
  DismissMessageBox(box);
  CloseHandle(writer);
  // The scene stopped there, but the window still opens and closes on input.
  HWND window = saver.WaitTopWindow(kSaverClass);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  DWORD code = 99;
  EXPECT_TRUE(saver.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST(SettingsInSaver, FileHeldOpenByAnotherProcessIsReported) {
  TempDir dir;
  ExpectSharingFailureBox(dir, "zarumo.scr");
}

TEST(SettingsInSaver, ExecutableNameWithATrailBackslashStillFindsItsFolder) {
  // ソ and 表 end in the byte of a backslash.
  TempDir dir;
  ExpectSharingFailureBox(dir, "ザルモ\x83\x5C\x95\x5C.scr");
}

}  // namespace
