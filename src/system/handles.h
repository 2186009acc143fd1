// Owners for system handles: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace zarumo {

template <typename H, typename Close, H kNone = H()>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, kNone));
    return *this;
  }
  ~Owned() { Reset(); }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != kNone; }
  H Release() { return std::exchange(handle_, kNone); }
  void Reset(H handle = kNone) {
    if (handle_ != kNone) Close()(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = kNone;
};

struct CloseGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct CloseDc {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct CloseLibrary {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
// CreateFileA and FindFirstFileA report failure as INVALID_HANDLE_VALUE.
struct CloseFile {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
struct CloseKey {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct CloseFind {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};
struct CloseEnhMetafile {
  void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
struct CloseIcon {
  void operator()(HICON h) const { DestroyIcon(h); }
};

using OwnedBitmap = Owned<HBITMAP, CloseGdiObject>;
using OwnedBrush = Owned<HBRUSH, CloseGdiObject>;
using OwnedFont = Owned<HFONT, CloseGdiObject>;
using OwnedPalette = Owned<HPALETTE, CloseGdiObject>;
using OwnedDc = Owned<HDC, CloseDc>;
using OwnedLibrary = Owned<HMODULE, CloseLibrary>;
using OwnedKey = Owned<HKEY, CloseKey>;
using OwnedEnhMetafile = Owned<HENHMETAFILE, CloseEnhMetafile>;
using OwnedIcon = Owned<HICON, CloseIcon>;
// Files and searches know two ways of holding nothing: null and INVALID_HANDLE_VALUE.
struct OwnedFile : Owned<HANDLE, CloseFile> {
  using Owned::Owned;
  bool Valid() const { return Get() && Get() != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }
};
struct OwnedFind : Owned<HANDLE, CloseFind> {
  using Owned::Owned;
  bool Valid() const { return Get() && Get() != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }
};

// A window's drawing context from GetDC, released to that window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A window's painting, between BeginPaint and EndPaint.
class WindowPaint {
 public:
  explicit WindowPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  WindowPaint(const WindowPaint&) = delete;
  WindowPaint& operator=(const WindowPaint&) = delete;
  ~WindowPaint() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A DC's state as it was, put back at the end of the scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// Selects an object into a DC for one scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace zarumo
