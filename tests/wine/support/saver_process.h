// Starts the real saver in a folder of its own and watches it from outside.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wt {

extern const char kSaverClass[];

// The driver's own folder, with a trailing backslash; the saver and the doubles lie there.
std::string DriverDir();

// A fresh folder under `parent` (with a trailing backslash; the system's
// temporary folder when empty), removed with everything in it.
class TempDir {
 public:
  explicit TempDir(const std::string& parent = std::string());
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& Path() const { return path_; }  // with a trailing backslash
  std::string operator/(const std::string& name) const { return path_ + name; }
  // Each gives the file's full path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  // The file's bytes; `exists` false when it cannot be read.
  std::string Read(const std::string& name, bool* exists = nullptr) const;
  bool Has(const std::string& name) const;
  // The folder in UTF-16, and a file in it whose name the ANSI code page may lack.
  std::wstring WidePath() const;
  void WriteWide(const std::wstring& name, const std::string& bytes) const;
  std::string ReadWide(const std::wstring& name) const;

 private:
  std::string path_;
};

// While one exists, this thread's file names under the system folder name the
// 64-bit system's own files, as a 64-bit program sees them.
class NativeFileNames {
 public:
  explicit NativeFileNames(bool native = true);
  NativeFileNames(const NativeFileNames&) = delete;
  NativeFileNames& operator=(const NativeFileNames&) = delete;
  ~NativeFileNames();

 private:
  void* state_ = nullptr;
  bool active_ = false;
};

// Reads or writes a whole file.
std::string ReadFileBytes(const std::string& path, bool* exists = nullptr);
void WriteFileBytes(const std::string& path, const std::string& bytes);

struct SaverOptions {
  std::string exeName = "zarumo.scr";
  std::vector<std::pair<std::string, std::string>> environment;
  // Put and started there instead of the temporary folder, past the
  // redirection a 32-bit process meets in the system folder of 64-bit Windows.
  std::string nativeFolder;
};

class Saver {
 public:
  // Copies the saver into `dir` and starts it with `arguments`.
  Saver(const TempDir& dir, const std::string& arguments, const SaverOptions& options = {});
  Saver(const Saver&) = delete;
  Saver& operator=(const Saver&) = delete;
  ~Saver();

  DWORD Pid() const { return process_.dwProcessId; }
  std::string ExePath() const { return exePath_; }
  // The first top-level window of the process with this class, or null on timeout.
  HWND WaitTopWindow(const char* className, DWORD timeoutMs = 15000) const;
  // A visible message box of the process.
  HWND WaitMessageBox(DWORD timeoutMs = 15000) const;
  // True once the process has ended; `code` receives its exit code.
  bool WaitExit(DWORD timeoutMs, DWORD* code = nullptr) const;
  bool Running() const;
  // The most memory the process has held in its working set so far, in bytes; 0 if unknown.
  std::size_t PeakWorkingSet() const;
  // Lets the saver's message loop settle: waits until it is idle.
  void Idle(DWORD timeoutMs = 5000) const;

 private:
  HWND WaitWindow(const char* className, bool visibleOnly, DWORD timeoutMs) const;
  std::string exePath_;
  PROCESS_INFORMATION process_{};
};

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The text of a message box.
std::string MessageBoxText(HWND box);
// Presses the box's only button.
void DismissMessageBox(HWND box);
DWORD WindowProcessId(HWND window);

// Runs the message loop of the driver's own thread for a while.
void Pump(DWORD milliseconds);

// Pumps until `condition` holds; false when it did not within the time.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 8000);

// The saver's exit code; a test failure when it does not end in time.
DWORD ExitCodeAfter(const Saver& saver, DWORD timeoutMs = 10000);

// True while the process keeps running for `ms`.
inline bool StaysUp(const Saver& saver, DWORD ms = 700) { return !saver.WaitExit(ms); }

}  // namespace wt
