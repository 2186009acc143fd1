// The preview area of the picture pane: a window class of its own that paints
// a PictureView and carries the text it shows in place of a picture as its
// window text.
#pragma once

#include <windows.h>

#include <memory>

#include "setup/picture_view.h"

namespace zarumo {

extern const char kPictureAreaClass[];

class PictureArea {
 public:
  PictureArea() = default;
  PictureArea(const PictureArea&) = delete;
  PictureArea& operator=(const PictureArea&) = delete;
  ~PictureArea();

  // Registers the window class once per process.
  static void RegisterWindowClass();

  // Takes over a window of the class, created by the pane's template.
  void Attach(HWND window);
  void Detach();
  HWND Handle() const { return window_; }

  void Show(std::shared_ptr<PictureView> view);
  const std::shared_ptr<PictureView>& View() const { return view_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void SyncText();

  HWND window_ = nullptr;
  std::shared_ptr<PictureView> view_ = std::make_shared<PictureView>();
};

}  // namespace zarumo
