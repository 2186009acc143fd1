// OK in the setup dialog on a full disk, on small file systems mounted for the
// session by tools/small-disks.sh: the old settings stand byte for byte or the
// new ones stand whole, never a cut file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/saver_process.h"
#include "support/windows.h"

using namespace wt;

namespace {

const char kSettings[] = "ザルモ.ini";
const char kOldSettings[] = "old-name.jpg\r\nold-wish.jpg\r\n";
const char kWishLine[] = "old-wish.jpg\r\n";

struct SmallDisk {
  DWORD blockSize;     // what a file of a few bytes already holds
  std::string folder;  // with its trailing backslash
};

// The disks tools/small-disks.sh mounted, as "BLOCKSIZE=FOLDER;...".
std::vector<SmallDisk> SmallDisks() {
  char value[2048] = {};
  const DWORD length = GetEnvironmentVariableA("ZARUMO_SMALL_DISKS", value, sizeof value);
  const std::string all(value, length < sizeof value ? length : 0);
  std::vector<SmallDisk> disks;
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = all.find(';', start);
    if (end == std::string::npos) end = all.size();
    const std::string entry = all.substr(start, end - start);
    const std::size_t equals = entry.find('=');
    if (equals != std::string::npos)
      disks.push_back({std::strtoul(entry.c_str(), nullptr, 10), entry.substr(equals + 1)});
    start = end + 1;
  }
  return disks;
}

std::string SpareName(int index) {
  // Long, so that the entry a deleted one leaves takes the new file's name too.
  char name[64];
  std::snprintf(name, sizeof name, "spare-entry-with-a-long-name-%04d", index);
  return name;
}

// Takes every free byte of the disk and every free inode but, with
// `oneFileMore`, the one a new file then gets.
void FillDisk(const TempDir& dir, bool oneFileMore) {
  HANDLE filler = CreateFileA((dir / "filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(filler, INVALID_HANDLE_VALUE);
  int files = 0;
  for (;; ++files) {
    HANDLE empty = CreateFileA((dir / SpareName(files)).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (empty == INVALID_HANDLE_VALUE) break;
    CloseHandle(empty);
  }
  // In ever smaller pieces: a file system may refuse a whole write that only
  // part of would fit.
  const std::string chunk(65536, 'f');
  for (DWORD piece : {65536u, 4096u, 512u, 1u}) {
    DWORD written = 0;
    while (WriteFile(filler, chunk.data(), piece, &written, nullptr) && written > 0) {
    }
  }
  CloseHandle(filler);
  ASSERT_GT(files, 0) << "the disk took no new file before it was filled";
  if (!oneFileMore) return;
  ASSERT_TRUE(DeleteFileA((dir / SpareName(0)).c_str()));
  // The saver's new copy can be made now.
  const std::string fresh = dir / "ザルモ.new";
  HANDLE probe = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(probe, INVALID_HANDLE_VALUE);
  CloseHandle(probe);
  DeleteFileA(fresh.c_str());
}

// Enough of a settings file's content to tell what happened to it.
std::string Describe(const std::string& content) {
  std::size_t lineEnds = 0;
  for (std::size_t at = content.find("\r\n"); at != std::string::npos;
       at = content.find("\r\n", at + 2))
    ++lineEnds;
  std::string begins;
  for (char c : content.substr(0, 14))
    begins += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return std::to_string(content.size()) + " bytes, " + std::to_string(lineEnds) +
         " CR LF, begins \"" + begins + "\"";
}

TEST(FullDisk, OkLeavesTheOldSettingsOrWritesTheNewOnesWhole) {
  const std::vector<SmallDisk> disks = SmallDisks();
  if (disks.empty())
    GTEST_SKIP() << "no small disk is mounted: these tests run from tools/small-disks.sh, "
                    "which needs root and loop devices to mount them";
  struct Case {
    const char* what;
    bool full;
    bool oneFileMore;  // the new copy can be made, but not written
    bool held;         // another program reads the file, without delete sharing
    bool fits;         // the new text fits the block the old file holds
  } cases[] = {
      {"room on the disk", false, false, false, false},
      {"full, no new file", true, false, false, false},
      {"full, no new file, held elsewhere", true, false, true, false},
      {"full, no new file, new text fits", true, false, false, true},
      {"full, a new file can be made", true, true, false, false},
      {"full, a new file can be made, new text fits", true, true, false, true},
  };
  for (const SmallDisk& disk : disks) {
    ASSERT_GE(disk.blockSize, 512u) << disk.folder;
    for (const Case& c : cases) {
      SCOPED_TRACE(disk.folder + ": " + c.what);
      TempDir dir(disk.folder);
      dir.Write(kSettings, kOldSettings);
      Saver saver(dir, "/c");
      SetupDialog dialog(saver);
      ASSERT_TRUE(dialog.Complete());
      if (c.full) FillDisk(dir, c.oneFileMore);
      if (HasFatalFailure()) return;
      HANDLE holder = INVALID_HANDLE_VALUE;
      if (c.held) {
        holder =
            CreateFileA((dir / kSettings).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
      }
      // The new text exactly fills the old file's block, or goes one byte past it.
      const std::string name(disk.blockSize - (sizeof kWishLine - 1) - 2 + (c.fits ? 0 : 1), 'n');
      SetControlText(dialog.nameField, name);
      PostMessageA(dialog.okButton, BM_CLICK, 0, 0);
      const bool written = !c.full || c.fits;
      HWND box = saver.WaitMessageBox(written ? 1500 : 15000);
      if (written) {
        EXPECT_EQ(box, nullptr) << MessageBoxText(box);
      } else {
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "I/O エラー (112)");
      }
      if (box) DismissMessageBox(box);
      EXPECT_EQ(ExitCodeAfter(saver), 0u);
      if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
      const std::string content = dir.Read(kSettings);
      const std::string expected = written ? name + "\r\n" + kWishLine : kOldSettings;
      EXPECT_TRUE(content == expected)
          << Describe(content) << " where " << Describe(expected) << " was expected";
      EXPECT_FALSE(dir.Has("ザルモ.new"));
      EXPECT_FALSE(dir.Has("ザルモ.old"));
    }
  }
}

}  // namespace
