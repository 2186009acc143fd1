// The settings file beside the executable, and the executable's directory.
#include "settings/settings_file.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "settings/settings_text.h"
#include "system/executable_path.h"
#include "system/failure.h"
#include "system/file_names.h"
#include "system/system_function.h"
#include "system/system_text.h"
#include "text/path_delimiter.h"

namespace zarumo {
namespace {

[[noreturn]] void RaiseIo(DWORD fallback = ERROR_GEN_FAILURE) {
  DWORD code = GetLastError();
  throw IoFailure(static_cast<int>(code ? code : fallback));
}

void WriteAll(HANDLE file, std::string_view bytes) {
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

void Seek(HANDLE file, DWORD offset) {
  if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
      INVALID_SET_FILE_POINTER)
    RaiseIo(ERROR_SEEK);
}

// Refuses what the system would refuse when creating over an existing file,
// and a file another process holds open.
void CheckReplaceable(const MixedText& path) {
  DWORD attributes = FileAttributesByName(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                    FILE_ATTRIBUTE_SYSTEM))
    throw IoFailure(ERROR_ACCESS_DENIED);
  OwnedFile probe(CreateFileByName(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING));
  if (!probe.Valid() && GetLastError() != ERROR_FILE_NOT_FOUND) RaiseIo();
}

// Rewrites the file where it stands. The space the new text needs beyond the
// old end is claimed first, with the new text's own tail: a disk that has no
// room refuses while the old content still stands, and is cut back to it. A
// bare SetEndOfFile would not do, since it may leave a hole that claims nothing.
void WriteInPlace(const MixedText& path, const std::string& bytes) {
  OwnedFile file(CreateFileByName(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
  if (!file.Valid()) RaiseIo();
  const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
  DWORD high = 0;
  const DWORD oldLength = GetFileSize(file.Get(), &high);
  if (oldLength == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) RaiseIo();
  if (high == 0 && oldLength < bytes.size()) {
    try {
      Seek(file.Get(), oldLength);
      WriteAll(file.Get(), std::string_view(bytes).substr(oldLength));
    } catch (...) {
      // Whatever part of the tail went in goes again, and a file this write
      // made goes whole: an empty file would not read as an absent one. The
      // failure to report stays the write's.
      if (created) {
        file.Reset();
        DeleteFileByName(path);
      } else if (SetFilePointer(file.Get(), static_cast<LONG>(oldLength), nullptr, FILE_BEGIN) !=
                 INVALID_SET_FILE_POINTER) {
        SetEndOfFile(file.Get());
      }
      throw;
    }
  }
  Seek(file.Get(), 0);
  WriteAll(file.Get(), bytes);
  // Only to cut: at the end already, Wine would still claim one byte more.
  if (high != 0 || bytes.size() < oldLength) {
    if (!SetEndOfFile(file.Get())) RaiseIo(ERROR_WRITE_FAULT);
  }
  if (!CloseHandle(file.Release())) RaiseIo(ERROR_WRITE_FAULT);
}

// Puts `fresh` in the place of `path` in one step, where the system can.
// Empty when it cannot; false when it refuses.
std::optional<bool> ReplaceAtOnce(const MixedText& path, const MixedText& fresh) {
  // The 9x family exports MoveFileExA but does not implement it.
  if (IsNineXFamily()) return std::nullopt;
  ReplacingMove moveFileEx = FindReplacingMove();
  if (!moveFileEx) return std::nullopt;
  if (moveFileEx(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return std::nullopt;
  return false;
}

// Without a replacing move: the old file steps aside, the new one takes its
// name, then the old one goes. Whatever happens in between, the old or the
// new content stands complete in one of the files. False when a rename is refused.
bool ReplaceByRenames(const MixedText& path, const MixedText& fresh, const MixedText& old) {
  DeleteFileByName(old);  // left by a write that was cut off
  const bool hadOld = FileAttributesByName(path) != INVALID_FILE_ATTRIBUTES;
  if (hadOld && !MoveFileByName(path, old)) return false;
  if (!MoveFileByName(fresh, path)) {
    if (hadOld) MoveFileByName(old, path);
    return false;
  }
  if (hadOld) DeleteFileByName(old);
  return true;
}

// False when the system refuses to move or rename over the file: one held
// open without delete sharing, or one that may be written but not deleted.
bool Replace(const MixedText& path, const MixedText& fresh, const MixedText& old) {
  if (std::optional<bool> replaced = ReplaceAtOnce(path, fresh)) return *replaced;
  return ReplaceByRenames(path, fresh, old);
}

// The system folder as a 32-bit process on 64-bit Windows reaches the real one.
std::string SeenNatively(const std::string& folder) {
  using IsWow64Proc = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64 = SystemFunction<IsWow64Proc>("KERNEL32", "IsWow64Process");
  BOOL wow64 = FALSE;
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64) return folder;
  char system[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return folder;
  const std::string native =
      NativeSystemFolder(folder, std::string(system, length), SystemLeadBytes());
  if (native == folder) return folder;
  // Windows XP and Server 2003 of 64 bits have no "Sysnative" without an update.
  const DWORD attributes = GetFileAttributesA(native.c_str());
  const bool reachable =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  return reachable ? native : folder;
}

}  // namespace

std::string ExeDir() {
  std::string folder = DirectoryPart(ExecutablePath(), SystemLeadBytes());
  // A character the code page lacks comes back as "?", which no file name holds.
  if (folder.find('?') != std::string::npos) {
    const WideString path = ExecutablePathWide();
    const std::size_t last = path.find_last_of(L"\\:");
    if (last != WideString::npos) {
      if (std::optional<std::string> reachable = AnsiPathFor(path.substr(0, last + 1)))
        folder = *reachable;
    }
  }
  return SeenNatively(folder);
}

MixedText OwnFile(const char* name) { return MixedText::Outside(ExeDir()) + name; }

MixedText SettingsPath() { return OwnFile(kSettingsFileName); }

std::string DefaultPicturePath(const char* name) {
  const MixedText path = OwnFile(name);
  if (!ShowsTextWide()) return path.Ansi();
  return AnsiPathFor(path.Wide()).value_or(std::string());
}

bool FileExists(const MixedText& path) {
  DWORD attributes = 0;
  FILETIME lastWrite{};
  if (!FindFileByName(path, attributes, lastWrite)) return false;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  return FileTimeToLocalFileTime(&lastWrite, &local) && FileTimeToDosDateTime(&local, &date, &time);
}

bool SettingsReader::Open() {
  const MixedText path = SettingsPath();
  if (!FileExists(path)) return false;
  file_ = OwnedFile(CreateFileByName(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
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
  if (file_ && !CloseHandle(file_.Release())) RaiseIo();
}

MixedText ShownPicture(const PictureSetting& setting) {
  return setting.defaultName ? OwnFile(setting.defaultName) : MixedText::Outside(setting.path);
}

void ReadPictureSettings(PictureSettings& settings) {
  SettingsReader reader;
  if (!reader.Open()) {
    settings.name = PictureSetting{DefaultPicturePath(kDefaultNamePicture), kDefaultNamePicture};
    settings.wish = PictureSetting{DefaultPicturePath(kDefaultWishPicture), kDefaultWishPicture};
    return;
  }
  settings.name = PictureSetting{reader.ReadLine()};
  settings.wish = PictureSetting{reader.ReadLine()};
  reader.Close();
}

void WriteSettings(const std::string& namePicture, const std::string& wishPicture) {
  const MixedText path = SettingsPath();
  CheckReplaceable(path);
  const std::string bytes = FormatSettings(namePicture, wishPicture);
  // The new content goes to a file of its own first, so that a failure
  // half-way never costs the old settings.
  const MixedText fresh = OwnFile(kSettingsNewName);
  OwnedFile file(CreateFileByName(fresh, GENERIC_WRITE, 0, CREATE_ALWAYS));
  if (!file.Valid()) {
    // A folder that takes no new files may still let the file itself be rewritten.
    WriteInPlace(path, bytes);
    return;
  }
  const MixedText old = OwnFile(kSettingsOldName);
  try {
    WriteAll(file.Get(), bytes);
    if (!FlushFileBuffers(file.Get())) RaiseIo(ERROR_WRITE_FAULT);
    if (!CloseHandle(file.Release())) RaiseIo(ERROR_WRITE_FAULT);
    if (Replace(path, fresh, old)) return;
  } catch (const IoFailure& failure) {
    file.Reset();
    DeleteFileByName(fresh);
    // A disk without room for a second copy may still take the new text in
    // the room the old file holds.
    if (failure.Code() != ERROR_DISK_FULL && failure.Code() != ERROR_HANDLE_DISK_FULL) throw;
  } catch (...) {
    file.Reset();
    DeleteFileByName(fresh);
    throw;
  }
  // Where the move is refused or the disk is full, the file may still take a
  // rewrite in place, which then answers with its own refusals and codes.
  DeleteFileByName(fresh);
  WriteInPlace(path, bytes);
  DeleteFileByName(old);
}

}  // namespace zarumo
