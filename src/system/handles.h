// Owners for system handles: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace zarumo {

// What a handle type holds when it holds nothing: null for most handles,
// INVALID_HANDLE_VALUE for what CreateFileA and FindFirstFileA give.
template <typename H>
struct NullHandle {
  static H Value() { return H(); }
};
struct InvalidHandle {
  static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};

template <typename H, typename Close, typename None = NullHandle<H>>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, None::Value())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, None::Value()));
    return *this;
  }
  ~Owned() { Reset(); }

  H Get() const { return handle_; }
  bool Valid() const { return handle_ != None::Value(); }
  explicit operator bool() const { return Valid(); }
  H Release() { return std::exchange(handle_, None::Value()); }
  void Reset(H handle = None::Value()) {
    if (Valid()) Close()(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = None::Value();
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
struct CloseFile {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseKey {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct CloseFind {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct CloseEnhMetafile {
  void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
struct CloseIcon {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct CloseGlobal {
  void operator()(HGLOBAL h) const { GlobalFree(h); }
};

using OwnedBitmap = Owned<HBITMAP, CloseGdiObject>;
using OwnedBrush = Owned<HBRUSH, CloseGdiObject>;
using OwnedFont = Owned<HFONT, CloseGdiObject>;
using OwnedPen = Owned<HPEN, CloseGdiObject>;
using OwnedPalette = Owned<HPALETTE, CloseGdiObject>;
using OwnedDc = Owned<HDC, CloseDc>;
using OwnedLibrary = Owned<HMODULE, CloseLibrary>;
using OwnedKey = Owned<HKEY, CloseKey>;
using OwnedEnhMetafile = Owned<HENHMETAFILE, CloseEnhMetafile>;
using OwnedIcon = Owned<HICON, CloseIcon>;
using OwnedGlobal = Owned<HGLOBAL, CloseGlobal>;
using OwnedFile = Owned<HANDLE, CloseFile, InvalidHandle>;
using OwnedFind = Owned<HANDLE, CloseFind, InvalidHandle>;

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

// Selects a logical palette into a DC for one scope, and realizes it there
// when the DC is a window's; the DC's palette before is put back, so that the
// palette can be deleted later. A null palette selects nothing.
class PaletteSelection {
 public:
  enum Kind { kWindow, kMemory };
  // A memory DC's selection only maps colours: realizing there would rewrite
  // its bitmap's colour table, and stand in for the window's realization.
  PaletteSelection(HDC dc, HPALETTE palette, Kind kind = kWindow)
      : dc_(dc),
        old_(palette ? SelectPalette(dc, palette, kind == kMemory ? TRUE : FALSE) : nullptr) {
    if (old_ && kind == kWindow) realized_ = RealizePalette(dc);
  }
  PaletteSelection(const PaletteSelection&) = delete;
  PaletteSelection& operator=(const PaletteSelection&) = delete;
  ~PaletteSelection() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  // How many entries the realization mapped anew; GDI_ERROR when it failed.
  UINT Realized() const { return realized_; }

 private:
  HDC dc_;
  HPALETTE old_;
  UINT realized_ = 0;
};

}  // namespace zarumo
