// OK on a full disk, on the small file systems tools/small-disks.sh mounts for
// the session: the old settings stand byte for byte or the new ones whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/configure_mode.h"
#include "support/saver_process.h"
#include "support/windows.h"
#include "system/handles.h"

using namespace wt;

namespace {

const char kSettings[] = "ザルモ.ini";
const char kOldSettings[] = "old-name.jpg\r\nold-wish.jpg\r\n";
const char kWishLine[] = "old-wish.jpg\r\n";

zarumo::OwnedFile CreateNew(const std::string& path) {
  return zarumo::OwnedFile(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0));
}

// Takes every free byte and every free entry of the disk but, with
// `oneFileMore`, the one the saver's new copy then takes.
void FillDisk(const TempDir& dir, bool oneFileMore) {
  zarumo::OwnedFile filler = CreateNew(dir / "filler");
  ASSERT_TRUE(filler.Valid());
  // Long names, so that a deleted one leaves room for the new copy's name.
  const std::string spare = dir / "spare-entry-with-a-long-name-";
  int files = 0;
  while (CreateNew(spare + std::to_string(files)).Valid()) ++files;
  ASSERT_GT(files, 0);
  // In ever smaller pieces: a file system may refuse a whole write of which a part would fit.
  const std::string chunk(65536, 'f');
  DWORD written = 0;
  for (DWORD piece : {65536u, 4096u, 512u, 1u}) {
    while (WriteFile(filler.Get(), chunk.data(), piece, &written, nullptr) && written > 0) {
    }
  }
  if (!oneFileMore) return;
  ASSERT_TRUE(DeleteFileA((spare + "0").c_str()));
  ASSERT_TRUE(CreateNew(dir / "ザルモ.new").Valid());
  DeleteFileA((dir / "ザルモ.new").c_str());
}

TEST(FullDisk, OkLeavesTheOldSettingsOrWritesTheNewOnesWhole) {
  // "BLOCKSIZE FOLDER" for each disk mounted.
  const char* mounted = std::getenv("ZARUMO_SMALL_DISKS");
  std::istringstream list(mounted ? mounted : "");
  std::vector<std::pair<DWORD, std::string>> disks;
  for (std::pair<DWORD, std::string> disk; list >> disk.first >> disk.second;)
    disks.push_back(disk);
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
  for (const auto& [blockSize, folder] : disks) {
    for (const Case& c : cases) {
      SCOPED_TRACE(folder + ": " + c.what);
      ConfigureMode run(folder);
      run.dir.Write(kSettings, kOldSettings);
      ASSERT_TRUE(run.Open());
      if (c.full) FillDisk(run.dir, c.oneFileMore);
      if (HasFatalFailure()) return;
      zarumo::OwnedFile holder(c.held ? CreateFileA((run.dir / kSettings).c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                    OPEN_EXISTING, 0, 0)
                                      : INVALID_HANDLE_VALUE);
      ASSERT_EQ(holder.Valid(), c.held);
      // The new text exactly fills the old file's block, or goes one byte past it.
      const std::string name(blockSize - (sizeof kWishLine - 1) - 2 + (c.fits ? 0 : 1), 'n');
      SetControlText(run.dialog->nameField, name);
      PostMessageA(run.dialog->okButton, BM_CLICK, 0, 0);
      const bool written = !c.full || c.fits;
      HWND box = run.saver->WaitMessageBox(written ? 1500 : 15000);
      EXPECT_EQ(box ? MessageBoxText(box) : "", written ? "" : "I/O エラー (112)");
      if (box) DismissMessageBox(box);
      EXPECT_EQ(ExitCodeAfter(*run.saver), 0u);
      holder.Reset();
      const std::string content = run.dir.Read(kSettings);
      const std::string expected = written ? name + "\r\n" + kWishLine : kOldSettings;
      EXPECT_TRUE(content == expected) << content.size() << " bytes, not " << expected.size();
      EXPECT_FALSE(run.dir.Has("ザルモ.new"));
      EXPECT_FALSE(run.dir.Has("ザルモ.old"));
    }
  }
}

}  // namespace
