// Starts the real saver in a folder of its own and watches it from outside.
#include "support/saver_process.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <stdexcept>

namespace wt {

const char kSaverClass[] = "TScreenSaverForm";

namespace {

struct FindData {
  DWORD pid;
  const char* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  if (WindowProcessId(window) != data->pid) return TRUE;
  if (data->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (ClassName(window) != data->className) return TRUE;
  data->found = window;
  return FALSE;
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = dir + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(dir.c_str());
}

}  // namespace

std::string DriverDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string text = path;
  return text.substr(0, text.rfind('\\') + 1);
}

TempDir::TempDir(const std::string& parent) {
  static int counter = 0;
  char base[MAX_PATH] = {};
  if (parent.empty()) GetTempPathA(sizeof base, base);
  for (;;) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%szarumo-%lu-%d\\", parent.empty() ? base : parent.c_str(),
                  GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp dir");
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  WriteFileBytes(path_ + name, bytes);
  return path_ + name;
}

std::string TempDir::WriteBytes(const std::string& name,
                                const std::vector<std::uint8_t>& bytes) const {
  return Write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempDir::Read(const std::string& name, bool* exists) const {
  return ReadFileBytes(path_ + name, exists);
}

bool TempDir::Has(const std::string& name) const {
  return GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring TempDir::WidePath() const {
  std::wstring wide(path_.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path_.data(), static_cast<int>(path_.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

void TempDir::WriteWide(const std::wstring& name, const std::string& bytes) const {
  HANDLE file = CreateFileW((WidePath() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a file");
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string TempDir::ReadWide(const std::wstring& name) const {
  HANDLE file = CreateFileW((WidePath() + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

NativeFileNames::NativeFileNames(bool native) {
  if (native && !Wow64DisableWow64FsRedirection(&state_)) throw std::runtime_error("no WOW64");
  active_ = native;
}

NativeFileNames::~NativeFileNames() {
  if (active_) Wow64RevertWow64FsRedirection(state_);
}

std::string ReadFileBytes(const std::string& path, bool* exists) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (exists) *exists = file != nullptr;
  if (!file) return bytes;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

Saver::Saver(const TempDir& dir, const std::string& arguments, const SaverOptions& options)
    : exePath_(options.nativeFolder.empty() ? dir / options.exeName
                                            : options.nativeFolder + options.exeName) {
  NativeFileNames native(!options.nativeFolder.empty());
  if (GetFileAttributesA(exePath_.c_str()) == INVALID_FILE_ATTRIBUTES &&
      !CopyFileA((DriverDir() + "zarumo.scr").c_str(), exePath_.c_str(), FALSE))
    throw std::runtime_error("cannot copy the saver to " + exePath_);
  for (const auto& [name, value] : options.environment)
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
  std::string commandLine = "\"" + exePath_ + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  BOOL started = CreateProcessA(exePath_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                nullptr, dir.Path().c_str(), &startup, &process_);
  for (const auto& entry : options.environment)
    SetEnvironmentVariableA(entry.first.c_str(), nullptr);
  if (!started) throw std::runtime_error("cannot start " + commandLine);
  WaitForInputIdle(process_.hProcess, 10000);
}

Saver::~Saver() {
  if (process_.hProcess) {
    if (Running()) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
}

HWND Saver::WaitTopWindow(const char* className, DWORD timeoutMs) const {
  return WaitWindow(className, false, timeoutMs);
}

HWND Saver::WaitMessageBox(DWORD timeoutMs) const { return WaitWindow("#32770", true, timeoutMs); }

HWND Saver::WaitWindow(const char* className, bool visibleOnly, DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    FindData data{Pid(), className, visibleOnly, nullptr};
    EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&data));
    if (data.found) return data.found;
    Pump(20);
  } while (GetTickCount() - start < timeoutMs && Running());
  return nullptr;
}

bool Saver::WaitExit(DWORD timeoutMs, DWORD* code) const {
  DWORD start = GetTickCount();
  while (WaitForSingleObject(process_.hProcess, 10) == WAIT_TIMEOUT) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Pump(10);
  }
  if (code) GetExitCodeProcess(process_.hProcess, code);
  return true;
}

bool Saver::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

std::size_t Saver::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

void Saver::Idle(DWORD timeoutMs) const { WaitForInputIdle(process_.hProcess, timeoutMs); }

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::string();
}

void DismissMessageBox(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

DWORD WindowProcessId(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

void Pump(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Pump(20);
  }
}

DWORD ExitCodeAfter(const Saver& saver, DWORD timeoutMs) {
  DWORD code = 12345;
  EXPECT_TRUE(saver.WaitExit(timeoutMs, &code)) << "the saver did not end";
  return code;
}

}  // namespace wt
