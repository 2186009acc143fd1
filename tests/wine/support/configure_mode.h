// Configure mode as the setup-dialog tests start it: a folder of its own with
// whatever the test writes there first, then the saver with /c and its dialog.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/saver_process.h"
#include "support/windows.h"

namespace wt {

struct ConfigureMode {
  // In a fresh folder under `parent`, or under the system's temporary folder.
  explicit ConfigureMode(const std::string& parent = std::string()) : dir(parent) {}
  // Starts the saver; for tests that meet a box before the dialog.
  void Start() { saver.emplace(dir, "/c"); }
  // Starts the saver unless it runs, and finds its dialog with every component.
  ::testing::AssertionResult Open() {
    if (!saver) Start();
    dialog.emplace(*saver);
    if (dialog->Complete()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no whole setup dialog";
  }

  TempDir dir;
  std::optional<Saver> saver;
  std::optional<SetupDialog> dialog;
};

}  // namespace wt
