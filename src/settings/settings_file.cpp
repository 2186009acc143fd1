#include "settings/settings_file.h"

#include <windows.h>

#include "forms/failure.h"
#include "forms/system_text.h"
#include "settings/path_delimiter.h"
#include "settings/settings_text.h"

namespace zarumo {
namespace {

[[noreturn]] void RaiseIo(DWORD fallback = ERROR_GEN_FAILURE) {
  DWORD code = GetLastError();
  throw IoFailure(static_cast<int>(code ? code : fallback));
}

void WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0)
      RaiseIo(ERROR_WRITE_FAULT);
    done += written;
  }
}

// Refuses what the system would refuse when creating over an existing file,
// and a file another process holds open.
void CheckReplaceable(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                    FILE_ATTRIBUTE_SYSTEM))
    throw IoFailure(ERROR_ACCESS_DENIED);
  OwnedFile probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!probe.Valid() && GetLastError() != ERROR_FILE_NOT_FOUND) RaiseIo();
}

}  // namespace

std::string ExeDir() {
  char path[261] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path - 1);
  return DirectoryPart(std::string(path, length), SystemLeadBytes());
}

std::string SettingsPath() { return ExeDir() + kSettingsFileName; }

bool FileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  OwnedFind search(FindFirstFileA(path.c_str(), &found));
  if (!search.Valid()) return false;
  search.Reset();
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  return FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &date, &time);
}

bool SettingsReader::Open() {
  std::string path = SettingsPath();
  if (!FileExists(path)) return false;
  file_ = OwnedFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_.Valid()) RaiseIo();
  return true;
}

bool SettingsReader::Refill() {
  if (atEnd_) return false;
  DWORD read = 0;
  if (!ReadFile(file_.Get(), buffer_, sizeof buffer_, &read, nullptr)) RaiseIo(ERROR_READ_FAULT);
  size_ = read;
  pos_ = 0;
  if (read == 0) atEnd_ = true;
  return read != 0;
}

std::string SettingsReader::ReadLine() {
  LineSplitter splitter;
  while (!splitter.LineComplete()) {
    if (pos_ == size_ && !Refill()) break;
    pos_ += splitter.Feed(buffer_ + pos_, size_ - pos_);
  }
  return splitter.TakeLine();
}

void SettingsReader::Close() {
  HANDLE file = file_.Release();
  if (file && file != INVALID_HANDLE_VALUE && !CloseHandle(file)) RaiseIo();
}

void WriteSettings(const std::string& line1, const std::string& line2) {
  std::string path = SettingsPath();
  CheckReplaceable(path);
  // The new content goes to a file of its own first, so that a failure
  // half-way never costs the old settings.
  char temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(ExeDir().c_str(), "zrm", 0, temp)) RaiseIo();
  try {
    OwnedFile file(CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseIo();
    WriteAll(file.Get(), FormatSettings(line1, line2));
    if (!FlushFileBuffers(file.Get())) RaiseIo(ERROR_WRITE_FAULT);
    if (!CloseHandle(file.Release())) RaiseIo(ERROR_WRITE_FAULT);
    if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      RaiseIo();
  } catch (...) {
    DeleteFileA(temp);
    throw;
  }
}

}  // namespace zarumo
