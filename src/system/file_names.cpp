// The file functions the settings file needs, by a name that may hold the saver's own words.
#include "system/file_names.h"

#include "system/handles.h"
#include "system/system_function.h"

namespace zarumo {
namespace {

template <typename Function>
Function WideFileFunction(const char* name) {
  return ShowsTextWide() ? SystemFunction<Function>("KERNEL32", name) : nullptr;
}

using MoveExA = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
using MoveExW = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);

BOOL MoveReplacingWide(const MixedText& from, const MixedText& to, DWORD flags) {
  return SystemFunction<MoveExW>("KERNEL32", "MoveFileExW")(from.Wide().c_str(), to.Wide().c_str(),
                                                            flags);
}

BOOL MoveReplacingAnsi(const MixedText& from, const MixedText& to, DWORD flags) {
  return SystemFunction<MoveExA>("KERNEL32", "MoveFileExA")(from.Ansi().c_str(), to.Ansi().c_str(),
                                                            flags);
}

}  // namespace

HANDLE CreateFileByName(const MixedText& path, DWORD access, DWORD share, DWORD disposition) {
  using Proc = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  if (auto create = WideFileFunction<Proc>("CreateFileW"))
    return create(path.Wide().c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                  nullptr);
  return CreateFileA(path.Ansi().c_str(), access, share, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD FileAttributesByName(const MixedText& path) {
  using Proc = DWORD(WINAPI*)(LPCWSTR);
  if (auto attributes = WideFileFunction<Proc>("GetFileAttributesW"))
    return attributes(path.Wide().c_str());
  return GetFileAttributesA(path.Ansi().c_str());
}

BOOL MoveFileByName(const MixedText& from, const MixedText& to) {
  using Proc = BOOL(WINAPI*)(LPCWSTR, LPCWSTR);
  if (auto move = WideFileFunction<Proc>("MoveFileW"))
    return move(from.Wide().c_str(), to.Wide().c_str());
  return MoveFileA(from.Ansi().c_str(), to.Ansi().c_str());
}

BOOL DeleteFileByName(const MixedText& path) {
  using Proc = BOOL(WINAPI*)(LPCWSTR);
  if (auto remove = WideFileFunction<Proc>("DeleteFileW")) return remove(path.Wide().c_str());
  return DeleteFileA(path.Ansi().c_str());
}

ReplacingMove FindReplacingMove() {
  if (WideFileFunction<MoveExW>("MoveFileExW")) return MoveReplacingWide;
  return SystemFunction<MoveExA>("KERNEL32", "MoveFileExA") ? MoveReplacingAnsi : nullptr;
}

bool FindFileByName(const MixedText& path, DWORD& attributes, FILETIME& lastWrite) {
  using Proc = HANDLE(WINAPI*)(LPCWSTR, LPWIN32_FIND_DATAW);
  if (auto find = WideFileFunction<Proc>("FindFirstFileW")) {
    WIN32_FIND_DATAW found;
    OwnedFind search(find(path.Wide().c_str(), &found));
    if (!search.Valid()) return false;
    attributes = found.dwFileAttributes;
    lastWrite = found.ftLastWriteTime;
    return true;
  }
  WIN32_FIND_DATAA found;
  OwnedFind search(FindFirstFileA(path.Ansi().c_str(), &found));
  if (!search.Valid()) return false;
  attributes = found.dwFileAttributes;
  lastWrite = found.ftLastWriteTime;
  return true;
}

}  // namespace zarumo
