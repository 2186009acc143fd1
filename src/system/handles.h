// Owners for system handles: each lets its handle go exactly once. One
// template serves them all; the function that lets go is part of the type.
#pragma once

#include <windows.h>

#include <utility>

namespace zarumo {

// What a handle holds when it holds nothing: null for most handles.
template <typename H>
H NoHandle() {
  return H();
}
// What CreateFileA and FindFirstFileA give for none.
inline HANDLE NoFileHandle() { return INVALID_HANDLE_VALUE; }

template <typename H, auto Close, auto None = &NoHandle<H>>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, None())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, None()));
    return *this;
  }
  ~Owned() { Reset(); }

  H Get() const { return handle_; }
  bool Valid() const { return !(handle_ == None()); }
  explicit operator bool() const { return Valid(); }
  H Release() { return std::exchange(handle_, None()); }
  void Reset(H handle = None()) {
    if (Valid()) Close(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = None();
};

using OwnedBitmap = Owned<HBITMAP, &DeleteObject>;
using OwnedBrush = Owned<HBRUSH, &DeleteObject>;
using OwnedFont = Owned<HFONT, &DeleteObject>;
using OwnedPen = Owned<HPEN, &DeleteObject>;
using OwnedPalette = Owned<HPALETTE, &DeleteObject>;
using OwnedRegion = Owned<HRGN, &DeleteObject>;
using OwnedDc = Owned<HDC, &DeleteDC>;
using OwnedLibrary = Owned<HMODULE, &FreeLibrary>;
using OwnedKey = Owned<HKEY, &RegCloseKey>;
using OwnedEnhMetafile = Owned<HENHMETAFILE, &DeleteEnhMetaFile>;
using OwnedIcon = Owned<HICON, &DestroyIcon>;
using OwnedGlobal = Owned<HGLOBAL, &GlobalFree>;
using OwnedFile = Owned<HANDLE, &CloseHandle, &NoFileHandle>;
using OwnedFind = Owned<HANDLE, &FindClose, &NoFileHandle>;

// The scopes below own what they must put back, as a handle of two parts.
namespace scope {

struct WindowDc {
  HWND window;
  HDC dc;
  bool operator==(const WindowDc& other) const { return dc == other.dc; }
};
inline void ReleaseWindowDc(WindowDc held) { ReleaseDC(held.window, held.dc); }

struct Paint {
  HWND window;
  PAINTSTRUCT paint;
  bool operator==(const Paint& other) const { return window == other.window; }
};
inline void EndWindowPaint(Paint held) { EndPaint(held.window, &held.paint); }

struct SavedState {
  HDC dc;
  int saved;
  bool operator==(const SavedState& other) const { return saved == other.saved; }
};
inline void RestoreState(SavedState held) { RestoreDC(held.dc, held.saved); }

struct Selected {
  HDC dc;
  HGDIOBJ previous;
  bool operator==(const Selected& other) const { return previous == other.previous; }
};
inline void RestoreSelection(Selected held) { SelectObject(held.dc, held.previous); }

struct SelectedPalette {
  HDC dc;
  HPALETTE previous;
  bool operator==(const SelectedPalette& other) const { return previous == other.previous; }
};
inline void RestorePalette(SelectedPalette held) { SelectPalette(held.dc, held.previous, TRUE); }

}  // namespace scope

// A window's drawing context from GetDC, released to that window.
class WindowDc : Owned<scope::WindowDc, &scope::ReleaseWindowDc> {
 public:
  explicit WindowDc(HWND window) : Owned({window, GetDC(window)}) {}
  HDC Get() const { return Owned::Get().dc; }
};

// A window's painting, between BeginPaint and EndPaint.
class WindowPaint : Owned<scope::Paint, &scope::EndWindowPaint> {
 public:
  explicit WindowPaint(HWND window) : Owned(Begin(window)) {}
  HDC Dc() const { return Get().paint.hdc; }

 private:
  static scope::Paint Begin(HWND window) {
    scope::Paint held{window, {}};
    BeginPaint(window, &held.paint);
    return held;
  }
};

// A DC's state as it was, put back at the end of the scope.
class SavedDcState : Owned<scope::SavedState, &scope::RestoreState> {
 public:
  explicit SavedDcState(HDC dc) : Owned({dc, SaveDC(dc)}) {}
};

// Selects an object into a DC for one scope.
class Selection : Owned<scope::Selected, &scope::RestoreSelection> {
 public:
  Selection(HDC dc, HGDIOBJ object) : Owned(Select(dc, object)) {}
  // False when the system refused the selection.
  bool Selected() const { return Valid(); }

 private:
  static scope::Selected Select(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(dc, object);
    return {dc, previous == HGDI_ERROR ? nullptr : previous};
  }
};

// Selects a logical palette into a DC for one scope, and realizes it there
// when the DC is a window's; the DC's palette before is put back, so that the
// palette can be deleted later. A null palette selects nothing.
class PaletteSelection : Owned<scope::SelectedPalette, &scope::RestorePalette> {
 public:
  enum Kind { kWindow, kMemory };
  // A memory DC's selection only maps colours: realizing there would rewrite
  // its bitmap's colour table, and stand in for the window's realization.
  PaletteSelection(HDC dc, HPALETTE palette, Kind kind = kWindow)
      : Owned(
            {dc, palette ? SelectPalette(dc, palette, kind == kMemory ? TRUE : FALSE) : nullptr}) {
    if (Valid() && kind == kWindow) realized_ = RealizePalette(dc);
  }
  // How many entries the realization mapped anew; GDI_ERROR when it failed.
  UINT Realized() const { return realized_; }

 private:
  UINT realized_ = 0;
};

}  // namespace zarumo
